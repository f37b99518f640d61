#include "viewer/text/reformat.h"

#include <algorithm>
#include <bitset>
#include <iterator>
#include <memory>

#include "common/sjis.h"
#include "viewer/text/quote.h"

namespace kestrel {

namespace {

using uchar = unsigned char;
constexpr size_t kNone = static_cast<size_t>(-1);

// Default lists, stored as Shift-JIS bytes.
// "。．？；）"
constexpr char kEndCharZenkaku[] = "\x81\x42\x81\x44\x81\x48\x81\x47\x81\x6a";
// Ideographic space, then "．，。、・？！）〕］｝〉》」』】".
constexpr char kAvoidBeginChar[] =
    "\x81\x40\x81\x44\x81\x43\x81\x42\x81\x41\x81\x45\x81\x48\x81\x49\x81\x6a\x81\x6c"
    "\x81\x6e\x81\x70\x81\x72\x81\x74\x81\x76\x81\x78\x81\x7a";
// "（〔［｛〈《「『【"
constexpr char kAvoidEndChar[] =
    "\x81\x69\x81\x6b\x81\x6d\x81\x6f\x81\x71\x81\x73\x81\x75\x81\x77\x81\x79";

// Starts of quoted reply headers; a line holding them near its start is never joined.
const std::string_view kHeaderMarks[] = {
    "From:",
    "Sent:",
    "To:",
    "Cc:",
    "Subject:",
    "=== <",
    "\x95\x57\x91\xe8: ",  // "標題: "
    "\x8a\xfa\x8c\xc0:",   // "期限:"
    "\x88\xb6\x90\xe6:",   // "宛先:"
    "\x8e\xca\x82\xb5:",   // "写し:"
};

inline uchar At(std::string_view s, size_t i) {
    return static_cast<uchar>(s[i]);
}
inline unsigned Pair(uchar lead, uchar trail) {
    return (unsigned{lead} << 8) | trail;
}

}  // namespace

// The settings turned into lookup tables once per pass.
struct ReformatPass::Rules {
    explicit Rules(const ReformatSettings& s)
        : quote(s.quoteChar), width(static_cast<size_t>(std::max<int32_t>(s.maxLength, 1))) {
        AddPairs(s.avoidBeginChar, avoidBegin);
        AddPairs(s.avoidEndChar, avoidEnd);
        AddPairs(s.endCharZenkaku, endZenkaku);
        const std::string_view han = s.endCharHankaku;
        for (size_t i = 0; i < han.size(); i += CharLenAt(han, i)) {
            if (IsSingleByteChar(At(han, i))) endHankaku[At(han, i)] = true;
        }
    }

    // Every double-byte character of list is an entry; the spaces SpaceAfterDoubleByte puts
    // after them, and single-byte characters, never match a two-byte character.
    static void AddPairs(std::string_view list, std::bitset<65536>& set) {
        for (size_t i = 0; i < list.size(); i += CharLenAt(list, i)) {
            if (CharLenAt(list, i) == 2) set.set(Pair(At(list, i), At(list, i + 1)));
        }
    }

    bool DoubleEntry(const std::bitset<65536>& set, std::string_view s, size_t i) const {
        return i + 1 < s.size() && IsLeadByte(At(s, i)) && set.test(Pair(At(s, i), At(s, i + 1)));
    }

