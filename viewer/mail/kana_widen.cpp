// Half-width katakana runs of JIS text (ESC(I) widened to JIS X 0208 katakana.

#include <string>
#include <string_view>

#include "viewer/mail/decode.h"
#include "viewer/mail/decode_internal.h"
#include "viewer/mail/kana_table.h"

namespace kestrel {

namespace {

// JIS X 0208 code of the full-width character for each JIS X 0201 katakana byte 0x21..0x5F.
constexpr unsigned short kWide[0x5f - 0x21 + 1] = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, 0x2523,  // 21-28 。「」、・ヲァィ
    0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543, 0x213c,  // 29-30 ゥェォャュョッー
    0x2522, 0x2524, 0x2526, 0x2528, 0x252a, 0x252b, 0x252d, 0x252f,  // 31-38 アイウエオカキク
    0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253b, 0x253d, 0x253f,  // 39-40 ケコサシスセソタ
    0x2541, 0x2544, 0x2546, 0x2548, 0x254a, 0x254b, 0x254c, 0x254d,  // 41-48 チツテトナニヌネ
    0x254e, 0x254f, 0x2552, 0x2555, 0x2558, 0x255b, 0x255e, 0x255f,  // 49-50 ノハヒフヘホマミ
    0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569, 0x256a,  // 51-58 ムメモヤユヨラリ
    0x256b, 0x256c, 0x256d, 0x256f, 0x2573, 0x212b, 0x212c,          // 59-5F ルレロワン゛゜
};

constexpr unsigned char kVoicedMark = 0x5e;
constexpr unsigned char kSemiVoicedMark = 0x5f;

void PutWide(std::string& out, unsigned short code) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xff));
}

// The code that a mark turns the kana byte `before` into, or 0 when it does not combine.
// In JIS X 0208 the voiced kana follows its plain kana, and the semi-voiced one follows that.
unsigned short Combined(unsigned char before, unsigned char mark) {
    bool hagyo = before >= 0x4a && before <= 0x4e;  // ﾊ to ﾎ
    if (mark == kVoicedMark) {
        if ((before >= 0x36 && before <= 0x44) || hagyo) return kWide[before - 0x21] + 1;
        if (before == 0x33) return 0x2574;  // ｳﾞ: ヴ
        return 0;
    }
    return hagyo ? kWide[before - 0x21] + 2 : 0;
}

}  // namespace

unsigned short JisWideKana(unsigned char kana) {
    return kana >= 0x21 && kana <= 0x5f ? kWide[kana - 0x21] : 0;
}

unsigned short JisCombinedKana(unsigned char before, unsigned char mark) {
    if (before < 0x21 || before > 0x5f || (mark != kVoicedMark && mark != kSemiVoicedMark))
        return 0;
    return Combined(before, mark);
}

std::string ToFullWidthKana(std::string_view line) {
    static constexpr std::string_view kKanaShift("\x1b(I", 3);
    size_t p = line.find(kKanaShift);
    if (p == std::string_view::npos) return std::string(line);
    std::string out;
    out.reserve(line.size() * 2);
    size_t off = 0;
    while (p != std::string_view::npos) {
        out.append(line.substr(off, p - off));
        out.append("\x1b$B", 3);
        size_t end = line.find('\x1b', p + 3);
        if (end == std::string_view::npos) end = line.size();
        for (size_t i = p + 3; i < end; ++i) {
            unsigned char c = static_cast<unsigned char>(line[i]);
            if (c < 0x21 || c > 0x5f) {
                out.push_back(static_cast<char>(c));  // not kana: kept as it is
                continue;
            }
            if ((c == kVoicedMark || c == kSemiVoicedMark) && i > p + 3) {
                unsigned char before = static_cast<unsigned char>(line[i - 1]);
                unsigned short code = before >= 0x21 && before <= 0x5f ? Combined(before, c) : 0;
                if (code != 0) {
                    out[out.size() - 2] = static_cast<char>(code >> 8);
                    out[out.size() - 1] = static_cast<char>(code & 0xff);
                    continue;
                }
            }
            PutWide(out, kWide[c - 0x21]);
        }
        // The run's ESC (possibly ESC(I again) starts the rest of the line.
        off = end;
        p = line.find(kKanaShift, off);
    }
    out.append(line.substr(off));
    return out;
}

}  // namespace kestrel

namespace kestrel::decode_detail {

bool WidenKanaInPlace(std::string& line) {
    if (line.find(std::string_view("\x1b(I", 3)) == std::string::npos) return false;
    line = ToFullWidthKana(line);
    return true;
}

}  // namespace kestrel::decode_detail
