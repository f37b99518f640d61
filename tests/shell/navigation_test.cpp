// Navigation commands against a recording host: which mail is opened, what is asked of the
// mail client, and the messages, for each read order.
#include "viewer/shell/navigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/fileio.h"
#include "shell/fakes.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

// An editor of `lines` lines, `visible` at once, stopping with the last line at the bottom.
struct Editor : ScrollView {
    int lines = 40, visible = 10, first = 0;
    int FirstVisibleLine() const override { return first; }
    void ScrollLines(int by) override {
        first = std::clamp(first + by, 0, std::max(0, lines - visible));
    }
    int TextLineCount() const override { return lines; }
};

// Records every call; opening a folder mail finds its neighbours (stepping over a pending
// deletion) and, in number order, sends the Move of a pending deletion, as the mail display
// and the link do.
class Host : public NavigationHost {
  public:
    std::string CurrentFile() const override { return current; }
    Neighbours OpenedNeighbours() const override { return neighbours; }
    bool SaveIfModified() override {
        log.push_back("save?");
        return saveAnswer;
    }
    void OpenFolderMail(const std::string& path) override {
        log.push_back("open " + FileNameOf(path));
        current = path;
        editor.first = 0;
        neighbours = NeighboursOf(path, pending);
        if (!pending.empty() && numberOrder) SendMoveToTrash();
    }
    void ForgetMail() override {
        log.push_back("forget");
        current.clear();
    }
    void RestoreViewerMode() override { log.push_back("viewer mode"); }
    void ShowMessage(std::string_view text) override { log.push_back("msg " + std::string(text)); }
    void CheckReadOrder(ReadOrder order) override {
        log.push_back("check " + std::to_string(int(order)));
        numberOrder = order == ReadOrder::Number;
    }
    void SetPendingDeletion(const std::string& path) override {
        log.push_back("pending " + FileNameOf(path));
        pending = path;
    }
    void SetViewRequestOutstanding() override { log.push_back("outstanding"); }
    void StartTimer() override { log.push_back("timer"); }
    void SendToPlover(const std::string& macro) override { log.push_back("plover " + macro); }
    void SendToFinchpost(const std::string& macro) override { log.push_back("finch " + macro); }
    void SendUpdate() override { log.push_back("update"); }
    void SendMoveToTrash() override {
        log.push_back("move " + FileNameOf(pending));
        pending.clear();
    }
    void OpenFinchpostLink() override { log.push_back("finchpost link"); }
    ScrollView& Scroller() override { return editor; }
    int VisibleLines() override { return editor.visible; }

    std::vector<std::string> Take() {
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }

    std::string current, pending;
    Neighbours neighbours;
    bool saveAnswer = true;
    bool numberOrder = true;
    Editor editor;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

class NavigationTest : public ::testing::Test {
  protected:
    void Folder(std::initializer_list<int> numbers) {
        std::filesystem::create_directories(dir.File("inbox"));
        for (int n : numbers) WriteFileAtomic(Mail(n), "X-Status: READ\r\n");
    }
    std::string Mail(int n) {
        return dir.File("inbox") + PathSeparator() + std::to_string(10000 + n).substr(1) + ".txt";
    }
    // The navigation with settings, showing mail n (opened, so its neighbours are known).
    Navigation& Start(const std::string& settings, int n) {
        nav.ReadStartSettings(IniFile::FromBytes(settings));
        nav.ReadDeferredSettings(IniFile::FromBytes(settings));
        host.numberOrder = nav.Order() == ReadOrder::Number;
        host.current = Mail(n);
        host.neighbours = NeighboursOf(host.current, "");
        host.Take();
        return nav;
    }

    TempDir dir;
    Host host;
    FakeTimer timer;
    CommandRouter router;
    TimerSequencer sequencer{timer};
    ViewerEvents events;
    ShellWiring wiring{router, sequencer, events};
    Navigation nav{host, wiring};
};

TEST_F(NavigationTest, NumberOrderJumpsGapsUpToFiftyAndStopsAtALongerOne) {
    Folder({1, 2, 60});
    Start("", 1).Next1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "open 0002.txt"}));
    nav.Next1Click();  // 0003 .. 0053 tried, none exists
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "msg No more mail."}));
    EXPECT_EQ(host.current, Mail(2));

    // Without AlertDialog the end of the folder is silent.
    Start("[View]\nAlertDialog=0\n", 2).Next1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode"}));

    WriteFileAtomic(Mail(52), "X-Status: READ\r\n");
    Start("", 2).Next1Click();  // the neighbours found at the open are looked for again
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "open 0052.txt"}));
}

