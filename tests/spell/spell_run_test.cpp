// A check run from the Spell check command to its end: the start checks and library set-up
// with their messages, each library result, the buttons, undo, added words, word wrap and caret.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "common/fileio.h"
#include "spell/spell_fixture.h"

namespace kestrel::test {
namespace {

class SpellRunStart : public SpellRunTest {};

TEST_F(SpellRunStart, RefusedSelectionsAndReadOnlyText) {
    text.lines = {"abcdefghijklmnopqrstu", ""};
    text.readOnly = true;
    Start();
    EXPECT_EQ(messages, (Words{"Read only mode."}));
    text.readOnly = false;

    text.SetSelection(0, 21);
    messages.clear();
    Start();
    EXPECT_EQ(messages, (Words{"Too long to spell-check."}));

    // 20 characters without blanks are one word.
    text.SetSelection(0, 20);
    messages.clear();
    lib.allKnown = true;
    Start();
    EXPECT_EQ(lib.lookedUp, (Words{"abcdefghijklmnopqrst"}));
    EXPECT_EQ(messages, (Words{"Spell ckeck complete."}));
    EXPECT_EQ(lib.live, 0);

    text.lines = {"two words", ""};
    text.SetSelection(0, 9);
    messages.clear();
    Start();
    EXPECT_EQ(messages, (Words{"Space exists in the selection."}));
    EXPECT_EQ(lib.loads, 1);  // none of the refusals loaded the library
}

TEST_F(SpellRunStart, LibraryMissingOrIncomplete) {
    text.lines = {"word", ""};
    lib.loadable = false;
    Start();
    EXPECT_EQ(messages, (Words{"Unable to Load \"splcheck.dll\"."}));
    EXPECT_EQ(loader.lastName, "splcheck.dll");
    EXPECT_EQ(text.lines, (Words{"word", ""}));
    lib.loadable = true;

    for (SpellFunction f :
         {SpellFunction::SetDictionary, SpellFunction::Alt, SpellFunction::AddSpell}) {
        lib.missing = {f};
        messages.clear();
        Start();
        EXPECT_EQ(messages.back(), "Cannot locate \"" + std::string(SpellFunctionName(f)) + "\"");
        EXPECT_EQ(lib.live, 0);
        EXPECT_TRUE(lib.lookedUp.empty());
    }

    // Only needed when the user dictionary is missing.
    lib.missing = {SpellFunction::InitializeDictionary};
    lib.allKnown = true;
    Restart({"word", ""});
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));
    DeleteFileAt(UserDic());
    Restart({"word", ""});
    EXPECT_EQ(messages, (Words{"Cannot locate \"SCInitializeDictionary\""}));
    EXPECT_EQ(lib.live, 0);
}

TEST_F(SpellRunStart, UserDictionaryCreationAndDictionaryCheck) {
    lib.allKnown = true;
    DeleteFileAt(UserDic());
    Restart({"word", ""});
    EXPECT_EQ(lib.initialized, (Words{UserDic()}));
    EXPECT_EQ(messages, (Words{"Empty dictionary " + UserDic() + " has been created.",
                               "Spell Check Complete."}));
    EXPECT_TRUE(FileExists(AddedList()));
    ASSERT_EQ(lib.dictionaries.size(), 1u);
    EXPECT_EQ(lib.dictionaries[0].first, settings.basicDic);
    EXPECT_EQ(lib.dictionaries[0].second, UserDic());

    DeleteFileAt(UserDic());
    lib.initializeResult = 0;
    lib.setResult = 0;
    Restart({"word", ""});
    // Both go on with the run.
    EXPECT_EQ(messages, (Words{"Cannot create " + UserDic(), "Invalid dictionary.",
                               "Spell Check Complete."}));
    EXPECT_EQ(lib.lookedUp, (Words{"word"}));
}

TEST_F(SpellRunStart, AddedWordsListThatCannotBeOpened) {
    ASSERT_TRUE(std::filesystem::create_directory(AddedList()));
    Restart({"word", ""});
    EXPECT_EQ(messages, (Words{"Cannot open user dictionary. Maybe in use."}));
    EXPECT_EQ(lib.live, 0);
    EXPECT_TRUE(lib.lookedUp.empty());
}

