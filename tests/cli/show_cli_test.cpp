#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "support/run_cli.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

std::string Fixture() {
    return DataDir() + "mail/Inbox/0001.txt";
}

std::string ReadAll(const std::string& path) {
    std::string b;
    ReadFileBytes(path, b);
    return b;
}

TEST(ShowCli, FilteredViewAndOutputForms) {
    CliResult r = RunCli({"show", Fixture()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("X-Status: RECV\r\nDate: Tue, 1 Dec 2026 10:00:00 +0900\r\nTo:", 0), 0u);
    EXPECT_NE(r.out.find("\r\n    c@example.jp\r\nFrom: "), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 5), "end\r\n");

    r = RunCli({"show", "--state", Fixture()});
    EXPECT_EQ(r.out,
              "partialView=0 truncatedView=0 htmlMail=0 alertColour=$00000000 bodyStart=8 "
              "showToThis=1 recvMail=1 longestBodyLine=45 error=0\r\n");

    r = RunCli({"show", "--annotate", "--show-to", "0", Fixture()});
    EXPECT_EQ(r.out.substr(0, 22), "T\t0\t0\tX-Status: RECV\r\n");
    EXPECT_EQ(r.out.find("To:"), std::string::npos);
    EXPECT_NE(r.out.find("T\t14\t26\t\x8e\x9f\x89\xf1"), std::string::npos);
    EXPECT_NE(r.out.find("Q\t0\t0\t\x81\x84 "), std::string::npos);

    r = RunCli({"show", "--list", "--header", Fixture()});
    EXPECT_EQ(r.out, ReadAll(Fixture()) + "\r\n");
}

TEST(ShowCli, SettingsFileAndSwitches) {
    TempDir dir;
    std::string mail = dir.File("0002.txt");
    std::string body;
    for (int i = 0; i < 20; ++i) body += "line\n";
    ASSERT_TRUE(WriteFileAtomic(
        mail, "X-Status: READ\nSubject: URGENT\nReply-To: r@x\n-----\n" + body + "last"));
    std::string ini = dir.File("kestrel.ini");
    ASSERT_TRUE(WriteFileAtomic(ini,
                                "[View]\r\nMaxLines=10\r\nHeaderList=reply-to:\r\n[Alert]\r\n"
                                "AlertString1=urgent\r\nAlertColor1=$000000ff\r\n"));
    CliResult r = RunCli({"show", "--ini", ini, "--state", mail});
    EXPECT_EQ(r.out,
              "partialView=1 truncatedView=1 htmlMail=0 alertColour=$000000FF bodyStart=5 "
              "showToThis=1 recvMail=0 longestBodyLine=4 error=0\r\n");
    r = RunCli({"show", "--ini", ini, mail});
    EXPECT_NE(r.out.find("Reply-To: r@x\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n\r\n  ***** Too long. Hit Header button to display all. *****\r\n"),
              std::string::npos);
    r = RunCli({"show", "--ini", ini, "--no-fresh", mail});
    EXPECT_EQ(r.out.substr(r.out.size() - 6), "last\r\n");  // a last line without its end counts
    r = RunCli({"show", "--plain", "--list", mail});
    EXPECT_EQ(r.out.rfind("X-Status: READ\r\nSubject: URGENT\r\nReply-To: r@x\r\n-----\r\n", 0),
              0u);
}

TEST(ShowCli, NeverWritesAndFindsLowerCasedPath) {
    TempDir dir;
    std::string mail = dir.File("AB12.TXT");
    std::string bytes = "X-Status: RECV\r\n-----\r\nb\r\n";
    ASSERT_TRUE(WriteFileAtomic(mail, bytes));
    CliResult r = RunCli({"show", dir.File("ab12.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "X-Status: RECV\r\n\r\n\r\n-----\r\nb\r\n");
    EXPECT_EQ(ReadAll(mail), bytes);
}

TEST(ShowCli, UsageErrors) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
    } cases[] = {
        {{"show"}},
        {{"show", dir.File("none.txt")}},
        {{"show", "--bogus", Fixture()}},
        {{"show", "--show-to", "2", Fixture()}},
        {{"show", "--state", "--list", Fixture()}},
        {{"show", "--ini", dir.File("none.ini"), Fixture()}},
        {{"show", Fixture(), Fixture()}},
    };
    for (const Case& c : cases) {
        CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, 2) << c.args.back();
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(ShowCli, OpenErrorIsReportedWithWhatWasRead) {
    TempDir dir;
    std::string mail = dir.File("0003.txt");
    ASSERT_TRUE(WriteFileAtomic(mail, "Date: x\r\nX-Status: READ\r\n-----\r\n"));
    CliResult r = RunCli({"show", "--state", mail});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("error=1"), std::string::npos);
    EXPECT_NE(r.err.find("Error in mail open procedure"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::test
