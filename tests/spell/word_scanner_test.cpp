// Which words a check run looks up in a text: the scanner's classes, numbers, addresses,
// hyphens, capitals, Japanese text and the lines it covers.
#include "spell/spell_fixture.h"

namespace kestrel::test {
namespace {

class Scanner : public SpellRunTest {};

TEST_F(Scanner, PlainWordsPunctuationAndApostrophes) {
    EXPECT_EQ(WordsOf({"Hello, world! (Fine.)"}), (Words{"Hello", "world", "Fine"}));
    // An apostrophe ends a word and begins the next one.
    EXPECT_EQ(WordsOf({"don't 'quoted'"}), (Words{"don", "'t", "'quoted", "'"}));
    EXPECT_EQ(WordsOf({"a\tb"}), (Words{"a", "b"}));
}

TEST_F(Scanner, NumbersWithIgnoreNumericOff) {
    EXPECT_EQ(WordsOf({"abc123 3rd next"}), (Words{"abc", "rd", "next"}));
}

TEST_F(Scanner, NumbersWithIgnoreNumericOn) {
    settings.ignoreNumeric = true;
    EXPECT_EQ(WordsOf({"abc123 next"}), (Words{"next"}));
    // A digit stays seen across blanks: up to the next TAB, half-width katakana or double-byte
    // character everything is passed over, also at the very start of a line.
    EXPECT_EQ(WordsOf({"see 3rd floor now\tthen"}), (Words{"see", "then"}));
    EXPECT_EQ(WordsOf({"3rd floor\xb1word"}), (Words{"word"}));
    EXPECT_EQ(WordsOf({"room 101 \x82\xa0 after"}), (Words{"room", "after"}));
}

TEST_F(Scanner, AddressesAndHyphens) {
    EXPECT_EQ(WordsOf({"see http://www.example.com/a-b.html now"}), (Words{"see", "now"}));
    EXPECT_EQ(WordsOf({"ftp.example.org and HTTPS://X.JP"}), (Words{"and"}));
    EXPECT_EQ(WordsOf({"e-mail one-way"}), (Words{"e", "mail", "one", "way"}));
    EXPECT_EQ(WordsOf({"x-ray/beta ok"}), (Words{"ok"}));
    EXPECT_EQ(WordsOf({"a-1 ok"}), (Words{"ok"}));
}

TEST_F(Scanner, CapitalsWithIgnoreCapital) {
    settings.ignoreCapital = true;
    EXPECT_EQ(WordsOf({"NASA and Nasa"}), (Words{"and", "Nasa"}));
    settings.ignoreCapital = false;
    EXPECT_EQ(WordsOf({"NASA and Nasa"}), (Words{"NASA", "and", "Nasa"}));
}

TEST_F(Scanner, JapaneseAndHalfWidthKatakanaArePassedOver) {
    // "アイ" is 83 41 83 43: its trail bytes are the letters A and C, never a word.
    EXPECT_EQ(WordsOf({"\x83\x41\x83\x43word\x83\x41 \xb1\xb2kana \x93\xfa\x96\x7b"}),
              (Words{"word", "kana"}));
    // A lead byte cut off at the line's end.
    EXPECT_EQ(WordsOf({"end\x83"}), (Words{"end"}));
}

TEST_F(Scanner, TheLastLineIsNeverLookedAt) {
    text.lines = {"first line", "second line", "last"};
    lib.allKnown = true;
    Start();
    EXPECT_EQ(lib.lookedUp, (Words{"first", "line", "second", "line"}));
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));
    text.lines = {"only"};
    lib.lookedUp.clear();
    Start();
    EXPECT_TRUE(lib.lookedUp.empty());
}

TEST_F(Scanner, ScanBeginsAtTheCaretsLine) {
    text.lines = {"alpha", "beta", "gamma", ""};
    lib.allKnown = true;
    text.SetSelection(text.LineOffset(1) + 2, 0);  // inside "beta"
    Start();
    EXPECT_EQ(lib.lookedUp, (Words{"beta", "gamma"}));
    // Exactly at the start of a line: from the line before.
    lib.lookedUp.clear();
    text.SetSelection(text.LineOffset(2), 0);
    Start();
    EXPECT_EQ(lib.lookedUp, (Words{"beta", "gamma"}));
}

TEST_F(Scanner, DoubledWordIsReportedWithTheBlankBefore) {
    text.lines = {"It is the the end.", ""};
    lib.allKnown = true;
    Start();
    EXPECT_EQ(dialog.model.word, "the");
    EXPECT_EQ(dialog.model.list, (Words{"(Duplicate words.)"}));
    EXPECT_EQ(dialog.model.replacement, "");
    EXPECT_EQ(dialog.model.focus, SpellButton::Change);
    EXPECT_EQ(text.SelText(), " the");
    // Change with the empty field removes the repetition, and the scan goes on.
    run.Change(dialog.model.replacement);
    EXPECT_EQ(text.lines[0], "It is the end.");
    EXPECT_EQ(lib.lookedUp, (Words{"It", "is", "the", "end"}));
    EXPECT_EQ(messages, (Words{"Spell Check Complete."}));
}

TEST_F(Scanner, DoubledWordsOnlyWithBlanksBetween) {
    lib.allKnown = true;
    Restart({"The the", ""});
    EXPECT_EQ(dialog.model.list, (Words{"(Duplicate words.)"}));
    EXPECT_EQ(text.SelText(), " the");

    // Across a line end: the repetition at a line's start is selected alone.
    Restart({"to", "to be", ""});
    EXPECT_EQ(dialog.model.list, (Words{"(Duplicate words.)"}));
    EXPECT_EQ(text.SelStart(), 4);
    EXPECT_EQ(text.SelText(), "to");

    // A comma, a line ending in punctuation, or a passed-over address between: no report.
    for (std::vector<std::string> lines : {std::vector<std::string>{"the, the", ""},
                                           {"the,", "the", ""},
                                           {"the http://x.jp the", ""},
                                           {"the 42 the", ""}}) {
        Restart(lines);
        EXPECT_TRUE(dialog.model.list.empty()) << lines[0];
        EXPECT_EQ(messages, (Words{"Spell Check Complete."})) << lines[0];
    }
}

TEST(CharClassesTest, OrderAndSettings) {
    CharClasses c("!?,.:;\"-()", "01234567890#$%&*+<=>@`[\\]^_{|}~");
    EXPECT_EQ(c.Of('-'), CharClass::Hyphen);  // in "Alpha", still a hyphen
    EXPECT_EQ(c.Of(','), CharClass::Punctuation);
    EXPECT_EQ(c.Of('7'), CharClass::Numeric);
    EXPECT_EQ(c.Of('\t'), CharClass::Other);
    EXPECT_EQ(c.Of('\xb1'), CharClass::Other);
    EXPECT_EQ(c.Of('\xa0'), CharClass::Other);
    EXPECT_EQ(c.Of('\x81'), CharClass::DoubleByte);
    EXPECT_EQ(c.Of('\xe0'), CharClass::DoubleByte);
    // A double-byte character in a setting does not make its trail byte a sign.
    CharClasses j("\x81\x5c", "\x81\x40");
    EXPECT_EQ(j.Of('\x5c'), CharClass::Other);
    EXPECT_EQ(j.Of('\x40'), CharClass::Other);
    CharClasses odd("a'", "b ");
    EXPECT_EQ(odd.Of('a'), CharClass::Letter);
    EXPECT_EQ(odd.Of('\''), CharClass::Apostrophe);
    EXPECT_EQ(odd.Of(' '), CharClass::Space);
}

}  // namespace
}  // namespace kestrel::test
