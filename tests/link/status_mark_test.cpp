#include "viewer/link/status_mark.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/fileio.h"
#include "common/ini.h"
#include "support/testutil.h"
#include "viewer/link/reply_status.h"

namespace kestrel {
namespace {

class StatusMarkTest : public ::testing::Test {
  protected:
    std::string Mail(const std::string& name, const std::string& bytes) {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileAtomic(path, bytes));
        return path;
    }
    std::string Bytes(const std::string& path) {
        std::string b;
        ReadFileBytes(path, b);
        return b;
    }
    test::TempDir dir;
};

TEST_F(StatusMarkTest, OnlyTheFirstLineChangesAndTheRestKeepsEveryByte) {
    // Mixed line ends, a lone CR, a double-byte character and no final line end.
    std::string rest = "From: a@b\r\nSubject: \x83\x41\x83\x5c\n-----\r\nbody\rstill body";
    std::string path = Mail("0001.txt", "X-Status: READ\r\n" + rest);
    EXPECT_EQ(SetStatusMark(path, kStatusSender), StatusMarkResult::Written);
    EXPECT_EQ(Bytes(path), "X-Status: SNDR\r\n" + rest);

    // A longer or shorter status word moves nothing else either.
    EXPECT_EQ(SetStatusMark(path, "X-Status: FWD1"), StatusMarkResult::Written);
    EXPECT_EQ(SetStatusMark(path, "X-Status: LONGERWORD"), StatusMarkResult::Written);
    EXPECT_EQ(Bytes(path), "X-Status: LONGERWORD\r\n" + rest);

    // The first line only needs to hold the tag somewhere.
    path = Mail("0002.txt", "Junk X-Status: RECV\nFrom: a\n");
    EXPECT_EQ(SetStatusMark(path, kStatusLater), StatusMarkResult::Written);
    EXPECT_EQ(Bytes(path), "X-Status: RPLY\nFrom: a\n");

    // A line end in the new line would add a header line: it is cut there.
    EXPECT_EQ(SetStatusMark(path, "X-Status: READ\r\nBcc: x"), StatusMarkResult::Written);
    EXPECT_EQ(Bytes(path), "X-Status: READ\nFrom: a\n");
}

TEST_F(StatusMarkTest, NothingIsWrittenWithoutAStatusLineOrForOtherFiles) {
    std::string bytes = "From: a@b\r\nX-Status: READ\r\n-----\r\nbody\r\n";
    std::string path = Mail("0003.txt", bytes);
    EXPECT_EQ(SetStatusMark(path, kStatusSender), StatusMarkResult::NoStatusLine);
    EXPECT_EQ(Bytes(path), bytes);

    std::string other = Mail("readme.txt", "X-Status: READ\r\n");
    EXPECT_EQ(SetStatusMark(other, kStatusSender), StatusMarkResult::NotFolderMail);
    EXPECT_EQ(Bytes(other), "X-Status: READ\r\n");
    EXPECT_EQ(SetStatusMark(dir.File("0012.eml"), kStatusSender), StatusMarkResult::NotFolderMail);

    // Deleted after it was opened: reported, and no file appears.
    EXPECT_EQ(SetStatusMark(dir.File("0009.txt"), kStatusSender), StatusMarkResult::Unreadable);
    EXPECT_FALSE(FileExists(dir.File("0009.txt")));
    EXPECT_EQ(SetStatusMark(Mail("0004.txt", ""), kStatusSender), StatusMarkResult::NoStatusLine);
}

TEST_F(StatusMarkTest, AFailedWriteLeavesTheMailAsItWas) {
    std::string bytes = "X-Status: READ\r\nFrom: a\r\n";
    std::string path = Mail("0005.txt", bytes);
    bool locked = test::LockFolder(dir.path());
    StatusMarkResult r = locked ? SetStatusMark(path, kStatusSender) : StatusMarkResult::Written;
    test::UnlockFolder(dir.path());
    if (!locked) GTEST_SKIP() << "no way to make a folder unwritable here";
    EXPECT_EQ(r, StatusMarkResult::WriteFailed);
    EXPECT_EQ(Bytes(path), bytes);
}

TEST(ReplyStatusPacking, NonEmptyStatusesMoveUpInKeyOrder) {
    IniFile ini = IniFile::FromBytes("[ReplyStatus]\r\nStatus1=\r\nStatus2=FWD1\r\n");
    ReplyStatusSettings s = ReplyStatusSettingsFrom(ini);
    ASSERT_EQ(s.statuses, std::vector<std::string>{"FWD1"});
    EXPECT_EQ(ReplyStatusLine(s, 1), "X-Status: FWD1");
    EXPECT_EQ(ReplyStatusLine(s, 2), std::nullopt);  // a key for status 2 does nothing
    EXPECT_EQ(ReplyStatusLine(s, 0), std::nullopt);

    s = PackReplyStatuses({"", "A", "", "B", "C"});
    EXPECT_EQ(s.statuses, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(ReplyStatusLine(s, 3), "X-Status: C");
    EXPECT_TRUE(ReplyStatusSettingsFrom(IniFile()).statuses.empty());
}

}  // namespace
}  // namespace kestrel
