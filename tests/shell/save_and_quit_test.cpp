// Save and Quit: the header check, kana widening, header rebuild, the write and the close, and
// that the user's text survives every way this can fail.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/fileio.h"
#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

class SaveAndQuitTest : public MailShellTest {
  protected:
    std::string Bytes(const std::string& path) {
        std::string b;
        ReadFileBytes(path, b);
        return b;
    }
    bool Closed() const { return std::count(fp.log.begin(), fp.log.end(), "window: close") > 0; }
    // A compose file prepared by the mail client, on show in editor mode.
    std::string Compose(const std::vector<std::string>& lines,
                        const std::string& name = "temp/_plv0001.tmp") {
        std::string path = MakeFile(name, lines);
        OpenFully({path});
        return path;
    }
    void SaveAndQuit() { parts->Form().Execute(CommandId::SaveAndQuit); }
};

TEST_F(SaveAndQuitTest, HeaderCheckOfAComposeFile) {
    std::vector<std::string> lines = {"To: hanako@example.co.jp", "Subject: ", "-------", "b"};
    std::string path = Compose(lines);
    std::string before = Bytes(path);
    SaveAndQuit();
    EXPECT_EQ(fp.MessageTexts().back(), "Addressee or Subject may be missing.");
    EXPECT_EQ(Bytes(path), before);
    EXPECT_FALSE(Closed());

    // One character after "Subject: " passes; a lower-case "to:" is not checked.
    fp.editor.SetLines({"to:", "Subject: x", "-------", "b"});
    SaveAndQuit();
    EXPECT_EQ(Bytes(path), "to:\r\nSubject: x\r\n-------\r\nb\r\n");
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(fp.editor.Modified());
}

TEST_F(SaveAndQuitTest, ComposeFileIsWidenedRebuiltWrittenAndTheWindowCloses) {
    WriteSettings("[AW]\r\nAW=1\r\n");
    std::string path = Compose({"To: hanako@example.co.jp", "Subject: Re: a long subject that",
                                "the editor wrapped", "Organization: Example", "\tfolded tab line",
                                "X-Mailer: Plover", "-------"});
    fp.editor.SetSelection(fp.editor.LineOffset(7), 0);
    fp.editor.Type("\r\n\xb6\xde\xb2\xc4\xde \xca\xdf\xdd\r\n$$AttachFile: c:\\\xb1.doc");
    ASSERT_TRUE(fp.editor.Modified());
    SaveAndQuit();
    EXPECT_EQ(Bytes(path),
              "To: hanako@example.co.jp\r\n"
              "Subject: Re: a long subject thatthe editor wrappedOrganization: Example\r\n"
              "\tfolded tab line\r\n"
              "X-Mailer: Plover\r\n"
              "-------\r\n"
              "\x83\x4b\x83\x43\x83\x68 \x83\x70\x83\x93\r\n"
              "$$AttachFile: c:\\\xb1.doc\r\n");
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(fp.editor.Modified());
}

TEST_F(SaveAndQuitTest, ViewerModeIsRefused) {
    std::string path = Compose({"To: hanako@example.co.jp", "Subject: x", "-------"});
    fp.editor.SetReadOnly(true);
    SaveAndQuit();
    EXPECT_EQ(fp.MessageTexts().back(), "Read only mode.");
    EXPECT_FALSE(Closed());
}

TEST_F(SaveAndQuitTest, AFailedWriteKeepsTheOldFileTheWindowTheTextAndTheModifiedFlag) {
    std::string path = Compose({"To: hanako@example.co.jp", "Subject: x", "-------", "old"});
    std::string before = Bytes(path);
    fp.editor.SetSelection(fp.editor.LineOffset(4), 0);
    fp.editor.Type("the user's new text");
    std::vector<std::string> typed = fp.editor.Lines();

    std::string folder = DirectoryOf(path);
    bool locked = test::LockFolder(folder);
    if (locked) SaveAndQuit();
    test::UnlockFolder(folder);
    if (!locked) GTEST_SKIP() << "no way to make a folder unwritable here";

    EXPECT_EQ(fp.MessageTexts().back(), "Cannot save " + Lower(path));
    EXPECT_EQ(Bytes(path), before);
    EXPECT_FALSE(Closed());
    EXPECT_EQ(fp.editor.Lines(), typed);
    EXPECT_TRUE(fp.editor.Modified());
}

TEST_F(SaveAndQuitTest, TheFolderGoneIsReportedAndTheTextStays) {
    std::string path =
        Compose({"To: hanako@example.co.jp", "Subject: x", "-------", "old"}, "gone/out/0001.txt");
    fp.editor.Type("typed");
    fs::remove_all(dir.File("gone"));
    SaveAndQuit();
    EXPECT_EQ(fp.MessageTexts().back(), "Cannot save " + Lower(path));
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(fp.editor.Modified());
    EXPECT_FALSE(FileExists(path));
}

TEST_F(SaveAndQuitTest, AWholeFolderMailIsWrittenBackLineForLine) {
    WriteSettings("[View]\r\nHeader=1\r\n");
    std::string mail = MakeMail("inbox/0003.txt", "READ", {"\xb1"}, {"Organization: x"});
    OpenFully({mail});
    parts->Form().Execute(CommandId::ViewerMode);  // into editor mode
    ASSERT_FALSE(fp.editor.ReadOnly());
    SaveAndQuit();
    std::vector<std::string> lines;
    ReadFileLines(mail, lines);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "Organization: x");  // not joined: not a compose file
    EXPECT_EQ(lines[6], "\x83\x41");
    EXPECT_TRUE(Closed());
}

TEST_F(SaveAndQuitTest, APartialViewOfAFolderMailIsNeverWrittenOverIt) {
    struct Case {
        const char* what;
        std::string settings;
        std::vector<std::string> body;
    } cases[] = {
        {"filtered header", "", {"body"}},
        {"cut at the line limit", "[View]\r\nHeader=1\r\nMaxLines=8\r\n",
         std::vector<std::string>(20, "line")},
        {"attachment left out",
         "[View]\r\nHeader=1\r\n",
         {"text", "Content-Transfer-Encoding: base64", "QUJD", "REVG"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fp.log.clear();
        fp.messages.shown.clear();
        WriteSettings(c.settings);
        std::string mail = MakeMail("inbox/000" + std::to_string(++n) + ".txt", "READ", c.body);
        std::string before = Bytes(mail);
        parts.reset();
        OpenFully({mail});
        parts->Form().Execute(CommandId::ViewerMode);
        fp.editor.Type("x");
        SaveAndQuit();  // the Save As dialog is cancelled
        ASSERT_EQ(fp.dialogs.saveRequests.size(), size_t(n));
        EXPECT_EQ(Bytes(mail), before);
        EXPECT_FALSE(Closed());
        EXPECT_TRUE(fp.editor.Modified());
    }
    // Saved under a new name, the window closes and the mail is still untouched.
    std::string mail = dir.File("inbox/0001.txt");
    std::string before = Bytes(mail);
    WriteSettings("");
    parts.reset();
    OpenFully({mail});
    parts->Form().Execute(CommandId::ViewerMode);
    fp.dialogs.saveAnswers.push_back(dir.File("copy.txt"));
    SaveAndQuit();
    EXPECT_EQ(Bytes(mail), before);
    EXPECT_TRUE(FileExists(dir.File("copy.txt")));
    EXPECT_TRUE(Closed());
}

}  // namespace
}  // namespace kestrel::test
