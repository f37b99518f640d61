// Decode, Decode Zenkaku, Quote, Unquote and Justify as the main window runs them on the editor.
#include "viewer/shell/text_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

using Lines = std::vector<std::string>;

class TextCommandsTest : public MailShellTest {
  protected:
    // The whole viewer, started and past its deferred stage, holding lines.
    TForm1& StartWith(const Lines& lines, std::string settings = "") {
        WriteSettings(settings);
        form = &OpenFully({});
        fp.editor.SetLines(lines);
        fp.editor.SetModified(false);
        fp.log.clear();
        return *form;
    }
    // Selects from byte `from` of line a to byte `to` of line b.
    void Select(int a, int from, int b, int to) {
        int start = fp.editor.LineOffset(a) + from;
        fp.editor.SetSelection(start, fp.editor.LineOffset(b) + to - start);
    }
    std::string ViewFile() const { return dir.File("_plvview.jis"); }

    TForm1* form = nullptr;
};

// --- Decode -----------------------------------------------------------------------------

const Lines kRawMail = {
    "Subject: =?iso-2022-jp?b?GyRCJEIbKEI=?=",
    "",
    "x\x0e\x31\x0fy",
};

TEST_F(TextCommandsTest, DecodeRepairsTextWritesViewFileAndStartsPageBrowser) {
    struct Case {
        CommandId id;
        bool modified;
        std::string body;
    };
    const Case cases[] = {
        {CommandId::Decode, false, "x\x1b(I\x31\x1b(Jy"},
        {CommandId::Decode, true, "x\x1b(I\x31\x1b(Jy"},
        {CommandId::DecodeZenkaku, false, "x\x1b$B%\"\x1b(Jy"},  // 25 22 is the wide a
        {CommandId::DecodeZenkaku, true, "x\x1b$B%\"\x1b(Jy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.id));
        StartWith(kRawMail, "[Location]\nPgbrowExe=c:\\tools\\pgbrow.exe\n");
        fp.editor.SetModified(c.modified);
        form->Execute(c.id);

        const Lines expected = {"X-Status: READ", "Subject: \x1b$B$B\x1b(B", "--------", c.body};
        EXPECT_EQ(fp.editor.Lines(), expected);
        EXPECT_EQ(fp.editor.Modified(), c.modified);
        std::string written;
        ASSERT_TRUE(ReadFileBytes(ViewFile(), written));
        EXPECT_EQ(written, JoinLinesCrLf(expected));
        EXPECT_EQ(fp.launcher.started, Lines{"c:\\tools\\pgbrow.exe " + ViewFile() + " "});
        EXPECT_TRUE(fp.messages.shown.empty());
        fp.launcher.started.clear();
    }
}

TEST_F(TextCommandsTest, DecodeBadEscapeKeepsOldTextAndWritesNoFile) {
    const Lines mail = {"Content-Transfer-Encoding: quoted-printable", "", "abc=ZZdef"};
    for (CommandId id : {CommandId::Decode, CommandId::DecodeZenkaku}) {
        StartWith(mail, "[Location]\nPgbrowExe=pgbrow.exe\n");
        WriteFileAtomic(ViewFile(), "earlier run");
        fp.editor.SetModified(true);
        form->Execute(id);
        EXPECT_EQ(fp.MessageTexts(), Lines{"'$ZZ' is not a valid integer value"});
        EXPECT_EQ(fp.editor.Lines(), mail);
        EXPECT_TRUE(fp.editor.Modified());
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(ViewFile(), bytes));
        EXPECT_EQ(bytes, "earlier run");
        EXPECT_TRUE(fp.launcher.started.empty());
        fp.messages.shown.clear();
    }
}

TEST_F(TextCommandsTest, DecodeZenkakuDoesNothingWhileTextIsSelected) {
    StartWith(kRawMail, "[Location]\nPgbrowExe=pgbrow.exe\n");
    Select(2, 0, 2, 3);
    form->Execute(CommandId::DecodeZenkaku);
    EXPECT_EQ(fp.editor.Lines(), kRawMail);
    EXPECT_FALSE(FileExists(ViewFile()));
    EXPECT_TRUE(fp.launcher.started.empty());

    // Plain Decode has no such rule.
    form->Execute(CommandId::Decode);
    EXPECT_EQ(fp.editor.Line(0), "X-Status: READ");
    EXPECT_TRUE(FileExists(ViewFile()));
}

