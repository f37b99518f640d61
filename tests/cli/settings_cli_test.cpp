#include <gtest/gtest.h>

#include "common/fileio.h"
#include "support/run_cli.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

bool HasLine(const std::string& out, const std::string& line) {
    return out.find(line + "\r\n") != std::string::npos;
}

TEST(SettingsCli, DefaultsWithoutIni) {
    CliResult r = RunCli({"settings"});
    ASSERT_EQ(r.status, 0) << r.err;
    const char* lines[] = {
        "[View] WordWrap = 0",
        "[View] ShowTo = 1",
        "[View] ViewerFontName = FixedSys",
        "[View] EditorFontSize = 14",
        "[View] Quote = > ",
        "[View] ViewerColor = $00C0C0C0",
        "[View] EditorColor = $80000005",
        "[View] ViewerFontColor = $00000000",
        "[Key] SelectAll = $241",
        "[Key] PageDownNext2 = $020",
        "[Key] SelectAll2 = $000",
        "[Printer] FontName = \x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e",
        "[Insert] KeyInsert5 = $000",
    };
    for (const char* line : lines) EXPECT_TRUE(HasLine(r.out, line)) << line;
    // One CR LF line per setting, none bare.
    size_t crlf = 0, lf = 0;
    for (size_t i = 0; i < r.out.size(); ++i) {
        if (r.out[i] == '\n') ++lf, crlf += (i > 0 && r.out[i - 1] == '\r');
    }
    EXPECT_EQ(lf, crlf);
    EXPECT_EQ(lf, 192u);
}

TEST(SettingsCli, ValuesFromFile) {
    TempDir dir;
    std::string path = dir.File("kestrel.ini");
    ASSERT_TRUE(WriteFileAtomic(
        path,
        "[view]\r\nViewerFontName=fixedsys\r\nViewerFontSize=20\r\n"
        "EditorFontName=FixedSys\r\nEditorFontSize=20\r\nViewerColor=-112\r\n"
        "Quote=\"# \"\r\nHeaderList=\x83\x5c:\r\n[Key]\r\nReplyAll=$0\r\nSelectAll=4660\r\n"));
    CliResult r = RunCli({"settings", "--ini", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const char* lines[] = {
        "[View] ViewerFontName = fixedsys",
        "[View] ViewerFontSize = 20",
        "[View] EditorFontSize = 14",
        "[View] ViewerColor = $00FF0000",
        "[View] Quote = # ",
        "[View] HeaderList = \x83\x5c:",
        "[Key] ReplyAll = $000",
        "[Key] ReplyAll2 = $00D",
        "[Key] SelectAll = $1234",
    };
    for (const char* line : lines) EXPECT_TRUE(HasLine(r.out, line)) << line;
}

TEST(SettingsCli, BadArgumentsExitTwo) {
    TempDir dir;
    const std::vector<std::string> cases[] = {
        {"settings", "--bogus"},
        {"settings", "--ini"},
        {"settings", "--ini", dir.File("missing.ini")},
    };
    for (const auto& args : cases) {
        CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
}

}  // namespace
}  // namespace kestrel::test
