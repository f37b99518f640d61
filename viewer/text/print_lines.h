// What the Print command sends to the printer, and the [Printer] settings it works with.
#pragma once

#include <string>
#include <vector>

#include "common/ini.h"

namespace kestrel {

struct PrintSettings {
    std::string fontName;  // [Printer] FontName
    int fontSize = 10;     // [Printer] FontSize
    int leftSpace = 10;    // [Printer] LeftSpace: blanks in front of every printed line
};

// The largest margin taken from the settings file; a larger LeftSpace would only print blank
// pages (and a huge one would exhaust memory).
inline constexpr int kMaxLeftSpace = 200;

PrintSettings PrintSettingsFrom(const IniFile& ini);

// Each line with leftSpace blanks in front (a negative margin counts as 0, one above
// kMaxLeftSpace as kMaxLeftSpace). Empty lines are held back and printed only when a non-empty
// line follows, so the text's trailing empty lines are not printed.
std::vector<std::string> PrintLines(const std::vector<std::string>& lines, int leftSpace);

}  // namespace kestrel