TEST_F(NavigationTest, PreviousFromZeroWrapsToTheTopNumbers) {
    Folder({0, 9949});
    Start("", 0).Back1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "open 9949.txt"}));
    EXPECT_EQ(nav.LastDirection(), ReadDirection::Previous);
    std::filesystem::remove(Mail(9949));
    WriteFileAtomic(Mail(9948), "X-Status: READ\r\n");
    Start("", 0).Back1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "msg No more mail."}));
}

TEST_F(NavigationTest, CancelAtTheSaveQuestionStaysAndSendsNothing) {
    Folder({1, 2});
    Start("", 1);
    host.saveAnswer = false;
    nav.Next1Click();
    nav.Delete1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "save?"}));
    Start("[View]\nNextMailMode=1\n", 1);
    host.saveAnswer = false;
    nav.Nextnew1Click();
    EXPECT_EQ(host.Take(), (Log{"save?"}));
    EXPECT_EQ(host.current, Mail(1));
}

TEST_F(NavigationTest, UnreadMailOnlyInTheMailClientsOrders) {
    Folder({1, 2});
    Start("[View]\nAlertDialog=0\n", 1).Nextnew1Click();
    nav.Previousnew1Click();
    // Shown whatever AlertDialog says.
    EXPECT_EQ(host.Take(),
              (Log{"msg Invalid in Number Search mode.", "msg Invalid in Number Search mode."}));

    Start("[View]\nNextMailMode=1\n", 1).Nextnew1Click();
    EXPECT_EQ(host.Take(),
              (Log{"save?", "viewer mode", "outstanding", "plover [View(\"NextRecv\")]"}));
    nav.Previousnew1Click();
    EXPECT_EQ(host.Take().back(), "plover [View(\"PrevRecv\")]");
    nav.Back1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "viewer mode", "outstanding",
                                "plover [View(\"Prev\")]"}));

    Start("[View]\nNextMailMode=2\nDebugMode=1\n", 1).Next1Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "msg [View(\"Next\")]", "save?", "viewer mode",
                                "outstanding", "finch [View(\"Next\")]"}));
}

TEST_F(NavigationTest, DeletingTheOnlyMailClearsTheWindowAndMovesAtOnce) {
    Folder({5});
    Start("", 5).Delete1Click();
    EXPECT_EQ(host.Take(), (Log{"save?", "pending 0005.txt", "msg Last mail in the folder.",
                                "forget", "move 0005.txt"}));
    EXPECT_EQ(host.current, "");
    nav.Delete1Click();  // nothing on show: nothing to delete
    EXPECT_EQ(host.Take(), Log{});
}

TEST_F(NavigationTest, DeletingAtTheEndOfADirectionTurnsBack) {
    Folder({1, 2, 3});
    Start("", 3).Delete1Click();
    EXPECT_EQ(host.Take(), (Log{"save?", "pending 0003.txt", "msg Last mail in the folder.",
                                "open 0002.txt", "move 0003.txt"}));
    EXPECT_EQ(nav.LastDirection(), ReadDirection::Previous);
    std::filesystem::remove(Mail(3));  // the mail client moved it
    nav.Delete1Click();                // goes on backwards, no message
    EXPECT_EQ(host.Take(), (Log{"save?", "pending 0002.txt", "open 0001.txt", "move 0002.txt"}));

    // Forwards, the next mail is shown and the deleted one stepped over from then on.
    Folder({1, 2, 3});
    Start("", 1).Delete1Click();
    EXPECT_EQ(host.Take(), (Log{"save?", "pending 0001.txt", "open 0002.txt", "move 0001.txt"}));
}

TEST_F(NavigationTest, NoDeletionInTheTrashOrOfOtherFiles) {
    std::filesystem::create_directories(dir.File("trash"));
    WriteFileAtomic(dir.File("trash/0001.txt"), "x");
    Start("", 1);
    host.current = dir.File("trash/0001.txt");
    nav.Delete1Click();
    host.current = dir.File("notes.txt");
    nav.Delete1Click();
    EXPECT_EQ(host.Take(), Log{});
}

TEST_F(NavigationTest, DeletingInTheClientsOrderAsksForTheNextMailThenMovesOnTheTick) {
    Folder({1, 2});
    Start("[View]\nNextMailMode=1\n", 1).Delete1Click();
    EXPECT_EQ(host.Take(), (Log{"save?", "pending 0001.txt", "save?", "viewer mode", "outstanding",
                                "plover [View(\"Next\")]", "timer"}));
    Start("[View]\nNextMailMode=1\n", 2).Nextnew1Click();
    host.Take();
    nav.Delete1Click();
    EXPECT_EQ(host.Take()[5], "plover [View(\"NextRecv\")]");
}