    QuoteCharSet quote;
    size_t width;
    std::bitset<65536> avoidBegin, avoidEnd, endZenkaku;
    bool endHankaku[256] = {};
};

// Buffers kept from one run to the next, so that a text fed in many small pieces does not
// allocate them again for every piece.
struct ReformatPass::Scratch {
    std::string buf, q, cand, prefix;
    std::vector<std::string> out, spare;
};

namespace {

using Rules = ReformatPass::Rules;
using Scratch = ReformatPass::Scratch;

// A character boundary at or before index i (0 at the latest): a byte that cannot start a
// double-byte character always ends a character, so the boundary lies just after the last such
// byte before i, and from there the run of lead-class bytes pairs up.
size_t BoundaryAtOrBefore(std::string_view s, size_t i) {
    size_t j = i;
    while (j > 0 && IsLeadByte(At(s, j - 1))) --j;
    // Bytes j .. i-1 are all lead-class and j is a boundary: they pair up from j.
    return ((i - j) % 2 == 0) ? i : i - 1;
}

bool EndsSentenceImpl(std::string_view d, const Rules& r) {
    size_t end = d.size();
    while (end > 1 && d[end - 1] == ' ') --end;
    // One walk over the characters finds the last one and the trailing run of full-width
    // spaces, so that a byte pair across two characters is never taken for one.
    size_t last = kNone, runStart = kNone, beforeRun = kNone;
    // Walk from a boundary before the trailing full-width spaces: each of them ends in 0x40,
    // which cannot start a character, so the byte before the run is found quickly.
    size_t from = end;
    while (from >= 2 && At(d, from - 2) == 0x81 && At(d, from - 1) == 0x40) from -= 2;
    from = from >= 3 ? BoundaryAtOrBefore(d, from - 3) : 0;
    for (size_t i = from; i < end;) {
        const size_t len = (IsLeadByte(At(d, i)) && i + 1 < end) ? 2 : 1;
        if (len == 2 && At(d, i) == 0x81 && At(d, i + 1) == 0x40) {
            if (runStart == kNone) {
                runStart = i;
                beforeRun = last;
            }
        } else {
            runStart = kNone;
        }
        last = i;
        i += len;
    }
    if (end > 2 && runStart != kNone) {
        // Full-width spaces go two bytes at a time while more than 2 bytes remain.
        if (runStart == 0) {
            end = 2;
            last = 0;
        } else {
            end = runStart;
            last = beforeRun;
        }
    }
    if (end < 2 || last == kNone) return false;
    if (end - last == 2) return r.endZenkaku.test(Pair(At(d, last), At(d, last + 1)));
    return IsSingleByteChar(At(d, last)) && r.endHankaku[At(d, last)];
}

// Number of bytes of d that stay on the first line (steps after the append from the next
// line). Positions in comments are 1-based as in the rules; the code indexes from 0.
size_t BreakPoint(std::string_view d, const Rules& r) {
    const size_t width = r.width;
    const size_t len = d.size();
    // The last character starts before the break, newest last (the end rule looks back 6).
    size_t ring[8];
    size_t count = 0;
    // Start of the last space or non-ASCII character before pos (the Latin walk-back target).
    size_t special = kNone;
    // Characters before index width - 39 matter to no rule: start from a boundary there.
    size_t i = (width > 40 && width - 40 < len) ? BoundaryAtOrBefore(d, width - 40) : 0;
    while (i < len && i + 1 < width) {
        ring[count++ & 7] = i;
        const uchar c = At(d, i);
        if (c > 0x7E || c == ' ') special = i;
        i += IsLeadByte(c) ? 2 : 1;
    }
    if (i < len) {
        const uchar c = At(d, i);
        if (c == ' ') return i + 1;  // the space stays at the end of the line
        if (c <= 0x7E) {
            // Latin text at the limit: break after the last space or non-ASCII character if it
            // lies at position width - 38 or later, else cut the word at the width.
            if (special != kNone && special + 39 >= width) return special + CharLenAt(d, special);
            return i + 1;
        }
    } else {
        i = len;  // a truncated last character: pos is one past the end
    }
    // Begin rule: closing punctuation stays on the line, at most up to position width + 6.
    size_t pos = i;
    while (r.DoubleEntry(r.avoidBegin, d, pos) && pos <= width + 4) {
        ring[count++ & 7] = pos;
        pos += 2;
    }
    size_t result = pos;
    // End rule: up to 6 opening brackets before the break go on to the next line (never all
    // of the line).
    if (pos + 3 > width) {
        for (size_t k = 0; k < 6 && k < count; ++k) {
            const size_t s = ring[(count - 1 - k) & 7];
            if (s == 0 || s + 2 != result || !r.DoubleEntry(r.avoidEnd, d, s)) break;
            result = s;
        }
    }
    // Width 1 with a double-byte character first: the character still goes on the line.
    return (result > 0 || d.empty()) ? result : CharLenAt(d, 0);
}

// Up to n bytes from the start of s, ending on a character boundary (at least one character).
size_t AlignedTake(std::string_view s, size_t n) {
    if (n >= s.size()) return s.size();
    const size_t i = BoundaryAtOrBefore(s, n);
    return i > 0 ? i : CharLenAt(s, 0);
}

// The cut used when the break would leave nothing after the prefix: the characters after the
// first plen bytes up to the width, at least one.
size_t HardCut(std::string_view d, size_t plen, size_t width) {
    if (plen >= d.size()) return d.size();
    size_t i = plen + CharLenAt(d, plen);
    while (i < d.size() && i + CharLenAt(d, i) <= width) i += CharLenAt(d, i);
    return std::min(i, d.size());
}

// Sum of the 1-based positions of the first occurrence of each reply header mark (0 for an
// absent one) is from 1 to 5.
bool IsReplyHeaderLine(std::string_view d) {
    bool found[std::size(kHeaderMarks)] = {};
    size_t sum = 0;
    for (size_t p = 0; p < d.size(); p += CharLenAt(d, p)) {
        if (sum == 0 && p >= 5) return false;  // any mark from here on gives a sum above 5
        for (size_t k = 0; k < std::size(kHeaderMarks); ++k) {
            if (found[k] || d[p] != kHeaderMarks[k][0]) continue;
            if (d.compare(p, kHeaderMarks[k].size(), kHeaderMarks[k]) != 0) continue;
            found[k] = true;
            sum += p + 1;
            if (sum > 5) return false;
        }
    }
    return sum >= 1;
}

bool FullWidthDigitAt(std::string_view n, size_t i) {
    // "０" to "９": 82 4F to 82 58.
    return i + 1 < n.size() && At(n, i) == 0x82 && At(n, i + 1) >= 0x4F && At(n, i + 1) <= 0x58;
}

bool ItemMarkAt(std::string_view n, size_t i) {
    // "。", "）", "．"
    if (i + 1 >= n.size() || At(n, i) != 0x81) return false;
    const uchar t = At(n, i + 1);
    return t == 0x42 || t == 0x6A || t == 0x44;
}

bool DigitAt(std::string_view n, size_t i) {
    return i < n.size() && n[i] >= '0' && n[i] <= '9';
}
bool DotOrParenAt(std::string_view n, size_t i) {
    return i < n.size() && (n[i] == '.' || n[i] == ')');
}

// The candidate starts a numbered item, also when shifted by the space put in front of
// single-byte text or by indentation.
bool StartsNumberedItem(std::string_view n) {
    return (FullWidthDigitAt(n, 0) && ItemMarkAt(n, 2)) ||
           (FullWidthDigitAt(n, 2) && ItemMarkAt(n, 4)) ||
           (FullWidthDigitAt(n, 1) && ItemMarkAt(n, 3)) || (DigitAt(n, 0) && DotOrParenAt(n, 1)) ||
           (DigitAt(n, 1) && DotOrParenAt(n, 2)) || (DigitAt(n, 2) && DotOrParenAt(n, 3));
}

constexpr std::string_view kFullWidthSpace = "\x81\x40";

// The main pass. Lines are read from `in` at index i and written to `out`, which stands for
// the list before index b; the line the pass steps back to is put back into the input slot
// just freed. Every line is thus moved a bounded number of times (no erase from the middle),
// and the storage of consumed input lines is reused for the output lines.
void MainPass(std::vector<std::string>& lines, size_t start, bool wholeBody, const Rules& r,
              Scratch& scratch) {
    const size_t n = lines.size();
    const size_t width = r.width;
    std::vector<std::string>& out = scratch.out;
    out.clear();
    out.reserve(n + n / 2 + 16);
    for (size_t k = 0; k < start; ++k) out.push_back(std::move(lines[k]));

    // D lives in buf from off on; the consumed front makes room for the next prefix.
    std::string &buf = scratch.buf, &q = scratch.q, &cand = scratch.cand;
    std::string& prefix = scratch.prefix;
    std::vector<std::string>& spare = scratch.spare;
    const auto emit = [&](const std::string& from, size_t pos, size_t count) {
        if (spare.empty()) {
            out.emplace_back(from, pos, count);
        } else {
            out.push_back(std::move(spare.back()));
            spare.pop_back();
            out.back().assign(from, pos, count);
        }
    };
    size_t i = start;
    while (i < n) {
        while (i + 1 < n && lines[i].empty()) out.push_back(std::move(lines[i++]));
        if (lines[i].empty()) {  // an empty last line stays as it is
            out.push_back(std::move(lines[i++]));
            continue;
        }
        std::string& cur = lines[i];
        const size_t qlen = r.quote.PrefixLength(cur);
        q.assign(cur, 0, qlen);
        size_t plen = qlen;  // length of the prefix at the front of D
        buf.clear();
        if (qlen > 12) {
            // A long prefix is shortened so that the line's text fits the width; it is cut on
            // a character boundary so no double-byte character is split.
            const size_t textLen = cur.size() - qlen;
            const int64_t keep = static_cast<int64_t>(width) - 2 - static_cast<int64_t>(textLen);
            size_t cut = 0;
            if (keep > 0) cut = AlignedTake(std::string_view(q), static_cast<size_t>(keep));
            if (cut > static_cast<size_t>(std::max<int64_t>(keep, 0))) cut = 0;
            if (cut == 0 && textLen == 0) cut = qlen;  // a line of prefix alone stays whole
            buf.append(q, 0, cut).append(cur, qlen, std::string::npos);
            plen = cut;
        } else {
            buf.assign(cur);  // buf keeps its capacity: no allocation per line
        }
        spare.push_back(std::move(cur));
        size_t off = 0;

        // The candidate for joining: the next line without its prefix.
        std::string_view q2;
        cand.clear();
        if (i + 1 < n) {
            const std::string& next = lines[i + 1];
            const size_t q2len = r.quote.PrefixLength(next);
            q2 = std::string_view(next).substr(0, q2len);
            if (q2len < next.size()) {
                if (ByteClass(next, q2len) == 1) cand.push_back(' ');
                cand.append(next, q2len, std::string::npos);
            }
        }
        const bool fwIndent = q.size() == q2.size() + 2 && q.compare(0, q2.size(), q2) == 0 &&
                              q.compare(q2.size(), 2, kFullWidthSpace) == 0;
        const std::string_view d(buf);
        if (!cand.empty() &&
            (EndsSentenceImpl(d, r) || (q != q2 && !fwIndent) || IsReplyHeaderLine(d) ||
             StartsNumberedItem(cand) || q.find("      ") != std::string::npos ||
             (wholeBody && d.size() > 2 && At(d, d.size() - 1) < 0x7F &&
              At(d, d.size() - 2) < 0x7F && d.size() < width))) {
            cand.clear();
        }
        // Prefix of the continuation lines: the indentation of a first line is not repeated.
        if (fwIndent) {
            prefix.assign(q2);
        } else {
            prefix.assign(q);
        }

        ++i;  // the line at b is taken out
        size_t taken = 0;
        bool consumed = false;
        for (;;) {
            size_t dlen = buf.size() - off;
            if (dlen == 0) {
                if (taken >= cand.size()) break;
                // Never reached with a working break rule; keeps every byte regardless.
                buf.assign(prefix);
                off = 0;
                plen = prefix.size();
                dlen = buf.size();
            }
            if (taken < cand.size() && dlen <= std::max(width, plen) + 10) {
                const size_t t = AlignedTake(std::string_view(cand).substr(taken), width + 10);
                buf.append(cand, taken, t);
                taken += t;
                dlen = buf.size() - off;
            }
            const std::string_view view(buf.data() + off, dlen);
            size_t h = std::min(BreakPoint(view, r), dlen);
            if (h <= plen) h = HardCut(view, plen, width);
            if (taken > 0 && !consumed) {
                spare.push_back(std::move(lines[i++]));  // the next line now lives in D
                consumed = true;
            }
            emit(buf, off, h);
            off += h;
            if (off == buf.size()) {
                buf.clear();
                off = 0;
                continue;
            }
            if (off >= prefix.size()) {
                off -= prefix.size();
                std::copy(prefix.begin(), prefix.end(), buf.begin() + static_cast<ptrdiff_t>(off));
            } else {
                buf.replace(0, off, prefix);
                off = 0;
            }
            plen = prefix.size();
        }
        if (!cand.empty() && consumed) {
            // Try the last line produced again against the line that now follows it.
            --i;
            lines[i] = std::move(out.back());
            out.pop_back();
        }
    }
    lines.swap(out);
    out.clear();  // the input's emptied strings; the vector's storage serves the next run
}

}  // namespace

std::string SpaceAfterDoubleByte(std::string_view list) {
    std::string out;
    out.reserve(list.size() * 3 / 2);
    for (size_t i = 0; i < list.size();) {
        const size_t len = CharLenAt(list, i);
        out.append(list, i, len);
        if (len == 2) out.push_back(' ');
        i += len;
    }
    return out;
}

ReformatSettings::ReformatSettings()
    : quoteChar(">|:# -="),
      endCharZenkaku(kEndCharZenkaku),
      endCharHankaku(".;)!?"),
      avoidBeginChar(SpaceAfterDoubleByte(kAvoidBeginChar)),
      avoidEndChar(SpaceAfterDoubleByte(kAvoidEndChar)) {}

int ByteClass(std::string_view line, size_t i) {
    if (i >= line.size()) return 0;
    return IsSingleByteChar(At(line, i)) ? 1 : 2;
}

bool EndsSentence(std::string_view line, const ReformatSettings& settings) {
    return EndsSentenceImpl(line, *std::make_unique<Rules>(settings));
}

size_t FindBreak(std::string& line, std::string_view& rest, size_t width,
                 const ReformatSettings& settings) {
    ReformatSettings s = settings;
    s.maxLength = static_cast<int32_t>(std::clamp<size_t>(width, 1, INT32_MAX));
    const auto rules = std::make_unique<Rules>(s);
    const size_t w = rules->width;
    if (line.size() <= w + 10 && !rest.empty()) {
        const size_t t = AlignedTake(rest, w + 10);
        line.append(rest.data(), t);
        rest.remove_prefix(t);
    }
    if (line.empty()) return 0;
    return std::min(BreakPoint(line, *rules), line.size());
}

void DeleteTabPass(std::vector<std::string>& lines, size_t start) {
    const size_t n = lines.size();
    size_t w = start;
    for (size_t a = start; a < n; ++a) {
        std::string line = std::move(lines[a]);
        const size_t before = line.size();
        if (line.find('\t') != std::string::npos) {
            line.erase(std::remove(line.begin(), line.end(), '\t'), line.end());
        }
        const size_t counted = line.size() + 8 * (before - line.size());
        if (counted >= 70 && counted <= 78 && a + 1 < n && !lines[a + 1].empty() &&
            lines[a + 1].size() <= 39) {
            // A short remainder the sender's program wrapped off a 70-78 byte line. A line of
            // quote marks alone separates quoted paragraphs and is kept.
            const std::string& next = lines[a + 1];
            const size_t skip = next.find_first_not_of("> \t");
            if (skip != std::string::npos) {
                line.append(next, skip, std::string::npos);
                ++a;
            }
        }
        lines[w++] = std::move(line);
    }
    lines.resize(w);
}

ReformatPass::ReformatPass(const ReformatSettings& settings)
    : rules_(std::make_unique<Rules>(settings)),
      scratch_(std::make_unique<Scratch>()),
      deleteTab_(settings.deleteTab),
      usable_(settings.maxLength >= 1) {}

ReformatPass::~ReformatPass() = default;

bool ReformatPass::Usable() const {
    return usable_;
}

void ReformatPass::Run(std::vector<std::string>& lines, size_t start, bool wholeBody) const {
    if (!usable_ || start >= lines.size()) return;
    if (deleteTab_) DeleteTabPass(lines, start);
    MainPass(lines, start, wholeBody, *rules_, *scratch_);
}

bool ReformatLines(std::vector<std::string>& lines, size_t start,
                   const ReformatSettings& settings) {
    if (settings.maxLength < 1) return false;
    if (start >= lines.size()) return true;
    ReformatPass(settings).Run(lines, start, start != 0);
    return true;
}

}  // namespace kestrel
