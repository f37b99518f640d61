// The Decode command: header encoded words and Subject unfolding, quoted-printable and base64
// bodies, then the JIS repairs of every body line.

#include "viewer/mail/decode.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/mail/decode_internal.h"

namespace kestrel {

namespace {

constexpr size_t npos = std::string::npos;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Position of needle (lower case) in s at or after from, ignoring the ASCII case of s.
size_t FindNoCase(std::string_view s, std::string_view needle, size_t from) {
    if (needle.empty() || s.size() < needle.size()) return npos;
    for (size_t i = from; i + needle.size() <= s.size(); ++i) {
        if (LowerAscii(s[i]) != needle[0]) continue;
        size_t k = 1;
        while (k < needle.size() && LowerAscii(s[i + k]) == needle[k]) ++k;
        if (k == needle.size()) return i;
    }
    return npos;
}

// The message of a bad "=" escape; digits are the (up to two) bytes after the "=".
std::string BadEscapeMessage(std::string_view digits) {
    return "'$" + std::string(digits.substr(0, 2)) + "' is not a valid integer value";
}

// Reads the escape "=XY" whose XY starts at s[i]; false when XY are not two hex digits.
bool HexByte(std::string_view s, size_t i, char& byte) {
    if (i + 2 > s.size()) return false;
    int hi = HexValue(s[i]), lo = HexValue(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    byte = static_cast<char>(hi * 16 + lo);
    return true;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// The quoted-printable pass over one body line; soft line breaks take the following lines of
// body (next is advanced past them). Decoded bytes are never scanned again.
bool DecodeQuotedPrintable(std::string& line, const std::vector<std::string_view>& body,
                           size_t& next, std::string& error) {
    if (line.find('=') == npos) return true;
    std::string cur;
    cur.swap(line);
    // out always has room for w plus what is left of cur: a byte copied takes one place, an
    // escape of three bytes takes one.
    std::string out(cur.size(), '\0');
    size_t w = 0, pos = 0;
    for (;;) {
        const size_t n = cur.size();
        while (pos < n && cur[pos] != '=') out[w++] = cur[pos++];
        if (pos == n) break;
        ++pos;
        if (pos == n) {  // soft line break: the text goes on in the next line
            cur.assign(next < body.size() ? body[next++] : std::string_view());
            pos = 0;
            out.resize(w + cur.size());
            continue;
        }
        if (n - pos == 1 && next < body.size()) {
            cur.erase(0, pos);
            pos = 0;
            cur.append(body[next++]);
            out.resize(w + cur.size());
        }
        int hi = pos + 2 <= cur.size() ? HexValue(cur[pos]) : -1;
        int lo = hi >= 0 ? HexValue(cur[pos + 1]) : -1;
        if (lo < 0) {
            error = BadEscapeMessage(std::string_view(cur).substr(pos));
            return false;
        }
        out[w++] = static_cast<char>(hi * 16 + lo);
        pos += 2;
    }
    out.resize(w);
    line.swap(out);
    return true;
}

// Subject lines folded over several header lines are put back on one line.
class SubjectUnfolder {
  public:
    explicit SubjectUnfolder(std::vector<std::string>& out) : out_(out) {}

    void Add(std::string line) {
        if (line.compare(0, 8, "Subject:") == 0) {
            Flush();
            subject_ = std::move(line);
            open_ = true;
        } else if (open_ && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            size_t k = line.find_first_not_of(" \t");
            if (k != npos) subject_.append(line, k, npos);
        } else {
            Flush();
            out_.push_back(std::move(line));
        }
    }

    void Flush() {
        if (open_ && !subject_.empty()) out_.push_back(std::move(subject_));
        subject_.clear();
        open_ = false;
    }

  private:
    std::vector<std::string>& out_;
    std::string subject_;
    bool open_ = false;
};

}  // namespace

std::string DecodeBWords(std::string_view line, std::string_view prefix) {
    std::string lowerPrefix;
    for (char c : prefix) lowerPrefix.push_back(LowerAscii(c));
    std::string result;
    size_t rest = 0;
    bool lastBad = false;
    for (size_t at; (at = FindNoCase(line, lowerPrefix, rest)) != npos;) {
        result.append(line.substr(rest, at - rest));  // text between words stays, blanks too
        const size_t start = at + lowerPrefix.size();
        unsigned long acc = 0;
        int count = 0;
        bool bad = true;  // a word that runs to the end of the line has no closing "?"
        for (size_t i = start; i < line.size(); ++i) {
            const char c = line[i];
            const bool last = i + 1 == line.size();
            int v = Base64Value(c);
            if (v >= 0) {
                acc = acc * 64 + static_cast<unsigned long>(v);
            } else if (c == '=') {
                acc /= 4;
                --count;  // padding does not count toward the group
            } else if (c != ' ' && c != '?') {
                break;  // unexpected byte: the word is bad
            }
            ++count;
            if (last) break;  // the last byte of the line is never a well-formed end
            if (count == 4 || c == '?') {
                for (int shift = 24; shift >= 0; shift -= 8) {
                    if ((acc >> shift) != 0) result.push_back(static_cast<char>(acc >> shift));
                }
                acc = 0;
                count = 0;
            }
            if (c == '?') {
                bad = false;
                break;
            }
        }
        lastBad = bad;
        // The next word is sought after the word's "?" and the byte after it (the "?=").
        size_t q = line.find('?', start);
        rest = q == npos ? line.size() : std::min(line.size(), q + 2);
    }
    if (lastBad) return std::string(line);
    result.append(line.substr(rest));
    return result;
}

bool DecodeQWord(std::string_view line, size_t at, size_t prefixLength, std::string& result,
                 std::string& error) {
    result.assign(line.substr(0, at));
    size_t start = std::min(line.size(), at + prefixLength);
    size_t end = line.find("?=", start);
    std::string_view text = line.substr(start, end == npos ? npos : end - start);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            result.push_back(text[i]);
            continue;
        }
        char byte;
        if (!HexByte(text, i + 1, byte)) {
            error = BadEscapeMessage(text.substr(i + 1));
            return false;
        }
        result.push_back(byte);
        i += 2;
    }
    if (end != npos) result.append(line.substr(end + 2));
    return true;
}

std::string DecodeViewFileText(const std::vector<std::string>& lines) {
    return JoinLinesCrLf(lines);
}

namespace decode_detail {

std::vector<std::string_view> SplitLineViews(std::string_view bytes) {
    std::vector<std::string_view> lines;
    lines.reserve(bytes.size() / 48 + 1);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        size_t end = (lf > start && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

bool DecodeBase64Body(const std::vector<std::string_view>& lines, size_t first,
                      std::vector<std::string>& decoded) {
    std::string bytes;
    unsigned long acc = 0;
    size_t count = 0, padding = 0;
    for (size_t k = first; k < lines.size(); ++k) {
        for (char c : lines[k]) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
            if (c == '=') {
                ++padding;
                ++count;
                continue;
            }
            int v = Base64Value(c);
            if (v < 0 || padding > 0) return false;  // outside the alphabet, or after padding
            acc = (acc << 6) | static_cast<unsigned long>(v);
            if (++count % 4 == 0) {
                bytes.push_back(static_cast<char>((acc >> 16) & 0xff));
                bytes.push_back(static_cast<char>((acc >> 8) & 0xff));
                bytes.push_back(static_cast<char>(acc & 0xff));
                acc = 0;
            }
        }
    }
    if (count == 0 || count % 4 != 0 || padding > 2) return false;
    // The last group: 4 - padding characters carry 3 - padding bytes.
    if (padding > 0) {
        acc <<= 6 * padding;
        bytes.push_back(static_cast<char>((acc >> 16) & 0xff));
        if (padding == 1) bytes.push_back(static_cast<char>((acc >> 8) & 0xff));
    }
    decoded = SplitLines(bytes);
    return true;
}

bool DecodeLines(const std::vector<std::string_view>& lines, const DecodeOptions& opt,
                 DecodeSink& sink, std::string& error) {
    sink.Line("X-Status: READ");
    bool quotedPrintable = false, base64 = false;
    size_t next = 0;
    {
        std::vector<std::string> header;
        SubjectUnfolder subject(header);
        bool inHeader = true;
        while (inHeader && next < lines.size()) {
            std::string line(lines[next++]);
            const std::string lower = LowerSjis(line);
            size_t at;
            if (line.empty()) {
                line = "--------";
                inHeader = false;
            } else if (lower.find("quoted-printable") != npos) {
                quotedPrintable = true;
            } else if (lower.find("content-transfer-encoding: base64") != npos) {
                base64 = true;
            } else if (lower.find("=?iso-2022-jp?b?") != npos) {
                line = DecodeBWords(line, "=?iso-2022-jp?b?");
            } else if (lower.find("?iso-2022-jp?b?") != npos) {
                line = DecodeBWords(line, "?iso-2022-jp?b?");
            } else if (lower.find("=?shift_jis?b?") != npos) {
                line = DecodeBWords(line, "=?shift_jis?b?");
            } else if ((at = lower.find("=?x-sjis?q?")) != npos ||
                       (at = lower.find("=?iso-8859-1?q?")) != npos) {
                const size_t prefixLength = lower.compare(at, 3, "=?x") == 0 ? 11 : 15;
                std::string decoded;
                if (!DecodeQWord(line, at, prefixLength, decoded, error)) return false;
                line.swap(decoded);
            }
            subject.Add(std::move(line));
        }
        subject.Flush();  // a header that never ends may leave a subject open
        for (const std::string& h : header) sink.Line(h);
    }

    // A base64 body is decoded as a whole before the JIS repairs; one that is not valid base64
    // stays as it is. Quoted-printable decoding never runs on it.
    std::vector<std::string> decodedBody;
    std::vector<std::string_view> decodedViews;
    const std::vector<std::string_view>* body = &lines;
    if (base64 && next < lines.size() && DecodeBase64Body(lines, next, decodedBody)) {
        decodedViews.assign(decodedBody.begin(), decodedBody.end());
        body = &decodedViews;
        next = 0;
    }
    const bool runQuotedPrintable = quotedPrintable && !base64;
    if (!runQuotedPrintable) sink.CannotFail();

    std::string line;
    for (size_t n = body->size(); next < n;) {
        std::string_view source = (*body)[next++];
        // Most lines are left as they are by every step: nothing for the fixed-escape and
        // roman-switch repairs, no kanji run left open, no half-width run to widen. They go out
        // without a copy.
        if (!runQuotedPrintable && RepairNeedOf(source) == RepairNeed::kNone &&
            (next >= n || !EndsInShiftedMode(source)) &&
            (!opt.fullWidthKana || source.find(std::string_view("\x1b(I", 3)) == npos)) {
            sink.Line(source);
            continue;
        }
        line.assign(source);
        if (runQuotedPrintable && !DecodeQuotedPrintable(line, *body, next, error)) return false;
        RepairJisLine(line, *body, next, opt.literalJoin);
        if (opt.fullWidthKana) WidenKanaInPlace(line);
        sink.Line(line);
    }
    return true;
}

DecodeResult DecodeMessageWith(const std::vector<std::string>& lines, const DecodeOptions& opt) {
    class VectorSink : public DecodeSink {
      public:
        explicit VectorSink(std::vector<std::string>& out) : out_(out) {}
        void Line(std::string_view line) override { out_.emplace_back(line); }

      private:
        std::vector<std::string>& out_;
    };
    DecodeResult r;
    r.lines.reserve(lines.size() + 1);
    VectorSink sink(r.lines);
    std::vector<std::string_view> views(lines.begin(), lines.end());
    if (!DecodeLines(views, opt, sink, r.error)) {
        r.ok = false;
        r.lines.clear();
    }
    return r;
}

}  // namespace decode_detail

DecodeResult DecodeMessage(const std::vector<std::string>& lines, bool fullWidthKana) {
    decode_detail::DecodeOptions opt;
    opt.fullWidthKana = fullWidthKana;
    return decode_detail::DecodeMessageWith(lines, opt);
}

}  // namespace kestrel
