#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "support/run_cli.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

const std::string kRaw =
    "Subject: =?ISO-2022-JP?B?GyRCJEIbKEI=?=\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "abc=\n"
    "def=41\r\n"
    "x\x0e\x31\x0fy";  // the last line has no line end

TEST(DecodeCli, StandardInputAndFile) {
    const std::string want =
        "X-Status: READ\r\nSubject: \x1b$B$B\x1b(B\r\n"
        "Content-Transfer-Encoding: quoted-printable\r\n--------\r\nabcdefA\r\n"
        "x\x1b(I\x31\x1b(Jy\r\n";
    CliResult r = RunCli({"decode"}, kRaw);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, want);

    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("m.eml"), kRaw));
    r = RunCli({"decode", "--zenkaku", dir.File("m.eml")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("x\x1b$B\x25\x22\x1b(Jy\r\n"), std::string::npos);
}

TEST(DecodeCli, BadEscapeWritesNothing) {
    CliResult r = RunCli({"decode"}, "Content-Transfer-Encoding: quoted-printable\r\n\r\na=4G\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("'$4G' is not a valid integer value"), std::string::npos) << r.err;
}

TEST(DecodeCli, UsageErrors) {
    EXPECT_EQ(RunCli({"decode", "--frob"}, "").status, 2);
    CliResult r = RunCli({"decode", "/nonexistent/dir/m.eml"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(RunCli({"decode", "a", "b"}).status, 2);
    EXPECT_EQ(RunCli({"widen-kana", "--x"}).status, 2);
    EXPECT_EQ(RunCli({"widen-kana", "/nonexistent/dir/k.txt"}).status, 2);
}

TEST(WidenKanaCli, EveryLineWidened) {
    CliResult r = RunCli({"widen-kana"}, "\x1b(I\x4a\x5f\x1b(B\nplain\r\n\x1b(I\x5f");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "\x1b$B\x25\x51\x1b(B\r\nplain\r\n\x1b$B\x21\x2c\r\n");
}

}  // namespace
}  // namespace kestrel::test
