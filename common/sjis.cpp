#include "common/sjis.h"

namespace kestrel {

namespace {
template <char kFrom, char kTo, int kShift>
void MapLeadingAscii(std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b)) {
            i += 2;  // skip the trail byte, whatever its value
            continue;
        }
        if (s[i] >= kFrom && s[i] <= kTo) s[i] = static_cast<char>(s[i] + kShift);
        ++i;
    }
}
}  // namespace

void LowerSjisInPlace(std::string& s) {
    MapLeadingAscii<'A', 'Z', 'a' - 'A'>(s);
}

std::string LowerSjis(std::string_view s) {
    std::string out(s);
    LowerSjisInPlace(out);
    return out;
}

std::string UpperSjis(std::string_view s) {
    std::string out(s);
    MapLeadingAscii<'a', 'z', 'A' - 'a'>(out);
    return out;
}

size_t FindCharDbcs(char ch, std::string_view s) {
    size_t plain = s.find(ch);
    if (plain == std::string_view::npos) return 0;
    if (plain == 0) return 1;
    for (size_t i = 0; i < s.size();) {
        if (s[i] == ch) return i + 1;
        i += CharLenAt(s, i);
    }
    return 0;
}

bool StartsCharAt(std::string_view s, size_t i) {
    size_t p = 0;
    while (p < i) p += CharLenAt(s, p);
    return p == i;
}

size_t FindDbcs(std::string_view s, std::string_view needle, size_t from) {
    if (needle.empty()) return from <= s.size() ? from : std::string_view::npos;
    size_t p = 0;
    while (p < from && p < s.size()) p += CharLenAt(s, p);
    for (; p + needle.size() <= s.size(); p += CharLenAt(s, p)) {
        if (s.compare(p, needle.size(), needle) == 0) return p;
    }
    return std::string_view::npos;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

}  // namespace kestrel
