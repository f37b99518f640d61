// Repair of damaged ISO-2022-JP escape sequences (fixed escapes, roman switches, lost escapes,
// kanji restarts, line joining) and the ReplaceAll they use.
//
// Every rule is a rewrite that searches again from the start of the line after each change.
// Done literally that is quadratic on long lines, so each rule works left to right and only
// steps back as far as a change can form a new match. No rule cuts the text after a change.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/mail/decode.h"
#include "viewer/mail/decode_internal.h"

namespace kestrel {

namespace {

constexpr char kEsc = '\x1b';
constexpr std::string_view kEscKanji("\x1b$B", 3);
constexpr std::string_view kQuestionRepair("\x1b$B\x22\x2e\x1b", 6);  // ESC$B "." ESC
constexpr size_t npos = std::string::npos;

bool EndsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() &&
           std::memcmp(s.data() + s.size() - tail.size(), tail.data(), tail.size()) == 0;
}

}  // namespace

std::string ReplaceAll(std::string_view line, std::string_view find, std::string_view repl) {
    const size_t m = find.size();
    size_t j = m == 0 ? npos : line.find(find);
    if (j == npos) return std::string(line);
    if (repl.find(find) != npos) {
        // Replacing again would never end; one left-to-right pass is all that can be done.
        std::string out;
        size_t i = 0;
        for (; j != npos; j = line.find(find, i)) {
            out.append(line.substr(i, j - i)).append(repl);
            i = j + m;
        }
        out.append(line.substr(i));
        return out;
    }

    // The text is read left to right onto `out`, which never holds a match. When the bytes just
    // added complete one, it is removed and the replacement is read next, so a match that the
    // replacement forms with the bytes before or after it is found as the leftmost one.
    std::string out;
    out.reserve(line.size() + 16);
    std::string pending;  // replacement bytes still to be read, before line[i..]
    size_t pi = 0;
    size_t i = 0;
    size_t clean = 0;   // bytes of line at the end of out since the last replacement
    size_t forced = 0;  // bytes of line to read one at a time (a match found ahead)
    auto push = [&](char c, bool fromLine) {
        out.push_back(c);
        clean = fromLine ? clean + 1 : 0;
        if (c == find.back() && EndsWith(out, find)) {
            out.resize(out.size() - m);
            pending = std::string(repl) + pending.substr(pi);
            pi = 0;
            clean = 0;
        }
    };
    out.append(line.substr(0, j));
    clean = j;
    i = j;
    forced = m;
    for (;;) {
        if (pi < pending.size()) {
            push(pending[pi++], false);
            continue;
        }
        pending.clear();
        pi = 0;
        if (i >= line.size()) break;
        if (forced > 0 || clean < m - 1) {
            if (forced > 0) --forced;
            push(line[i++], true);
            continue;
        }
        // The last m-1 bytes of out are line[i-m+1..i), untouched, so the next match is the
        // next occurrence in line itself from there.
        size_t from = i - (m - 1);
        j = line.find(find, from);
        if (j == npos) {
            out.append(line.substr(i));
            break;
        }
        if (j < i) {
            out.resize(out.size() - (i - j));
            clean -= i - j;
        } else {
            out.append(line.substr(i, j - i));
            clean += j - i;
        }
        i = j;
        forced = m;
    }
    return out;
}

namespace decode_detail {

namespace {

void ReplaceAllInPlace(std::string& line, std::string_view find, std::string_view repl) {
    if (line.find(find) != npos) line = ReplaceAll(line, find, repl);
}

// Finds a fixed text at or after positions that only grow, remembering the last answer so
// that a text absent from the rest of the line is not searched for again.
class ForwardFinder {
  public:
    ForwardFinder(const std::string& s, std::string_view what) : s_(s), what_(what) {}
    size_t Next(size_t from) {
        if (searched_ && (found_ == npos || found_ >= from)) return found_;
        found_ = s_.find(what_, from);
        searched_ = true;
        return found_;
    }

