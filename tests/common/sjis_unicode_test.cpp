#include "common/sjis_unicode.h"

#include <gtest/gtest.h>

#include "common/textpos.h"

namespace kestrel {
namespace {

TEST(Cp932Conversion, KnownCharacters) {
    struct Case {
        std::string sjis;
        std::u16string text;
    } cases[] = {
        {"abc", u"abc"},
        {"\x82\xa0", u"\u3042"},        // あ
        {"\x83\x41", u"\u30a2"},        // ア (trail byte 'A')
        {"\x95\x5c", u"\u8868"},        // 表 (trail byte '\')
        {"\xb1\xdf", u"\uff71\uff9f"},  // half-width ｱﾟ
        {"\x81\x40", u"\u3000"},        // ideographic space
        {"\x87\x40", u"\u2460"},        // ① (NEC row 13)
        {"\xf0\x40", u"\ue000"},        // user-defined area
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SjisToUtf16(c.sjis), c.text) << c.sjis;
        EXPECT_EQ(Utf16ToSjis(c.text), c.sjis) << c.sjis;
    }
}

TEST(Cp932Conversion, InvalidBytesSurviveTheRoundTrip) {
    const std::string cases[] = {
        "\x80",
        "\xa0",
        "\xfd\xfe\xff",
        "abc\x82",    // lone lead byte at the end
        "\x81\x20x",  // lead byte with a trail that is no trail
        "\x85\x40",   // undefined pair
        std::string("\x00\x7f", 2),
    };
    for (const std::string& s : cases) EXPECT_EQ(Utf16ToSjis(SjisToUtf16(s)), s);
}

TEST(Cp932Conversion, DuplicateCodesPreferWindowsChoice) {
    EXPECT_EQ(Utf16ToSjis(u"\u2252"), "\x81\xe0");  // ≒: JIS row, not NEC 87 90
    EXPECT_EQ(Utf16ToSjis(u"\u7e8a"), "\xfa\x5c");  // 纊: IBM row, not NEC-selected ED 40
    EXPECT_EQ(Utf16ToSjis(u"\u2160"), "\x87\x54");  // Ⅰ: NEC row 13, not FA 4A
    // JIS forms typed by input methods keep their code page 932 bytes.
    EXPECT_EQ(Utf16ToSjis(u"\u301c\u2212\u00a2\u00a3\u00ac\u2016"),
              "\x81\x60\x81\x7c\x81\x91\x81\x92\x81\xca\x81\x61");
    bool lossy = false;
    EXPECT_EQ(Utf16ToSjis(u"\u00e9", &lossy), "?");
    EXPECT_TRUE(lossy);
}

TEST(SjisLineMemoryRule, UneditedLineComesBackByteForByte) {
    SjisLineMemory memory;
    const std::string nec = "x \x87\x90 y";  // ≒ written with its NEC code
    const std::string ibm = "\xed\x40";      // 纊 written with its NEC-selected code
    memory.RememberAll({nec, ibm, "plain"});
    EXPECT_EQ(memory.ToSjis(SjisToUtf16(nec)), nec);
    EXPECT_EQ(memory.ToSjis(SjisToUtf16(ibm)), ibm);
    // An edited line is converted afresh, with the preferred codes.
    EXPECT_EQ(memory.ToSjis(SjisToUtf16(nec + "!")), "x \x81\xe0 y!");
}

TEST(PositionMapRule, BytesAndControlPositions) {
    // Line 0: "a" + あ + "b" (4 bytes, 3 chars); line 1: empty; line 2: ｱ + invalid 80 (2 bytes).
    std::vector<std::string> lines = {
        "a\x82\xa0"
        "b",
        "", "\xb1\x80"};
    PositionMap map(lines);
    struct Case {
        size_t byte, chr;
    } exact[] = {{0, 0}, {1, 1}, {3, 2}, {4, 3}, {6, 4}, {8, 5}, {9, 6}, {10, 7}};
    for (const Case& c : exact) {
        EXPECT_EQ(map.ToChar(BytePos{c.byte}).value, c.chr) << c.byte;
        EXPECT_EQ(map.ToByte(CharPos{c.chr}).value, c.byte) << c.chr;
    }
    EXPECT_EQ(map.ToChar(BytePos{2}).value, 1u);  // inside あ: its start
    EXPECT_EQ(map.ToChar(BytePos{5}).value, 3u);  // inside the CR LF of line 0
    EXPECT_EQ(map.ToChar(BytePos{99}).value, 7u);
    EXPECT_EQ(map.ToByte(CharPos{99}).value, 10u);
    EXPECT_EQ(map.LineOfByte(BytePos{6}), 1u);
    EXPECT_EQ(map.LineStartChar(2).value, 5u);
    PositionMap none;
    EXPECT_EQ(none.ToChar(BytePos{3}).value, 0u);
}

}  // namespace
}  // namespace kestrel
