#include "viewer/text/url.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

TEST(UrlLengthRule, StopsAtStopBytesNonAsciiAndTrailingDots) {
    struct Case {
        std::string text;
        size_t want;
    } cases[] = {
        {"http://a.jp/x. next", 13},
        {"http://a.jp/x)", 13},
        {"(http://a.jp/x)", 14},  // the first six bytes are never examined
        {"http://a.jp/\x93\xfa", 12},
        {"http://a.jp/a'b", 13},
        {"http://a.jp/a\\b|c*d<e>f", 13},
        {"http://a.jp/...", 12},
        {"http:", 5},
        {"......", 0},
        {"", 0},
        {"http://a.jp/\tx", 12},
    };
    for (const Case& c : cases) EXPECT_EQ(UrlLength(c.text), c.want) << c.text;
}

TEST(WebBrowserCaretRule, FirstAddressNotEndingBeforeTheCaret) {
    std::string line = "see http://a.jp/x. and HTTP://b.jp/y here";
    struct Case {
        size_t caret;
        size_t start, length;
    } cases[] = {
        {0, 4, 13},    // caret on the first word: the first address, without its full stop
        {10, 4, 13},   // inside the first address
        {17, 4, 13},   // just after it (length equals the offset)
        {18, 23, 13},  // past the first: the second one
        {39, 0, 0},    // past both: nothing
    };
    for (const Case& c : cases) {
        auto u = FindUrlAtCaret(line, c.caret);
        if (c.length == 0) {
            EXPECT_FALSE(u.has_value()) << c.caret;
            continue;
        }
        ASSERT_TRUE(u.has_value()) << c.caret;
        EXPECT_EQ(u->start, c.start) << c.caret;
        EXPECT_EQ(u->length, c.length) << c.caret;
    }
    EXPECT_FALSE(FindUrlAtCaret("no address", 0).has_value());
    EXPECT_FALSE(FindUrlAtCaret("\x83h"
                                "ttp://x",
                                0)
                     .has_value());
}

TEST(WebBrowserSelectionRule, BeginsWithHttpOrFtpAndNotBoth) {
    struct Case {
        std::string sel;
        bool open;
    } cases[] = {
        {"http://a.jp", true},
        {"ftp://a.jp", true},
        {"ftp:x http", false},
        {"see http://a.jp", false},
        {"HTTP://a.jp", false},
        {"https://a.jp/ftp:/", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SelectionIsUrl(c.sel), c.open) << c.sel;
}

}  // namespace
}  // namespace kestrel
