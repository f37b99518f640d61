// Reply, Reply to all, Reply with status, Reply later and Forward on the mail on show.
#include "viewer/shell/reply.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ReplyTest : public MailShellTest {
  protected:
    std::string Folder(const std::string& relDir) { return Lower(dir.File(relDir)) + ".fld"; }
    std::string FirstLine(const std::string& path) {
        std::vector<std::string> lines;
        ReadFileLines(path, lines);
        return lines.empty() ? "" : lines[0];
    }
    std::string Bytes(const std::string& path) {
        std::string b;
        ReadFileBytes(path, b);
        return b;
    }
    // A mail on show after the deferred stage, with its Update and Focus already sent.
    std::string ShowMail(const std::string& settings, const std::string& status = "READ") {
        WriteSettings(settings);
        std::string mail = MakeMail("inbox/0007.txt", status, {"first body line", "second"});
        OpenFully({mail});
        Tick();
        dde.plover.executed.clear();
        return mail;
    }
};

TEST_F(ReplyTest, ReplyMarksSenderInFileAndShownHeaderWithoutMakingTheTextModified) {
    std::string mail = ShowMail("[View]\r\nHeader=1\r\n");
    ASSERT_EQ(fp.editor.Line(0), "X-Status: READ");
    std::string rest = Bytes(mail).substr(std::string("X-Status: READ").size());
    fp.editor.SetSelection(40, 3);
    parts->Form().Execute(CommandId::Reply);

    EXPECT_EQ(Bytes(mail), "X-Status: SNDR" + rest);
    EXPECT_EQ(fp.editor.Line(0), "X-Status: SNDR");
    EXPECT_FALSE(fp.editor.Modified());
    EXPECT_EQ(fp.editor.SelStart(), 40);
    EXPECT_THAT(Sent(), ElementsAre("[Reply(" + Folder("inbox") + ",0007)]",
                                    "[Update(" + Folder("inbox") + ",0007)]"));
    EXPECT_EQ(Tick(), TimerStep::Focus);

    // Text changed by the user stays changed; Reply to all writes READ.
    fp.editor.SetModified(true);
    parts->Form().Execute(CommandId::ReplyAll);
    EXPECT_EQ(FirstLine(mail), "X-Status: READ");
    EXPECT_EQ(fp.editor.Line(0), "X-Status: READ");
    EXPECT_TRUE(fp.editor.Modified());
}

TEST_F(ReplyTest, FilteredHeaderGetsTheMarkInItsStatusLineAndMarklessFilesKeepTheirBytes) {
    std::string mail = ShowMail("");
    std::vector<std::string> shown = fp.editor.Lines();
    ASSERT_EQ(shown[0], "X-Status: READ");  // the filtered view keeps the status line first
    parts->Form().Execute(CommandId::Reply);
    EXPECT_EQ(FirstLine(mail), "X-Status: SNDR");
    shown[0] = "X-Status: SNDR";
    EXPECT_EQ(fp.editor.Lines(), shown);
    EXPECT_FALSE(fp.editor.Modified());

    // No status line: nothing written, the macro still goes.
    std::string bare = MakeFile("inbox/0008.txt", {"From: x@y", "-----", "body"});
    std::string before = Bytes(bare);
    parts->Display().OpenFolderMail(bare);
    dde.plover.executed.clear();
    parts->Form().Execute(CommandId::Reply);
    EXPECT_EQ(Bytes(bare), before);
    ASSERT_FALSE(Sent().empty());
    EXPECT_EQ(Sent()[0], "[Reply(" + Folder("inbox") + ",0008)]");
}

TEST_F(ReplyTest, StatusMenuIsPackedFromTheConfiguredStatuses) {
    std::string mail = ShowMail("[ReplyStatus]\r\nStatus1=\r\nStatus2=FWD1\r\n");
    const auto& entries = fp.window.dynamicMenus[CommandId::MenuReplyStatus];
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].id, CommandId::ReplyStatus1);
    EXPECT_EQ(entries[0].caption, "FWD1");
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuReplyStatus));

    parts->Form().Execute(CommandId::ReplyStatus1);
    EXPECT_EQ(FirstLine(mail), "X-Status: FWD1");
    EXPECT_THAT(Sent(), ElementsAre("[Reply(" + Folder("inbox") + ",0007)]",
                                    "[Update(" + Folder("inbox") + ",0007)]"));
    // A key bound to a status that is not configured does nothing at all.
    dde.plover.executed.clear();
    parts->Form().Execute(CommandId::ReplyStatus2);
    EXPECT_EQ(FirstLine(mail), "X-Status: FWD1");
    EXPECT_THAT(Sent(), IsEmpty());
}

TEST_F(ReplyTest, NoConfiguredStatusHidesTheReplyMenu) {
    ShowMail("");
    EXPECT_FALSE(fp.window.IsVisible(CommandId::MenuReplyStatus));
    EXPECT_TRUE(fp.window.dynamicMenus[CommandId::MenuReplyStatus].empty());
}