  private:
    const std::string& s_;
    std::string_view what_;
    size_t found_ = npos;
    bool searched_ = false;
};

// The 56 bytes whose 1-based position plus 39 is the half-width kana byte (the kana repair).
constexpr std::string_view kKanaTable = "r!#%')cegCC\"$&(*+-/13579;=?ADFHJKLMNORUX[^_`abdfhijklmos";
static_assert(kKanaTable.size() == 56, "kana table");

// The eight pairs of the kana repair (matched only at odd positions of their 16-byte string) and
// the byte each becomes.
constexpr std::string_view kPairTable = "]a!)!#!V!W!\"!&!<";
constexpr unsigned char kPairValue[8] = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x32};
static_assert(kPairTable.size() == 16, "pair table");

int PairValue(char a, char b) {
    for (size_t k = 0; k < 8; ++k) {
        if (kPairTable[2 * k] == a && kPairTable[2 * k + 1] == b) return kPairValue[k];
    }
    return -1;
}

// Lost ESC written as "y": "y" + tail at p becomes ESC + tail and the byte before it rises by one.
// The line keeps its length; the change can only complete a match three bytes further left.
bool RepairLostEscape(std::string& s, std::string_view pattern) {
    bool applied = false;
    size_t from = 0;
    for (size_t p; (p = s.find(pattern, from)) != npos;) {
        // A "y" at the very start has no byte before it to correct.
        if (p > 0) s[p - 1] = static_cast<char>(static_cast<unsigned char>(s[p - 1]) + 1);
        s[p] = kEsc;
        applied = true;
        from = p >= 3 ? p - 3 : 0;
    }
    return applied;
}

// Kana repair: ESC(Jw ESC$B becomes ESC(I, and a kana code damaged into two bytes after it
// becomes its one byte again.
void RepairKanaShift(std::string& s) {
    static constexpr std::string_view kFind("\x1b(Jw\x1b$B", 7);
    size_t p = s.find(kFind);
    if (p == npos) return;
    std::string out;
    out.reserve(s.size());
    size_t off = 0;
    for (; p != npos; p = s.find(kFind, off)) {
        out.append(s, off, p - off);
        out.append("\x1b(I", 3);
        size_t q = p + 7;
        off = q;
        if (q < s.size() && s[q] == '%') {
            size_t k = 0;
            if (q + 1 < s.size()) {
                size_t at = kKanaTable.find(s[q + 1]);
                k = at == npos ? 0 : at + 1;
            }
            out.push_back(static_cast<char>(k + 39));
            off = std::min(q + 2, s.size());
        } else if (q + 1 < s.size()) {
            int v = PairValue(s[q], s[q + 1]);
            if (v >= 0) {
                out.push_back(static_cast<char>(v));
                off = q + 2;
            }
        }
    }
    out.append(s, off, npos);
    s.swap(out);
}

// "!)(J" repair: "!)(J" ESC at p: the byte before it is dropped and the five bytes become
// ESC$B "." ESC. The length stays (six bytes for six) unless p is the first byte.
void RepairQuestionBeforeRoman(std::string& s) {
    static constexpr std::string_view kFind("!)(J\x1b", 5);
    size_t from = 0;
    for (size_t p; (p = s.find(kFind, from)) != npos;) {
        if (p == 0) {
            s.replace(0, 5, kQuestionRepair);
            from = 0;
            continue;
        }
        s.replace(p - 1, 6, kQuestionRepair);
        // Only a "!)(J" just before the new ESC can form a new match.
        from = p >= 5 ? p - 5 : 0;
    }
}

// "!)" before "$B" repair: "!)" before "$B" becomes ESC$B "." ESC; the "$B" stays after the new
// ESC.
void RepairQuestionBeforeKanji(std::string& s) {
    static constexpr std::string_view kFind("!)$B");
    size_t p = s.find(kFind);
    if (p == npos) return;
    std::string out;
    out.reserve(s.size() + 16);
    size_t off = 0;
    for (; p != npos; p = s.find(kFind, off)) {
        out.append(s, off, p - off);
        out.append(kQuestionRepair);
        off = p + 2;
    }
    out.append(s, off, npos);
    s.swap(out);
}

}  // namespace