TEST_F(TextCommandsTest, DecodeWithoutPageBrowserStillWritesTheFile) {
    StartWith(kRawMail);
    form->Execute(CommandId::Decode);
    EXPECT_TRUE(FileExists(ViewFile()));
    EXPECT_TRUE(fp.launcher.started.empty());
    EXPECT_TRUE(fp.messages.shown.empty());
}

// A file that cannot be written must not send the browser to what an earlier run left there.
TEST_F(TextCommandsTest, DecodeViewFileNotWrittenIsReportedAndBrowserNotStarted) {
    // The settings file lives beside the program: the program's folder goes after start-up.
    fp.environment.programPath = dir.File("gone/kestrel.exe");
    std::filesystem::create_directories(dir.File("gone"));
    WriteFileAtomic(dir.File("gone/kestrel.ini"), "[Location]\nPgbrowExe=pgbrow.exe\n");
    StartWith(kRawMail);
    std::filesystem::remove_all(dir.File("gone"));
    form->Execute(CommandId::Decode);
    EXPECT_EQ(fp.MessageTexts(), Lines{"Cannot save " + dir.File("gone/_plvview.jis")});
    EXPECT_EQ(fp.editor.Line(0), "X-Status: READ");
    EXPECT_TRUE(fp.launcher.started.empty());
}

// --- Quote and Unquote ------------------------------------------------------------------

TEST_F(TextCommandsTest, QuoteMarksEveryWidenedLineAndKeepsFlags) {
    const Lines text = {"before", "first line", "", "third line", "after"};
    for (CommandId id : {CommandId::Quote, CommandId::PopupQuote}) {
        for (bool readOnly : {false, true}) {
            SCOPED_TRACE(readOnly);
            StartWith(text);
            fp.editor.SetReadOnly(readOnly);
            Select(1, 3, 3, 2);  // from inside the first line to inside the third
            form->Execute(id);
            EXPECT_EQ(fp.editor.Lines(),
                      (Lines{"before", "> first line", "> ", "> third line", "after"}));
            EXPECT_EQ(fp.clipboard.text, "first line\r\n\r\nthird line\r\n");
            EXPECT_FALSE(fp.editor.Modified());
            EXPECT_EQ(fp.editor.ReadOnly(), readOnly);
            // The text is short: the caret goes to the start of its last line.
            EXPECT_EQ(fp.editor.SelStart(), fp.editor.LineOffset(4));
            EXPECT_EQ(fp.editor.SelLength(), 0);
        }
    }
}

TEST_F(TextCommandsTest, QuoteUsesTheQuoteSettingAndReachesTheLastLine) {
    StartWith({"one", "two"}, "[View]\nQuote=|\n");
    Select(1, 1, 1, 2);
    form->Execute(CommandId::Quote);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"one", "|two"}));
    EXPECT_EQ(fp.clipboard.text, "two");
}