TEST_F(ReplyTest, ReplyLaterKeepsTheCaretAndSendsOnlyTheUpdate) {
    std::string mail = ShowMail("[View]\r\nHeader=1\r\n");
    fp.editor.SetSelection(57, 0);
    parts->Form().Execute(CommandId::ReplyLater);
    EXPECT_EQ(FirstLine(mail), "X-Status: RPLY");
    EXPECT_EQ(fp.editor.SelStart(), 57);
    EXPECT_EQ(fp.editor.SelLength(), 0);
    EXPECT_THAT(Sent(), ElementsAre("[Update(" + Folder("inbox") + ",0007)]"));
}

TEST_F(ReplyTest, ForwardQuotesItsArgumentsAndMarksNothing) {
    std::string mail = ShowMail("");
    std::string before = Bytes(mail);
    parts->Form().Execute(CommandId::Forward);
    EXPECT_EQ(Bytes(mail), before);
    EXPECT_THAT(Sent(), ElementsAre("[Forward(\"" + Folder("inbox") + "\",\"0007\")]"));
    EXPECT_FALSE(fp.timer.running);
}

TEST_F(ReplyTest, FilesThatAreNotFolderMailsGetNoMarkAndNoMacro) {
    WriteSettings("");
    std::string readme = MakeFile("inbox/readme.txt", {"X-Status: READ", "-----", "x"});
    OpenFully({});
    parts->Display().OpenFolderMail(readme);
    dde.plover.executed.clear();
    for (CommandId id :
         {CommandId::Reply, CommandId::ReplyAll, CommandId::ReplyLater, CommandId::Forward}) {
        parts->Form().Execute(id);
    }
    EXPECT_EQ(FirstLine(readme), "X-Status: READ");
    EXPECT_THAT(Sent(), IsEmpty());
}

TEST_F(ReplyTest, ScrambleModeShowsTheClientTheShownTextThenRestoresTheFileExactly) {
    std::string mail = ShowMail("[View]\r\nHeader=1\r\n");
    // Line ends of both kinds and no final one: the restore must give back every byte.
    std::string stored = "X-Status: READ\r\nSubject: \x83\x41\r\n-----\nscrambled text";
    ASSERT_TRUE(WriteFileAtomic(mail, stored));
    parts->Form().State().scrambleMode = true;
    fp.editor.SetLines({"X-Status: READ", "Subject: plain", "-----", "plain text"});

    // What the mail client would read while "Replying...." is up.
    std::string seenByClient;
    dde.plover.onExecute = [&](const std::string&) { ReadFileBytes(mail, seenByClient); };
    parts->Form().Execute(CommandId::Reply);

    EXPECT_EQ(seenByClient, "X-Status: SNDR\r\nSubject: plain\r\n-----\r\nplain text\r\n");
    EXPECT_EQ(fp.MessageTexts().back(), "Replying....");
    EXPECT_EQ(Bytes(mail), "X-Status: SNDR\r\nSubject: \x83\x41\r\n-----\nscrambled text");

    parts->Form().Execute(CommandId::Forward);
    EXPECT_EQ(fp.MessageTexts().back(), "Forwarding....");
    EXPECT_EQ(Bytes(mail), "X-Status: SNDR\r\nSubject: \x83\x41\r\n-----\nscrambled text");
}

// The mail client must never quote the scrambled bytes: when the shown text cannot be put in
// the file, no macro goes and nothing says "Replying....".
TEST_F(ReplyTest, ScrambleModeSendsNothingWhenTheShownTextCannotBePutInTheFile) {
    std::string mail = ShowMail("[View]\r\nHeader=1\r\n");
    parts->Form().State().scrambleMode = true;
    fp.editor.SetLines({"X-Status: READ", "Subject: plain", "-----", "plain text"});
    ASSERT_TRUE(std::filesystem::remove(mail));  // gone while on show: nothing to keep
    fp.messages.shown.clear();

    parts->Form().Execute(CommandId::Reply);
    parts->Form().Execute(CommandId::Forward);

    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Could not write " + parts->Form().CurrentFile(),
                                               "Could not write " + parts->Form().CurrentFile()));
    EXPECT_FALSE(FileExists(mail));
}

// A file that cannot be given back its own bytes is reported once, as an error.
TEST_F(ReplyTest, ScrambleModeReportsAFileThatCannotBeRestored) {
    std::string mail = ShowMail("[View]\r\nHeader=1\r\n");
    parts->Form().State().scrambleMode = true;
    fp.editor.SetLines({"X-Status: READ", "Subject: plain", "-----", "plain text"});
    fp.messages.shown.clear();
    // While the client reads, something puts a folder where the mail was.
    dde.plover.onExecute = [&](const std::string&) {
        if (FileExists(mail)) {
            std::filesystem::remove(mail);
            std::filesystem::create_directory(mail);
        }
    };
    parts->Form().Execute(CommandId::Forward);

    EXPECT_EQ(Sent().size(), 1u);
    ASSERT_EQ(fp.messages.shown.size(), 2u);
    EXPECT_EQ(fp.messages.shown[0].text, "Forwarding....");
    EXPECT_EQ(fp.messages.shown[1].text, "Cannot restore " + mail);
    EXPECT_EQ(fp.messages.shown[1].kind, MessageKind::Error);
}

}  // namespace
}  // namespace kestrel::test
