// The command channel: macros to the mail clients, the incoming open request and the Update
// and Focus follow-ups spaced by the timer.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "shell/mail_fixture.h"
#include "viewer/link/macros.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MailLinkTest : public MailShellTest {
  protected:
    // Folder file of the folder relDir under the test folder, as the macros name it.
    std::string Folder(const std::string& relDir, const std::string& ext = ".fld") {
        return Lower(dir.File(relDir)) + ext;
    }
    std::string OpenMacro(const std::string& path) { return "[open(\"" + path + "\")]"; }
    // A started viewer with nothing on show, after its deferred stage.
    TForm1& Idle() { return OpenFully({}); }
    void OpenByDialog(const std::string& path) {
        fp.dialogs.openAnswers.push_back(path);
        parts->Form().Execute(CommandId::OpenMail);
    }
};

TEST_F(MailLinkTest, NumberOrderOpenSendsUpdateThenFocusOneTickLater) {
    std::string mail = MakeMail("inbox/0012.txt", "READ", {"body"});
    Idle();
    OpenByDialog(mail);
    std::string update = "[Update(" + Folder("inbox") + ",0012)]";
    EXPECT_THAT(Sent(), ElementsAre(update));
    EXPECT_TRUE(fp.timer.running);
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_THAT(Sent(), ElementsAre(update, "[Focus(" + Folder("inbox") + ",0012)]"));
    EXPECT_FALSE(fp.timer.running);
}

TEST_F(MailLinkTest, FirstMailAtStartIsAnnouncedAndFocusedAfterTheDeferredStage) {
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"body"});
    Open({mail});
    EXPECT_THAT(Sent(), ElementsAre("[Update(" + Folder("inbox") + ",0001)]"));
    EXPECT_EQ(Tick(), TimerStep::DeferredSettings);
    // The Update asked for a follow-up while start-up held the timer: its Focus still comes.
    EXPECT_TRUE(fp.timer.running);
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_THAT(Sent(), ElementsAre("[Update(" + Folder("inbox") + ",0001)]",
                                    "[Focus(" + Folder("inbox") + ",0001)]"));
    EXPECT_FALSE(fp.timer.running);
}

TEST_F(MailLinkTest, FolderArgumentEndsInCanForTrashFolders) {
    const std::pair<std::string, std::string> cases[] = {
        {"Trash/0003.txt", Folder("trash", ".can")},
        {"OldTrashBin/0004.txt", Folder("oldtrashbin", ".can")},
        {"Inbox/0005.txt", Folder("inbox")},
    };
    Idle();
    for (const auto& [rel, folder] : cases) {
        dde.plover.executed.clear();
        parts->Display().OpenFolderMail(MakeMail(rel, "READ", {"x"}));
        ASSERT_EQ(Sent().size(), 1u) << rel;
        EXPECT_EQ(Sent()[0], "[Update(" + folder + "," + FileNameOf(rel).substr(0, 4) + ")]");
    }
}

TEST_F(MailLinkTest, FilesThatAreNotFolderMailsSendNothing) {
    Idle();
    for (const std::string rel : {"inbox/readme.txt", "inbox/0012.eml", "inbox/00012.txt"}) {
        parts->Display().OpenFolderMail(MakeMail(rel, "READ", {"x"}));
        EXPECT_EQ(parts->Form().State().currentFile, Lower(dir.File(rel)));
        Tick();
        parts->Link().SendUpdate();
        parts->Link().SendFocus();
    }
    EXPECT_THAT(Sent(), IsEmpty());
}

TEST_F(MailLinkTest, UpperCaseOpenRequestOpensTheLowerCasedPath) {
    std::string mail = MakeMail("inbox/0002.txt", "READ", {"hello"});
    Idle();
    std::string upper = mail;
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    dde.server.Deliver("[OPEN(\"" + upper + "\")]");
    EXPECT_EQ(parts->Form().State().currentFile, Lower(mail));
    EXPECT_EQ(fp.editor.Line(fp.editor.LineCount() - 1), "hello");
}