class SpellRunWords : public SpellRunTest {
  protected:
    void SetUp() override {
        lib.known = {"I", "will", "the", "letter", "tomorrow", "Subject", "Hello", "world"};
        lib.suggestions["recieve"] = {"receive", "relieve", "deceive"};
    }
};

TEST_F(SpellRunWords, MisspelledWordWithSuggestions) {
    Restart({"I will recieve the letter tomorrow", ""});
    EXPECT_EQ(dialog.shows, 1);
    EXPECT_TRUE(run.DialogCountsShown());
    EXPECT_EQ(dialog.model.word, "recieve");
    // The list is sorted; the field gets the library's best suggestion.
    EXPECT_EQ(dialog.model.list, (Words{"deceive", "receive", "relieve"}));
    EXPECT_EQ(dialog.model.replacement, "receive");
    EXPECT_EQ(dialog.model.focus, SpellButton::Ignore);
    EXPECT_EQ(text.SelStart(), 7);
    EXPECT_EQ(text.SelText(), "recieve");

    run.ListSelected(2);
    EXPECT_EQ(dialog.model.replacement, "relieve");
    run.ListSelected(7);  // no such entry
    EXPECT_EQ(dialog.model.replacement, "relieve");

    run.Change("receive");
    EXPECT_EQ(text.lines[0], "I will receive the letter tomorrow");
    EXPECT_EQ(lib.lookedUp, (Words{"I", "will", "recieve", "the", "letter", "tomorrow"}));
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));
    // The dialog stays; its fields are cleared; the library is kept until it closes.
    EXPECT_TRUE(dialog.model.word.empty());
    EXPECT_EQ(lib.live, 1);
    run.DialogClosed();
    EXPECT_EQ(lib.live, 0);
}

TEST_F(SpellRunWords, NoSuggestionKeepsTheWordAndTheMarker) {
    Restart({"Hello qwzx world", ""});
    EXPECT_EQ(dialog.model.word, "qwzx");
    EXPECT_EQ(dialog.model.replacement, "qwzx");
    EXPECT_EQ(dialog.model.list, (Words{"No suggestion"}));
    run.ListSelected(0);
    EXPECT_EQ(dialog.model.replacement, "qwzx");
    run.Ignore();
    EXPECT_EQ(text.SelLength(), 0);
    EXPECT_EQ(lib.lookedUp.back(), "world");
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));
}

TEST_F(SpellRunWords, ChangeThenUndoRestoresTheWordAndLooksItUpAgain) {
    Restart({"I recieve the letter", ""});
    run.Change("receive");
    EXPECT_EQ(text.lines[0], "I receive the letter");
    run.Undo();
    EXPECT_EQ(text.lines[0], "I recieve the letter");
    // Reported again as a misspelling, not as a repetition of itself.
    EXPECT_EQ(dialog.model.word, "recieve");
    EXPECT_EQ(dialog.model.list, (Words{"deceive", "receive", "relieve"}));
    EXPECT_EQ(text.SelText(), "recieve");
    EXPECT_EQ(std::count(lib.lookedUp.begin(), lib.lookedUp.end(), "recieve"), 2);

    // One level only.
    run.Change("receive");
    run.Undo();
    messages.clear();
    run.Undo();
    EXPECT_EQ(messages, (Words{"No more Undo."}));
    EXPECT_EQ(text.lines[0], "I recieve the letter");
}

TEST_F(SpellRunWords, ChangeOfADoubledWordAndItsUndo) {
    Restart({"the the letter", ""});
    EXPECT_EQ(dialog.model.list, (Words{"(Duplicate words.)"}));
    run.ListSelected(0);  // the marker never becomes the replacement
    EXPECT_EQ(dialog.model.replacement, "");
    run.Change("");
    EXPECT_EQ(text.lines[0], "the letter");
    run.Undo();
    EXPECT_EQ(text.lines[0], "the the letter");
    EXPECT_EQ(dialog.model.list, (Words{"(Duplicate words.)"}));
    EXPECT_EQ(text.SelText(), " the");
}

TEST_F(SpellRunWords, ChangeReplacesTheWordOnShowEvenIfTheUserMovedTheSelection) {
    Restart({"Hello recieve world", ""});
    text.SetSelection(0, 5);  // the user selected "Hello" in the editor meanwhile
    run.Change("receive");
    EXPECT_EQ(text.lines[0], "Hello receive world");

    // Edited away under the dialog: nothing is overwritten.
    Restart({"Hello recieve world", ""});
    text.lines[0] = "Hello there, world";
    run.Change("receive");
    EXPECT_EQ(text.lines[0], "Hello there, world");
}

