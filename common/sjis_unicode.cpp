#include "common/sjis_unicode.h"

#include <algorithm>

namespace kestrel {

namespace {
#include "common/cp932_table.inc"

int LeadIndex(unsigned char b) {
    if (b >= 0x81 && b <= 0x9F) return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + 0x1F;
    return -1;
}

int TrailIndex(unsigned char b) {
    if (b >= 0x40 && b <= 0x7E) return b - 0x40;
    if (b >= 0x80 && b <= 0xFC) return b - 0x80 + 0x3F;
    return -1;
}

// Characters that input methods and other programs produce in their JIS form while code page
// 932 decodes the same bytes to the full-width form (8160 is U+FF5E, not the wave dash U+301C).
// They are encoded to those bytes rather than lost as '?'.
unsigned short JisFormCode(char16_t c) {
    switch (c) {
        case 0x301C:
            return 0x8160;  // wave dash
        case 0x2016:
            return 0x8161;  // double vertical line
        case 0x2212:
            return 0x817C;  // minus sign
        case 0x00A2:
            return 0x8191;  // cent sign
        case 0x00A3:
            return 0x8192;  // pound sign
        case 0x00AC:
            return 0x81CA;  // not sign
        default:
            return 0;
    }
}

// UTF-16 of the two-byte character at s[i], or 0.
char16_t DecodePair(std::string_view s, size_t i) {
    if (i + 1 >= s.size()) return 0;
    int li = LeadIndex(static_cast<unsigned char>(s[i]));
    int ti = TrailIndex(static_cast<unsigned char>(s[i + 1]));
    if (li < 0 || ti < 0) return 0;
    return static_cast<char16_t>(kCp932Decode[li][ti]);
}
}  // namespace

size_t CodecCharLen(std::string_view sjis, size_t i) {
    return DecodePair(sjis, i) ? 2 : 1;
}

std::u16string SjisToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            out += static_cast<char16_t>(0xFF61 + (b - 0xA1));  // half-width katakana
            ++i;
        } else if (char16_t c = DecodePair(s, i)) {
            out += c;
            i += 2;
        } else {
            out += static_cast<char16_t>(kRawByteBase + b);
            ++i;
        }
    }
    return out;
}

std::string Utf16ToSjis(std::u16string_view text, bool* lossy) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            out += static_cast<char>(0xA1 + (c - 0xFF61));
        } else if (c >= kRawByteBase + 0x80 && c <= kRawByteBase + 0xFF) {
            out += static_cast<char>(c - kRawByteBase);
        } else {
            const Cp932Pair* end = kCp932Encode + sizeof(kCp932Encode) / sizeof(kCp932Encode[0]);
            const Cp932Pair* p = std::lower_bound(
                kCp932Encode, end, c, [](const Cp932Pair& e, char16_t v) { return e.unicode < v; });
            unsigned short code = (p != end && p->unicode == c) ? p->sjis : JisFormCode(c);
            if (code) {
                out += static_cast<char>(code >> 8);
                out += static_cast<char>(code & 0xFF);
            } else {
                out += '?';
                if (lossy) *lossy = true;
            }
        }
    }
    return out;
}

void SjisLineMemory::Remember(std::string_view line) {
    std::u16string text = SjisToUtf16(line);
    if (Utf16ToSjis(text) != line) exceptions_[text] = std::string(line);
}

void SjisLineMemory::RememberAll(const std::vector<std::string>& lines) {
    for (const auto& l : lines) Remember(l);
}

std::string SjisLineMemory::ToSjis(std::u16string_view lineText, bool* lossy) const {
    if (!exceptions_.empty()) {
        auto it = exceptions_.find(std::u16string(lineText));
        if (it != exceptions_.end()) return it->second;
    }
    return Utf16ToSjis(lineText, lossy);
}

}  // namespace kestrel
