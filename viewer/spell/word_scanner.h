// Cuts an editor line into the English words the spell check looks up. One byte at a time, by
// character classes; Japanese text, numbers, addresses and URLs are passed over.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kestrel {

enum class CharClass {
    Letter,       // A-Z, a-z
    Apostrophe,   // '
    Space,        // the blank
    DoubleByte,   // a Shift-JIS lead byte: the character is two bytes long
    Hyphen,       // -
    Slash,        // /
    Numeric,      // a character of the "Numeric" setting
    Punctuation,  // any other character of the "Alpha" setting
    Other,        // everything else: TAB and other control bytes, half-width katakana
};

// The class of every byte, for one pair of "Alpha" and "Numeric" settings. Classes are tried in
// the order letter, space, double-byte, hyphen, slash, apostrophe, numeric, punctuation, so a
// hyphen in "Alpha" stays a hyphen and a letter in "Numeric" stays a letter.
class CharClasses {
  public:
    CharClasses(std::string_view alpha, std::string_view numeric);
    CharClass Of(unsigned char b) const { return table_[b]; }
    CharClass Of(char c) const { return table_[static_cast<unsigned char>(c)]; }

  private:
    std::array<CharClass, 256> table_{};
};

// Where the scan stands in the current line, and what it crossed since the last word.
struct ScanCursor {
    int position = 1;              // 1-based byte position in the line
    bool crossedNonBlank = false;  // something other than blanks since the last word
};

enum class ScanStep {
    LineEnd,  // nothing more on this line
    Dropped,  // a stretch was passed over (a URL, a word running into digits); scan on
    Word,     // a word to look up
};

struct ScannedWord {
    ScanStep step = ScanStep::LineEnd;
    int start = 0;  // 1-based position of the word's first byte
    std::string text;
    // Only blanks (and line ends) lay between this word and the one before it.
    bool blanksOnlyBefore = false;
};

// From cursor.position of line, finds the next word, or passes over one dropped stretch, or
// reaches the end of the line. The cursor ends just after what was taken.
ScannedWord ScanNext(std::string_view line, ScanCursor& cursor, const CharClasses& classes,
                     bool ignoreNumeric);

}  // namespace kestrel