TEST_F(MailLinkTest, OpenWithUnsavedChangesAsksAndCancelKeepsTheMail) {
    std::string first = MakeMail("inbox/0001.txt", "READ", {"one"});
    std::string second = MakeMail("inbox/0002.txt", "READ", {"two"});
    Idle();
    parts->Display().OpenFolderMail(first);
    fp.editor.SetModified(true);
    fp.messages.answers.push_back(MessageAnswer::Cancel);
    dde.server.Deliver(OpenMacro(second));
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Save 0001.txt ?"));
    EXPECT_EQ(parts->Form().State().currentFile, Lower(first));

    // No: the changes go and the mail is opened.
    fp.messages.answers.push_back(MessageAnswer::No);
    dde.server.Deliver(OpenMacro(second));
    EXPECT_EQ(parts->Form().State().currentFile, Lower(second));

    // The answer to a view request: the question was asked when the view was requested.
    fp.editor.SetModified(true);
    parts->Link().SetViewRequestOutstanding(true);
    size_t asked = fp.messages.shown.size();
    dde.server.Deliver(OpenMacro(first));
    EXPECT_EQ(fp.messages.shown.size(), asked);
    EXPECT_EQ(parts->Form().State().currentFile, Lower(first));
    EXPECT_FALSE(parts->Link().ViewRequestOutstanding());
}

// With no mail on show currentFile is "", which every text contains: the open must not be taken
// for the mail already shown.
TEST_F(MailLinkTest, OpenWithNoMailOnShowIsNotIgnored) {
    std::string mail = MakeMail("inbox/0007.txt", "READ", {"seven"});
    Idle();
    ASSERT_EQ(parts->Form().State().currentFile, "");
    dde.server.Deliver(OpenMacro(mail));
    EXPECT_EQ(parts->Form().State().currentFile, Lower(mail));
}

TEST_F(MailLinkTest, OpenOfTheMailOnShowIsIgnored) {
    std::string mail = MakeMail("inbox/0007.txt", "READ", {"seven"});
    Idle();
    parts->Display().OpenFolderMail(mail);
    fp.editor.SetModified(true);
    dde.plover.executed.clear();
    dde.server.Deliver(OpenMacro(mail));
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());  // not even the save question
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_TRUE(fp.editor.Modified());
}

TEST_F(MailLinkTest, GarbageAndHugeIncomingMacrosChangeNothing) {
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"one"});
    Idle();
    parts->Display().OpenFolderMail(mail);
    std::string huge(1 << 20, 'x');
    const std::string cases[] = {
        "",
        std::string("\0\0\0", 3),
        "[open(\"",
        "[open(\")]",
        "[open(\"\")]",
        "[View(\"Next\")]",
        "[open(\"" + huge + "\")]",
        huge,
        "[open(\"" + Lower(dir.File("inbox/0002.txt")) + "\")]",  // no such file
        "[open(\"\x82",                                           // lead byte at the end
        std::string("[open(\"") + '\0' + Lower(mail) + "\")]",
    };
    for (const std::string& data : cases) {
        dde.server.Deliver(data);
        EXPECT_EQ(parts->Form().State().currentFile, Lower(mail)) << data.substr(0, 40);
    }
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());
}

TEST_F(MailLinkTest, DebugModeShowsTheFirstLineOfTheIncomingMacro) {
    WriteSettings("[View]\r\nDebugMode=1\r\n");
    Idle();
    dde.server.Deliver("[View(\"Next\")]\r\nsecond line");
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("DDE3: [View(\"Next\")]"));
}

TEST_F(MailLinkTest, PloverIsStartedOnceWhenNoServerAnswers) {
    struct Case {
        bool firstAnswer, launchStarts, secondAnswer;
        int launches, opens;
        bool open;
    };
    const Case cases[] = {
        {true, true, true, 0, 1, true},  // running: not started
        {false, true, true, 1, 2, true},
        {false, true, false, 1, 2, false},
        {false, false, true, 1, 1, false},  // the start failed: no second attempt
    };
    for (const Case& c : cases) {
        fp.launcher.started.clear();
        fp.launcher.succeed = c.launchStarts;
        dde.plover.Close();
        dde.plover.opens = 0;
        dde.plover.openAnswers = {c.firstAnswer, c.secondAnswer};
        Build();
        EXPECT_EQ(fp.launcher.started.size(), size_t(c.launches));
        if (c.launches) EXPECT_EQ(fp.launcher.started[0], "Plover Command");
        EXPECT_EQ(dde.plover.opens, c.opens);
        EXPECT_EQ(dde.plover.IsOpen(), c.open);
        EXPECT_EQ(dde.plover.service, "Plover");
        EXPECT_EQ(dde.plover.topic, "Command");
    }
}

