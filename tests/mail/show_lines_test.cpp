#include "viewer/mail/show_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

Lines Visible(const Lines& lines, bool showToThis) {
    Lines out;
    for (const ShownLine& s : ShowMailLines(lines, showToThis)) out.push_back(lines[s.index]);
    return out;
}

TEST(ToHidingRule, HidesAddressLinesOfTheHeaderOnly) {
    Lines list = {"X-Status: READ", "To: a@x,",      "    b@x,",  "\tc@x",
                  "CC: d@x",        "bcc: e@x",      "From: f",   "Subject: s",
                  "-----",          "To: body line", "  indented"};
    EXPECT_EQ(Visible(list, false), (Lines{"X-Status: READ", "From: f", "Subject: s", "-----",
                                           "To: body line", "  indented"}));
    EXPECT_EQ(Visible(list, true), list);
    // An empty line also ends the header for this rule; an indented line after a shown one
    // stays.
    Lines plain = {"Subject: s", "  more", "", "to: x"};
    EXPECT_EQ(Visible(plain, false), plain);
}

TEST(LineColouring, QuoteKindsAndOneAddressPerLine) {
    struct Case {
        std::string line;
        bool quote;
        size_t pos, len;
    } cases[] = {
        {"> quoted http://a.jp/x", true, 10, 13},
        {"| bar", true, 0, 0},
        {"\x81\x84 full-width", true, 0, 0},
        {" > not at start", false, 0, 0},
        {"see HTTPS://a.jp/ and http://b.jp/.", false, 23, 12},
        {"ftp://f.jp/(x)", false, 1, 11},
        {"\x83h"
         "ttp://no.jp",
         false, 0, 0},
        {"http://a.jp/\x93\xfa\x96\x7b", false, 1, 12},
        {"", false, 0, 0},
    };
    Lines list;
    for (const Case& c : cases) list.push_back(c.line);
    std::vector<ShownLine> shown = ShowMailLines(list, true);
    ASSERT_EQ(shown.size(), list.size());
    size_t pos = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].quote, cases[i].quote) << cases[i].line;
        EXPECT_EQ(shown[i].urlPos, cases[i].pos) << cases[i].line;
        EXPECT_EQ(shown[i].urlLength, cases[i].len) << cases[i].line;
        EXPECT_EQ(shown[i].editorPos, pos);
        pos += list[i].size() + 2;
    }
}

TEST(LineColouring, HiddenLinesTakeNoEditorPlace) {
    std::vector<ShownLine> shown = ShowMailLines({"To: a", "From: b", "-----"}, false);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].index, 1u);
    EXPECT_EQ(shown[0].editorPos, 0u);
    EXPECT_EQ(shown[1].editorPos, 9u);
}

}  // namespace
}  // namespace kestrel
