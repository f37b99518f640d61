// The keys the main window itself works with, read in the two start-up stages. A feature reads
// its own keys with its own XxxSettingsFrom(const IniFile&) (see viewer_events.h for when).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/ini.h"

namespace kestrel {

struct FontSetting {
    std::string name;
    int size = 14;
};

// Read by ReadStartSettings, before the first mail is shown.
struct StartSettings {
    // [View]
    bool wordWrap = false;
    bool replyConfirm = false;
    int ruler = 0;
    int imeControl = 1;
    bool englishMenu = false;
    bool hideButton = false;
    FontSetting editorFont, viewerFont;
    int nextMailMode = 0;
    uint32_t quoteFontColor = 0, urlFontColor = 0, viewerColor = 0, editorColor = 0;
    uint32_t viewerFontColor = 0, editorFontColor = 0;
    int timer = 400;
    bool text2Speech = false;
    bool debugMode = false;
    bool debugPloverDde = false;
    // [Scramble]
    int pin = 0;
    // [Window]
    int left = 49, top = 52, width = 611, height = 342, editWidth = 400;
    // [Location]
    std::string pgbrowExe, finchpostExe;
};

// Read by ReadDeferredSettings on the first timer tick.
struct DeferredSettings {
    // [Location]
    std::string trashCan, saveAsDir;
    // [AW]
    bool aw = false;
    bool autoMove = false;  // false unless AW is on
    // [SpellCheck]
    bool spellChecker = false;
    // [ReplyStatus]: the menu built from the settings. ([Command] and [Insert] are read by
    // their own features, CommandMenu and PhraseMenu.)
    std::array<std::string, 5> replyStatus;
};

StartSettings ReadStartSettingsFrom(const IniFile& ini);
DeferredSettings ReadDeferredSettingsFrom(const IniFile& ini);

}  // namespace kestrel
