#include "common/win32/cp932.h"

#include <windows.h>

namespace kestrel::win32 {

constexpr UINT kCp932 = 932;

std::wstring WidenCp932(std::string_view sjis) {
    if (sjis.empty()) return std::wstring();
    int n = MultiByteToWideChar(kCp932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCp932, 0, sjis.data(), static_cast<int>(sjis.size()), out.data(), n);
    return out;
}

std::string NarrowCp932(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(kCp932, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCp932, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring WidenPath(const std::string& sjisPath) { return WidenCp932(sjisPath); }

}  // namespace kestrel::win32
