#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "viewer/mail/decode.h"
#include "viewer/mail/decode_internal.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;
using namespace decode_detail;
constexpr size_t npos = std::string::npos;

// ---- The repair rules written out as literally as possible (each rewrite rebuilds the line
// and searches again from its start), to check the linear ones against.
namespace literal {

std::string At(const std::string& s, size_t p, size_t n) {
    return p < s.size() ? s.substr(p, n) : "";
}

std::string ReplaceAllSlow(std::string s, const std::string& find, const std::string& repl) {
    for (size_t p; (p = s.find(find)) != npos;)
        s = s.substr(0, p) + repl + At(s, p + find.size(), npos);
    return s;
}

void FixedEscapes(std::string& s) {
    s = ReplaceAllSlow(s, std::string("\x1b$B\x0f", 4), "\x1b$B");
    s = ReplaceAllSlow(s, std::string("\x0f", 1), "\x1b(J");
    s = ReplaceAllSlow(s, std::string("\x0e", 1), "\x1b(I");
    s = ReplaceAllSlow(s, std::string("\x23\x01", 2), "\x24\x22");
    s = ReplaceAllSlow(s, "\x1b$(", "\x1b$");
    s = ReplaceAllSlow(s, "\x1b)I", "");
    s = ReplaceAllSlow(s, "\x1b-A", "");
}

bool RomanSwitches(std::string& s) {
    bool applied = false;
    for (size_t p; (p = s.find("\x1b(Jx")) != npos;) {
        if (At(s, p + 5, 3) != "\x1b$B") break;
        s = s.substr(0, p) + "\x1b$B" + char(s[p + 4] - 31) + At(s, p + 8, npos);
        applied = true;
    }
    return applied;
}

const std::string kQ("\x1b$B\x22\x2e\x1b", 6);

bool LostEscape(std::string& s, const std::string& find, const std::string& esc) {
    bool applied = false;
    for (size_t p; (p = s.find(find)) != npos; applied = true) {
        std::string before = p == 0 ? "" : s.substr(0, p - 1) + char(s[p - 1] + 1);
        s = before + esc + At(s, p + 3, npos);
    }
    return applied;
}

bool LostEscapes(std::string& s) {
    bool c1 = LostEscape(s, "y(J", "\x1b(J");
    LostEscape(s, "y$B", "\x1b$B");
    const std::string kana = "r!#%')cegCC\"$&(*+-/13579;=?ADFHJKLMNORUX[^_`abdfhijklmos";
    const std::string pairs = "]a!)!#!V!W!\"!&!<";
    const unsigned char pairValue[8] = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x32};
    for (size_t p; (p = s.find("\x1b(Jw\x1b$B")) != npos;) {
        s = s.substr(0, p) + "\x1b(I" + At(s, p + 7, npos);
        size_t q = p + 3;
        if (At(s, q, 1) == "%") {
            size_t k = kana.find(At(s, q + 1, 1));
            k = (At(s, q + 1, 1).empty() || k == npos) ? 0 : k + 1;
            s = s.substr(0, q) + char(k + 39) + At(s, q + 2, npos);
        } else if (At(s, q, 2).size() == 2) {
            size_t at = pairs.find(At(s, q, 2));
            if (at != npos && at % 2 == 0)
                s = s.substr(0, q) + char(pairValue[at / 2]) + At(s, q + 2, npos);
        }
    }
    s = ReplaceAllSlow(s, std::string("!)$B\x1b", 5), kQ);
    for (size_t p; (p = s.find("!)(J\x1b")) != npos;) {
        s = (p == 0 ? "" : s.substr(0, p - 1)) + kQ + At(s, p + 5, npos);
    }
    for (size_t p; (p = s.find("!)$B")) != npos;) s = s.substr(0, p) + kQ + At(s, p + 2, npos);
    s = ReplaceAllSlow(s, std::string("!)\x1b", 3), kQ);
    s = ReplaceAllSlow(s, "\x1b$B(J", "\x1b(J");
    return c1;
}

