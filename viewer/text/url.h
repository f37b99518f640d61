// Web addresses in mail text: how long an address is, which address of a line is coloured, and
// which address the Web browser command opens.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kestrel {

// The nine bytes that end an address: < > ( ) * \ | blank '
bool IsUrlStopChar(char c);

// Length in bytes of the address that begins text. The first six bytes ("http:/", "ftp://")
// are taken unexamined; then printable ASCII other than the stop characters; trailing full
// stops are not part of it.
size_t UrlLength(std::string_view text);

// A web address in a line: 0-based byte offset and length.
struct UrlSpan {
    size_t start = 0;
    size_t length = 0;
};

// The one address of a line that the viewer colours: the first "http://" in the line, or
// when there is none the first "https://", or else the first "ftp://" (letters in any case).
std::optional<UrlSpan> FindColouredUrl(std::string_view line);

// The address the Web browser command opens for a caret at byte offset caret of line: the
// first address beginning with "http" (any case) that does not end before the caret.
std::optional<UrlSpan> FindUrlAtCaret(std::string_view line, size_t caret);

// A selection is opened as it stands only when it begins with "http" or "ftp:" (exact case)
// and holds no occurrence of the other one.
bool SelectionIsUrl(std::string_view selection);

}  // namespace kestrel
