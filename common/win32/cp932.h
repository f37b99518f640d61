// The one place where Shift-JIS meets UTF-16: conversions with code page 932, explicitly.
#pragma once

#include <string>
#include <string_view>

namespace kestrel::win32 {

// Shift-JIS to UTF-16 with code page 932; bytes that are not valid Shift-JIS become U+FFFD.
std::wstring WidenCp932(std::string_view sjis);
// UTF-16 to Shift-JIS with code page 932; characters without a Shift-JIS code become '?'.
std::string NarrowCp932(std::wstring_view wide);
// Paths: the same conversion, "/" accepted as a separator.
std::wstring WidenPath(const std::string& sjisPath);

}  // namespace kestrel::win32
