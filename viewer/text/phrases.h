// The Insert menu's phrases: "\n" (backslash, n) in a phrase stands for a line break.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The text a phrase puts into the editor: each "\n" (found only where a character starts, so
// never across a double-byte character ending in 0x5C) becomes CR LF. The result has the
// phrase's length, so the caret after it is the insertion point plus phrase.size().
std::string PhraseText(std::string_view phrase);

struct LinePos {
    size_t line = 0;
    size_t offset = 0;  // bytes into the line
    friend bool operator==(LinePos a, LinePos b) {
        return a.line == b.line && a.offset == b.offset;
    }
};

// Inserts phrase into lines at the caret: line `at.line` keeps its first at.offset bytes and
// takes the phrase up to the first "\n"; each further part becomes a line of its own after it;
// the last part is followed by the old rest of the line. Returns the caret after the phrase.
// An empty list counts as one empty line; positions beyond the text are pulled back to its end.
LinePos InsertPhrase(std::vector<std::string>& lines, LinePos at, std::string_view phrase);

}  // namespace kestrel
