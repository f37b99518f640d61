// The table of every section and key of kestrel.ini with its kind and the viewer's default,
// and the values the viewer uses once the derived defaults are applied.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ini.h"

namespace kestrel {

enum class SettingKind { Int, Bool, String, Colour, Key };

struct SettingDef {
    std::string_view section, key;
    SettingKind kind;
    // As it could stand in the file: decimal or "$" hex for Int/Bool/Colour/Key, the bytes
    // (Shift-JIS) for String. Empty when derived is set.
    std::string_view viewerDefault;
    // The default comes from other keys (EditorFontName, EditorFontSize, ViewerFontName,
    // ViewerFontSize, Quote, AutoMove) or from the machine (TrashCan, TempPath, AttachDir;
    // derived by the caller, "" here).
    bool derived = false;
};

const std::vector<SettingDef>& SettingsTable();
// nullptr when the section/key is not in the table.
const SettingDef* FindSetting(std::string_view section, std::string_view key);

// Values the viewer uses, table defaults and derived defaults applied (FontName/FontSize,
// FixedSys 14, Quote from QuoteDefault, [Key] defaults). TrashCan, TempPath and AttachDir
// depend on the machine: they come back "" when absent and the caller derives them.
std::string ViewerString(const IniFile& ini, std::string_view section, std::string_view key);
int32_t ViewerInt(const IniFile& ini, std::string_view section, std::string_view key);
bool ViewerBool(const IniFile& ini, std::string_view section, std::string_view key);
uint32_t ViewerColour(const IniFile& ini, std::string_view section, std::string_view key);

}  // namespace kestrel
