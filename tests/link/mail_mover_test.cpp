#include "viewer/link/mail_mover.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/fileio.h"
#include "common/ini.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

std::string Four(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%04d", n);
    return b;
}

class MailMoverTest : public ::testing::Test {
  protected:
    // A mail of folder (below the client folder) with the status word and extra header lines.
    void Put(const std::string& folder, int number, const std::string& status = "READ",
             const std::string& header = "") {
        std::filesystem::create_directories(dir.File(folder));
        std::string bytes = "X-Status: " + status + "\r\nFrom: a@b\r\n" + header +
                            "Subject: s\r\n--------\r\nReply-To: in the body\r\n";
        ASSERT_TRUE(WriteFileAtomic(dir.File(folder + "/" + Four(number) + ".txt"), bytes));
    }
    std::string Dir(const std::string& folder) { return dir.File(folder); }
    std::string Client() { return dir.path(); }

    test::TempDir dir;
};

TEST_F(MailMoverTest, NextMailNumberSkipsGapsAndStopsBelow200) {
    Put("Recv", 1);
    Put("Recv", 5);
    Put("Recv", 199);
    Put("Recv", 200);
    std::string d = Dir("Recv");
    EXPECT_EQ(NextMailNumber(d, "9999"), "0001");
    EXPECT_EQ(NextMailNumber(d, "0001"), "0005");
    EXPECT_EQ(NextMailNumber(d, "0005"), "0199");
    EXPECT_EQ(NextMailNumber(d, "0199"), "9999");  // 0200 is never visited
    EXPECT_EQ(NextMailNumber(d, "0250"), "9999");
    EXPECT_EQ(NextMailNumber(d, "12x4"), "9999");
    EXPECT_EQ(NextMailNumber(Dir("none"), "9999"), "9999");
    Put("Recv", 0);
    EXPECT_EQ(NextMailNumber(d, "9999"), "0000");
}

TEST_F(MailMoverTest, ClassificationReadsTheHeaderOnly) {
    Put("Recv", 1);
    Put("Recv", 2, "READ", "Reply-To: list@example.jp\r\n");
    Put("Recv", 3, "WRIT");
    Put("Recv", 4, "READ", "reply-to: lower@case\r\n");
    std::string d = Dir("Recv") + PathSeparator();
    EXPECT_TRUE(IsOrdinaryMail(d + "0001.txt", "Reply-To:"));  // "Reply-To:" in the body only
    EXPECT_FALSE(IsOrdinaryMail(d + "0002.txt", "Reply-To:"));
    EXPECT_FALSE(IsOrdinaryMail(d + "0003.txt", "Reply-To:"));
    EXPECT_TRUE(IsOrdinaryMail(d + "0004.txt", "Reply-To:"));  // the header text has its case
    EXPECT_TRUE(IsOrdinaryMail(d + "0002.txt", ""));           // an empty text matches nothing
    EXPECT_FALSE(IsOrdinaryMail(d + "0009.txt", "Reply-To:"));

    // No separator: the end of the file ends the header; no line end at all.
    ASSERT_TRUE(WriteFileAtomic(d + "0010.txt", "X-Status: READ\nFrom: a"));
    EXPECT_TRUE(IsOrdinaryMail(d + "0010.txt", "Reply-To:"));
    ASSERT_TRUE(WriteFileAtomic(d + "0011.txt", "X-Status: READ\nFrom: a\nReply-To: x"));
    EXPECT_FALSE(IsOrdinaryMail(d + "0011.txt", "Reply-To:"));
    // A huge line without a line end does not stop the reader.
    ASSERT_TRUE(WriteFileAtomic(d + "0012.txt", "X-Status: READ\n" + std::string(300000, 'x')));
    EXPECT_TRUE(IsOrdinaryMail(d + "0012.txt", "Reply-To:"));
}

