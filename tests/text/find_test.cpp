#include "viewer/text/find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

// Katakana a (83 41), the kanji 89 41 and katakana di (83 61): their trail bytes are the ASCII
// codes of "A" and "a".
const std::string kKataA = "\x83\x41";
const std::string kKanjiIn = "\x89\x41";
const std::string kKataDi = "\x83\x61";
const std::string kNichi = "\x93\xfa";  // the kanji for "day"

size_t Find(const std::string& text, const std::string& what, FindOptions o = {}, size_t from = 0) {
    return TextSearcher(text, what, o).Next(from);
}
constexpr size_t npos = std::string::npos;

TEST(SearchSelect, NeverMatchesInsideADoubleByteCharacter) {
    std::string text = kKataA + kKanjiIn + kKataDi + "xa";
    // Without Match case "a" and "A" are the same letter, but never the trail bytes above.
    EXPECT_EQ(Find(text, "a"), 7u);
    EXPECT_EQ(Find(text, "A"), 7u);
    EXPECT_EQ(Find(text, "A", {true, false}), npos);
    // The bytes of a kanji standing across two characters (ン = 83 93, then FA 40) are no match.
    EXPECT_EQ(Find("\x83\x93\xfa\x40", kNichi), npos);
    EXPECT_EQ(Find("\x83\x93\xfa\x40" + kNichi, kNichi), 4u);
    // A search text cut after a lead byte matches no whole character.
    EXPECT_EQ(Find(kKataA, "\x83"), npos);
    // Folding leaves a Japanese search text alone: ア does not find ヂ.
    EXPECT_EQ(Find(kKataDi + kKataA, kKataA), 2u);
}

TEST(SearchSelect, StartsAfterTheSelectionAndSelectsTheMatch) {
    StringFindTarget t("abc ABC abc", 0, 3);
    ASSERT_TRUE(SearchSelect(t, "abc", {}));
    EXPECT_EQ(t.SelStart(), 4u);
    EXPECT_EQ(t.SelLength(), 3u);
    ASSERT_TRUE(SearchSelect(t, "abc", {true, false}));
    EXPECT_EQ(t.SelStart(), 8u);
    // Nothing further: the selection stays.
    EXPECT_FALSE(SearchSelect(t, "abc", {}));
    EXPECT_EQ(t.SelStart(), 8u);
    EXPECT_EQ(t.SelLength(), 3u);
    // An empty search text finds nothing.
    StringFindTarget e("abc");
    EXPECT_FALSE(SearchSelect(e, "", {}));
    // A candidate must fit before the end.
    StringFindTarget s("ab", 1, 0);
    EXPECT_FALSE(SearchSelect(s, "bc", {}));
}

TEST(SearchSelect, WholeWords) {
    const FindOptions word{false, true};
    EXPECT_EQ(Find("abcd abc", "abc", word), 5u);
    // A Japanese character after or before the word is a delimiter, even one whose trail byte
    // is a letter.
    EXPECT_EQ(Find("abcd abc" + kNichi, "ABC", word), 5u);
    EXPECT_EQ(Find(kKataA + "bc", "bc", word), 2u);
    // The word that begins at the start position is found.
    EXPECT_EQ(Find("abc abc", "abc", word, 0), 0u);
    EXPECT_EQ(Find("x abc", "abc", word, 2), 2u);
    // Starting inside a word passes over the rest of it.
    EXPECT_EQ(Find("abc abc", "abc", word, 1), 4u);
    EXPECT_EQ(Find("xabc abc", "abc", word, 1), 5u);
    // The end of a word at the end of the text is no word start.
    EXPECT_EQ(Find("xabc", "abc", word), npos);
    EXPECT_EQ(Find("abc_x", "abc", word), 0u);  // "_" is a delimiter
    EXPECT_EQ(Find("abc1", "abc", word), npos);
}

