#include "viewer/text/reformat.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "viewer/text/text_command.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

// Shift-JIS pieces.
const std::string kA = "\x82\xa0";          // あ
const std::string kI = "\x82\xa2";          // い
const std::string kMaru = "\x81\x42";       // 。
const std::string kKagiOpen = "\x81\x75";   // 「
const std::string kKagiClose = "\x81\x76";  // 」
const std::string kNijuClose = "\x81\x78";  // 』
const std::string kSumiClose = "\x81\x7a";  // 】
const std::string kFwSpace = "\x81\x40";    // full-width space
const std::string kFwOne = "\x82\x50";      // １
const std::string kFwParen = "\x81\x6a";    // ）

std::string Rep(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A run of varied hiragana (no punctuation), n characters.
std::string Kana(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out.push_back('\x82');
        out.push_back(static_cast<char>(0xa0 + (i * 7) % 80));
    }
    return out;
}

// Cuts text into lines of width bytes (text of double-byte characters, width even).
Lines Wrap(const std::string& text, size_t width) {
    Lines out;
    for (size_t i = 0; i < text.size(); i += width) out.push_back(text.substr(i, width));
    return out;
}

Lines Reformat(Lines lines, size_t start = 0, int width = 64) {
    ReformatSettings s;
    s.maxLength = width;
    EXPECT_TRUE(ReformatLines(lines, start, s));
    return lines;
}

std::string Concat(const Lines& lines) {
    std::string out;
    for (const auto& l : lines) out += l;
    return out;
}

TEST(RejoinAndRebreak, JapaneseParagraphBrokenAt76IsRebrokenAt64) {
    const std::string text = Kana(200) + kMaru;
    const Lines out = Reformat(Wrap(text, 76));
    EXPECT_EQ(Concat(out), text);
    ASSERT_EQ(out.size(), 7u);
    for (size_t i = 0; i + 1 < out.size(); ++i) EXPECT_EQ(out[i].size(), 64u) << i;
}

TEST(RejoinAndRebreak, ShortLinesJoinIntoOne) {
    EXPECT_EQ(Reformat({kA, kI, kA + kMaru}), Lines{kA + kI + kA + kMaru});
    // Latin lines are joined with a space.
    EXPECT_EQ(Reformat({"one", "two"}), Lines{"one two"});
}

TEST(BeginRule, ClosingPunctuationStaysUpToSixBytesPastWidth) {
    struct Case {
        const char* name;
        std::string tail;  // follows 32 characters (64 bytes)
        size_t firstLineBytes;
    } cases[] = {
        {"maru", kMaru + Kana(5), 66},
        {"kagi", kKagiClose + Kana(5), 66},
        {"three closers", kMaru + kKagiClose + kNijuClose + Kana(5), 70},
        {"fourth goes on", kMaru + kKagiClose + kNijuClose + kSumiClose + Kana(5), 70},
    };
    for (const Case& c : cases) {
        const std::string text = Kana(32) + c.tail;
        const Lines out = Reformat({text});
        ASSERT_GE(out.size(), 2u) << c.name;
        EXPECT_EQ(out[0].size(), c.firstLineBytes) << c.name;
        EXPECT_EQ(Concat(out), text) << c.name;
    }
}

TEST(EndRule, OpeningBracketGoesToNextLine) {
    const Lines out = Reformat({Kana(31) + kKagiOpen + Kana(10)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], Kana(31));
    EXPECT_EQ(out[1].substr(0, 2), kKagiOpen);
}

TEST(SentenceEndRule, EndsSentenceTable) {
    const ReformatSettings s;
    struct Case {
        std::string line;
        bool ends;
    } cases[] = {
        {kA + kMaru, true},
        {kA + kMaru + "   ", true},
        {kA + kMaru + kFwSpace + kFwSpace, true},
        {kA + kMaru + " " + kFwSpace + "  ", false},  // spaces go before full-width ones only
        {kA + kFwParen, true},
        {"done.", true},
        {"why?  ", true},
        {"open", false},
        {kA, false},
        {".", false},  // a single byte left is never a sentence end
        {"", false},
        // The bytes 81 42 here are the trail of one character and "B": not a "。".
        {"\x88\x81"
         "B",
         false},
        {kFwSpace + kFwSpace, false},
    };
    for (const Case& c : cases) EXPECT_EQ(EndsSentence(c.line, s), c.ends) << c.line;
}

