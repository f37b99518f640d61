// TForm2, the spell check dialog, over the fake editor, message boxes and dictionary library:
// what the user sees from the Spell check command to Exit, and what is kept in the settings.
#include "viewer/shell/spell_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "common/ini.h"
#include "shell/fakes.h"
#include "support/spell_fakes.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

class FakeSpellDialogWindow : public SpellDialogWindow {
  public:
    void Show() override {
        visible = true;
        ++shows;
    }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    void MoveTo(int l, int t) override {
        left = l;
        top = t;
    }
    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetFieldFont(std::string_view name, int size) override {
        fontName = std::string(name);
        fontSize = size;
    }
    void SetWord(std::string_view w) override { word = std::string(w); }
    void SetReplacement(std::string_view t) override { replacement = std::string(t); }
    std::string Replacement() const override { return replacement; }
    void SetList(const std::vector<std::string>& e) override { list = e; }
    void SetCheckBoxes(bool c, bool n) override {
        capital = c;
        numeric = n;
    }
    void FocusButton(SpellButton b) override { focus = b; }

    bool visible = false, capital = false, numeric = false;
    int shows = 0, left = 0, top = 0, fontSize = 0;
    std::string fontName, word, replacement;
    std::vector<std::string> list;
    SpellButton focus = SpellButton::None;
};

class SpellDialogTest : public ::testing::Test {
  protected:
    SpellDialogTest() {
        settingsPath = dir.File("kestrel.ini");
        WriteFileAtomic(settingsPath,
                        "[SpellCheck]\r\nSpellChecker=1\r\nBasicDic=dic/Basic.wtr\r\n"
                        "SpellFontName=Courier\r\nSpellFontSize=11\r\nLeft=30\r\nTop=40\r\n");
        std::filesystem::create_directory(dir.File("dic"));
        WriteFileAtomic(dir.File("dic/UserDic.wtr"), "KWTR1 0\n");
        lib.known = {"Hello", "world", "letter", "I", "the"};
        lib.suggestions["recieve"] = {"receive", "deceive"};
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& m : messages.shown) out.push_back(m.text);
        return out;
    }

    TempDir dir;
    std::string settingsPath;
    EventLog log;
    FakeClipboard clipboard;
    FakeTextControl editor{clipboard, log};
    FakeMessageBoxes messages{log};
    FakeLibraryScript lib;
    FakeSpellLoader loader{lib};
    FakeSpellDialogWindow window;
    bool spellCheckerOn = true;
    std::vector<bool> wrapCommands;
    TForm2 form{SpellDialogPorts{window, editor, messages, loader, [this] { return settingsPath; },
                                 [this] { return dir.path(); }, [this] { return spellCheckerOn; },
                                 [this](bool wrap) {
                                     wrapCommands.push_back(wrap);
                                     editor.SetWordWrap(wrap);
                                 }}};
};

TEST_F(SpellDialogTest, MisspelledWordChangedThenExitKeepsPlaceAndCheckBoxes) {
    editor.SetLines({"Hello world", "I recieve the letter", ""});
    editor.SetWordWrap(true);
    editor.SetSelection(2, 0);
    form.SpellCheck1Click();

    // A relative BasicDic is the program folder's.
    ASSERT_EQ(lib.dictionaries.size(), 1u);
    EXPECT_EQ(lib.dictionaries[0].first, dir.path() + "dic/Basic.wtr");
    EXPECT_EQ(window.fontName, "Courier");
    EXPECT_EQ(window.fontSize, 11);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.left, 30);
    EXPECT_EQ(window.top, 40);
    EXPECT_EQ(window.word, "recieve");
    EXPECT_EQ(window.replacement, "receive");
    EXPECT_EQ(window.list, (std::vector<std::string>{"deceive", "receive"}));
    EXPECT_EQ(window.focus, SpellButton::Ignore);
    EXPECT_EQ(editor.SelText(), "recieve");
    EXPECT_EQ(wrapCommands, (std::vector<bool>{false}));

    window.replacement = "receive";  // the user may edit the field
    form.ChangeButtonClick();
    EXPECT_EQ(editor.Line(1), "I receive the letter");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Spell Check Complete."}));
    EXPECT_EQ(messages.shown[0].caption, "Kestrel32");

    window.MoveTo(300, 250);  // the user moved the dialog
    form.CheckBoxCapitalClick(true);
    form.ExitButtonClick();
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(wrapCommands, (std::vector<bool>{false, true}));
    EXPECT_EQ(editor.SelStart(), 2);
    EXPECT_EQ(lib.live, 0);
    EXPECT_EQ(ReadIniInt(settingsPath, "SpellCheck", "Left", 0), 300);
    EXPECT_EQ(ReadIniInt(settingsPath, "SpellCheck", "Top", 0), 250);
    EXPECT_EQ(ReadIniInt(settingsPath, "SpellCheck", "IgnoreCapital", 0), 1);
    EXPECT_EQ(ReadIniInt(settingsPath, "SpellCheck", "IgnoreNumeric", 1), 0);

    // The next run shows the dialog where it was left, with the box checked.
    editor.SetSelection(0, 0);
    form.SpellCheck1Click();
    EXPECT_EQ(window.left, 300);
    EXPECT_TRUE(window.capital);
}

TEST_F(SpellDialogTest, SwitchedOffOrWithoutTheLibraryNothingChanges) {
    editor.SetLines({"I recieve it", ""});
    spellCheckerOn = false;
    form.SpellCheck1Click();
    EXPECT_EQ(lib.loads, 0);
    EXPECT_TRUE(messages.shown.empty());

    spellCheckerOn = true;
    lib.loadable = false;
    std::string before;
    ReadFileBytes(settingsPath, before);
    form.SpellCheck1Click();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Unable to Load \"splcheck.dll\"."}));
    EXPECT_EQ(editor.Line(0), "I recieve it");
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(editor.Modified());
    std::string after;
    ReadFileBytes(settingsPath, after);
    EXPECT_EQ(after, before);
}

TEST_F(SpellDialogTest, ReadOnlyViewerIsRefused) {
    editor.SetLines({"I recieve it", ""});
    editor.SetReadOnly(true);
    form.SpellCheck1Click();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Read only mode."}));
    EXPECT_EQ(lib.loads, 0);
}

}  // namespace
}  // namespace kestrel::test
