// Find, Find Next and Replace as the main window runs them with the modeless dialogs.
#include "viewer/shell/find_replace.h"

#include <gtest/gtest.h>

#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;

class FindReplaceTest : public MailShellTest {
  protected:
    void StartWith(const Lines& lines, bool readOnly = false) {
        WriteSettings("");
        OpenFully({});
        form = &parts->Form();
        fp.editor.SetLines(lines);
        fp.editor.SetReadOnly(readOnly);
        fp.editor.SetModified(false);
        fp.editor.SetSelection(0, 0);
        fp.log.clear();
    }
    void Press(FindDialogKind dialog, FindDialogAction action, const std::string& what,
               const std::string& with = "", bool matchCase = false, bool wholeWord = false) {
        parts->Find().OnDialog(FindDialogEvent{dialog, action, what, with, matchCase, wholeWord});
    }
    std::string Selected() const { return fp.editor.SelText(); }

    TForm1* form = nullptr;
};

const std::string kKataA = "\x83\x41";          // katakana a: its trail byte is "A"
const std::string kNihon = "\x93\xfa\x96\x7b";  // the word for Japan

TEST_F(FindReplaceTest, FindCommandsAndTheFindDialog) {
    StartWith({"abc " + kNihon, kKataA + " ABC"}, true);  // Find works in viewer mode too
    // Find Next with an empty search text opens the dialog instead of searching.
    form->Execute(CommandId::FindNext);
    EXPECT_THAT(fp.log, ElementsAre("find dialog: "));
    EXPECT_TRUE(fp.window.enabled[CommandId::FindNext]);

    // A selected word becomes the dialog's text.
    fp.editor.SetSelection(4, 4);
    form->Execute(CommandId::Find);
    EXPECT_EQ(fp.log.back(), "find dialog: " + kNihon);

    // The dialog's Find Next selects the next match and gives the editor the focus; the
    // katakana's trail byte is no "A".
    fp.editor.SetSelection(0, 0);
    fp.log.clear();
    Press(FindDialogKind::Find, FindDialogAction::FindNext, "a");
    EXPECT_EQ(fp.editor.SelStart(), 0);
    EXPECT_EQ(fp.log.back(), "editor: focus");
    form->Execute(CommandId::FindNext);  // with the dialog's text, after the selection
    EXPECT_EQ(fp.editor.SelStart(), 13);
    EXPECT_EQ(Selected(), "A");

    // Nothing further: the message, and the selection collapsed to the caret.
    form->Execute(CommandId::FindNext);
    EXPECT_EQ(fp.MessageTexts().back(), "\"a\" not found.");
    EXPECT_EQ(fp.editor.SelStart(), 14);
    EXPECT_EQ(fp.editor.SelLength(), 0);

    // A Japanese word, whole word and Match case from the dialog.
    fp.editor.SetSelection(0, 0);
    Press(FindDialogKind::Find, FindDialogAction::FindNext, kNihon, "", true, true);
    EXPECT_EQ(fp.editor.SelStart(), 4);
    EXPECT_EQ(Selected(), kNihon);
    Press(FindDialogKind::Find, FindDialogAction::FindNext, "abc", "", true, false);
    EXPECT_EQ(fp.MessageTexts().back(), "\"abc\" not found.");
}

TEST_F(FindReplaceTest, FindNextInTheReplaceDialogUsesItsOwnText) {
    StartWith({"one two one two"});
    Press(FindDialogKind::Find, FindDialogAction::FindNext, "one");
    Press(FindDialogKind::Replace, FindDialogAction::FindNext, "two");
    EXPECT_EQ(fp.editor.SelStart(), 4);
    // The Find dialog keeps its own text.
    form->Execute(CommandId::FindNext);
    EXPECT_EQ(fp.editor.SelStart(), 8);
    EXPECT_EQ(parts->Find().FindText(), "one");
}

TEST_F(FindReplaceTest, ReplaceIsRefusedInViewerMode) {
    StartWith({"abc"}, true);
    form->Execute(CommandId::Replace);
    EXPECT_THAT(fp.log, ElementsAre("message: Read only mode."));
    // A dialog left open from editor mode replaces nothing either.
    Press(FindDialogKind::Replace, FindDialogAction::ReplaceAll, "abc", "x");
    EXPECT_EQ(fp.editor.Lines(), Lines{"abc"});
}

TEST_F(FindReplaceTest, ReplaceOneAtATimeHonoursMatchCase) {
    StartWith({"ABC abc", "abc"});
    fp.editor.SetSelection(0, 3);
    form->Execute(CommandId::Replace);
    EXPECT_EQ(fp.log.back(), "replace dialog: ABC");

    // Match case: the selected "ABC" is not replaced; the next "abc" is selected.
    Press(FindDialogKind::Replace, FindDialogAction::Replace, "abc", "x", true);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"ABC abc", "abc"}));
    EXPECT_EQ(fp.editor.SelStart(), 4);
    EXPECT_FALSE(fp.editor.Modified());
    Press(FindDialogKind::Replace, FindDialogAction::Replace, "abc", "x", true);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"ABC x", "abc"}));
    EXPECT_EQ(fp.editor.SelStart(), 7);  // the next line's "abc"
    EXPECT_TRUE(fp.editor.Modified());
    Press(FindDialogKind::Replace, FindDialogAction::Replace, "abc", "x", true);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"ABC x", "x"}));
    EXPECT_EQ(fp.MessageTexts(), Lines{"Cannot find \"abc\"."});
}

TEST_F(FindReplaceTest, ReplaceAllEndsAndLeavesJapaneseTextWhole) {
    // The replacement holds the search text; a katakana whose trail byte is "A" stays.
    StartWith({"a " + kKataA + " a", "a"});
    Press(FindDialogKind::Replace, FindDialogAction::ReplaceAll, "A", "aa");
    EXPECT_EQ(fp.editor.Lines(), (Lines{"aa " + kKataA + " aa", "aa"}));
    EXPECT_TRUE(fp.editor.Modified());
    EXPECT_TRUE(fp.MessageTexts().empty());  // no message after Replace All

    // Whole words from the caret at the start: the first word is replaced too.
    StartWith({"abc abc abcd"});
    Press(FindDialogKind::Replace, FindDialogAction::ReplaceAll, "abc", "x", false, true);
    EXPECT_EQ(fp.editor.Lines(), Lines{"x x abcd"});
}

}  // namespace
}  // namespace kestrel::test
