// Scramble mode in the whole viewer: the PIN dialog, the Scramble menu, scrambled mails shown in
// clear, automatic scramble of listed folders, folder runs and the PIN in the settings file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "common/fileio.h"
#include "shell/mail_fixture.h"
#include "viewer/scramble/cipher.h"
#include "viewer/scramble/mail_scramble.h"

namespace kestrel::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

class ScrambleTest : public MailShellTest {
  protected:
    std::string Folder(const std::string& relDir) { return Lower(dir.File(relDir)) + ".fld"; }
    std::string Bytes(const std::string& path) {
        std::string b;
        ReadFileBytes(path, b);
        return b;
    }
    // A mail of the folder relDir scrambled with pin, as a folder run would leave it.
    std::string MakeScrambledMail(const std::string& relative, uint16_t pin) {
        std::string path = MakeMail(relative, "READ", kBody, {});
        std::vector<std::string> lines = SplitLines(Bytes(path));
        ScrambleMailText(lines, ScrambleCipher(KeyStreamFromPin(pin)), 7);
        WriteLinesAtomic(path, lines);
        return path;
    }
    const std::vector<std::string> kBody = {"Meet me at the usual place at noon tomorrow.",
                                            "\x96\xbe\x93\xfa\x82\xcc\x89\xef\x8b\x63"};
};

TEST_F(ScrambleTest, StartWithoutStoredPinAsksUntilValidAndErasesAtClose) {
    fp.pinDialog.answers = {std::string("123"), std::string("12341235"), std::string("43214321")};
    TForm1& f = OpenFully({"/s"});
    EXPECT_THAT(fp.log, Contains("pin dialog"));
    EXPECT_EQ(fp.MessageTexts(), (std::vector<std::string>{"Invalid Entry.", "Invalid Entry."}));
    EXPECT_TRUE(f.State().scrambleMode);
    EXPECT_TRUE(f.State().pinGivenAtStart);
    EXPECT_EQ(Setting("Scramble", "PIN"), "4321");
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuScramble));
    EXPECT_TRUE(fp.window.checked[CommandId::ScrambleMode]);
    EXPECT_EQ(parts->Scramble().Pin(), 4321);
    EXPECT_TRUE(f.TryClose());
    EXPECT_EQ(Setting("Scramble", "PIN"), "0");
}

TEST_F(ScrambleTest, CancelLeavesTheModeOffAndStoresNothing) {
    fp.pinDialog.answers = {std::nullopt};
    TForm1& f = OpenFully({"/s"});
    EXPECT_FALSE(f.State().scrambleMode);
    EXPECT_FALSE(fp.window.IsVisible(CommandId::MenuScramble));
    EXPECT_EQ(Setting("Scramble", "PIN"), "<none>");
    // Without the mode the Scramble commands do nothing.
    fp.editor.SetLines({"X-Status: READ", "Subject: hello world", "------", "body"});
    f.Execute(CommandId::Scramble);
    EXPECT_EQ(fp.editor.Line(1), "Subject: hello world");
}

TEST_F(ScrambleTest, ScrambledMailIsShownInClearWhileItsFileStaysScrambled) {
    WriteSettings("[Scramble]\nPIN=1234\n");
    std::string mail = MakeScrambledMail("inbox/0001.txt", 1234);
    const std::string stored = Bytes(mail);
    TForm1& f = OpenFully({"/s", mail});
    EXPECT_THAT(fp.log, ::testing::Not(Contains("pin dialog")));  // the stored PIN is used
    EXPECT_FALSE(f.State().pinGivenAtStart);
    std::vector<std::string> shown = fp.editor.Lines();
    EXPECT_THAT(shown, Contains(kBody[0]));
    EXPECT_THAT(shown, Contains(kBody[1]));
    EXPECT_THAT(shown, Contains("Subject: test"));
    for (const std::string& l : shown) EXPECT_EQ(l.find("X-Scramble"), std::string::npos) << l;
    EXPECT_EQ(Bytes(mail), stored);
    // Closing does not erase a PIN that was not typed in this run.
    EXPECT_TRUE(f.TryClose());
    EXPECT_EQ(Setting("Scramble", "PIN"), "1234");
}