void RepairFixedEscapes(std::string& s) {
    bool esc = false, si = false, so = false, x01 = false;
    for (char c : s) {
        if (static_cast<unsigned char>(c) > 0x1b) continue;
        esc |= c == kEsc;
        si |= c == '\x0f';
        so |= c == '\x0e';
        x01 |= c == '\x01';
    }
    if (esc && si) ReplaceAllInPlace(s, std::string_view("\x1b$B\x0f", 4), kEscKanji);
    if (si) ReplaceAllInPlace(s, std::string_view("\x0f", 1), "\x1b(J");
    if (so) ReplaceAllInPlace(s, std::string_view("\x0e", 1), "\x1b(I");
    if (x01) ReplaceAllInPlace(s, std::string_view("\x23\x01", 2), "\x24\x22");
    if (esc || si || so) {
        ReplaceAllInPlace(s, "\x1b$(", "\x1b$");
        ReplaceAllInPlace(s, "\x1b)I", "");
        ReplaceAllInPlace(s, "\x1b-A", "");
    }
}

bool RepairRomanSwitches(std::string& s) {
    static constexpr std::string_view kFind("\x1b(Jx", 4);
    size_t p = s.find(kFind);
    if (p == npos) return false;
    // Rewrites ESC(J x c ESC$B (eight bytes) to ESC$B c' (four). c' is put back into the line
    // at the place of the last consumed byte so that a match it starts is still found.
    std::string out;
    size_t off = 0;
    bool applied = false;
    for (; p != npos; p = s.find(kFind, off)) {
        if (p + 7 >= s.size() || s.compare(p + 5, 3, kEscKanji) != 0) break;
        out.append(s, off, p - off);
        out.append(kEscKanji);
        s[p + 7] = static_cast<char>(static_cast<unsigned char>(s[p + 4]) - 31);
        off = p + 7;
        applied = true;
    }
    if (applied) {
        out.append(s, off, npos);
        s.swap(out);
    }
    return applied;
}

bool RepairLostEscapes(std::string& s) {
    bool c1 = RepairLostEscape(s, "y(J");
    RepairLostEscape(s, "y$B");
    RepairKanaShift(s);
    ReplaceAllInPlace(s, std::string_view("!)$B\x1b", 5), kQuestionRepair);
    RepairQuestionBeforeRoman(s);
    RepairQuestionBeforeKanji(s);
    ReplaceAllInPlace(s, std::string_view("!)\x1b", 3), kQuestionRepair);
    ReplaceAllInPlace(s, std::string_view("\x1b$B(J", 5), "\x1b(J");
    return c1;
}

void RestoreKanjiAfterSwitches(std::string& s) {
    const size_t n = s.size();
    ForwardFinder roman(s, "\x1b(J"), kana(s, "\x1b(I"), kanji(s, "$B"), dollar(s, "$"),
        esc(s, "\x1b");
    std::string out;
    out.reserve(n + 16);
    size_t off = 0;  // start of the work string T
    for (;;) {
        size_t p = roman.Next(off);
        if (p == npos) break;  // no ESC(J: the pass ends even if an ESC(I is left
        size_t k = kana.Next(off);
        if (k != npos && k < p) p = k;
        out.append(s, off, p + 3 - off);
        off = p + 3;
        // Counted from T's start: an even number of bytes from after "$B" (or from "$") to the
        // next ESC or to the end means the stretch is kanji.
        size_t b = kanji.Next(off);
        if (b != npos) {
            size_t e = esc.Next(off);
            bool isKanji = e != npos ? (((b ^ e) & 1) == 0 && b < e) : (((n - b) & 1) == 0);
            if (isKanji) {
                if (s[b - 1] == kEsc) {
                    out.append(s, off, b + 2 - off);
                } else {
                    out.append(s, off, b - off);
                    out.append(kEscKanji);
                }
                off = b + 2;
            }
        } else {
            size_t d = dollar.Next(off);
            size_t e = esc.Next(off);
            if (d != npos && (e != npos ? ((d ^ e) & 1) == 0 : ((n - d) & 1) == 0)) {
                out.append(s, off, d - off);
                out.append(kEscKanji);
                off = d;
            }
        }
    }
    if (off == 0) return;
    out.append(s, off, npos);
    s.swap(out);
}

