#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "support/run_cli.h"
#include "support/testutil.h"
#include "viewer/text/reformat.h"
#include "viewer/text/text_command.h"

namespace kestrel::test {
namespace {

const std::string kA = "\x82\xa0";  // あ

std::string Kana(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += kA;
    return out;
}

TEST(ReformatCli, DefaultStartIsOnePastTheSeparator) {
    // Header lines before the separator are never touched, even when short and joinable.
    const std::string mail = "From: a\r\nTo: b\r\n------\r\n" + Kana(20) + "\r\n" + Kana(30) +
                             "\r\n\r\nshort\nline";  // lone LF, last line without an end
    const CliResult r = RunCli({"reformat"}, mail);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "From: a\r\nTo: b\r\n------\r\n" + Kana(32) + "\r\n" + Kana(18) +
                         "\r\n\r\nshort\r\nline\r\n");
}

TEST(ReformatCli, StartZeroIsASelectionRunOverAllLines) {
    const CliResult r = RunCli({"reformat", "--start", "0"}, "short\r\nline\r\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "short line\r\n");
    // Without a separator the whole-body run starts at the last line: nothing joins.
    EXPECT_EQ(RunCli({"reformat"}, "short\r\nline\r\n").out, "short\r\nline\r\n");
}

// The tool reformats a run of lines at a time as it reads; the result must be the pass over the
// whole list, for every way of choosing the start.
TEST(ReformatCli, StreamingEqualsTheWholeListPass) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        switch (i % 7) {
            case 0:
                text += "\r\n";
                break;
            case 1:
                text += "> " + Kana(37) + "\r\n";
                break;
            case 2:
                text += "\t" + Kana(35 + i % 5) + "\n";
                break;
            case 3:
                text += "word " + std::to_string(i) + " and more words here\r\n";
                break;
            case 4:
                text += Kana(i) + "\x81\x42\r\n";
                break;
            case 5:
                text += "1. item\r\n";
                break;
            default:
                text += "------\r\n";
                break;
        }
    }
    text += Kana(50);  // last line without an end
    const std::string variants[] = {text, text.substr(text.find("------") + 8),
                                    "a\r\nb\r\n" + Kana(80), Kana(80)};
    for (const std::string& input : variants) {
        const std::vector<std::string> lines = SplitLines(input);
        for (int start : {-1, 0, 1, 5, 1000}) {
            std::vector<std::string> expected = lines;
            ReformatLines(expected, start < 0 ? JustifyStartIndex(lines) : start,
                          ReformatSettings());
            std::vector<std::string> args = {"reformat"};
            if (start >= 0) args.insert(args.end(), {"--start", std::to_string(start)});
            const CliResult r = RunCli(args, input);
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, JoinLinesCrLf(expected)) << start;
        }
    }
}

TEST(ReformatCli, SettingsFileGivesTheWidth) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("k.ini"), "[View]\r\nMaxLength=20\r\n"));
    ASSERT_TRUE(WriteFileAtomic(dir.File("in.txt"), Kana(15) + "\r\n"));
    const CliResult r =
        RunCli({"reformat", "--ini", dir.File("k.ini"), "--start", "0", dir.File("in.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Kana(10) + "\r\n" + Kana(5) + "\r\n");
}

TEST(ReformatCli, UnusableWidthIsAReformatError) {
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("k.ini"), "[View]\r\nMaxLength=0\r\n"));
    const CliResult r = RunCli({"reformat", "--ini", dir.File("k.ini")}, "a\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error in reformat routine"), std::string::npos);
}

TEST(QuoteCli, QuoteMarkFromSettingsOrDefault) {
    EXPECT_EQ(RunCli({"quote"}, "a\r\n\r\nb").out, "> a\r\n> \r\n> b\r\n");
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("k.ini"), "[View]\r\nQuote=\"| \"\r\n"));
    EXPECT_EQ(RunCli({"quote", "--ini", dir.File("k.ini")}, "a\n").out, "| a\r\n");
}

TEST(UnquoteCli, FirstLinePrefixComesOff) {
    EXPECT_EQ(RunCli({"unquote"}, "> > a\r\n> > b\r\n> c\r\n").out, "a\r\nb\r\n> c\r\n");
    EXPECT_EQ(RunCli({"unquote"}, "a\r\n> b\r\n").out, "a\r\n> b\r\n");
}

TEST(TextCommandsCli, BadArgumentsExitWithUsage) {
    TempDir dir;
    for (const char* cmd : {"reformat", "quote", "unquote"}) {
        EXPECT_EQ(RunCli({cmd, "--bogus"}).status, 2) << cmd;
        EXPECT_EQ(RunCli({cmd, dir.File("missing.txt")}).status, 2) << cmd;
        EXPECT_EQ(RunCli({cmd, "--ini", dir.File("missing.ini")}, "a").status, 2) << cmd;
        EXPECT_EQ(RunCli({cmd, "--ini"}).status, 2) << cmd;
    }
    EXPECT_EQ(RunCli({"reformat", "--start", "x"}, "a").status, 2);
    EXPECT_EQ(RunCli({"reformat", "--start", "-1"}, "a").status, 2);
}

}  // namespace
}  // namespace kestrel::test
