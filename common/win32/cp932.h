// The one place where Shift-JIS meets UTF-16: conversions with code page 932, explicitly, so
// that they do not depend on the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace kestrel::win32 {

// Shift-JIS to UTF-16 with code page 932. Every character by the core's byte classes
// (common/sjis.h) becomes exactly one UTF-16 unit, so character counts agree on both sides; a
// character that code page 932 cannot decode (a bad pair, a lead byte at the end) becomes
// U+FFFD.
std::wstring WidenCp932(std::string_view sjis);
// UTF-16 to Shift-JIS with code page 932. The JIS forms of the characters that code page 932
// knows under other code points (wave dash U+301C, minus U+2212, ...) are written as their
// code page 932 bytes; other characters without a code take the system's best-fit look-alike
// or become '?'.
std::string NarrowCp932(std::wstring_view wide);
// Paths: the same conversion ("/" is accepted as a separator by the wide file functions).
std::wstring WidenPath(const std::string& sjisPath);

}  // namespace kestrel::win32
