#include "viewer/text/print_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

TEST(PrintLines, TrailingEmptyLinesAreHeldBack) {
    Lines text = {"", "first", "", "", "second", "", "", ""};
    EXPECT_EQ(PrintLines(text, 2), (Lines{"  ", "  first", "  ", "  ", "  second"}));
    EXPECT_EQ(PrintLines({"a", "", "b"}, 0), (Lines{"a", "", "b"}));
    EXPECT_TRUE(PrintLines({"", ""}, 10).empty());
}

TEST(PrintLines, MarginFromTheSettings) {
    PrintSettings s = PrintSettingsFrom(IniFile::FromBytes(""));
    EXPECT_EQ(s.leftSpace, 10);
    EXPECT_EQ(s.fontSize, 10);
    EXPECT_EQ(s.fontName, "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(PrintLines({"x"}, s.leftSpace), Lines{std::string(10, ' ') + "x"});
    // Garbage margins: none below zero, no endless blanks.
    EXPECT_EQ(PrintLines({"x"}, -5), Lines{"x"});
    EXPECT_EQ(PrintLines({"x"}, 2000000000)[0].size(), size_t(kMaxLeftSpace) + 1);
}

}  // namespace
}  // namespace kestrel
