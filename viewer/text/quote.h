// Quote marks: finding the quote prefix of a line, adding and removing quote marks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The quote prefix of line: the longest run at its start of single-byte characters that occur
// in quoteChar ([View] QuoteChar, ">|:# -=" by default; leading spaces count when quoteChar
// holds a space), followed by the longest run of the full-width space, "＞" and "＃".
// May be empty. The result views into line.
std::string_view QuotePrefix(std::string_view line, std::string_view quoteChar);

// Puts quoteMark ([View] Quote) in front of every line, empty lines included.
void QuoteLines(std::vector<std::string>& lines, std::string_view quoteMark);

// Takes the quote prefix of the first line off every line that begins with it; lines quoted
// differently keep their marks. Nothing changes when the first line has no prefix.
void UnquoteLines(std::vector<std::string>& lines, std::string_view quoteChar);

// Membership table of the single-byte characters of a QuoteChar setting, for callers that
// look at many lines.
class QuoteCharSet {
  public:
    explicit QuoteCharSet(std::string_view quoteChar);
    // Length in bytes of the quote prefix of line (see QuotePrefix).
    size_t PrefixLength(std::string_view line) const;

  private:
    bool member_[256] = {};
};

}  // namespace kestrel
