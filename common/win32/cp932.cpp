#include "common/win32/cp932.h"

#include <windows.h>

#include "common/sjis.h"

namespace kestrel::win32 {

namespace {

constexpr UINT kCp932 = 932;
constexpr wchar_t kReplacement = 0xFFFD;

size_t CountChars(std::string_view s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i)) ++n;
    return n;
}

// Strict conversion of a run; false when code page 932 rejects any of it.
bool WidenStrict(std::string_view s, std::wstring& out) {
    int n = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()),
                                nullptr, 0);
    if (n <= 0) return false;
    out.assign(static_cast<size_t>(n), L'\0');
    return MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()),
                               &out[0], n) == n;
}

}  // namespace

std::wstring WidenCp932(std::string_view sjis) {
    std::wstring out;
    if (sjis.empty()) return out;
    // Fast path: the whole text is valid and every character came out as one unit.
    if (WidenStrict(sjis, out) && out.size() == CountChars(sjis)) return out;
    out.clear();
    out.reserve(sjis.size());
    std::wstring one;
    for (size_t i = 0; i < sjis.size();) {
        size_t len = CharLenAt(sjis, i);
        if (WidenStrict(sjis.substr(i, len), one) && one.size() == 1) {
            out += one[0];
        } else {
            out += kReplacement;
        }
        i += len;
    }
    return out;
}

std::string NarrowCp932(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    // Text from other sources (the clipboard, another program) may carry the JIS mapping of
    // these characters; without this they would all be saved as '?'.
    std::wstring w(wide);
    for (wchar_t& c : w) {
        switch (c) {
            case 0x301C:
                c = 0xFF5E;
                break;  // WAVE DASH -> FULLWIDTH TILDE (81 60)
            case 0x2016:
                c = 0x2225;
                break;  // DOUBLE VERTICAL LINE -> PARALLEL TO (81 61)
            case 0x2212:
                c = 0xFF0D;
                break;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (81 7C)
            case 0x00A2:
                c = 0xFFE0;
                break;  // CENT SIGN (81 91)
            case 0x00A3:
                c = 0xFFE1;
                break;  // POUND SIGN (81 92)
            case 0x00AC:
                c = 0xFFE2;
                break;  // NOT SIGN (81 CA)
            default:
                break;
        }
    }
    int n = WideCharToMultiByte(kCp932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCp932, 0, w.data(), static_cast<int>(w.size()), &out[0], n, nullptr,
                        nullptr);
    return out;
}

std::wstring WidenPath(const std::string& sjisPath) {
    return WidenCp932(sjisPath);
}

}  // namespace kestrel::win32
