// Shift-JIS <-> UTF-16 with the code page 932 table, written so that the edit control's text can
// come back as the very bytes that were loaded:
// - a byte that does not start a valid character is carried as the private-use character
//   U+F700 + byte and turned back into that byte;
// - characters that have two codes (U+2252 is both 81 E0 and 87 90, U+7E8A both ED 40 and
//   FA 5C) convert to the code Windows prefers, so lines holding the other code are remembered
//   by SjisLineMemory and given back unchanged while their text is unchanged.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrel {

constexpr char16_t kRawByteBase = 0xF700;

// Bytes of the character at index i as the conversion sees it: 2 for a lead byte followed by
// a trail byte that forms a defined character, 1 otherwise.
size_t CodecCharLen(std::string_view sjis, size_t i);

std::u16string SjisToUtf16(std::string_view sjis);

// A character with no Shift-JIS code becomes '?' and sets *lossy.
std::string Utf16ToSjis(std::u16string_view text, bool* lossy = nullptr);

// Remembers the loaded lines that would not survive a plain round trip, so that a line the
// user did not edit is saved byte for byte.
class SjisLineMemory {
  public:
    void Clear() { exceptions_.clear(); }
    void Remember(std::string_view line);
    void RememberAll(const std::vector<std::string>& lines);
    std::string ToSjis(std::u16string_view lineText, bool* lossy = nullptr) const;

  private:
    std::unordered_map<std::u16string, std::string> exceptions_;
};

}  // namespace kestrel
