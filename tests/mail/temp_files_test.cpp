#include "viewer/mail/temp_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

TEST(IdLine, MessageIdElseLastDateBeforeTheSeparator) {
    EXPECT_EQ(IdLineOf({"X-Status: READ", "Date: one", "Message-ID: <a@b>", "Date: two",
                        "-----------", "message-id: <body@x>"}),
              "Message-ID: <a@b>");
    EXPECT_EQ(IdLineOf({"Date: Mon, 1", "Subject: x", "DATE: Tue, 2", "--------"}), "DATE: Tue, 2");
    // The mail client writes a long separator; a forwarded header in the body does not count.
    EXPECT_EQ(IdLineOf({"Date: mine", std::string(50, '-'), "> Date: quoted"}), "Date: mine");
    EXPECT_EQ(IdLineOf({"Subject: x", "--------"}), "");
    EXPECT_EQ(IdLineOf({}), "");
}

TEST(TempFileScore, HeaderMatchAndLinesAfterIt) {
    Lines file = {"From: a", "Date: d", "", "1", "2"};
    EXPECT_EQ(TempFileScore(file, "Date: d"), 3);
    EXPECT_EQ(TempFileScore(file, "date: d"), 0);  // exact match only
    EXPECT_EQ(TempFileScore(file, "1"), 0);        // body lines are not header lines
    file.insert(file.end(), 10, "more");
    EXPECT_EQ(TempFileScore(file, "Date: d"), 7);
    EXPECT_EQ(TempFileScore({"Date: d"}, "Date: d"), 1);
    // An empty ID line matches nothing, not even an empty line.
    EXPECT_EQ(TempFileScore({"", "x"}, ""), 0);
}

class TempFolder : public ::testing::Test {
  protected:
    void Put(const std::string& name, const std::string& idLine, int bodyLines) {
        std::string bytes = "From: x\r\n" + idLine + "\r\n\r\n";
        for (int i = 0; i < bodyLines; ++i) bytes += "line\r\n";
        ASSERT_TRUE(WriteFileAtomic(dir.File(name), bytes));
    }
    test::TempDir dir;
};

TEST_F(TempFolder, PicksTheRightCandidate) {
    const std::string id = "Message-Id: <1@x>";
    // The first file with six or more lines after its header ends the search.
    Put("_plv0001.tmp", id, 10);
    Put("_plv0002.tmp", id, 10);
    TempFilePick pick = PickTempFile(dir.path(), id);
    EXPECT_EQ(pick.path, dir.File("_plv0001.tmp"));
    EXPECT_EQ(pick.score, 7);

    // Equal scores below the best: the one listed later wins.
    Put("_plv0001.tmp", id, 2);
    Put("_plv0002.tmp", id, 2);
    Put("_plv0003.tmp", "Message-Id: <other@x>", 9);
    Put("_plv0004.tmp", id, 1);  // matches: replaces, though its score is lower
    EXPECT_EQ(PickTempFile(dir.path(), id).path, dir.File("_plv0004.tmp"));

    EXPECT_EQ(PickTempFile(dir.path(), "Message-Id: <none>").path, "");
    EXPECT_EQ(PickTempFile(dir.path(), "").path, "");
    EXPECT_EQ(PickTempFile(dir.File("missing/"), id).path, "");
}

TEST_F(TempFolder, IdLineFromAFileAndDeletion) {
    ASSERT_TRUE(WriteFileAtomic(dir.File("0001.txt"),
                                "X-Status: READ\r\nDate: a\r\nDate: b\r\n--------\r\nDate: c\r\n"));
    std::string id;
    ASSERT_TRUE(ReadIdLine(dir.File("0001.txt"), id));
    EXPECT_EQ(id, "Date: b");
    EXPECT_FALSE(ReadIdLine(dir.File("none.txt"), id));

    Put("_plv0001.tmp", "x", 0);
    Put("aplvabcd.tmp", "x", 0);
    Put("_plv01.tmp", "x", 0);  // not the mask
    TempFileDeletion d = DeleteTempFiles(dir.path());
    EXPECT_EQ(d.deleted, 2);
    EXPECT_TRUE(d.failed.empty());
    EXPECT_TRUE(FileExists(dir.File("_plv01.tmp")));
    EXPECT_TRUE(FileExists(dir.File("0001.txt")));
}

}  // namespace
}  // namespace kestrel
