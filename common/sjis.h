// Shift-JIS byte classes and the few character-aware string helpers every part of Kestrel uses.
// Text is a std::string of Shift-JIS bytes; positions and lengths are byte counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

// A byte below 0x7F or from 0xA1 to 0xDF is a one-byte character (ASCII or half-width
// katakana); any other byte (0x7F, 0x80-0xA0, 0xE0-0xFF) starts a two-byte character.
constexpr bool IsSingleByteChar(unsigned char b) {
    return b < 0x7F || (b >= 0xA1 && b <= 0xDF);
}
constexpr bool IsLeadByte(unsigned char b) {
    return !IsSingleByteChar(b);
}

// Length in bytes of the character that starts at index i (0-based): 2 for a lead byte with a
// byte after it, 1 otherwise (a lead byte at the very end is a truncated character of 1 byte).
inline size_t CharLenAt(std::string_view s, size_t i) {
    return (i + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[i]))) ? 2 : 1;
}

// Lower-cases the ASCII letters that start a character and nothing else: the trail byte of a
// double-byte character (the 0x41 of "\x83\x41") is never changed.
std::string LowerSjis(std::string_view s);
void LowerSjisInPlace(std::string& s);

// Upper-case counterpart of LowerSjis.
std::string UpperSjis(std::string_view s);

// 1-based position of the first occurrence of the single-byte character ch in s that starts a
// character, or 0. Half-width katakana are single bytes here, so a comma after one is found.
size_t FindCharDbcs(char ch, std::string_view s);

// True when byte index i (0-based) of s starts a character, walking from the start.
bool StartsCharAt(std::string_view s, size_t i);

// 0-based byte index of needle in s at or after from, matched only where a character starts;
// std::string_view::npos when absent.
size_t FindDbcs(std::string_view s, std::string_view needle, size_t from = 0);

// ASCII-only case-insensitive comparison (section and key names, switches).
bool EqualsNoCase(std::string_view a, std::string_view b);

// Blanks (space and TAB) removed from both ends.
std::string_view TrimBlanks(std::string_view s);

}  // namespace kestrel