TEST_F(NavigationTest, ReadOrdersKeepOneCheckMark) {
    Start("", 1);
    nav.PloverSearch1Click();
    EXPECT_EQ(nav.Order(), ReadOrder::Plover);
    nav.FinchpostSearch1Click();
    nav.FinchpostSearch1Click();  // already: the link is not opened again
    nav.NumberSearch1Click();
    EXPECT_EQ(host.Take(), (Log{"check 1", "check 2", "finchpost link", "check 2", "check 0"}));
    nav.Focus1Click();
    EXPECT_EQ(host.Take(), Log{"update"});
    // The order chosen before the first tick survives it.
    nav.ReadStartSettings(IniFile::FromBytes(""));
    nav.PloverSearch1Click();
    nav.ReadDeferredSettings(IniFile::FromBytes(""));
    EXPECT_EQ(nav.Order(), ReadOrder::Plover);
}

TEST_F(NavigationTest, PagesByPercentOrFixedLines) {
    Folder({1, 2});
    Start("[View]\nScrollPercent=-5\n", 1).PageDown3Click();
    EXPECT_EQ(host.editor.first, 5);
    nav.PageUp3Click();
    EXPECT_EQ(host.editor.first, 0);
    Start("[View]\nScrollPercent=50\n", 1).PageDown1Click();
    EXPECT_EQ(host.editor.first, 5);
    nav.LineDown1Click();
    EXPECT_EQ(host.editor.first, 6);
    nav.LineUp1Click();
    EXPECT_EQ(host.editor.first, 5);
    EXPECT_EQ(host.Take(), Log{});
}

TEST_F(NavigationTest, PageKeysChangeMailAtTheEnds) {
    Folder({1, 2, 3});
    Start("", 2);
    host.editor.lines = 3;  // shorter than the window
    nav.PageDown2Click();
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "open 0003.txt"}));
    nav.PageUp2Click();  // at the top: back without scrolling
    EXPECT_EQ(host.Take(), (Log{"viewer mode", "save?", "open 0002.txt"}));
    nav.PageDown3Click();
    nav.PageUp3Click();
    nav.LineDown1Click();
    nav.LineUp1Click();
    EXPECT_EQ(host.Take(), Log{});
    // The tool-bar buttons follow NextMailAtEnd.
    nav.PageDown1Click();
    EXPECT_EQ(host.Take().back(), "open 0003.txt");
    Start("[View]\nNextMailAtEnd=0\n", 2);
    host.editor.lines = 3;
    nav.PageDown1Click();
    nav.PageUp1Click();
    EXPECT_EQ(host.Take(), Log{});
    // A long text scrolls first and goes on only at its end.
    Start("", 1);
    host.editor.lines = 25;
    nav.PageDown2Click();
    nav.PageDown2Click();
    EXPECT_EQ(host.Take(), Log{});
    EXPECT_EQ(host.editor.first, 15);
    nav.PageDown2Click();
    EXPECT_EQ(host.Take().back(), "open 0002.txt");
}

TEST_F(NavigationTest, OwnsItsCommandsAndReadsItsSettingsWhenLoaded) {
    for (CommandId id :
         {CommandId::NextMail, CommandId::PrevMail, CommandId::NextNew, CommandId::PrevNew,
          CommandId::DeleteMail, CommandId::Focus, CommandId::PloverSearch, CommandId::NumberSearch,
          CommandId::FinchpostSearch, CommandId::PageDown, CommandId::PageUp,
          CommandId::PageDownNextKey, CommandId::PageUpPrevKey, CommandId::PageDownKey,
          CommandId::PageUpKey, CommandId::LineDown, CommandId::LineUp}) {
        EXPECT_EQ(router.OwnerOf(id), "Navigation") << CommandName(id);
    }
    EXPECT_FALSE(router.Owned(CommandId::Reply));
    events.SettingsLoaded(IniFile::FromBytes("[View]\nNextMailMode=1\n"));
    EXPECT_EQ(nav.Order(), ReadOrder::Plover);
    router.Execute(CommandId::NumberSearch);
    EXPECT_EQ(nav.Order(), ReadOrder::Number);
    router.Execute(CommandId::PrevNew);
    EXPECT_EQ(nav.LastDirection(), ReadDirection::Next);  // refused in number order
    router.Execute(CommandId::PloverSearch);
    router.Execute(CommandId::PrevNew);
    EXPECT_EQ(nav.LastDirection(), ReadDirection::PreviousNew);
    events.DeferredStage(IniFile::FromBytes(""));
    EXPECT_EQ(nav.LastDirection(), ReadDirection::Next);
    EXPECT_EQ(nav.Order(), ReadOrder::Plover);
}

}  // namespace
}  // namespace kestrel::test