TEST_F(SpellRunWords, ButtonsDoNothingWithoutAWordOnShow) {
    lib.allKnown = true;
    dialog.onShow = nullptr;
    Restart({"Hello", ""});
    text.lines = {"keep this text", ""};
    text.SetSelection(0, 4);
    run.Change("");
    run.Add();
    EXPECT_EQ(text.lines[0], "keep this text");
    EXPECT_TRUE(lib.added.empty());
}

TEST_F(SpellRunWords, AddRecordsTheWordAndGoesOn) {
    WriteFileAtomic(AddedList(), "Earlier");  // hand-edited, no line end
    Restart({"Hello Kestrel world", ""});
    EXPECT_EQ(dialog.model.word, "Kestrel");
    run.Add();
    EXPECT_EQ(lib.added, (Words{"Kestrel"}));
    std::string list;
    ASSERT_TRUE(ReadFileBytes(AddedList(), list));
    EXPECT_EQ(list, "Earlier\r\nKestrel\r\n");
    EXPECT_EQ(lib.lookedUp.back(), "world");

    // Known in the next run (the library keeps it).
    Restart({"Hello Kestrel world", ""});
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));
}

TEST_F(SpellRunWords, FromBeginningStartsAtTheSubjectLine) {
    Restart({"From: a@b.jp", "Subject: Hello qwzx", "", "qwzx here", ""});
    text.SetSelection(text.LineOffset(3), 0);
    Start();
    EXPECT_EQ(text.SelStart(), text.LineOffset(3));
    lib.lookedUp.clear();
    run.FromBeginning();
    EXPECT_EQ(lib.lookedUp, (Words{"Subject", "Hello", "qwzx"}));
    EXPECT_EQ(text.SelStart(), text.LineOffset(1) + 15);

    // No subject line: from the first line; the previous word is forgotten, so the word the
    // scan stopped at is not taken for its own repetition.
    Restart({"qwzx", "more", ""});
    lib.lookedUp.clear();
    run.FromBeginning();
    EXPECT_EQ(lib.lookedUp, (Words{"qwzx"}));
    EXPECT_EQ(dialog.model.list, (Words{"No suggestion"}));
}

TEST_F(SpellRunWords, CheckBoxesApplyAtOnce) {
    Restart({"Hello QWZX qwzx world", ""});
    EXPECT_EQ(dialog.model.word, "QWZX");
    run.SetIgnoreCapital(true);
    run.Ignore();
    EXPECT_EQ(dialog.model.list, (Words{"(Duplicate words.)"}));
    EXPECT_TRUE(run.Settings().ignoreCapital);
}

TEST_F(SpellRunWords, WordWrapIsOffDuringTheScanAndTheCaretComesBack) {
    text.wordWrap = true;
    lib.allKnown = true;
    text.lines = {"Hello world", "more", ""};
    text.SetSelection(3, 0);
    Start();
    EXPECT_EQ(text.log, (Words{"wrap off", "wrap on"}));
    EXPECT_EQ(text.SelStart(), 3);
    EXPECT_EQ(lib.live, 0);

    // With the dialog shown, the wrap and caret come back when it closes.
    lib.allKnown = false;
    text.log.clear();
    text.SetSelection(3, 0);
    Start();
    EXPECT_EQ(text.log, (Words{"wrap off"}));
    run.DialogClosed();
    EXPECT_EQ(text.log, (Words{"wrap off", "wrap on"}));
    EXPECT_EQ(text.SelStart(), 3);
    EXPECT_EQ(text.SelLength(), 0);
    EXPECT_EQ(lib.live, 0);
}

TEST_F(SpellRunWords, ANewRunWhileTheDialogIsOpenKeepsTheWordWrap) {
    text.wordWrap = true;
    text.lines = {"Hello qwzx", "world", ""};
    Start();
    EXPECT_FALSE(text.wordWrap);
    lib.allKnown = true;
    text.SetSelection(0, 0);
    Start();  // the dialog of the first run is still open
    EXPECT_TRUE(text.wordWrap);
    EXPECT_EQ(lib.live, 0);
    run.DialogClosed();
    EXPECT_TRUE(text.wordWrap);
}

