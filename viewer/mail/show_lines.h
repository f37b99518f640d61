// What the editor holds after a display list is put on screen, and how each line is coloured.
// The shell paints the result through its text control.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrel {

struct ShownLine {
    size_t index = 0;      // the line's index in the display list
    bool quote = false;    // quote colour ([View] QuoteFontColor) instead of the mode's colour
    size_t urlPos = 0;     // 1-based byte position of the coloured web address, 0 when none
    size_t urlLength = 0;  // its length in bytes ([View] UrlFontColor, underlined)
    size_t editorPos = 0;  // bytes before the line in the editor's text (each line + CR LF)
};

// A quoted line begins with ">" or "|" or with the full-width "\x81\x84".
bool IsQuotedLine(const std::string& line);

// The lines that are added to the editor, in order. Unless showToThis is set, To, Cc and Bcc
// lines of the header (up to the first empty line or line beginning with "----") are hidden
// together with the indented lines that continue them.
std::vector<ShownLine> ShowMailLines(const std::vector<std::string>& lines, bool showToThis);

}  // namespace kestrel
