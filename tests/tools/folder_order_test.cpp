// The stand-in mail client's own list order, its answers to View in that order, moving into
// the trash with failures noted, and its time-stamped log.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "support/testutil.h"
#include "tools/standin/folder_list.h"
#include "tools/standin/macro_log.h"
#include "tools/standin/plover_model.h"

namespace kestrel::standin {
namespace {

class ClientOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.File("recv"));
        std::filesystem::create_directories(dir.File("trash"));
        Put(1, "RECV");
        Put(2, "READ");
        Put(4, "RECV");
        Put(7, "READ");
        List("recv.fld", {"0002", "0007", "0001", "0004"});
    }
    std::string Mail(int n, const std::string& folder = "recv") {
        return dir.File(folder) + PathSeparator() + FourDigits(n) + ".txt";
    }
    void Put(int n, const std::string& status) {
        ASSERT_TRUE(
            WriteLinesAtomic(Mail(n), {"X-Status: " + status, "Subject: mail " + FourDigits(n),
                                       std::string(50, '-'), "body"}));
    }
    void List(const std::string& file, const std::vector<std::string>& lines) {
        ASSERT_TRUE(WriteLinesAtomic(dir.File(file), lines));
    }
    std::vector<std::string> Stored(const std::string& file) {
        std::vector<std::string> lines;
        ReadFileLines(dir.File(file), lines);
        return lines;
    }
    std::string Recv() { return dir.File("recv.fld"); }
    std::string Trash() { return dir.File("trash.can"); }

    test::TempDir dir;
    test::TempDir temp;
};

TEST_F(ClientOrder, TheFolderFileOrdersTheListAndMissingMailsAreDropped) {
    EXPECT_EQ(ListOrderOf(Recv()), (std::vector<int>{2, 7, 1, 4}));
    // Listed twice, listed without a file, garbage, and a mail the file does not list.
    List("recv.fld", {"0007", "0009", "zz", "00071", "0007", " 0004 ", "", "\x83"});
    EXPECT_EQ(ListOrderOf(Recv()), (std::vector<int>{7, 4, 1, 2}));
    // No folder file: number order.
    std::filesystem::remove(Recv());
    EXPECT_EQ(ListOrderOf(Recv()), (std::vector<int>{1, 2, 4, 7}));
    // Update writes the refreshed list back.
    PloverModel model(temp.path());
    model.Execute({"Update", {Recv(), "0001"}});
    EXPECT_EQ(Stored("recv.fld"), (std::vector<std::string>{"0001", "0002", "0004", "0007"}));
    Put(3, "RECV");
    model.Execute({"Update", {Recv()}});
    EXPECT_EQ(Stored("recv.fld"),
              (std::vector<std::string>{"0001", "0002", "0004", "0007", "0003"}));
}

TEST_F(ClientOrder, ViewAnswersInListOrderAndRecvMailsAreTheUnreadOnes) {
    PloverModel model(temp.path());
    auto view = [&](const std::string& which) { return model.Execute({"View", {which}}).openPath; };
    model.Execute({"Focus", {Recv(), "0002"}});
    EXPECT_EQ(view("Next"), Mail(7));  // not 0004, the next number
    EXPECT_EQ(view("NextRecv"), Mail(1));
    EXPECT_EQ(view("Prev"), "");  // first in the list
    EXPECT_EQ(view("PrevRecv"), "");
    model.Execute({"Focus", {Recv(), "0004"}});
    EXPECT_EQ(view("Next"), "");
    EXPECT_EQ(view("Prev"), Mail(1));
    EXPECT_EQ(view("PrevRecv"), Mail(1));
    // Read by the viewer meanwhile: no longer unread.
    Put(1, "READ");
    EXPECT_EQ(view("PrevRecv"), "");
    EXPECT_EQ(view("Sideways"), "");
    // A mail the list does not hold offers nothing.
    model.Execute({"Focus", {Recv(), "0005"}});
    EXPECT_EQ(view("Next"), "");
}

TEST_F(ClientOrder, MoveToTrashChangesFilesAndListsAlike) {
    ASSERT_TRUE(WriteLinesAtomic(Mail(3, "trash"), {"X-Status: READ"}));
    List("trash.can", {"0003"});
    PloverModel model(temp.path());
    PloverAction act = model.Execute({"Move", {Trash(), Recv(), "0007"}});
    EXPECT_TRUE(act.notes.empty());
    EXPECT_FALSE(FileExists(Mail(7)));
    EXPECT_TRUE(FileExists(Mail(4, "trash")));
    EXPECT_EQ(Stored("recv.fld"), (std::vector<std::string>{"0002", "0001", "0004"}));
    EXPECT_EQ(Stored("trash.can"), (std::vector<std::string>{"0003", "0004"}));

    // Failures are noted, not passed over in silence.
    act = model.Execute({"Move", {Trash(), Recv(), "0007", "07"}});
    ASSERT_EQ(act.notes.size(), 2u);
    EXPECT_EQ(act.notes[0], "Move: no mail " + Mail(7));
    EXPECT_EQ(act.notes[1], "Move: no mail number 07");
    act = model.Execute({"Move", {dir.File("gone.can"), Recv(), "0002"}});
    ASSERT_EQ(act.notes.size(), 1u);
    EXPECT_EQ(act.notes[0].rfind("Move: could not write ", 0), 0u) << act.notes[0];
    EXPECT_TRUE(FileExists(Mail(2)));  // still where it was
}

TEST_F(ClientOrder, TheTrashNumberNeverOverwritesAMail) {
    ASSERT_TRUE(WriteLinesAtomic(Mail(9999, "trash"), {"X-Status: READ", "last"}));
    ASSERT_TRUE(WriteLinesAtomic(Mail(1, "trash"), {"X-Status: READ", "first"}));
    PloverModel model(temp.path());
    model.Execute({"Move", {Trash(), Recv(), "0002"}});
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadFileLines(Mail(1, "trash"), lines));
    EXPECT_EQ(lines.back(), "first");
    ASSERT_TRUE(ReadFileLines(Mail(2, "trash"), lines));
    EXPECT_EQ(lines[1], "Subject: mail 0002");
}

TEST(MacroLog, TimeStampedLinesRoundTrip) {
    EXPECT_EQ(LogLine(((10 * 60 + 57) * 60 + 24) * 1000LL + 123, "[Focus(a,0001)]"),
              "10:57:24.123 [Focus(a,0001)]");
    EXPECT_EQ(LogLine(5, "! note"), "00:00:00.005 ! note");
    std::string bytes = LogLine(1000, "[Update(a,0001)]") + "\r\n" + "garbage\r\n" + "12:00\r\n" +
                        "1x:00:00.000 [x]\r\n" + LogLine(1400, "[Focus(a,0001)]") + "\r\n" +
                        LogLine(1500, "");
    std::vector<LogEntry> log = ParseLog(bytes);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].msOfDay, 1000);
    EXPECT_EQ(log[0].text, "[Update(a,0001)]");
    EXPECT_EQ(log[1].msOfDay - log[0].msOfDay, 400);
    EXPECT_EQ(log[2].text, "");
    std::vector<LogEntry> now = ParseLog(LogLineNow("[x]"));
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].text, "[x]");
}

}  // namespace
}  // namespace kestrel::standin