TEST_F(SpellRunWords, LibraryErrorStopsAtTheWordAndEndsAnUnseenRun) {
    lib.forcedResult["broken"] = -5;
    text.wordWrap = true;
    Restart({"Hello broken world", ""});
    EXPECT_EQ(messages, (Words{"Error in spellcheck."}));
    EXPECT_EQ(text.SelText(), "broken");
    EXPECT_EQ(dialog.shows, 0);
    // Nobody could close a dialog that never appeared: the run ends here.
    EXPECT_EQ(text.log, (Words{"wrap off", "wrap on"}));
    EXPECT_EQ(lib.live, 0);
    EXPECT_FALSE(run.Active());
}

TEST_F(SpellRunWords, SelectedWordCheck) {
    text.lines = {"Hello recieve world", ""};
    text.SetSelection(6, 7);
    Start();
    EXPECT_EQ(lib.lookedUp, (Words{"recieve"}));
    EXPECT_EQ(dialog.model.word, "recieve");
    // Acting on it ends the run rather than scanning on from an old position.
    run.Change(dialog.model.replacement);
    EXPECT_EQ(text.lines[0], "Hello receive world");
    EXPECT_EQ(lib.lookedUp, (Words{"recieve"}));
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));

    lib.forcedResult["world"] = -2;
    messages.clear();
    text.SetSelection(14, 5);
    Start();
    EXPECT_EQ(messages, (Words{"Error in spellcheck.", "Spell ckeck error."}));
    EXPECT_EQ(lib.live, 0);
}

TEST_F(SpellRunWords, MalformedSuggestionBuffers) {
    // A positive count with nothing in the buffer: treated as no suggestion.
    lib.forcedResult["qwzx"] = 3;
    Restart({"Hello qwzx", ""});
    EXPECT_EQ(dialog.model.list, (Words{"No suggestion"}));
    EXPECT_EQ(dialog.model.replacement, "qwzx");

    // A buffer filled to its end without a zero byte is not read past its end.
    lib.forcedResult["qwzx"] = 1;
    lib.rawBuffer["qwzx"] = std::string(2000, 'a');
    Restart({"Hello qwzx", ""});
    EXPECT_EQ(dialog.model.list, (Words{"No suggestion"}));
}

TEST(ParseSuggestionsTest, StopsAtTheEmptyStringOrTheBuffersEnd) {
    const char good[] = "one\0two\0\0junk";
    EXPECT_EQ(ParseSuggestions(good, sizeof good), (Words{"one", "two"}));
    const char cut[] = {'o', 'n', 'e', '\0', 't', 'w'};
    EXPECT_EQ(ParseSuggestions(cut, sizeof cut), (Words{"one"}));
    EXPECT_TRUE(ParseSuggestions(nullptr, 10).empty());
    EXPECT_TRUE(ParseSuggestions(good, 0).empty());
}

TEST(SpellSettingsTest, ReadFromTheSettingsFile) {
    SpellSettings d = SpellSettingsFrom(IniFile::FromBytes(""));
    EXPECT_EQ(d.basicDic, "C:\\Program Files\\SpellChecker\\Basic.wtr");
    EXPECT_EQ(d.alpha, "!?,.:;\"-()");
    EXPECT_EQ(d.left, 200);
    SpellSettings s = SpellSettingsFrom(IniFile::FromBytes(
        "[SpellCheck]\r\nIgnoreNumeric=1\r\nBasicDic=D:\\dic\\Basic.wtr\r\nTop=5\r\n"));
    EXPECT_TRUE(s.ignoreNumeric);
    EXPECT_EQ(s.top, 5);
    EXPECT_EQ(AddedWordsPath(UserDictionaryPath("dir/Basic.wtr")), "dir/UserDic.txt");
    EXPECT_EQ(ResolveBasicDic("dictionary\\Basic.wtr", "C:\\kestrel\\"),
              "C:\\kestrel\\dictionary\\Basic.wtr");
    EXPECT_EQ(ResolveBasicDic("D:\\Basic.wtr", "C:\\kestrel\\"), "D:\\Basic.wtr");
    EXPECT_EQ(ResolveBasicDic("\\\\server\\Basic.wtr", "C:\\k\\"), "\\\\server\\Basic.wtr");
    EXPECT_EQ(ResolveBasicDic("/usr/Basic.wtr", "/opt/"), "/usr/Basic.wtr");
}

}  // namespace
}  // namespace kestrel::test