TEST_F(ScrambleTest, ScrambledMailShowsAsStoredOutsideScrambleMode) {
    WriteSettings("[Scramble]\nPIN=1234\n");
    std::string mail = MakeScrambledMail("inbox/0001.txt", 1234);
    OpenFully({mail});
    EXPECT_THAT(fp.editor.Lines(), ::testing::Not(Contains(kBody[0])));
}

TEST_F(ScrambleTest, MailsOfListedFoldersAreScrambledInTheirFilesWhenOpened) {
    WriteSettings("[Scramble]\nPIN=1234\nAutoScramble=private,diary\n");
    std::string mail = MakeMail("private/0001.txt", "READ", kBody);
    std::string other = MakeMail("xprivate/0001.txt", "READ", kBody);
    const std::string otherBytes = Bytes(other);
    OpenFully({"/s", mail});
    // The text on show stays in clear; the file is scrambled; the mail client hears of it.
    EXPECT_THAT(fp.editor.Lines(), Contains(kBody[0]));
    std::vector<std::string> stored = SplitLines(Bytes(mail));
    ASSERT_GT(stored.size(), 1u);
    EXPECT_EQ(stored[1].rfind("X-Scramble: ", 0), 0u);
    EXPECT_THAT(Sent(), Contains("[Update(" + Folder("private") + ",0001)]"));
    const std::vector<std::string> sent = Sent();
    // Once after the open, once after the scramble.
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "[Update(" + Folder("private") + ",0001)]"), 2);
    // A folder whose name only ends with a listed one is left alone.
    parts->Display().OpenFolderMail(Lower(other));
    EXPECT_EQ(Bytes(other), otherBytes);
    // Opening the scrambled mail again: shown in clear, file unchanged.
    const std::string once = Bytes(mail);
    parts->Display().OpenFolderMail(Lower(mail));
    EXPECT_THAT(fp.editor.Lines(), Contains(kBody[0]));
    EXPECT_EQ(Bytes(mail), once);
}

TEST_F(ScrambleTest, ScrambleAndUnscrambleTheEditorText) {
    fp.pinDialog.answers = {std::string("77")};
    TForm1& f = OpenFully({});
    f.Execute(CommandId::ScrambleMode);
    ASSERT_TRUE(f.State().scrambleMode);
    EXPECT_TRUE(f.State().pinGivenAtStart);
    std::vector<std::string> text = {"X-Status: READ", "Subject: a private matter", "------"};
    for (int i = 0; i < 60; ++i) text.push_back("line " + std::to_string(i) + " \xb1\xb2 \x82\xa0");
    fp.editor.SetLines(text);
    fp.editor.SetModified(false);
    f.Execute(CommandId::Scramble);
    EXPECT_EQ(fp.editor.Line(1).rfind("X-Scramble: ", 0), 0u);
    EXPECT_NE(fp.editor.Line(4), text[3]);
    EXPECT_TRUE(fp.editor.Modified());
    // The caret goes to the start of the line one screen down.
    EXPECT_EQ(fp.editor.SelStart(), fp.editor.LineOffset(f.VisibleLines()));
    f.Execute(CommandId::Scramble);  // scrambled already: nothing changes
    f.Execute(CommandId::Unscramble);
    EXPECT_EQ(fp.editor.Lines(), text);
    // Switching the mode off keeps the PIN for a later switch back on.
    f.Execute(CommandId::ScrambleMode);
    EXPECT_FALSE(f.State().scrambleMode);
    EXPECT_FALSE(fp.window.IsVisible(CommandId::MenuScramble));
    EXPECT_EQ(parts->Scramble().Pin(), 7);
}