void KanjiAfterSwitches(std::string& line) {
    std::string t = line, out;
    auto nextSwitch = [&t] {
        size_t p = t.find("\x1b(J"), q = t.find("\x1b(I");
        if (p != npos && q != npos && q < p) p = q;
        return p;
    };
    for (size_t p = nextSwitch(); p != npos; p = nextSwitch()) {
        out += t.substr(0, p + 3);
        t = At(t, p + 3, npos);
        // 1-based positions as the rule states them.
        size_t len = t.size(), b = t.find("$B") + 1, e = t.find('\x1b') + 1, d = t.find('$') + 1;
        if (b != 0) {
            if ((e > 0 && b % 2 == e % 2 && b < e) || (e == 0 && b % 2 != len % 2)) {
                if (b >= 2 && t[b - 2] == '\x1b') {
                    out += t.substr(0, b + 1);
                } else {
                    out += t.substr(0, b - 1) + "\x1b$B";
                }
                t = At(t, b + 1, npos);
            }
        } else if (d > 0 && ((e > 0 && d % 2 == e % 2) || (e == 0 && d % 2 != len % 2))) {
            out += t.substr(0, d - 1) + "\x1b$B";
            t = t.substr(d - 1);
        }
    }
    line = out + t;
}

void AllRepairs(std::string& s) {
    FixedEscapes(s);
    if (RomanSwitches(s) && LostEscapes(s)) KanjiAfterSwitches(s);
}

bool Shifted(const std::string& s) {
    size_t e = s.rfind('\x1b');
    if (e == npos) return false;
    std::string after = At(s, e + 1, 2);
    return after != "(J" && after != "(B";
}

// Body lines through every repair, joining as the rule says.
Lines Repair(const Lines& body) {
    Lines out;
    for (size_t i = 0; i < body.size();) {
        std::string line = body[i++];
        AllRepairs(line);
        while (Shifted(line) && i < body.size()) {
            line += body[i++];
            AllRepairs(line);
        }
        out.push_back(line);
    }
    return out;
}

}  // namespace literal

Lines Repair(const Lines& body, bool literalJoin = false) {
    Lines out;
    for (size_t i = 0; i < body.size();) {
        std::string line = body[i++];
        RepairJisLine(line, body, i, literalJoin);
        out.push_back(line);
    }
    return out;
}

std::string Repaired(std::string line) {
    RunJisRepairs(line);
    return line;
}

// Text made of the pieces the rules look for, so that random lines hit them often.
std::string RandomText(std::mt19937& rng, size_t pieces) {
    static const char* const kPieces[] = {
        "\x1b$B", "\x1b(B", "\x1b(J", "\x1b(I", "\x1b$(", "\x1b)I", "\x1b-A", "\x1b",
        "\x0f",   "\x0e",   "#",      "\x01",   "x",      "w",      "y(J",    "y$B",
        "y",      "!)",     "!",      ")",      "$B",     "$",      "(J",     "(",
        "J",      "%",      "]a",     "!<",     "C",      "a",      "b",      ":",
        ".",      "-",      "^",      "_",      "J",      "$\"",
    };
    std::string s;
    for (size_t k = 0; k < pieces; ++k) s += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    return s;
}

TEST(ReplaceAllRule, MatchesRestartingFromTheStart) {
    struct Case {
        std::string in, find, repl, out;
    } cases[] = {
        {"ab\x1b)\x1b)IIcd", "\x1b)I", "", "abcd"},  // deletion forms a new match
        {"\x1b$B\x0f\x0f\x0fz", std::string("\x1b$B\x0f", 4), "\x1b$B", "\x1b$Bz"},
        {"!)$B!)$B\x1b", std::string("!)$B\x1b", 5), literal::kQ,  // replacement forms one before
         literal::kQ + "$B\x22\x2e\x1b"},
        {"aaa", "a", "b", "bbb"},
        {"abc", "", "x", "abc"},
        {"aXb", "X", "XX", "aXXb"},  // a replacement holding the text is done once
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.in, c.find, c.repl), c.out) << c.in;

    std::mt19937 rng(7);
    const std::pair<std::string, std::string> rules[] = {
        {"\x1b)I", ""},
        {"\x1b$(", "\x1b$"},
        {std::string("!)$B\x1b", 5), literal::kQ},
        {std::string("!)\x1b", 3), literal::kQ},
        {"\x1b$B(J", "\x1b(J"},
        {"aa", "a"},
        {"aba", "b"},
        {"ab", "ba"},
    };
    for (int n = 0; n < 3000; ++n) {
        std::string s = RandomText(rng, rng() % 40);
        if (n % 3 == 0) s = std::string(rng() % 9, 'a') + "b" + std::string(rng() % 5, 'a');
        for (const auto& r : rules) {
            ASSERT_EQ(ReplaceAll(s, r.first, r.second),
                      literal::ReplaceAllSlow(s, r.first, r.second))
                << testing::PrintToString(s);
        }
    }
}

