// The AW menu: Move mails through the timer, the close by AW, Attach File.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;

class MailMoverShellTest : public MailShellTest {
  protected:
    // The viewer on a mail of the inbox, so that the client folder is the test folder.
    void ShowInboxMail(const std::string& settings) {
        WriteSettings(settings);
        std::string mail = MakeMail("inbox/0001.txt", "READ", {"body"});
        OpenFully({mail});
        Tick();  // the Focus of the first mail
        dde.plover.executed.clear();
    }
    std::string C() { return Lower(dir.path()); }
    bool Closed() const { return std::count(fp.log.begin(), fp.log.end(), "window: close") > 0; }
};

TEST_F(MailMoverShellTest, MoveMailsSendsItsMacrosOneTimerIntervalApart) {
    MakeMail("Recv/0001.txt", "READ", {"x"});
    MakeMail("Recv/0002.txt", "READ", {"x"}, {"Reply-To: list@example.jp"});
    MakeMail("Recv/0005.txt", "READ", {"x"});
    MakeMail("Out/0001.txt", "READ", {"x"});
    ShowInboxMail("[AW]\r\nAW=1\r\n");
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuAw));
    parts->Form().Execute(CommandId::MoveMails);
    EXPECT_THAT(Sent(), ElementsAre("[Update(" + C() + "Recv.fld)]"));
    EXPECT_EQ(Tick(), TimerStep::Mover1);
    EXPECT_EQ(Sent().back(), "[Move(" + C() + "In.fld," + C() + "Recv.fld,0002)]");
    EXPECT_EQ(Tick(), TimerStep::Mover2);
    EXPECT_EQ(Sent().back(), "[Move(" + C() + "In.fld," + C() + "Recv.fld,0001,0005)]");
    EXPECT_EQ(Tick(), TimerStep::Mover3);
    std::vector<std::string> sent = Sent();
    EXPECT_THAT(std::vector<std::string>(sent.end() - 2, sent.end()),
                ElementsAre("[Move(" + C() + "Sent.fld," + C() + "out.fld,0001)]",
                            "[Update(" + C() + "out.fld)]"));
    EXPECT_FALSE(Closed());
    EXPECT_EQ(Tick(), TimerStep::Focus);
}

TEST_F(MailMoverShellTest, CloseWithAutoMoveRunsTheMoverAndClosesAfterItsThirdStep) {
    MakeMail("Recv/0001.txt", "READ", {"x"});
    ShowInboxMail("[AW]\r\nAW=1\r\n");
    EXPECT_FALSE(parts->Form().TryClose());
    EXPECT_THAT(Sent(), ElementsAre("[Update(" + C() + "Recv.fld)]"));
    EXPECT_EQ(Tick(), TimerStep::Mover1);
    EXPECT_EQ(Tick(), TimerStep::Mover2);
    EXPECT_FALSE(Closed());
    EXPECT_EQ(Tick(), TimerStep::Mover3);
    EXPECT_TRUE(Closed());
    // The window layer's second close goes through without a question.
    fp.editor.SetModified(true);
    EXPECT_TRUE(parts->Form().TryClose());
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(MailMoverShellTest, WithoutAutoMoveTheWindowClosesAtOnce) {
    ShowInboxMail("[AW]\r\nAW=1\r\nAutoMove=0\r\n");
    EXPECT_TRUE(parts->Form().TryClose());
    EXPECT_TRUE(Sent().empty());
}

TEST_F(MailMoverShellTest, AttachFileInsertsBelowTheCaretLineAndRemembersTheFolder) {
    WriteSettings("[AW]\r\nAW=1\r\n");
    std::string path = MakeFile("temp/_plv0001.tmp", {"To: a@example.jp", "Subject: x", "-------",
                                                      "line four", "line five"});
    OpenFully({path});
    // Cancelled: nothing changes, AttachDir is not written.
    int caret = fp.editor.LineOffset(2) + 3;  // inside line 3
    fp.editor.SetSelection(caret, 0);
    parts->Form().Execute(CommandId::AttachFile);
    ASSERT_EQ(fp.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(fp.dialogs.openRequests[0].filter,
              "Office files|*.doc;*.x*;*.ppt;*.j?w;*.w*|WWW files|*.lzh;*.zip;*.exe;*.htm?;"
              "*.txt;*.jp*|All files|*.*");
    EXPECT_EQ(fp.dialogs.openRequests[0].initialDir, DirectoryOf(dir.File("kestrel.exe")));
    EXPECT_EQ(fp.editor.LineCount(), 5);
    EXPECT_EQ(Setting("AW", "AttachDir"), "<none>");

    fp.editor.SetSelection(caret, 0);
    std::string chosen = dir.File("Docs/Report.DOC");
    fp.dialogs.openAnswers.push_back(chosen);
    parts->Form().Execute(CommandId::AttachFile);
    EXPECT_EQ(fp.editor.Line(3), "$$AttachFile: " + Lower(chosen));
    EXPECT_EQ(fp.editor.Line(4), "line four");
    EXPECT_EQ(Setting("AW", "AttachDir"), DirectoryOf(chosen));

    // At the very start of a line the attach line goes above it; at the end, last.
    fp.editor.SetSelection(fp.editor.LineOffset(1), 0);
    fp.dialogs.openAnswers.push_back("c:\\b.zip");
    parts->Form().Execute(CommandId::AttachFile);
    EXPECT_EQ(fp.editor.Line(1), "$$AttachFile: c:\\b.zip");
    EXPECT_EQ(fp.dialogs.openRequests.back().initialDir, DirectoryOf(chosen));
    fp.editor.SetSelection(fp.editor.LineOffset(fp.editor.LineCount()), 0);
    fp.dialogs.openAnswers.push_back("c:\\z.txt");
    parts->Form().Execute(CommandId::AttachFile);
    EXPECT_EQ(fp.editor.Line(fp.editor.LineCount() - 1), "$$AttachFile: c:\\z.txt");
}

}  // namespace
}  // namespace kestrel::test