TEST_F(ScrambleTest, UnscrambleOfABadMarkerSaysErrorInOriginal) {
    WriteSettings("[Scramble]\nPIN=5\n");
    TForm1& f = OpenFully({"/s"});
    fp.editor.SetLines({"X-Status: READ", "X-Scramble: x", "Subject: s", "------", "b"});
    f.Execute(CommandId::Unscramble);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Error in Original."));
    EXPECT_EQ(fp.editor.Line(1), "X-Scramble: x");
}

TEST_F(ScrambleTest, ErasePinWritesZeroAndScramblingGoesOn) {
    WriteSettings("[Scramble]\nPIN=1234\n");
    TForm1& f = OpenFully({"/s"});
    f.Execute(CommandId::ErasePin);
    EXPECT_EQ(Setting("Scramble", "PIN"), "0");
    EXPECT_TRUE(f.State().scrambleMode);
    fp.editor.SetLines({"X-Status: READ", "Subject: hello world", "------", "body"});
    f.Execute(CommandId::Scramble);
    EXPECT_EQ(fp.editor.Line(1), "X-Scramble: 16");
}

TEST_F(ScrambleTest, FolderRunsFromTheMailOnShowForward) {
    WriteSettings("[Scramble]\nPIN=1234\n");
    std::vector<std::string> mails;
    for (int n = 1; n <= 4; ++n)
        mails.push_back(MakeMail("inbox/000" + std::to_string(n) + ".txt", "READ", kBody));
    std::vector<std::string> originals;
    for (const std::string& m : mails) originals.push_back(Bytes(m));
    const std::string first = originals[0];
    TForm1& f = OpenFully({"/s", mails[1]});
    const std::string onShow = f.State().currentFile;
    const size_t before = Sent().size();
    f.Execute(CommandId::ScrambleFolder);
    EXPECT_EQ(Bytes(mails[0]), first);  // lower numbers are not touched
    for (int n = 1; n < 4; ++n) EXPECT_NE(Bytes(mails[n]).find("X-Scramble: "), std::string::npos);
    const std::vector<std::string> all = Sent();
    std::vector<std::string> sent(all.begin() + long(before), all.end());
    EXPECT_THAT(sent, ElementsAre("[Update(" + Folder("inbox") + ",0002)]",
                                  "[Update(" + Folder("inbox") + ",0003)]",
                                  "[Update(" + Folder("inbox") + ",0004)]"));
    EXPECT_EQ(f.State().currentFile, onShow);
    f.Execute(CommandId::UnscrambleFolder);
    for (int n = 0; n < 4; ++n) EXPECT_EQ(Bytes(mails[n]), originals[n]) << n;
    EXPECT_TRUE(fp.MessageTexts().empty());
}

TEST_F(ScrambleTest, FolderUnscrambleWithAWrongPinLeavesTheMailsAndSaysSo) {
    WriteSettings("[Scramble]\nPIN=1111\n");
    std::string a = MakeScrambledMail("inbox/0001.txt", 2222);
    std::string b = MakeScrambledMail("inbox/0002.txt", 2222);
    const std::string aBytes = Bytes(a), bBytes = Bytes(b);
    TForm1& f = OpenFully({"/s", a});
    f.Execute(CommandId::UnscrambleFolder);
    EXPECT_EQ(Bytes(a), aBytes);
    EXPECT_EQ(Bytes(b), bBytes);
    EXPECT_THAT(fp.MessageTexts(),
                ElementsAre("2 mails did not unscramble to readable text with this PIN and stayed "
                            "scrambled."));
}

TEST_F(ScrambleTest, ReplyPutsTheTextOnShowIntoTheFileAndRestoresIt) {
    WriteSettings("[Scramble]\nPIN=1234\n");
    std::string mail = MakeScrambledMail("inbox/0001.txt", 1234);
    const std::string stored = Bytes(mail);
    OpenFully({"/s", mail});
    parts->Scramble().PutShownTextInFile();
    EXPECT_EQ(SplitLines(Bytes(mail)), fp.editor.Lines());
    parts->Scramble().RestoreMailFile();
    EXPECT_EQ(Bytes(mail), stored);
}

}  // namespace
}  // namespace kestrel::test