TEST(JisRepairFixedEscapes, FixedRewrites) {
    struct Case {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"SI after ESC$B dropped, again and again", "\x1b$B\x0f\x0f$\"", "\x1b$B$\""},
        {"SI and SO become escapes", "a\x0e\x31\x0f b", "a\x1b(I\x31\x1b(J b"},
        {"23 01", "\x1b$B#\x01\x1b(B", "\x1b$B$\"\x1b(B"},
        {"ESC$(B", "\x1b$((B$\"", "\x1b$B$\""},
        {"ESC)I and ESC-A deleted, nested", "\x1b)\x1b)II\x1b-Ax", "x"},
        {"deletion forms 23 01 after its rule ran", "#\x1b)I\x01", "#\x01"},
    };
    for (const Case& c : cases) EXPECT_EQ(Repaired(c.in), c.out) << c.name;
}

TEST(JisRepairRomanSwitches, StopsAtFirstUnfollowedRoman) {
    EXPECT_EQ(Repaired("a\x1b(JxC\x1b$B!!\x1b(JxD\x1b$B\x1b(B"), "a\x1b$B$!!\x1b$B%\x1b(B");
    // The first ESC(Jx not followed by ESC$B ends the group for the whole line.
    const std::string blocked = "\x1b(JxCzzz\x1b(JxC\x1b$Bz";
    EXPECT_EQ(Repaired(blocked), blocked);
    // (c - 31) can itself start the next match: ':' - 31 is ESC.
    EXPECT_EQ(Repaired("\x1b(Jx:\x1b$B(JxC\x1b$B"), "\x1b$B\x1b$B$");
}

