#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "support/run_cli.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

const std::string kMail =
    "X-Status: READ\r\nSubject: [ml 12] Re: hello world there\r\nFrom: a\r\n------\r\n"
    "body text here\r\n";

TEST(ScrambleCli, ScrambleThenUnscrambleWithTheSettingsFile) {
    CliResult s = RunCli({"scramble", "--pin", "1234"}, kMail);
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.out,
              "X-Status: READ\r\nX-Scramble: 27\r\nSubject: [ml 12] Re: hello nEmL/@PvoI}\r\n"
              "From: a\r\n------\r\np\"kn,vQ}scB=Ti\r\n");
    CliResult u = RunCli({"unscramble", "--pin", "1234"}, s.out);
    EXPECT_EQ(u.status, 0) << u.err;
    EXPECT_EQ(u.out, kMail);
    // SubjectLength comes from the settings file; lone LFs and a last line without an end are
    // read like the other commands read them.
    TempDir dir;
    const std::string ini = dir.File("kestrel.ini"), mail = dir.File("mail.txt");
    WriteFileAtomic(ini, "[Scramble]\r\nSubjectLength=-1\r\n");
    WriteFileAtomic(mail, "X-Status: READ\nSubject: [ml 12] hello\n------\nbody");
    s = RunCli({"scramble", "--ini", ini, "--pin", "$4D2", mail});  // 1234 in hex
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.out.substr(0, 31), "X-Status: READ\r\nX-Scramble: 9\r\n");
    EXPECT_EQ(RunCli({"unscramble", "--pin", "1234"}, s.out).out,
              "X-Status: READ\r\nSubject: [ml 12] hello\r\n------\r\nbody\r\n");
}

TEST(ScrambleCli, ErrorsAndUnchangedTexts) {
    CliResult r = RunCli({"unscramble", "--pin", "1"}, "a\r\nX-Scramble: x\r\nb\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error in Original.\n");
    EXPECT_EQ(r.out, "");
    // Without the marker the text comes back as it was; scrambled twice it stays.
    EXPECT_EQ(RunCli({"unscramble", "--pin", "1"}, kMail).out, kMail);
    const std::string once = RunCli({"scramble", "--pin", "9"}, kMail).out;
    EXPECT_EQ(RunCli({"scramble", "--pin", "9"}, once).out, once);
    EXPECT_EQ(RunCli({"scramble"}, kMail).status, 2);                 // no PIN
    EXPECT_EQ(RunCli({"scramble", "--pin", "x1"}, kMail).status, 2);  // not a number
    EXPECT_EQ(RunCli({"scramble", "--pin", "1", "--bogus"}, kMail).status, 2);
    EXPECT_EQ(RunCli({"scramble", "--pin", "1", "/no/such/file"}).status, 2);
    EXPECT_EQ(RunCli({"unscramble", "--pin", "1", "--ini", "/no/such.ini"}, kMail).status, 2);
}

}  // namespace
}  // namespace kestrel::test