RepairNeed RepairNeedOf(std::string_view line) {
    // One look at the control bytes and the two bytes after each ESC tells whether the first two
    // and B can act; C and D only run after B.
    RepairNeed need = RepairNeed::kNone;
    const size_t n = line.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (c > 0x1b) continue;
        if (c == 0x01 || c == 0x0e || c == 0x0f) return RepairNeed::kFixedEscapes;
        if (c != 0x1b || i + 2 >= n) continue;
        char a = line[i + 1], b = line[i + 2];
        if ((a == '$' && b == '(') || (a == ')' && b == 'I') || (a == '-' && b == 'A')) {
            return RepairNeed::kFixedEscapes;
        }
        if (a == '(' && b == 'J' && i + 3 < n && line[i + 3] == 'x')
            need = RepairNeed::kRomanSwitch;
    }
    return need;
}

bool RunJisRepairs(std::string& line, bool allowB) {
    RepairNeed need = RepairNeedOf(line);
    if (need == RepairNeed::kNone) return false;
    if (need == RepairNeed::kFixedEscapes) RepairFixedEscapes(line);
    if (!allowB || !RepairRomanSwitches(line)) return false;
    if (RepairLostEscapes(line)) RestoreKanjiAfterSwitches(line);
    return true;
}

bool EndsInShiftedMode(std::string_view line) {
    size_t e = line.rfind(kEsc);
    if (e == npos) return false;
    std::string_view after = line.substr(e + 1, 2);
    return after != "(J" && after != "(B";
}

namespace {

bool ShiftedAfter(const std::string& line, size_t lastEsc) {
    if (lastEsc == npos) return false;
    std::string_view after = std::string_view(line).substr(lastEsc + 1, 2);
    return after != "(J" && after != "(B";
}

// Joining a line that ends in kanji or kana mode with the next one and running every repair
// again on the whole joined line would be quadratic for a body whose lines all end that way.
// Instead the joined line is split into a frozen part and a window at its end, and only the
// window (plus the new line) goes through the repairs, when that provably gives the same line:
//  - the frozen part holds nothing the fixed-escape and roman-switch repairs act on: no SI, SO or
//  23 01, no ESC$(, ESC)I,
//    ESC-A, and no ESC(Jx followed by ESC$B three bytes later; and in its last eight bytes no
//    ESC other than a complete ESC$B or ESC(B, and no 0x23 as its last byte, so no match can
//    reach across into it (so it stays the same, and the line's last ESC is remembered);
//  - an ESC(Jx in it that is not followed so stops the roman-switch repair for good (B then stays
//  off);
//  - the roman-switch repair does not apply in the window (otherwise the lost-escape repair and the
//  kanji restart, which look at the whole
//    line, would run), else the whole joined line is run through the repairs as written.
class JoinedLine {
  public:
    explicit JoinedLine(std::string& line) : x_(line) {}

    void Join(std::string_view next) {
        size_t s = WindowStart();
        if (checked_ > s) Shrink(s);
        if (Verify(s)) {
            std::string w = x_.substr(s);
            w += next;
            if (!RunJisRepairs(w, /*allowB=*/blocker_ == npos)) {
                x_.resize(s);
                size_t lastInWindow = w.rfind(kEsc);
                x_ += w;
                lastEsc_ = lastInWindow != npos ? s + lastInWindow
                           : escs_.empty()      ? npos
                                                : escs_.back();
                return;
            }
        }
        x_ += next;
        RunJisRepairs(x_);
        Reset();
    }

    bool Shifted() const { return ShiftedAfter(x_, lastEsc_); }