// Nobody answers and nothing is retried: every command works on the files and nothing is sent.
TEST_F(MailLinkTest, WithoutTheMailClientEveryCommandStillWorks) {
    dde.plover.running.clear();
    fp.launcher.succeed = false;
    std::string first = MakeMail("inbox/0001.txt", "RECV", {"one"});
    std::string second = MakeMail("inbox/0002.txt", "READ", {"two"});
    Open({first});
    for (int i = 0; i < 3; ++i) Tick();
    OpenByDialog(second);
    Tick();
    parts->Form().Execute(CommandId::Header);
    dde.server.Deliver(OpenMacro(Lower(first)));
    parts->Link().OpenFinchpostLink();
    Tick();
    EXPECT_EQ(parts->Form().State().currentFile, Lower(first));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(first, bytes));
    EXPECT_EQ(bytes.substr(0, 14), "X-Status: READ");
    EXPECT_THAT(dde.plover.executed, IsEmpty());
    EXPECT_THAT(dde.finchpost.executed, IsEmpty());
    EXPECT_EQ(dde.plover.opens, 1);  // never tried again
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());
}

TEST_F(MailLinkTest, DebugMessagesAreShownEvenWhenTheMacroIsDropped) {
    WriteSettings("[View]\r\nDebugPloverDde=1\r\n");
    dde.plover.running.clear();
    fp.launcher.succeed = false;
    Idle();
    parts->Link().SendToPlover("[Update(x.fld,0001)]");
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("PloverDde: [Update(x.fld,0001)]"));
    EXPECT_THAT(Sent(), IsEmpty());
}

TEST_F(MailLinkTest, MacroLongerThanTheChannelTakesIsDroppedQuietly) {
    Idle();
    dde.plover.maxBytes = 16;
    parts->Link().SendToPlover(std::string(100000, 'x'));
    parts->Link().SendToPlover("[Focus(a,0001)]");
    EXPECT_THAT(Sent(), ElementsAre("[Focus(a,0001)]"));
}

TEST_F(MailLinkTest, AnnounceSwitchGoesThroughSendToPlover) {
    WriteSettings("[View]\r\nDebugPloverDde=1\r\n[AW]\r\nReceive=c:\\plover\\inbox\r\n");
    Open({"/a"});
    EXPECT_THAT(Sent(), ElementsAre(UpdateFolderMacro("c:\\plover\\inbox")));
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("PloverDde: [Update(c:\\plover\\inbox.fld)]"));
}

TEST_F(MailLinkTest, ServerTopicIsSystemUnderTheProgramName) {
    const std::pair<std::string, std::string> cases[] = {
        {"kestrel.exe", "kestrel"},
        {"KView32.EXE", "KView32"},
        {"my.viewer.exe", "my.viewer"},
        {"noext", "noext"},
    };
    for (const auto& [program, service] : cases) {
        fp.environment.programPath = dir.File(program);
        Build();
        EXPECT_EQ(dde.server.service, service);
        EXPECT_EQ(dde.server.topic, "system");
    }
}

TEST_F(MailLinkTest, FinchpostLinkFocusesTheMailOnShow) {
    std::string mail = MakeMail("inbox/0003.txt", "READ", {"x"});
    WriteSettings("[View]\r\nNextMailMode=2\r\nDebugMode=1\r\n");
    fp.windows.classes.insert("TfrmFINCHPOSTMain");
    dde.finchpost.running.insert("Finchpost|Command");
    Open({mail});
    std::string focus = "[Focus(\"" + Folder("inbox") + "\",0003)]";
    EXPECT_THAT(dde.finchpost.executed, ElementsAre(focus));
    EXPECT_TRUE(dde.finchpost.IsOpen());
    EXPECT_EQ(fp.MessageTexts().back(), "FinchDDE: " + focus);
    // The mail client order sends nothing at once: the timer carries Update and Focus.
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_TRUE(parts->Timer().Deletion().IsNeedsUpdate());
}

