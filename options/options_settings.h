// The options dialog's read pass (settings file -> control values) and write pass (control
// values -> only the keys whose value changed), in the formats the viewer reads.
#pragma once

#include <string>
#include <string_view>

#include "common/ini.h"
#include "options/options_form.h"

namespace kestrel {

// Every control of the six pages set from its key, with the fonts, samples, key table and
// dependent states.
OptionsForm OptionsFormFrom(const IniFile& ini);

// Sets in ini every key whose new value differs from what ini yields for it read with the
// write default, then the key table. False when a value could not be set (a line break in it).
bool WriteOptions(const OptionsForm& form, IniFile& ini);

// The write pass on the file at path, reaching the disk as one atomic replace. False when the
// file could not be read or written; it is then unchanged.
bool SaveOptionsFile(const std::string& path, const OptionsForm& form);

// A string value as it is written: in double quotes when the reader would otherwise drop a
// blank at either end or a pair of enclosing quotes; otherwise unchanged.
std::string QuotedIfNeeded(std::string_view value);

// "$" and eight lower-case hexadecimal digits.
std::string FormatColour(Colour colour);

// The dependent states: the header list greyed while every header is shown, the unit label of
// the scroll mode, the number boxes of the automatic reformat and the tab replacement, the
// capital-word box of the spell check.
void UpdateDependentStates(OptionsForm& form);

}  // namespace kestrel