TEST(SentenceEndRule, LineEndingASentenceIsNotJoined) {
    const Lines cases[] = {
        {kA + kMaru, kI},
        {kA + kMaru + kFwSpace + "  ", kI},
        {"The end.", "next"},
        {"Really?  ", "next"},
    };
    for (const Lines& in : cases) EXPECT_EQ(Reformat(in), in) << in[0];
}

TEST(QuoteLevelRule, OnlyLinesQuotedAlikeJoin) {
    EXPECT_EQ(Reformat({"> " + kA, "> " + kI}), Lines{"> " + kA + kI});
    const Lines apart[] = {
        {"> " + kA, "> > " + kI},
        {"> abc", "> > def"},
        {"> abc", "def"},
        {"abc", "> def"},
    };
    for (const Lines& in : apart) EXPECT_EQ(Reformat(in), in) << in[1];
}

TEST(QuoteLevelRule, IndentedFirstLineJoinsAndIndentIsNotRepeated) {
    const Lines out = Reformat({kFwSpace + Kana(40), Kana(10)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], kFwSpace + Kana(31));
    EXPECT_EQ(out[1], Kana(40).substr(62) + Kana(10));
}

TEST(QuoteLevelRule, ContinuationLinesCarryThePrefix) {
    const Lines out = Reformat({"> " + Kana(40)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], "> " + Kana(31));
    EXPECT_EQ(out[1], "> " + Kana(40).substr(62));
}

TEST(NumberedItemRule, ItemsAreNeverJoined) {
    ReformatSettings noSpaceQuote;
    noSpaceQuote.quoteChar = ">";
    const std::string items[] = {
        "1. item",
        "2) item",
        "10. item",  // digit at byte 2 after the added space
        kFwOne + kFwParen + kA,
        kFwOne + kMaru + kA,      // full-width
        " 3) item",               // shifted by the space and indentation
        " " + kFwOne + kFwParen,  // full-width, shifted by two
    };
    for (const std::string& item : items) {
        Lines lines = {kA + kI, item};
        ASSERT_TRUE(ReformatLines(lines, 0, noSpaceQuote));
        EXPECT_EQ(lines, (Lines{kA + kI, item})) << item;
    }
    // Not an item: a digit without the mark joins.
    EXPECT_EQ(Reformat({kA, "1 apple"}), Lines{kA + " 1 apple"});
}

TEST(ReplyHeaderRule, HeaderLinesNearTheStartAreNeverJoined) {
    const Lines kept[] = {
        {"> From: taro", "> hello"},      {"From: taro", "hello"},
        {"Subject: hi", "there"},         {"abcdFrom: x", "y"},  // position 5
        {"\x95\x57\x91\xe8: x", "y"},                            // 標題:
        {"> \x88\xb6\x90\xe6: x", "> y"},                        // 宛先:
    };
    for (const Lines& in : kept) EXPECT_EQ(Reformat(in), in) << in[0];
    // Position 6, or two marks adding up to more than 5: joined.
    EXPECT_EQ(Reformat({"abcdeFrom: x", "y"}), Lines{"abcdeFrom: x y"});
    EXPECT_EQ(Reformat({"From: x To: y", "z"}), Lines{"From: x To: y z"});
}

TEST(IndentRule, PrefixWithSixSpacesIsNotJoined) {
    const Lines in = {"      indented", "      more"};
    EXPECT_EQ(Reformat(in), in);
}

TEST(ShortLatinLineRule, KeptOnlyInWholeBodyRuns) {
    const Lines in = {"header", "short line", "next"};
    EXPECT_EQ(Reformat(in, 1), in);
    EXPECT_EQ(Reformat(in, 0), (Lines{"header short line next"}));
    // A Latin line as long as the width still joins in a whole-body run (the added space
    // then begins the next line).
    const std::string full(64, 'a');
    EXPECT_EQ(Reformat({"h", full, "b"}, 1), (Lines{"h", full, " b"}));
}