TEST_F(MailLinkTest, FinchpostIsStartedWhenItsWindowIsMissing) {
    std::string mail = MakeMail("inbox/0003.txt", "READ", {"x"});
    WriteSettings("[View]\r\nNextMailMode=2\r\n[Location]\r\nFinchpostExe=c:\\fp\\fp.exe\r\n");
    Open({mail});
    EXPECT_THAT(fp.launcher.started, ElementsAre("c:\\fp\\fp.exe " + Lower(mail) + " "));
    EXPECT_EQ(dde.finchpost.opens, 1);
    EXPECT_FALSE(dde.finchpost.IsOpen());
    parts->Link().SendToFinchpost("[View(\"Next\")]");  // dropped
    EXPECT_THAT(dde.finchpost.executed, IsEmpty());

    // Without a program path nothing is started.
    WriteSettings("[View]\r\nNextMailMode=2\r\n");
    fp.launcher.started.clear();
    Open({mail});
    EXPECT_THAT(fp.launcher.started, IsEmpty());
}

TEST_F(MailLinkTest, NeighboursSkipThePendingDeletionAndTheMoveGoesFirst) {
    MakeMail("inbox/0001.txt", "READ", {"1"});
    std::string two = MakeMail("inbox/0002.txt", "READ", {"2"});
    std::string three = MakeMail("inbox/0003.txt", "READ", {"3"});
    MakeMail("inbox/0004.txt", "READ", {"4"});
    WriteSettings("[Location]\r\nTrashCan=c:\\plover\\trash.can\r\n");
    Idle();
    parts->Timer().SetDeletion(PendingDeletion::MoveToTrash(Lower(two)));
    parts->Display().OpenFolderMail(three);
    EXPECT_EQ(parts->Link().PreviousMail(), Lower(dir.File("inbox/0001.txt")));
    EXPECT_EQ(parts->Link().NextMail(), Lower(dir.File("inbox/0004.txt")));
    std::string folder = Folder("inbox");
    EXPECT_THAT(Sent(), ElementsAre("[Move(c:\\plover\\trash.can," + folder + ",0002)]"));
    EXPECT_EQ(Tick(), TimerStep::NeedsUpdate);
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_THAT(Sent(),
                ElementsAre("[Move(c:\\plover\\trash.can," + folder + ",0002)]",
                            "[Update(" + folder + ",0003)]", "[Focus(" + folder + ",0003)]"));
}

// A deletion whose file has gone sends nothing; kept pending it would take every later tick.
TEST_F(MailLinkTest, DeletionOfAVanishedFileIsDropped) {
    std::string three = MakeMail("inbox/0003.txt", "READ", {"3"});
    Idle();
    parts->Timer().SetDeletion(PendingDeletion::MoveToTrash(Lower(dir.File("inbox/0002.txt"))));
    parts->Display().OpenFolderMail(three);
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_TRUE(parts->Timer().Deletion().IsNone());
    parts->Link().SendUpdate();
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_EQ(Sent().back(), "[Focus(" + Folder("inbox") + ",0003)]");
}

// In Finchpost order the client may answer before the timer sends the Move: the open must not
// overwrite the deletion, or the mail would never be moved.
TEST_F(MailLinkTest, FinchpostOrderOpenKeepsAPendingMove) {
    std::string two = MakeMail("inbox/0002.txt", "READ", {"2"});
    std::string three = MakeMail("inbox/0003.txt", "READ", {"3"});
    Idle();
    parts->Form().State().readOrder = 2;
    parts->Timer().SetDeletion(PendingDeletion::MoveToTrash(Lower(two)));
    parts->Display().OpenFolderMail(three);
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_EQ(Tick(), TimerStep::MoveToTrash);
    EXPECT_EQ(Tick(), TimerStep::NeedsUpdate);
    EXPECT_EQ(Tick(), TimerStep::Focus);
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Sent()[0].substr(0, 6), "[Move(");
    EXPECT_EQ(Sent()[1], "[Update(" + Folder("inbox") + ",0003)]");
}

TEST_F(MailLinkTest, DebugModeShowsTheNeighbours) {
    MakeMail("inbox/0001.txt", "READ", {"1"});
    std::string two = MakeMail("inbox/0002.txt", "READ", {"2"});
    WriteSettings("[View]\r\nDebugMode=1\r\n");
    Idle();
    parts->Display().OpenFolderMail(two);
    EXPECT_EQ(fp.MessageTexts().back(), "Next: Prev:" + Lower(dir.File("inbox/0001.txt")));
}

}  // namespace
}  // namespace kestrel::test