TEST_F(MailMoverTest, DefaultRunSendsMeetingListFirstThenOrdinaryThenOutFolder) {
    Put("Recv", 1);
    Put("Recv", 2, "READ", "Reply-To: list@example.jp\r\n");
    Put("Recv", 5);
    Put("Recv", 7, "WRIT");  // counts as a meeting mail
    Put("Out", 1);
    Put("Out", 2, "WRIT");  // still being written: stays
    Put("Out", 3, "READ", "Reply-To: me@x\r\n");
    MailMoverSettings s = MailMoverSettingsFrom(IniFile(), "c:/prog/");
    MailMover mover;
    std::string c = Client();
    EXPECT_EQ(mover.Start(c, s), std::vector<std::string>{"[Update(" + c + "Recv.fld)]"});
    EXPECT_EQ(mover.Step1(),
              std::vector<std::string>{"[Move(" + c + "In.fld," + c + "Recv.fld,0002,0007)]"});
    EXPECT_EQ(mover.Step2(),
              std::vector<std::string>{"[Move(" + c + "In.fld," + c + "Recv.fld,0001,0005)]"});
    std::string out = c + "out";  // lower-cased
    EXPECT_EQ(mover.Step3(false, ""),
              (std::vector<std::string>{"[Move(" + c + "Sent.fld," + out + ".fld,0001)]",
                                        "[Update(" + out + ".fld)]"}));
    // Closing while the out mail is on show: the out folder is not touched, but refreshed.
    EXPECT_EQ(mover.Step3(true, out + PathSeparator() + "0002.txt"),
              std::vector<std::string>{"[Update(" + out + ".fld)]"});
}

TEST_F(MailMoverTest, MeetingFolderSettingAndEmptyFolders) {
    Put("Recv", 2, "READ", "Reply-To: list@example.jp\r\n");
    IniFile ini = IniFile::FromBytes("[AW]\r\nAW=1\r\nNetMtg=Mtg\r\n");
    MailMoverSettings s = MailMoverSettingsFrom(ini, "c:/prog/");
    EXPECT_TRUE(s.aw);
    EXPECT_TRUE(s.autoMove);
    EXPECT_EQ(s.attachDir, "c:/prog/");
    EXPECT_EQ(s.AttachPrefix(), "$$AttachFile: ");
    MailMover mover;
    std::string c = Client();
    mover.Start(c, s);
    EXPECT_EQ(mover.Step1(),
              std::vector<std::string>{"[Move(" + c + "Mtg.fld," + c + "Recv.fld,0002)]"});
    EXPECT_TRUE(mover.Step2().empty());
    // No out folder at all: only its Update.
    EXPECT_EQ(mover.Step3(false, ""), std::vector<std::string>{"[Update(" + c + "out.fld)]"});
    EXPECT_FALSE(MailMoverSettingsFrom(IniFile::FromBytes("[AW]\r\nAutoMove=1\r\n"), "").autoMove);
}

TEST_F(MailMoverTest, OneRunSortsTheFirstThirtyMailsBelow0200) {
    for (int n = 150; n < 210; ++n) Put("Recv", n);
    MailMover mover;
    mover.Start(Client(), MailMoverSettings{});
    const auto& ordinary = mover.Lists().ordinary;
    ASSERT_EQ(ordinary.size(), 30u);
    EXPECT_EQ(ordinary.front(), "0150");
    EXPECT_EQ(ordinary.back(), "0179");

    for (int n = 150; n < 190; ++n) std::filesystem::remove(Dir("Recv/" + Four(n) + ".txt"));
    mover.Start(Client(), MailMoverSettings{});
    EXPECT_EQ(mover.Lists().ordinary,
              (std::vector<std::string>{"0190", "0191", "0192", "0193", "0194", "0195", "0196",
                                        "0197", "0198", "0199"}));
}

TEST(AttachLine, InsertionIndexAndLine) {
    std::vector<std::string> lines = {"one", "two", "three", "four"};
    // Line 3 ("three") starts at 5 + 5 = 10.
    EXPECT_EQ(AttachInsertIndex(lines, 12), 3u);  // inside line 3: below it
    EXPECT_EQ(AttachInsertIndex(lines, 10), 2u);  // at its start: above it
    EXPECT_EQ(AttachInsertIndex(lines, 0), 0u);
    EXPECT_EQ(AttachInsertIndex(lines, 1000), 4u);
    EXPECT_EQ(AttachInsertIndex({}, 5), 0u);
    MailMoverSettings s;
    EXPECT_EQ(AttachLine(s, "C:\\Docs\\Report.DOC"), "$$AttachFile: c:\\docs\\report.doc");
    // The trail byte of a double-byte character is not lower-cased.
    EXPECT_EQ(AttachLine(s, "C:\\\x83\x41\\A.txt"), "$$AttachFile: c:\\\x83\x41\\a.txt");
}

}  // namespace
}  // namespace kestrel