TEST(LatinBreakRule, SpaceFromPosition26IsUsedAt64) {
    struct Case {
        size_t spaceAt;  // 1-based position of the only space
        size_t firstLineBytes;
    } cases[] = {{26, 26}, {25, 64}, {44, 44}, {30, 30}, {21, 64}};
    for (const Case& c : cases) {
        std::string line(90, 'b');
        line[c.spaceAt - 1] = ' ';
        const Lines out = Reformat({line});
        ASSERT_EQ(out.size(), 2u) << c.spaceAt;
        EXPECT_EQ(out[0].size(), c.firstLineBytes) << c.spaceAt;
        EXPECT_EQ(out[0] + out[1], line) << c.spaceAt;
    }
}

TEST(LatinBreakRule, FiftyByteWordIsCutAtTheWidth) {
    const std::string line = std::string(20, 'a') + " " + std::string(50, 'b');
    const Lines out = Reformat({line});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], line.substr(0, 64));
    EXPECT_EQ(out[1], std::string(7, 'b'));
}

TEST(FindBreakAppend, TakesFromTheNextLineOnCharacterBoundaries) {
    const ReformatSettings s;
    std::string line = "abc";
    std::string_view rest = " def ghi";
    EXPECT_EQ(FindBreak(line, rest, 64, s), 11u);
    EXPECT_EQ(line, "abc def ghi");
    EXPECT_TRUE(rest.empty());

    const std::string next = "a" + Kana(50);
    line = kA;
    rest = next;
    FindBreak(line, rest, 10, s);
    EXPECT_EQ(line.size(), 2u + 19u);  // 20 bytes would split a character
    EXPECT_EQ(static_cast<unsigned char>(rest[0]), 0x82);
}

TEST(LongLines, LinesOfSeveralKilobytesAreKeptWhole) {
    std::string latin;
    for (int i = 0; i < 700; ++i) latin += "word" + std::to_string(i) + " ";
    const std::string texts[] = {Kana(3000) + kMaru, latin, std::string(5000, 'x')};
    for (const std::string& text : texts) {
        const Lines out = Reformat({text});
        EXPECT_EQ(Concat(out), text);
        for (const std::string& l : out) EXPECT_LE(l.size(), 70u);
    }
    // Joined with a long next line as well.
    const Lines out = Reformat({Kana(3000), Kana(2000) + kMaru});
    EXPECT_EQ(Concat(out), Kana(3000) + Kana(2000) + kMaru);
}

TEST(LongPrefixes, PrefixOver12BytesIsShortenedToFit) {
    const std::string text = Kana(30);
    const std::string prefix = std::string(20, '>') + " ";
    EXPECT_EQ(Reformat({prefix + text}), Lines{">>" + text});
    // A cut that would end inside "＞" keeps the character out.
    const std::string fw = std::string(13, '>') + "\x81\x84";
    EXPECT_EQ(Reformat({fw + Kana(24)}), Lines{std::string(13, '>') + Kana(24)});
    // Text too long for any prefix: the prefix goes.
    EXPECT_EQ(Reformat({prefix + Kana(31)})[0], Kana(31));
}

TEST(LongPrefixes, PrefixAsLongAsTheWidthTerminatesAndKeepsText) {
    struct Case {
        std::string prefix;
        int width;
    } cases[] = {
        {"> > > > > > ", 10},
        {"> > > > > > ", 1},
        {std::string(200, '>'), 64},
        {std::string(200, '>') + kFwSpace, 5},
    };
    for (const Case& c : cases) {
        const std::string text = Kana(40);
        const Lines out = Reformat({c.prefix + text, c.prefix + Kana(5)}, 0, c.width);
        std::string rebuilt;
        for (const std::string& l : out) {
            // Every line holds text after its prefix.
            const size_t p = l.find('\x82');
            ASSERT_NE(p, std::string::npos) << c.width;
            rebuilt += l.substr(p);
        }
        EXPECT_EQ(rebuilt, text + Kana(5)) << c.width;
    }
}

TEST(AnyWidth, WidthsBeyondTheOldTableWork) {
    for (int width : {118, 200, 1000}) {
        const std::string text = Kana(2000);
        const Lines out = Reformat({text}, 0, width);
        EXPECT_EQ(Concat(out), text);
        EXPECT_EQ(out[0].size(), static_cast<size_t>(width));
    }
    ReformatSettings s;
    s.maxLength = 0;
    Lines lines = {"a"};
    EXPECT_FALSE(ReformatLines(lines, 0, s));
    EXPECT_EQ(lines, Lines{"a"});
}

