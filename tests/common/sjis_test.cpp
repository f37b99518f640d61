#include "common/sjis.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// "ア" is 83 41: its trail byte is an ASCII 'A'. "表" is 95 5C: its trail byte is a backslash.
constexpr char kKatakanaA[] = "\x83\x41";
constexpr char kHyo[] = "\x95\x5c";

TEST(ByteClassRule, SingleAndLeadBytes) {
    struct Case {
        unsigned char b;
        bool single;
    } cases[] = {{0x00, true},  {0x41, true},  {0x7E, true},  {0x7F, false}, {0x80, false},
                 {0xA0, false}, {0xA1, true},  {0xB1, true},  {0xDF, true},  {0xE0, false},
                 {0x81, false}, {0x9F, false}, {0xFC, false}, {0xFF, false}};
    for (const Case& c : cases) EXPECT_EQ(IsSingleByteChar(c.b), c.single) << int(c.b);
}

TEST(LowerSjisRule, NeverTouchesTrailBytes) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"ABC", "abc"},
        {std::string(kKatakanaA) + "B", std::string(kKatakanaA) + "b"},
        {std::string("X") + kKatakanaA + kKatakanaA + "Z",
         std::string("x") + kKatakanaA + kKatakanaA + "z"},
        {"\xB1"
         "A",
         "\xB1"
         "a"},               // half-width katakana is one byte: 'A' after it starts a char
        {"A\x83", "a\x83"},  // truncated lead byte at the end survives
        {"C:\\MAIL\\" + std::string(kHyo) + "\\X.TXT",
         "c:\\mail\\" + std::string(kHyo) + "\\x.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(LowerSjis(c.in), c.out) << c.in;
    EXPECT_EQ(UpperSjis("a" + std::string(kKatakanaA) + "\x82\x61"),
              "A" + std::string(kKatakanaA) + "\x82\x61");
}

TEST(FindCharDbcsRule, FindsOnlyCharacterStarts) {
    EXPECT_EQ(FindCharDbcs(',', ""), 0u);
    EXPECT_EQ(FindCharDbcs(',', ",a"), 1u);
    EXPECT_EQ(FindCharDbcs(',', "a,b"), 2u);
    // "\x82\x2c" is not a real character, but a comma as trail byte must not be taken.
    EXPECT_EQ(FindCharDbcs(',', "\x82,x,"), 4u);
    EXPECT_EQ(FindCharDbcs('\\', std::string(kHyo) + "\\"), 3u);
    EXPECT_EQ(FindCharDbcs('"', "\xB1\"a"), 2u);  // after half-width katakana
    EXPECT_EQ(FindCharDbcs(',', "\x82"), 0u);     // truncated lead byte
}

TEST(FindDbcsRule, MatchesOnCharacterBoundariesOnly) {
    std::string s = std::string(kKatakanaA) + "A";
    EXPECT_EQ(FindDbcs(s, "A"), 2u);
    EXPECT_EQ(FindDbcs("abcabc", "bc", 2), 4u);
    EXPECT_EQ(FindDbcs("abc", "x"), std::string_view::npos);
    EXPECT_TRUE(StartsCharAt(s, 2));
    EXPECT_FALSE(StartsCharAt(s, 1));
}

TEST(TextHelpers, TrimAndCompare) {
    EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_TRUE(EqualsNoCase("View", "vIEW"));
    EXPECT_FALSE(EqualsNoCase("View", "Views"));
}

}  // namespace
}  // namespace kestrel
