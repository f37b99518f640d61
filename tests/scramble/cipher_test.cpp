#include "viewer/scramble/cipher.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestrel::test {
namespace {

// Stored mails depend on these bytes: a change of the recurrence must fail here.
TEST(KeyStream, PinnedVectors) {
    const ScrambleKey k0 = KeyStreamFromPin(0);
    EXPECT_EQ(k0[0], 46);
    EXPECT_EQ(k0[1], 79);
    EXPECT_EQ(k0[11], 44);
    EXPECT_EQ(k0[58], 126);
    const ScrambleKey k1 = KeyStreamFromPin(1234);
    const uint8_t first[12] = {181, 53, 90, 63, 137, 127, 59, 204, 105, 54, 119, 109};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(k1[i], first[i]) << i;
    EXPECT_EQ(k1[56], 96);
    EXPECT_EQ(k1[57], 60);
    EXPECT_EQ(k1[58], 155);
    const ScrambleKey k2 = KeyStreamFromPin(65535);
    EXPECT_EQ(k2[0], 61);
    EXPECT_EQ(k2[58], 40);
}

TEST(KeyStream, RecurrenceHasFullPeriodAndKeysDiffer) {
    const KeyRecurrence& r = kKeyRecurrence;
    ASSERT_LT(r.modulus, 65536u);
    ASSERT_LT(r.outputRange, 256u);
    // Full period: from 0 the state comes back to 0 only after visiting every state.
    uint32_t s = 0, steps = 0;
    do {
        s = static_cast<uint32_t>((uint64_t{s} * r.multiplier + r.increment) % r.modulus);
        ++steps;
    } while (s != 0 && steps <= r.modulus);
    EXPECT_EQ(steps, r.modulus);
    // PINs closer than 5184 never get keys that are shifts of each other: the states of two
    // PINs d apart keep their difference only when (multiplier - 1) * d is a multiple of the
    // modulus.
    for (uint32_t d = 1; d < 5184; ++d)
        ASSERT_NE(uint64_t{r.multiplier - 1} * d % r.modulus, 0u) << d;
    // Every PIN below the modulus has a key of its own.
    std::set<ScrambleKey> keys;
    for (uint32_t pin = 0; pin < r.modulus; ++pin)
        keys.insert(KeyStreamFromPin(static_cast<uint16_t>(pin)));
    EXPECT_EQ(keys.size(), r.modulus);
}

// A key byte that is a multiple of a class's size leaves that class's characters unchanged.
// Over all PINs this must stay rare, and no PIN may leave much of a text readable.
TEST(KeyStream, FewCharactersStayUnchangedForAnyPin) {
    const int sizes[3] = {95, 63, 60};
    long long total[3] = {0, 0, 0};
    int worst[3] = {0, 0, 0};
    for (uint32_t pin = 0; pin < 65536; ++pin) {
        const ScrambleKey k = KeyStreamFromPin(static_cast<uint16_t>(pin));
        for (int c = 0; c < 3; ++c) {
            int same = 0;
            for (uint8_t b : k) same += b % sizes[c] == 0;
            total[c] += same;
            worst[c] = std::max(worst[c], same);
        }
    }
    for (int c = 0; c < 3; ++c) {
        EXPECT_LE(worst[c], 5) << sizes[c];  // at most 8.5% of the key positions
        EXPECT_LT(static_cast<double>(total[c]) / (65536.0 * 59), 0.025) << sizes[c];
    }
}

// Every byte keeps its class in both directions, and each direction undoes the other.
TEST(LineCipher, KeepsClassesAndInverts) {
    const ScrambleCipher c(KeyStreamFromPin(4321));
    auto cls = [](unsigned char b) {
        if (b < 32) return 0;
        if (b <= 126) return 1;
        if (b >= 161 && b <= 223) return 2;
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) return 3;
        return 4;  // 0x7F, 0x80, 0xA0, 0xFD-0xFF
    };
    for (size_t start = 0; start < kScrambleKeyLength; ++start) {
        for (int b = 0; b < 256; ++b) {
            // One byte, then a trail byte that must never change.
            std::string line = {static_cast<char>(b), '\x9f'};
            size_t pos = start;
            c.Scramble(line, 0, pos);
            const auto out = static_cast<unsigned char>(line[0]);
            EXPECT_EQ(cls(out), cls(static_cast<unsigned char>(b))) << b;
            if (cls(static_cast<unsigned char>(b)) == 0 || cls(static_cast<unsigned char>(b)) == 4)
                EXPECT_EQ(out, b);
            const bool lead = cls(static_cast<unsigned char>(b)) == 3;
            if (lead) EXPECT_EQ(line[1], '\x9f');
            EXPECT_EQ(pos, (start + (lead ? 1 : 2)) % kScrambleKeyLength);
            size_t back = start;
            c.Unscramble(line, 0, back);
            EXPECT_EQ(line, std::string({static_cast<char>(b), '\x9f'})) << b;
        }
    }
}

TEST(LineCipher, PositionRunsAcrossLinesAndALeadByteEndsALine) {
    const ScrambleCipher c(KeyStreamFromPin(77));
    std::string a = "abc\x82", b = "\tdef";  // a lead byte at the end of the first line
    std::string whole =
        "abc\x82"
        "\tdef";  // the lead byte would take the tab along here
    size_t pos = 0;
    c.Scramble(a, 0, pos);
    EXPECT_EQ(pos, 4u);  // the lone lead byte counts as one character
    EXPECT_NE(a[3], '\x82');
    c.Scramble(b, 0, pos);
    EXPECT_EQ(b[0], '\t');
    EXPECT_EQ(pos, 8u);
    // Scrambling from where the last line stopped is the same as one long line.
    std::string d1 = "hello", d2 = "world", d = "helloworld";
    size_t p1 = 57, p2 = 57;
    c.Scramble(d1, 0, p1);
    c.Scramble(d2, 0, p1);
    c.Scramble(d, 0, p2);
    EXPECT_EQ(d1 + d2, d);
    EXPECT_EQ(p1, 8u);  // wrapped after 58
    size_t back = 0;
    c.Unscramble(a, 0, back);
    c.Unscramble(b, 0, back);
    EXPECT_EQ(a + b, whole);
}

}  // namespace
}  // namespace kestrel::test