TEST(EmptyLines, NeverJoinedAndKept) {
    const Lines in = {"", kA, "", "", kI, ""};
    EXPECT_EQ(Reformat(in), in);
    EXPECT_EQ(Reformat(in, 3), in);
}

TEST(DeleteTabPrePass, TabsGoAndWrappedRemaindersJoin) {
    struct Case {
        const char* name;
        Lines in, out;
    } cases[] = {
        {"tabs deleted", {"\ta\tb"}, {"ab"}},
        {"72 bytes + short",
         {std::string(72, 'a'), "> > tail", "x"},
         {std::string(72, 'a') + "tail", "x"}},
        {"tab counts 8", {std::string(62, 'a') + "\t", "tail"}, {std::string(62, 'a') + "tail"}},
        {"79 bytes", {std::string(79, 'a'), "tail"}, {std::string(79, 'a'), "tail"}},
        {"next too long",
         {std::string(72, 'a'), std::string(40, 'b')},
         {std::string(72, 'a'), std::string(40, 'b')}},
        {"quote-only separator kept",
         {"> " + std::string(72, 'a'), ">", "> b"},
         {"> " + std::string(72, 'a'), ">", "> b"}},
    };
    for (const Case& c : cases) {
        Lines lines = c.in;
        DeleteTabPass(lines, 0);
        EXPECT_EQ(lines, c.out) << c.name;
    }
}

TEST(DoubleByteLists, SpaceAfterEachDoubleByteCharacter) {
    EXPECT_EQ(SpaceAfterDoubleByte(kMaru + "." + kKagiClose), kMaru + " ." + kKagiClose + " ");
    EXPECT_EQ(SpaceAfterDoubleByte("\x81"), "\x81");  // truncated: left as it is
}

TEST(ByteClassRule, Classes) {
    const std::string s = std::string("a\xb1\x82\xa0\x7f\xa0\xe0", 7);
    const int expected[] = {1, 1, 2, 2, 2, 2, 2, 0};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(ByteClass(s, i), expected[i]) << i;
}

TEST(JustifyStart, OnePastSeparatorElseLastLine) {
    EXPECT_EQ(JustifyStartIndex({"X-Status: READ", "From: a", "-------", "body"}), 3u);
    EXPECT_EQ(JustifyStartIndex({"a", "b", "c"}), 2u);
    EXPECT_EQ(JustifyStartIndex({}), 0u);
}

TEST(SelectionWidening, WholeLinesWithTheirBreaks) {
    const std::string text = "ab\r\ncd\r\nef";
    struct Case {
        size_t start, len, begin, end;
    } cases[] = {{4, 1, 4, 8}, {1, 4, 0, 8}, {9, 1, 8, 10},
                 {3, 1, 0, 4}, {2, 1, 0, 4}, {5, 0, 4, 8}};
    for (const Case& c : cases) {
        const TextRange r = WidenToWholeLines(text, c.start, c.len);
        EXPECT_EQ(r.begin, c.begin) << c.start;
        EXPECT_EQ(r.end, c.end) << c.start;
    }
}

// A pass that fails part-way leaves the caller's lines as they were: the half-moved list of an
// out-of-memory pass never reaches the editor.
TEST(RunOnCopy, OnlyACompleteResultReplacesTheLines) {
    const Lines text = {"first line of the text", "second", "third"};
    Lines lines = text;
    bool done = RunOnCopy(lines, [](Lines& l) -> bool {
        std::string taken = std::move(l[0]);  // moved out, as a pass rebuilding lines does
        l.erase(l.begin() + 1);
        throw std::bad_alloc();
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(lines, text);

    done = RunOnCopy(lines, [](Lines& l) {
        l.clear();
        return false;  // a pass that reports failure
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(lines, text);

    EXPECT_TRUE(RunOnCopy(lines, [](Lines& l) {
        l.push_back("fourth");
        return true;
    }));
    EXPECT_EQ(lines.size(), 4u);
}

}  // namespace
}  // namespace kestrel
