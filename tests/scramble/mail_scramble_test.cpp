#include "viewer/scramble/mail_scramble.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "viewer/scramble/cipher.h"

namespace kestrel::test {
namespace {

using Lines = std::vector<std::string>;

const ScrambleCipher& Cipher() {
    static const ScrambleCipher c(KeyStreamFromPin(1234));
    return c;
}

Lines Scrambled(Lines t, uint8_t kept = 7) {
    ScrambleMailText(t, Cipher(), kept);
    return t;
}

Lines RoundTrip(const Lines& t, uint8_t kept = 7) {
    Lines s = Scrambled(t, kept);
    EXPECT_EQ(UnscrambleMailText(s, Cipher()), UnscrambleOutcome::Done);
    return s;
}

const std::string kKana = "\xb1\xb2\xb3";                  // ｱｲｳ
const std::string kHiragana = "\x82\xa0\x82\xa2\x82\xa4";  // あいう

TEST(MailScramble, PinnedResult) {
    const Lines t = {"X-Status: READ", "Subject: [ml 12] Re: hello world there", "From: a",
                     "------", "body text here"};
    EXPECT_EQ(Scrambled(t),
              (Lines{"X-Status: READ", "X-Scramble: 27", "Subject: [ml 12] Re: hello nEmL/@PvoI}",
                     "From: a", "------", "p\"kn,vQ}scB=Ti"}));
}

TEST(MailScramble, RestoresEveryByteAndKeepsClasses) {
    const Lines t = {"X-Status: READ",
                     "From: a@example.jp",
                     "Subject: " + kHiragana + " tab\there " + kKana,
                     "Date: today",
                     "--------------------",
                     "\tindented " + kKana + " and " + kHiragana,
                     "",
                     "ends with a lead byte \x82",
                     "odd bytes \x7f\x80\xa0\xfd\xfe\xff kept"};
    const Lines s = Scrambled(t);
    ASSERT_EQ(s.size(), t.size() + 1);
    EXPECT_EQ(s[1], "X-Scramble: 16");  // "Subject: " and 7 more bytes
    // Header lines, the first line and the separator stay; every line keeps its length.
    EXPECT_EQ(s[0], t[0]);
    EXPECT_EQ(s[2], t[1]);
    EXPECT_EQ(s[4], t[3]);
    EXPECT_EQ(s[5], t[4]);
    for (size_t i = 2; i < s.size(); ++i) EXPECT_EQ(s[i].size(), t[i - 1].size()) << i;
    EXPECT_EQ(s[3].substr(0, 16), t[2].substr(0, 16));
    EXPECT_NE(s[3], t[2]);
    EXPECT_NE(s[6], t[5]);
    EXPECT_EQ(s[6][0], '\t');
    EXPECT_NE(s[8], t[7]);
    EXPECT_NE(s[8].back(), '\x82');  // the lone lead byte is scrambled too
    EXPECT_NE(s[9].find("\x7f\x80\xa0\xfd\xfe\xff"), std::string::npos);
    EXPECT_EQ(RoundTrip(t), t);
}

TEST(MailScramble, TwiceChangesNothingAndUnmarkedTextsStay) {
    const Lines t = {"X-Status: READ", "Subject: hello there", "------", "body"};
    Lines s = Scrambled(t);
    Lines again = s;
    EXPECT_FALSE(ScrambleMailText(again, Cipher(), 7));
    EXPECT_EQ(again, s);
    // The marker counts anywhere in the second line for the scramble.
    Lines quoted = {"a", "Note: X-Scramble: 5", "------", "b"};
    EXPECT_FALSE(ScrambleMailText(quoted, Cipher(), 7));
    Lines plain = t;
    EXPECT_EQ(UnscrambleMailText(plain, Cipher()), UnscrambleOutcome::NotScrambled);
    EXPECT_EQ(plain, t);
}

TEST(MailScramble, MarkerWithoutANumberIsAnError) {
    for (const std::string marker : {"X-Scramble: ", "X-Scramble: 7x", "X-Scramble: seven"}) {
        Lines t = {"X-Status: READ", marker, "Subject: abcdefghijkl", "------", "body"};
        const Lines before = t;
        EXPECT_EQ(UnscrambleMailText(t, Cipher()), UnscrambleOutcome::BadMarker) << marker;
        EXPECT_EQ(t, before);
    }
}

TEST(MailScramble, FewerThanTwoLinesStay) {
    for (const Lines& t : {Lines{}, Lines{"Subject: only line"}}) {
        Lines s = t;
        EXPECT_FALSE(ScrambleMailText(s, Cipher(), 7));
        EXPECT_EQ(s, t);
        EXPECT_EQ(UnscrambleMailText(s, Cipher()), UnscrambleOutcome::NotScrambled);
    }
}

size_t ClearCount(const std::string& subject, uint8_t kept = 7) {
    return SubjectClearCount("Subject: " + subject, kept);
}

TEST(SubjectClearPart, MarkerRules) {
    EXPECT_EQ(ClearCount("[list] hello world"), 9u + 7 + 7);  // "[list] " then 7
    EXPECT_EQ(ClearCount("Re: hello world"), 9u + 3 + 7);     // "Re:" then " hello "
    EXPECT_EQ(ClearCount("RE: hello world"), 9u + 3 + 7);
    EXPECT_EQ(ClearCount("Fw: hello world"), 9u + 4 + 7);                     // "Fw: "
    EXPECT_EQ(ClearCount("[ml:1] Re: Fw: hello world"), 9u + 7 + 3 + 5 + 7);  // " Fw: " too
    // "【...】": the closing bracket within 12 bytes.
    const std::string title = "\x81\x79\x8f\x64\x97\x76\x81\x7a";  // 【重要】
    EXPECT_EQ(ClearCount(title + "meeting tomorrow"), 9u + 8 + 7);
    // Too far from the start: no rule applies.
    EXPECT_EQ(ClearCount("a very long list name here] x"), 9u + 7);
    EXPECT_EQ(ClearCount("Hello Re: x and more"), 9u + 7);
    // SubjectLength -1 keeps "Subject: " alone, markers or not.
    EXPECT_EQ(ClearCount("[list] Re: hello", 0), 9u);
    // A short subject stays readable whole; n is its length.
    EXPECT_EQ(ClearCount("hi"), 11u);
    EXPECT_EQ(SubjectClearCount("Subject:", 7), 8u);
    Lines t = {"X-Status: READ", "Subject: hi", "------", "body"};
    const Lines s = Scrambled(t);
    EXPECT_EQ(s[1], "X-Scramble: 11");
    EXPECT_EQ(s[2], "Subject: hi");
    EXPECT_EQ(RoundTrip(t), t);
    EXPECT_EQ(Scrambled(t, 0)[1], "X-Scramble: 9");
    EXPECT_EQ(RoundTrip(t, 0), t);
}

TEST(MailScramble, NoSeparatorScramblesTheLastLineOnly) {
    const Lines t = {"first", "Subject: secret words here", "middle", "last line"};
    const Lines s = Scrambled(t);
    EXPECT_EQ(s[2], t[1].substr(0, 16) + s[2].substr(16));
    EXPECT_NE(s[2], t[1]);
    EXPECT_EQ(s[3], "middle");
    EXPECT_NE(s[4], "last line");
    EXPECT_EQ(RoundTrip(t), t);
}

// Texts that the steps taken literally do not restore.
TEST(MailScramble, ExactInverseMends) {
    // Two Subject lines whose clear parts differ: one count serves both.
    const Lines twoSubjects = {"X-Status: READ", "Subject: [a] Re: first subject",
                               "Subject: second subject line", "------", "body"};
    const Lines s = Scrambled(twoSubjects);
    EXPECT_EQ(s[1], "X-Scramble: 16");  // the last Subject line's count, as always recorded
    EXPECT_EQ(RoundTrip(twoSubjects), twoSubjects);
    // The separator on the first line stays readable.
    const Lines separatorFirst = {"------", "Subject: not a header", "body"};
    EXPECT_EQ(Scrambled(separatorFirst)[0], "------");
    EXPECT_EQ(RoundTrip(separatorFirst), separatorFirst);
    // Two lines starting with a Subject: the first line is never scrambled nor unscrambled.
    const Lines twoLines = {"Subject: hello world again", "second line"};
    EXPECT_EQ(Scrambled(twoLines)[0], twoLines[0]);
    EXPECT_EQ(RoundTrip(twoLines), twoLines);
    // A header-only mail: the separator stays readable and the Subject is scrambled.
    const Lines headerOnly = {"X-Status: READ", "From: a", "Subject: a secret subject", "------"};
    const Lines h = Scrambled(headerOnly);
    EXPECT_EQ(h.back(), "------");
    EXPECT_NE(h[3], headerOnly[2]);
    EXPECT_EQ(RoundTrip(headerOnly), headerOnly);
}

// The scrambled part of a Subject, or the last line of a text without a separator, can come out
// holding "------"; unscrambling must still find the same header end.
TEST(MailScramble, ScrambledSeparatorLookalikes) {
    const ScrambleCipher& c = Cipher();
    auto clearFor = [&c](const std::string& wanted, size_t position) {
        std::string s = wanted;
        c.Unscramble(s, 0, position);
        return s;
    };
    // A Subject whose scrambled rest is "------xx" with the clear count 9 (kept bytes 0).
    const Lines subject = {"X-Status: READ", "Subject: " + clearFor("------xx", 0), "From: a",
                           "------", "body"};
    EXPECT_EQ(RoundTrip(subject, 0), subject);
    // A text without a separator whose last line scrambles to one.
    const Lines noSeparator = {"first", "second", clearFor("a------b", 0)};
    EXPECT_EQ(RoundTrip(noSeparator), noSeparator);
    const Lines withSubject = {"Subject: abcdefghijklmnop", "second", clearFor("------", 16)};
    EXPECT_EQ(RoundTrip(withSubject, 0), withSubject);
}

// unscramble(scramble(t)) == t for texts built from the pieces that matter: Subject lines,
// separators, markers, every byte class, empty lines, few lines.
TEST(MailScramble, RoundTripProperty) {
    std::mt19937 rng(20261208);
    const std::vector<std::string> pieces = {
        "Subject:", "Subject: ", "------",  "-----", "-",        "X-Scramble: ", "Re:",
        "] ",       "E:",        "e:",      ": ",    "\x81\x7a", "\x81\x79",     "[ml] ",
        "Fw: ",     " ",         "\t",      "abc",   "xyz",      "\x82",         "\x82\xa0",
        "\x88\x9f", "\xb1",      "\xdf",    "\x7f",  "\x80",     "\xa0",         "\xfd",
        "\xff",     "\r",        "From: a", "0"};
    for (int round = 0; round < 20000; ++round) {
        const int count = static_cast<int>(rng() % 7);
        Lines t;
        for (int i = 0; i < count; ++i) {
            std::string line;
            const int parts = static_cast<int>(rng() % 6);
            for (int p = 0; p < parts; ++p) line += pieces[rng() % pieces.size()];
            t.push_back(line);
        }
        if (t.size() >= 2 && t[1].find("X-Scramble: ") != std::string::npos) continue;
        const uint8_t kept = static_cast<uint8_t>(rng() % 3 == 0 ? 0 : rng() % 20);
        Lines s = t;
        const bool changed = ScrambleMailText(s, Cipher(), kept);
        EXPECT_EQ(changed, t.size() >= 2);
        if (changed) {
            ASSERT_EQ(UnscrambleMailText(s, Cipher()), UnscrambleOutcome::Done);
        }
        ASSERT_EQ(s, t) << "round " << round;
    }
}

}  // namespace
}  // namespace kestrel::test
