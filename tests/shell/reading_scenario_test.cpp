// Reading through a folder with the whole viewer on fakes: keys reach the dispatcher as the
// editor control routes them, navigation opens mails through the mail display, and the macros
// reach the mail client in order, one timer tick apart.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "shell/mail_fixture.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kSpace = 0x20, kBack = 0x08, kEnter = 0x0D, kDelete = 0x2E, kShiftKey = 0x10;
constexpr unsigned kShift = 1, kCtrl = 2;

class ReadingTest : public MailShellTest {
  protected:
    // A key press as the editor control routes it: Delete and BackSpace while read-only only
    // through its two hooks (modifiers not looked at), every other key-down to FormKeyDown.
    void Press(int vk, unsigned modifiers = 0) {
        TForm1& form = parts->Form();
        if (fp.editor.ReadOnly() && vk == kDelete) {
            form.RichEdit1DeleteKey();
        } else if (fp.editor.ReadOnly() && vk == kBack) {
            form.RichEdit1BackSpaceKey();
        } else {
            form.FormKeyDown(vk, modifiers);
        }
    }
    std::string Mail(int n, const std::string& status = "READ", int bodyLines = 1) {
        std::vector<std::string> body;
        for (int i = 0; i < bodyLines; ++i) body.push_back("line " + std::to_string(i));
        return MakeMail("inbox/" + std::to_string(10000 + n).substr(1) + ".txt", status, body);
    }
    std::string Folder() { return Lower(dir.File("inbox")) + ".fld"; }
    std::string Update(const std::string& n) { return "[Update(" + Folder() + "," + n + ")]"; }
    std::string Focus(const std::string& n) { return "[Focus(" + Folder() + "," + n + ")]"; }
    std::string Move(const std::string& n) {
        return "[Move(" + Lower(dir.File("trash.can")) + "," + Folder() + "," + n + ")]";
    }
    // The viewer started on path, past its deferred stage and the first Focus; nothing sent
    // or shown so far is kept.
    TForm1& Reading(const std::string& path, const std::string& settings = "") {
        WriteSettings("[Location]\nTrashCan=" + dir.File("trash.can") + "\n" + settings);
        OpenFully({path});
        while (fp.timer.running) Tick();
        dde.plover.executed.clear();
        fp.messages.shown.clear();
        return parts->Form();
    }
    std::string Shown() { return FileNameOf(parts->Form().State().currentFile); }
};

TEST_F(ReadingTest, SpaceReadsOnInNumberOrderUpToAGapOfFifty) {
    std::string first = Mail(1, "RECV");
    Mail(2, "RECV");
    Mail(60);
    Reading(first);
    Press(kSpace);  // a text shorter than the window: on to the next mail at once
    EXPECT_EQ(Shown(), "0002.txt");
    EXPECT_EQ(fp.window.title, "Kestrel32 - 0002.txt");
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadFileLines(dir.File("inbox/0002.txt"), lines));
    EXPECT_EQ(lines[0], "X-Status: READ");
    EXPECT_THAT(Sent(), ElementsAre(Update("0002")));
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_THAT(Sent(), ElementsAre(Update("0002"), Focus("0002")));

    Press(kSpace);  // 0003 to 0053 tried
    EXPECT_EQ(Shown(), "0002.txt");
    EXPECT_EQ(fp.MessageTexts(), std::vector<std::string>{"No more mail."});
    EXPECT_EQ(Sent().size(), 2u);

    Mail(52);
    Press(kSpace);
    EXPECT_EQ(Shown(), "0052.txt");
}

TEST_F(ReadingTest, BackSpaceAtTheTopGoesBackFromZeroToTheTopNumbers) {
    std::string zero = Mail(0);
    Mail(9950);
    Reading(zero);
    Press(kBack, kShift);  // through the hook: plain BackSpace, page up and previous
    EXPECT_EQ(Shown(), "9950.txt");
    EXPECT_THAT(Sent(), ElementsAre("[Update(" + Folder() + ",9950)]"));

    std::filesystem::remove(dir.File("inbox/9950.txt"));
    Mail(9948);
    Reading(zero);
    Press(kBack);  // 9999 down to 9949: none
    EXPECT_EQ(Shown(), "0000.txt");
    EXPECT_EQ(fp.MessageTexts(), std::vector<std::string>{"No more mail."});
}

TEST_F(ReadingTest, AMailNamedInCapitalsIsAFolderMail) {
    std::string first = Mail(11);
    MakeMail("inbox/0012.TXT", "READ", {"x"});
    Reading(first).Execute(CommandId::NextMail);
    EXPECT_EQ(Shown(), "0012.txt");
    EXPECT_THAT(Sent(), ElementsAre(Update("0012")));
}