TEST_F(TextCommandsTest, UnquoteTakesTheFirstLinesPrefixOffOnly) {
    struct Case {
        const char* name;
        Lines before, after;
    };
    const Case cases[] = {
        {"first line without prefix: nothing", {"plain", "> quoted"}, {"plain", "> quoted"}},
        {"same prefix only", {"> > a", "> > b", "> c"}, {"a", "b", "> c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartWith(c.before);
        fp.editor.SelectAll();
        form->Execute(CommandId::Unquote);
        EXPECT_EQ(fp.editor.Lines(), c.after);
        EXPECT_FALSE(fp.editor.Modified());
    }
}

TEST_F(TextCommandsTest, QuoteAndUnquoteWithoutSelectionChangeNothing) {
    for (CommandId id : {CommandId::Quote, CommandId::Unquote}) {
        StartWith({"> a", "b"});
        form->Execute(id);
        EXPECT_EQ(fp.editor.Lines(), (Lines{"> a", "b"}));
        EXPECT_TRUE(fp.messages.shown.empty());
    }
}

// --- Justify ----------------------------------------------------------------------------

TEST_F(TextCommandsTest, JustifySelectionRewrapsOnlyTheSelectedLines) {
    const Lines text = {"> keep this quoted line as it is", "> aaaa bbbb", "> cccc dddd eeee",
                        "> ffff", "> also kept as it stands here"};
    StartWith(text, "[View]\nMaxLength=20\n");
    form->State().currentFile = "/temp/_plv0001.tmp";
    fp.editor.SetModified(true);
    fp.messages.answers = {MessageAnswer::No};
    Select(1, 0, 3, 1);
    form->Execute(CommandId::Justify);
    EXPECT_EQ(fp.MessageTexts(), Lines{"Save _plv0001.tmp ?"});
    EXPECT_EQ(fp.editor.Lines(), (Lines{"> keep this quoted line as it is", "> aaaa bbbb cccc ",
                                        "> dddd eeee ffff", "> also kept as it stands here"}));
    EXPECT_EQ(fp.clipboard.text, "> aaaa bbbb\r\n> cccc dddd eeee\r\n> ffff\r\n");
    EXPECT_TRUE(fp.editor.Modified());
}

TEST_F(TextCommandsTest, JustifyWithoutSelectionStartsPastTheSeparator) {
    struct Case {
        const char* name;
        Lines before, after;
    };
    const Case cases[] = {
        {"one past the first ------ line",
         {"Subject: a header line much longer than twenty", "------", "aaaa bbbb cccc dddd eeee",
          "------", "ffff gggg hhhh iiii jjjj"},
         {"Subject: a header line much longer than twenty", "------", "aaaa bbbb cccc dddd ",
          "eeee", "------", "ffff gggg hhhh iiii ", "jjjj"}},
        {"no separator: the last line only",
         {"aaaa bbbb cccc dddd eeee", "ffff gggg hhhh iiii jjjj"},
         {"aaaa bbbb cccc dddd eeee", "ffff gggg hhhh iiii ", "jjjj"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartWith(c.before, "[View]\nMaxLength=20\n");
        fp.editor.SetReadOnly(true);
        form->Execute(CommandId::Justify);
        EXPECT_EQ(fp.editor.Lines(), c.after);
        EXPECT_TRUE(fp.editor.ReadOnly());
        EXPECT_FALSE(fp.editor.Modified());
    }
}

TEST_F(TextCommandsTest, WordWrapOnOnlySwitchesItOff) {
    for (CommandId id : {CommandId::Quote, CommandId::Unquote, CommandId::Justify}) {
        StartWith({"> aaaa", "bbbb"}, "[View]\nWordWrap=1\n");
        ASSERT_TRUE(fp.editor.WordWrap());
        fp.editor.SetModified(true);
        fp.editor.SelectAll();
        fp.clipboard.text = "untouched";
        form->Execute(id);
        EXPECT_EQ(fp.MessageTexts(), Lines{"Disabled word-wrap.  Try again."});
        EXPECT_FALSE(fp.editor.WordWrap());
        EXPECT_FALSE(fp.window.IsChecked(CommandId::WordWrap));
        EXPECT_FALSE(fp.window.IsChecked(CommandId::PopupWordWrap));
        EXPECT_EQ(fp.editor.Lines(), (Lines{"> aaaa", "bbbb"}));
        EXPECT_EQ(fp.clipboard.text, "untouched");
        fp.messages.shown.clear();
    }
}

TEST_F(TextCommandsTest, CancelInSaveQuestionStopsAllButQuote) {
    struct Case {
        CommandId id;
        Lines after;
    };
    const Case cases[] = {
        {CommandId::Quote, {"> > aaaa", "> bbbb"}},
        {CommandId::Unquote, {"> aaaa", "bbbb"}},
        {CommandId::Justify, {"> aaaa", "bbbb"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.id));
        StartWith({"> aaaa", "bbbb"});
        form->State().currentFile = "/temp/_plv0001.tmp";
        fp.editor.SetModified(true);
        fp.editor.SetReadOnly(true);
        fp.editor.SelectAll();
        fp.clipboard.text = "untouched";
        fp.messages.answers = {MessageAnswer::Cancel};
        form->Execute(c.id);
        EXPECT_EQ(fp.MessageTexts(), Lines{"Save _plv0001.tmp ?"});
        EXPECT_EQ(fp.editor.Lines(), c.after);
        EXPECT_TRUE(fp.editor.Modified());
        EXPECT_TRUE(fp.editor.ReadOnly());
        EXPECT_EQ(fp.clipboard.text == "untouched", c.id != CommandId::Quote);
        fp.messages.shown.clear();
    }
}

// Yes on a mail shown in viewer mode must not write the (filtered) display over the mail file.
TEST_F(TextCommandsTest, SaveQuestionInViewerModeAsksForANewName) {
    std::string mail = MakeFile("inbox/0001.txt", {"X-Status: READ", "To: x", "------", "body"});
    StartWith({"X-Status: READ", "------", "body"});
    form->State().currentFile = mail;
    fp.editor.SetReadOnly(true);
    fp.editor.SetModified(true);
    fp.messages.answers = {MessageAnswer::Yes};
    form->Execute(CommandId::Justify);
    EXPECT_EQ(fp.dialogs.saveRequests.size(), 1u);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(mail, bytes));
    EXPECT_EQ(bytes, "X-Status: READ\r\nTo: x\r\n------\r\nbody\r\n");
    EXPECT_TRUE(fp.editor.ReadOnly());
}

// A pass that fails puts nothing into the editor: the text typed before, its undo history and
// the modified flag stay, so that closing still asks about the changes.
TEST_F(TextCommandsTest, FailingPassKeepsTextUndoAndModifiedFlag) {
    for (bool selection : {false, true}) {
        SCOPED_TRACE(selection);
        StartWith({"------", "aaaa bbbb"}, "[View]\nMaxLength=0\n");
        form->State().currentFile = "/temp/_plv0001.tmp";
        fp.editor.SetSelection(fp.editor.LineOffset(1) + 9, 0);
        fp.editor.Type(" typed");
        const Lines typed = {"------", "aaaa bbbb typed"};
        ASSERT_EQ(fp.editor.Lines(), typed);
        if (selection) Select(1, 0, 1, 4);
        fp.messages.answers = {MessageAnswer::No};  // the text is not saved first
        fp.log.clear();
        form->Execute(CommandId::Justify);
        EXPECT_EQ(fp.MessageTexts(), (Lines{"Save _plv0001.tmp ?", "Error in reformat routine"}));
        EXPECT_TRUE(LogWith("editor: set").empty());
        EXPECT_EQ(fp.editor.Lines(), typed);
        EXPECT_TRUE(fp.editor.Modified());
        EXPECT_FALSE(fp.editor.ReadOnly());
        fp.editor.Undo();
        EXPECT_EQ(fp.editor.Lines(), (Lines{"------", "aaaa bbbb"}));
        fp.messages.shown.clear();
    }
}

TEST_F(TextCommandsTest, FailingReformatPassIsReportedAndFlagsRestored) {
    const Lines text = {"------", "aaaa bbbb cccc dddd eeee ffff gggg"};
    for (bool selection : {false, true}) {
        SCOPED_TRACE(selection);
        StartWith(text, "[View]\nMaxLength=0\n");
        fp.editor.SetReadOnly(true);
        if (selection) Select(1, 0, 1, 4);
        form->Execute(CommandId::Justify);
        EXPECT_EQ(fp.MessageTexts(), Lines{"Error in reformat routine"});
        EXPECT_EQ(fp.editor.Lines(), text);
        EXPECT_TRUE(fp.editor.ReadOnly());
        EXPECT_FALSE(fp.editor.Modified());
        fp.messages.shown.clear();
    }
}

}  // namespace
}  // namespace kestrel::test
