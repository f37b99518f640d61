// The portable part of the Quote, Unquote and Justify commands: which lines they work on.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ini.h"
#include "viewer/text/reformat.h"

namespace kestrel {

// The keys Quote, Unquote and Justify work with: the reformat keys and [View] Quote.
struct TextCommandSettings {
    ReformatSettings reformat;
    std::string quote = "> ";
};
TextCommandSettings TextCommandSettingsFrom(const IniFile& ini);

// Runs pass on a copy of lines; only a complete result replaces lines. False, with lines as they
// were, when the pass reports failure or throws (out of memory on a huge text): a half-moved
// list must never reach the editor.
bool RunOnCopy(std::vector<std::string>& lines,
               const std::function<bool(std::vector<std::string>& lines)>& pass);

// Start index of Justify without a selection: one past the first line that contains "------"
// (the separator under the header), else the index of the last line (0 for no lines).
size_t JustifyStartIndex(const std::vector<std::string>& lines);

// A byte range [begin, end) of the editor's text.
struct TextRange {
    size_t begin = 0;
    size_t end = 0;
};

// Widens the selection [selStart, selStart + selLength) to whole lines: from the start of the
// line holding its first byte to the end of the line holding its last byte, line break ("\r\n",
// "\n" or a lone "\r") included. An empty selection widens to the line of the caret.
TextRange WidenToWholeLines(std::string_view text, size_t selStart, size_t selLength);

}  // namespace kestrel