TEST(JisRepairLostEscapes, KanaShiftAndPairTable) {
    const std::string b = "\x1b(JxC\x1b$B";  // a the roman-switch repair match: becomes ESC$B '$'
    const std::string kanaShift = "\x1b(Jw\x1b$B";
    struct Case {
        const char* name;
        std::string tail, out;
    } cases[] = {
        {"%r", "%r", "\x28"},          {"%C, the first C", "%C", "\x31"},
        {"%s", "%s", "\x5f"},          {"% before a byte not in the table", "%Z", "\x27"},
        {"% at the end", "%", "\x27"}, {"pair !)", "!)", "\x22"},
        {"pair !<", "!<", "\x32"},     {"pair at an even position", ")!", ")!"},
        {"pair a!", "a!", "a!"},       {"no pair", "zz", "zz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Repaired(b + kanaShift + c.tail), "\x1b$B$\x1b(I" + c.out) << c.name;
    }
    // "!)" repairs, and the lost-escape rules with the byte before them raised by one.
    EXPECT_EQ(Repaired(b + "ay(Jb"), "\x1b$B$b\x1b(Jb");
    EXPECT_EQ(Repaired(b + "ay$Bb"), "\x1b$B$b\x1b$Bb");
    EXPECT_EQ(Repaired(b + "a!)\x1b(Bz"), "\x1b$B$a" + literal::kQ + "(Bz");
    EXPECT_EQ(Repaired(b + "ab!)(J\x1b(Bz"), "\x1b$B$a" + literal::kQ + "(Bz");
    EXPECT_EQ(Repaired(b + "a!)$Bz"), "\x1b$B$a" + literal::kQ + "$Bz");
    // Without the roman-switch repair nothing of the lost-escape repair runs.
    EXPECT_EQ(Repaired("ay(Jb!)\x1b(B"), "ay(Jb!)\x1b(B");
}

TEST(JisRestoreKanjiAfterSwitches, KanjiAfterSwitchByParity) {
    const std::string c1 =
        "\x1b(JxC\x1b$B"
        "ay(J";  // the roman-switch and lost-ESC repairs apply: ...b ESC(J
    const std::string head = "\x1b$B$b\x1b(J";
    struct Case {
        const char* name;
        std::string tail, out;
    } cases[] = {
        {"$B with an even rest", "ab$Bcd",
         "ab\x1b$B"
         "cd"},
        {"$B with an odd rest", "ab$Bc", "ab$Bc"},
        {"$B before ESC, even", "ab$Bcd\x1b(B",
         "ab\x1b$B"
         "cd\x1b(B"},
        {"$B before ESC, odd", "ab$Bc\x1b(B", "ab$Bc\x1b(B"},
        {"lone $ with an odd rest", "a$bcd", "a\x1b$B$bcd"},
        {"lone $ with an even rest", "a$bc", "a$bc"},
        {"lone $ after the ESC, same parity", "a\x1b(Bx$b", "a\x1b(Bx\x1b$B$b"},
    };
    for (const Case& c : cases) EXPECT_EQ(Repaired(c1 + c.tail), head + c.out) << c.name;
}

TEST(JisRepairLongLines, NothingIsCutAfterARewrite) {
    // The original design kept 255 or 511 bytes after each rewrite.
    const std::string a(5000, 'a'), z(3000, 'z');
    EXPECT_EQ(Repaired("\x1b(JxC\x1b$B" + a + "!)\x1b(B" + z),
              "\x1b$B$" + a + literal::kQ + "(B" + z);
    EXPECT_EQ(Repaired("\x0e" + a + "\x0f" + z), "\x1b(I" + a + "\x1b(J" + z);
    EXPECT_EQ(Repaired(a + "\x1b$(B" + z), a + "\x1b$B" + z);
    EXPECT_EQ(ToFullWidthKana("\x1b(I\x31" + a), "\x1b$B\x25\x22" + a);
    std::string many;
    for (int k = 0; k < 2000; ++k) many += "\x1b(JxC\x1b$B$\"";
    std::string want;
    for (int k = 0; k < 2000; ++k) want += "\x1b$B$$\"";
    EXPECT_EQ(Repaired(many), want);
}

TEST(JisJoinRule, LinesEndingInKanjiOrKanaModeAreJoined) {
    struct Case {
        const char* name;
        Lines in, out;
    } cases[] = {
        {"kanji mode", {"\x1b$Babc", "def\x1b(B", "ghi"}, {"\x1b$Babcdef\x1b(B", "ghi"}},
        {"ended by ESC(B", {"\x1b$Babc\x1b(B", "x"}, {"\x1b$Babc\x1b(B", "x"}},
        {"ended by ESC(J", {"\x1b$Ba\x1b(Jabc", "x"}, {"\x1b$Ba\x1b(Jabc", "x"}},
        {"kana mode", {"\x1b(Iabc", "d"}, {"\x1b(Iabcd"}},
        {"ESC last", {"abc\x1b", "(Bx", "y"}, {"abc\x1b(Bx", "y"}},
        {"split escape repaired after the join", {"abc\x1b$", "(Bxy", "z"}, {"abc\x1b$Bxyz"}},
        {"no ESC", {"abc", "def"}, {"abc", "def"}},
        {"last line", {"\x1b$Babc"}, {"\x1b$Babc"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Repair(c.in), c.out) << c.name;
        EXPECT_EQ(Repair(c.in, true), c.out) << c.name;
    }
}

TEST(JisJoinRule, LongKanjiModeBodyBecomesOneLine) {
    // Every line ends in kanji mode: the whole body is one line, and joining it stays linear
    // (a quadratic join would not finish this in reasonable time).
    Lines body = {"\x1b$B"};
    std::string want = "\x1b$B";
    for (int k = 0; k < 16000; ++k) {
        std::string line = k % 7 == 0 ? "$\"$$%+!)#\x01" : "$\"$$%+$B!)!#";
        body.push_back(line);
        want += k % 7 == 0 ? "$\"$$%+!)$\"" : line;
    }
    Lines out = Repair(body);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], want);

    // Short kanji runs between ASCII words: escapes every few bytes, a lone 0x01 now and then.
    body = {"\x1b$B"};
    want = "\x1b$B";
    for (int k = 0; k < 16000; ++k) {
        std::string line = k % 5 == 0 ? "$\"\x1b(B\x01\x1b$B$$" : "$\"\x1b(B a \x1b$B$$";
        body.push_back(line);
        want += line;
    }
    out = Repair(body);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], want);
}

TEST(JisJoinRule, SameAsTheLiteralRules) {
    std::mt19937 rng(2026);
    for (int n = 0; n < 4000; ++n) {
        Lines body;
        size_t count = 1 + rng() % 12;
        for (size_t k = 0; k < count; ++k) {
            std::string line = RandomText(rng, rng() % (n % 2 ? 12 : 40));
            // Long kanji-mode runs exercise the split between frozen part and window.
            if (rng() % 3 == 0) line += std::string(rng() % 40, '$');
            if (rng() % 2 == 0) line += "\x1b$B";
            body.push_back(line);
        }
        Lines want = literal::Repair(body);
        ASSERT_EQ(Repair(body), want) << testing::PrintToString(body);
        ASSERT_EQ(Repair(body, true), want) << testing::PrintToString(body);
    }
}

}  // namespace
}  // namespace kestrel