TEST_F(ReadingTest, DeletingTheOnlyMailEmptiesTheWindowAndMovesAtOnce) {
    std::string only = Mail(5);
    Reading(only);
    Press(kDelete);
    EXPECT_EQ(parts->Form().State().currentFile, "");
    EXPECT_THAT(fp.editor.Lines(), IsEmpty());
    EXPECT_EQ(fp.window.title, "Kestrel32 - [Untitled]");
    EXPECT_EQ(fp.MessageTexts(), std::vector<std::string>{"Last mail in the folder."});
    EXPECT_THAT(Sent(), ElementsAre(Move("0005")));
    // Nothing on show: the follow-ups have nothing to name.
    while (fp.timer.running) Tick();
    EXPECT_THAT(Sent(), ElementsAre(Move("0005")));
}

TEST_F(ReadingTest, DeletingAtTheEndTurnsBackAndTheMacrosComeOneTickApart) {
    Mail(1);
    Mail(2);
    std::string last = Mail(3);
    Reading(last);
    Press(kDelete);
    EXPECT_EQ(fp.MessageTexts(), std::vector<std::string>{"Last mail in the folder."});
    EXPECT_EQ(Shown(), "0002.txt");
    EXPECT_THAT(Sent(), ElementsAre(Move("0003")));
    EXPECT_EQ(Tick(), TimerStep::NeedsUpdate);
    EXPECT_THAT(Sent(), ElementsAre(Move("0003"), Update("0002")));
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_THAT(Sent(), ElementsAre(Move("0003"), Update("0002"), Focus("0002")));
    EXPECT_FALSE(fp.timer.running);

    // The mail client moved it; the next deletion goes on backwards without a message.
    std::filesystem::remove(dir.File("inbox/0003.txt"));
    dde.plover.executed.clear();
    Press(kDelete);
    EXPECT_EQ(Shown(), "0001.txt");
    EXPECT_EQ(fp.MessageTexts().size(), 1u);
    EXPECT_THAT(Sent(), ElementsAre(Move("0002")));
}

TEST_F(ReadingTest, NoDeletionInTheTrash) {
    std::string trashed = MakeMail("trash/0001.txt", "READ", {"x"});
    Reading(trashed);
    Press(kDelete);
    EXPECT_EQ(Shown(), "0001.txt");
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_FALSE(fp.timer.running);
}

TEST_F(ReadingTest, PloverOrderAsksTheClientAndItsAnswerOpensWithoutAskingAgain) {
    std::string first = Mail(1);
    std::string chosen = Mail(7, "RECV");
    Mail(2);
    Reading(first, "[View]\nNextMailMode=1\n");
    EXPECT_TRUE(fp.window.IsChecked(CommandId::PloverSearch));
    EXPECT_FALSE(fp.window.IsChecked(CommandId::NumberSearch));
    fp.editor.SetModified(true);
    fp.messages.answers.push_back(MessageAnswer::No);
    Press(kSpace, kShift);
    EXPECT_EQ(fp.messages.shown.size(), 1u);  // "Save %s ?"
    EXPECT_THAT(Sent(), ElementsAre("[View(\"NextRecv\")]"));
    EXPECT_EQ(Shown(), "0001.txt");  // waits for the client

    dde.server.Deliver("[open(\"" + Lower(chosen) + "\")]");
    EXPECT_EQ(Shown(), "0007.txt");
    EXPECT_EQ(fp.messages.shown.size(), 1u);
    // In this order the open is followed by Focus alone.
    EXPECT_EQ(Tick(), TimerStep::Focus);
    EXPECT_THAT(Sent(), ElementsAre("[View(\"NextRecv\")]", Focus("0007")));

    // Deleting asks for the mail in the last direction, and the Move goes out on the next tick
    // whether or not the client has answered.
    dde.plover.executed.clear();
    Press(kDelete);
    EXPECT_THAT(Sent(), ElementsAre("[View(\"NextRecv\")]"));
    EXPECT_EQ(Tick(), TimerStep::MoveToTrash);
    EXPECT_EQ(Tick(), TimerStep::NeedsUpdate);
    EXPECT_THAT(Sent(), ElementsAre("[View(\"NextRecv\")]", Move("0007"), Focus("0007")));
}

