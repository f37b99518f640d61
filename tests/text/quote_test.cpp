#include "viewer/text/quote.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;
const std::string kQuoteChar = ">|:# -=";

TEST(QuotePrefixRule, SingleByteRunThenFullWidthMarks) {
    struct Case {
        std::string line, prefix;
    } cases[] = {
        {"> > abc", "> > "},
        {"   x", "   "},
        {"abc", ""},
        {"", ""},
        {"\x81\x40\x81\x84text", "\x81\x40\x81\x84"},  // full-width space, ＞
        {">\x81\x94x", ">\x81\x94"},                   // ＃
        {">\x81\x41", ">"},                            // 、 is not a mark
        {">\x81", ">"},                                // truncated lead byte
        {"\x81\x40>", "\x81\x40"},                     // single-byte marks come first only
    };
    for (const Case& c : cases) EXPECT_EQ(QuotePrefix(c.line, kQuoteChar), c.prefix) << c.line;
}

TEST(QuotePrefixRule, DoubleByteQuoteCharNeverSplitsACharacter) {
    // 0x81 and 0x40 from a double-byte entry must not match the bytes of another character.
    EXPECT_EQ(QuotePrefix("\x81\x41x", ">\x81\x40"), "");
}

TEST(QuoteCommand, EveryLineGetsTheMarkEmptyOnesToo) {
    Lines lines = {"a", "", "b"};
    QuoteLines(lines, "> ");
    EXPECT_EQ(lines, (Lines{"> a", "> ", "> b"}));
}

TEST(UnquoteCommand, FirstLinePrefixComesOffMatchingLines) {
    struct Case {
        const char* name;
        Lines in, out;
    } cases[] = {
        {"no prefix changes nothing", {"abc", "> def"}, {"abc", "> def"}},
        {"two levels", {"> > a", "> > b", "> c", ""}, {"a", "b", "> c", ""}},
        {"one level", {"> a", "> > b"}, {"a", "> b"}},
        {"empty list", {}, {}},
    };
    for (const Case& c : cases) {
        Lines lines = c.in;
        UnquoteLines(lines, kQuoteChar);
        EXPECT_EQ(lines, c.out) << c.name;
    }
}

}  // namespace
}  // namespace kestrel