  private:
    size_t WindowStart() const {
        size_t s = x_.size() > 16 ? x_.size() - 16 : 0;
        for (;;) {
            // An ESC near the end of the frozen part must not start a match that reaches into
            // the window. ESC$B (with the byte after it frozen) and ESC(B start none.
            size_t lo = s > 8 ? s - 8 : 0, reaching = npos;
            for (size_t e = x_.find(kEsc, lo); e != npos && e < s; e = x_.find(kEsc, e + 1)) {
                bool inert = (e + 3 < s && x_.compare(e + 1, 2, "$B") == 0) ||
                             (e + 2 < s && x_.compare(e + 1, 2, "(B") == 0);
                if (!inert) {
                    reaching = e;
                    break;
                }
            }
            if (reaching != npos) {
                s = reaching;
                continue;
            }
            if (s > 0 && x_[s - 1] == '\x23') {  // a 23 01 across the edge
                --s;
                continue;
            }
            return s;
        }
    }

    void Shrink(size_t s) {
        checked_ = s;
        while (!escs_.empty() && escs_.back() >= s) escs_.pop_back();
        if (blocker_ != npos && blocker_ >= s) blocker_ = npos;
        if (hot_ != npos && hot_ >= s) hot_ = npos;
    }

    // Extends the checked frozen part to [0, s); false when it holds something the repairs act on.
    bool Verify(size_t s) {
        if (hot_ != npos) return false;
        for (size_t i = checked_; i < s; ++i) {
            unsigned char c = static_cast<unsigned char>(x_[i]);
            if (c > 0x1b) continue;
            bool hot = c == 0x0e || c == 0x0f || (c == 0x01 && i > 0 && x_[i - 1] == '\x23');
            if (c == 0x1b) {
                escs_.push_back(i);
                std::string_view seq(x_.data() + i + 1, std::min<size_t>(7, x_.size() - i - 1));
                hot = seq.substr(0, 2) == "$(" || seq.substr(0, 2) == ")I" ||
                      seq.substr(0, 2) == "-A";
                // WindowStart keeps any ESC(J seven bytes or more before s.
                if (!hot && blocker_ == npos && seq.substr(0, 3) == "(Jx") {
                    if (seq.size() < 7 || seq.substr(4, 3) == kEscKanji) {
                        hot = true;
                    } else {
                        blocker_ = i;
                    }
                }
                if (hot) escs_.pop_back();
            }
            if (hot) {
                hot_ = i;
                checked_ = i;
                return false;
            }
        }
        checked_ = s;
        return true;
    }

    void Reset() {
        checked_ = 0;
        escs_.clear();
        blocker_ = npos;
        hot_ = npos;
        lastEsc_ = x_.rfind(kEsc);
    }

    std::string& x_;
    size_t checked_ = 0;        // x_[0, checked_) verified frozen
    std::vector<size_t> escs_;  // ESC positions in x_[0, checked_)
    size_t blocker_ = npos;  // first ESC(Jx in the frozen part (it stops the roman-switch repair)
    size_t hot_ = npos;      // first thing found that the repairs act on
    size_t lastEsc_ = x_.rfind(kEsc);
};

}  // namespace

void RepairJisLine(std::string& line, const std::vector<std::string_view>& body, size_t& next,
                   bool literalJoin) {
    RunJisRepairs(line);
    if (literalJoin) {
        while (next < body.size() && EndsInShiftedMode(line)) {
            line += body[next++];
            RunJisRepairs(line);
        }
        return;
    }
    if (next >= body.size() || !EndsInShiftedMode(line)) return;
    JoinedLine joined(line);
    while (next < body.size() && joined.Shifted()) joined.Join(body[next++]);
}

void RepairJisLine(std::string& line, const std::vector<std::string>& body, size_t& next,
                   bool literalJoin) {
    std::vector<std::string_view> views(body.begin(), body.end());
    RepairJisLine(line, views, next, literalJoin);
}

}  // namespace decode_detail
}  // namespace kestrel
