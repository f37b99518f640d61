// The Spell check command and TForm2, the spell check dialog, in the whole viewer on fakes:
// what the user sees from the command to Exit, and what is kept in the settings file.
#include "viewer/shell/spell_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "common/ini.h"
#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

using Lines = std::vector<std::string>;

class SpellDialogTest : public MailShellTest {
  protected:
    SpellDialogTest() {
        std::filesystem::create_directory(dir.File("dic"));
        WriteFileAtomic(dir.File("dic/UserDic.wtr"), "KWTR1 0\n");
        lib().known = {"Hello", "world", "letter", "I", "the"};
        lib().suggestions["recieve"] = {"receive", "deceive"};
    }
    // The whole viewer past its deferred stage, holding lines, with these spell settings.
    TForm1& StartWith(const Lines& lines, const std::string& spell) {
        WriteSettings("[SpellCheck]\r\n" + spell +
                      "BasicDic=dic/Basic.wtr\r\nSpellFontName=Courier\r\nSpellFontSize=11\r\n"
                      "Left=30\r\nTop=40\r\n");
        TForm1& form = OpenFully({});
        fp.editor.SetLines(lines);
        fp.editor.SetModified(false);
        fp.messages.shown.clear();
        return form;
    }
    FakeLibraryScript& lib() { return fp.spellLibrary; }
    FakeSpellDialogWindow& window() { return fp.spellWindow; }
};

TEST_F(SpellDialogTest, MisspelledWordChangedThenExitKeepsPlaceAndCheckBoxes) {
    TForm1& form = StartWith({"Hello world", "I recieve the letter", ""}, "SpellChecker=1\r\n");
    EXPECT_TRUE(fp.window.IsVisible(CommandId::SpellCheck));
    if (!fp.editor.WordWrap()) form.WordWrap1Click();
    fp.editor.SetSelection(2, 0);
    form.Execute(CommandId::SpellCheck);

    // A relative BasicDic is the program folder's.
    ASSERT_EQ(lib().dictionaries.size(), 1u);
    EXPECT_EQ(lib().dictionaries[0].first, dir.path() + "dic/Basic.wtr");
    EXPECT_EQ(window().fontName, "Courier");
    EXPECT_EQ(window().fontSize, 11);
    EXPECT_TRUE(window().visible);
    EXPECT_EQ(window().left, 30);
    EXPECT_EQ(window().top, 40);
    EXPECT_EQ(window().word, "recieve");
    EXPECT_EQ(window().replacement, "receive");
    EXPECT_EQ(window().list, (Lines{"deceive", "receive"}));
    EXPECT_EQ(window().focus, SpellButton::Ignore);
    EXPECT_EQ(fp.editor.SelText(), "recieve");
    // Word wrap is off for the scan, through the Word wrap command (its menu check follows).
    EXPECT_FALSE(fp.editor.WordWrap());
    EXPECT_FALSE(fp.window.IsChecked(CommandId::WordWrap));

    window().replacement = "receive";
    parts->Spell().ChangeButtonClick();
    EXPECT_EQ(fp.editor.Line(1), "I receive the letter");
    EXPECT_TRUE(fp.editor.Modified());
    EXPECT_EQ(fp.MessageTexts(), (Lines{"Spell Check Complete."}));
    EXPECT_EQ(fp.messages.shown[0].caption, "Kestrel32");

    window().MoveTo(300, 250);  // the user moved the dialog
    parts->Spell().CheckBoxCapitalClick(true);
    parts->Spell().ExitButtonClick();
    EXPECT_FALSE(window().visible);
    EXPECT_TRUE(fp.editor.WordWrap());
    EXPECT_TRUE(fp.window.IsChecked(CommandId::WordWrap));
    EXPECT_EQ(fp.editor.SelStart(), 2);
    EXPECT_EQ(lib().live, 0);
    EXPECT_EQ(Setting("SpellCheck", "Left"), "300");
    EXPECT_EQ(Setting("SpellCheck", "Top"), "250");
    EXPECT_EQ(Setting("SpellCheck", "IgnoreCapital"), "1");
    EXPECT_EQ(Setting("SpellCheck", "IgnoreNumeric"), "0");

    // The next run shows the dialog where it was left, with the box checked.
    fp.editor.SetSelection(0, 0);
    form.Execute(CommandId::SpellCheck);
    EXPECT_EQ(window().left, 300);
    EXPECT_TRUE(window().capital);
}

TEST_F(SpellDialogTest, SwitchedOffTheCommandIsHiddenAndDoesNothing) {
    TForm1& form = StartWith({"I recieve it", ""}, "SpellChecker=0\r\n");
    EXPECT_FALSE(fp.window.IsVisible(CommandId::SpellCheck));
    form.Execute(CommandId::SpellCheck);
    EXPECT_EQ(lib().loads, 0);
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(SpellDialogTest, WithoutTheLibraryNothingChanges) {
    TForm1& form = StartWith({"I recieve it", ""}, "SpellChecker=1\r\n");
    lib().loadable = false;
    std::string before;
    ReadFileBytes(SettingsFile(), before);
    form.Execute(CommandId::SpellCheck);
    EXPECT_EQ(fp.MessageTexts(), (Lines{"Unable to Load \"splcheck.dll\"."}));
    EXPECT_EQ(fp.editor.Line(0), "I recieve it");
    EXPECT_FALSE(window().visible);
    EXPECT_FALSE(fp.editor.Modified());
    std::string after;
    ReadFileBytes(SettingsFile(), after);
    EXPECT_EQ(after, before);
}

TEST_F(SpellDialogTest, ReadOnlyViewerIsRefused) {
    TForm1& form = StartWith({"I recieve it", ""}, "SpellChecker=1\r\n");
    fp.editor.SetReadOnly(true);
    form.Execute(CommandId::SpellCheck);
    EXPECT_EQ(fp.MessageTexts(), (Lines{"Read only mode."}));
    EXPECT_EQ(lib().loads, 0);
}

TEST_F(SpellDialogTest, AddedWordGoesToTheListBesideTheUserDictionary) {
    TForm1& form = StartWith({"Hello Zorblax world", ""}, "SpellChecker=1\r\n");
    form.Execute(CommandId::SpellCheck);
    EXPECT_EQ(window().word, "Zorblax");
    EXPECT_EQ(window().list, (Lines{"No suggestion"}));
    parts->Spell().AddButtonClick();
    std::string added;
    ASSERT_TRUE(ReadFileBytes(dir.File("dic/UserDic.txt"), added));
    EXPECT_EQ(added, "Zorblax\r\n");
    EXPECT_EQ(lib().added, (Lines{"Zorblax"}));
    EXPECT_EQ(fp.MessageTexts(), (Lines{"Spell Check Complete."}));
}

}  // namespace
}  // namespace kestrel::test