TEST(Replace, FirstStepHonoursMatchCase) {
    ReplaceRequest r{"abc", "xyz", {true, false}};
    StringFindTarget t("ABC abc", 0, 3);
    ASSERT_TRUE(ReplaceNext(t, r));
    EXPECT_EQ(t.Text(), "ABC abc");  // "ABC" is not what was asked for
    EXPECT_EQ(t.SelStart(), 4u);
    EXPECT_FALSE(ReplaceNext(t, r));  // replaces the selected "abc", finds no further one
    EXPECT_EQ(t.Text(), "ABC xyz");

    r.options.matchCase = false;
    StringFindTarget u("ABC abc", 0, 3);
    ASSERT_TRUE(ReplaceNext(u, r));
    EXPECT_EQ(u.Text(), "xyz abc");
    EXPECT_EQ(u.SelStart(), 4u);
    EXPECT_EQ(u.SelLength(), 3u);
}

TEST(Replace, OneAtATimeSelectsThenReplaces) {
    ReplaceRequest r{"a", "b", {}};
    StringFindTarget t("xa" + kKataA + "a");
    ASSERT_TRUE(ReplaceNext(t, r));  // nothing selected: only finds
    EXPECT_EQ(t.Text(), "xa" + kKataA + "a");
    EXPECT_EQ(t.SelStart(), 1u);
    ASSERT_TRUE(ReplaceNext(t, r));
    EXPECT_EQ(t.SelStart(), 4u);  // past the katakana, whose trail byte is "A"
    EXPECT_FALSE(ReplaceNext(t, r));
    EXPECT_EQ(t.Text(), "xb" + kKataA + "b");
}

TEST(Replace, AllEndsAndReplacesEveryMatchAfterTheCaret) {
    // The replacement holds the search text: each search starts after the text put in.
    StringFindTarget t("a a a");
    EXPECT_EQ(ReplaceAll(t, {"a", "aa", {}}), 3u);
    EXPECT_EQ(t.Text(), "aa aa aa");
    EXPECT_EQ(t.SelStart(), 8u);

    // Whole words from the caret at the start: the first word is replaced too.
    StringFindTarget w("abc abc abcd");
    EXPECT_EQ(ReplaceAll(w, {"abc", "x", {false, true}}), 2u);
    EXPECT_EQ(w.Text(), "x x abcd");

    // Only what stands after the caret.
    StringFindTarget c("ab ab ab", 3, 0);
    EXPECT_EQ(ReplaceAll(c, {"AB", "-", {}}), 2u);
    EXPECT_EQ(c.Text(), "ab - -");

    // Trail bytes stay untouched: the Japanese text survives.
    std::string jp = kKataA + kKanjiIn + kKataDi + "a";
    StringFindTarget j(jp);
    EXPECT_EQ(ReplaceAll(j, {"a", "b", {}}), 1u);
    EXPECT_EQ(j.Text(), kKataA + kKanjiIn + kKataDi + "b");

    StringFindTarget none("abc");
    EXPECT_EQ(ReplaceAll(none, {"", "x", {}}), 0u);
    EXPECT_EQ(ReplaceAll(none, {"q", "x", {}}), 0u);
    EXPECT_EQ(none.edits, 0);
}

// Replace All in one pass gives what replacing one match at a time gives, also where whole-word
// matching depends on the text just put in.
TEST(Replace, AllAgreesWithOneAtATime) {
    struct Case {
        std::string text, what, with;
        FindOptions o;
    } cases[] = {
        {"-a-a-a", "-a", "x-", {false, true}}, {"-a-a-a", "-a", "xy", {false, true}},
        {"-a-a b", "-a", "", {false, true}},   {"aaaa", "aa", "a", {}},
        {"a.a.a", "a", kNichi, {false, true}}, {"A" + kKataA + "a a", "a", "", {false, true}},
        {"ab ab", "AB", "ab", {true, false}},
    };
    for (const Case& c : cases) {
        ReplaceRequest r{c.what, c.with, c.o};
        StringFindTarget all(c.text);
        size_t n = ReplaceAll(all, r);
        StringFindTarget one(c.text);
        size_t m = 0;
        while (SearchSelect(one, c.what, c.o)) {
            one.ReplaceSelection(c.with);
            ++m;
        }
        EXPECT_EQ(all.Text(), one.Text()) << c.text << " / " << c.what;
        EXPECT_EQ(n, m) << c.text << " / " << c.what;
    }
}

}  // namespace
}  // namespace kestrel