TEST_F(ReadingTest, ReadOrdersFromTheViewMenuKeepOneCheckMark) {
    Reading(Mail(1));
    TForm1& form = parts->Form();
    form.Execute(CommandId::PloverSearch);
    EXPECT_TRUE(fp.window.IsChecked(CommandId::PloverSearch));
    form.Execute(CommandId::NumberSearch);
    EXPECT_TRUE(fp.window.IsChecked(CommandId::NumberSearch));
    EXPECT_FALSE(fp.window.IsChecked(CommandId::PloverSearch));
    EXPECT_FALSE(fp.window.IsChecked(CommandId::FinchpostSearch));
    Press(kSpace, kShift);
    EXPECT_EQ(fp.MessageTexts(), std::vector<std::string>{"Invalid in Number Search mode."});
}

TEST_F(ReadingTest, PageSizeFromScrollPercent) {
    std::string longMail = Mail(1, "READ", 100);
    Mail(2);
    Reading(longMail, "[View]\nScrollPercent=-5\n");
    parts->Form().Execute(CommandId::PageDown);
    EXPECT_EQ(fp.editor.FirstVisibleLine(), 5);

    Reading(longMail, "[View]\nScrollPercent=50\n");
    const int visible = parts->Form().VisibleLines();
    ASSERT_GT(visible, 2);
    parts->Form().Execute(CommandId::PageDown);
    EXPECT_EQ(fp.editor.FirstVisibleLine(), visible / 2);
    parts->Form().Execute(CommandId::PageUp);
    EXPECT_EQ(fp.editor.FirstVisibleLine(), 0);
    EXPECT_EQ(Shown(), "0001.txt");
}

TEST_F(ReadingTest, DefaultKeysInViewerMode) {
    std::string longMail = Mail(1, "READ", 100);
    Mail(2);
    Reading(longMail);
    Press(kSpace);
    EXPECT_GT(fp.editor.FirstVisibleLine(), 0);
    EXPECT_EQ(Shown(), "0001.txt");
    Press(kBack);
    EXPECT_EQ(fp.editor.FirstVisibleLine(), 0);
    Press('A', kCtrl);
    EXPECT_EQ(fp.editor.SelLength(), int(fp.editor.Text().size()));
    Press(kEnter);  // reply to all: not this feature's; nothing changes here
    EXPECT_EQ(Shown(), "0001.txt");
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());
}

TEST_F(ReadingTest, InEditorModeOnlyFunctionAndCtrlKeysRunCommands) {
    std::string compose =
        MakeFile("temp/_plv0001.tmp", {"To: a@example.com", "Subject: hi", "-----", "text"});
    WriteSettings("[Key]\nNextMail=$074\n");
    OpenFully({compose});
    ASSERT_FALSE(fp.editor.ReadOnly());
    fp.messages.shown.clear();
    for (int vk : {kSpace, kEnter, kBack, kDelete}) Press(vk);
    Press(kSpace, kShift);
    Press(kBack, kShift);
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());
    Press(0x74);  // F5: Next mail, with no folder mail on show
    EXPECT_EQ(fp.MessageTexts(), std::vector<std::string>{"No more mail."});
    Press('A', kCtrl);
    EXPECT_EQ(fp.editor.SelLength(), int(fp.editor.Text().size()));
    Press('B', kCtrl);  // unbound: nothing
    EXPECT_EQ(fp.MessageTexts().size(), 1u);
}

TEST_F(ReadingTest, AKeyInTwoSlotsRunsOnlyTheFirst) {
    std::string longMail = Mail(1, "READ", 100);
    Mail(2);
    Reading(longMail, "[Key]\nNextMail=$04E\nPageDown=$04E\n");
    Press('N');
    EXPECT_EQ(Shown(), "0001.txt");
    EXPECT_GT(fp.editor.FirstVisibleLine(), 0);
}

TEST_F(ReadingTest, KeyNumberModeShowsNumbersUntilAMailIsOpened) {
    std::string first = Mail(1);
    Mail(2);
    Reading(first);
    parts->Form().Execute(CommandId::KeyNumber);
    EXPECT_EQ(fp.window.title, "Kestrel32 - Key Number");
    Press('A', kCtrl);
    Press(kDelete);
    Press(kShiftKey, kShift);
    EXPECT_THAT(fp.editor.Lines(),
                ElementsAre("Key number will be displayed when you hit a key.", "$241", "$02E"));
    EXPECT_FALSE(fp.editor.Modified());
    EXPECT_EQ(Shown(), "0001.txt");  // Delete deleted nothing
    EXPECT_THAT(Sent(), IsEmpty());

    // Opening a mail leaves the mode, without a save question.
    parts->Form().Execute(CommandId::NextMail);
    EXPECT_EQ(Shown(), "0002.txt");
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());
    Press(kDelete);
    EXPECT_EQ(Shown(), "0001.txt");
}

}  // namespace
}  // namespace kestrel::test
