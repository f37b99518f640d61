// The portable menu model of the main window: every menu, entry, pop-up entry and tool-bar
// button with its command id and captions. The Windows layer builds the real menus from it;
// the Japanese captions are Shift-JIS bytes.
#pragma once

#include <string_view>
#include <vector>

#include "viewer/shell/commands.h"

namespace kestrel {

struct MenuItemDef {
    CommandId id;               // CommandId::None for a separator
    std::string_view english;   // "-" for a separator
    std::string_view japanese;  // "" when the entry keeps its English caption
    bool IsSeparator() const { return id == CommandId::None; }
};

struct MenuDef {
    CommandId id;
    std::string_view english;
    std::string_view japanese;
    bool hiddenAtStart;  // shown later (Scramble while scramble mode is on)
    // Fixed entries; the Reply-status, Command and Insert menus get theirs from the settings.
    std::vector<MenuItemDef> items;
};

struct ToolButtonDef {
    int left;  // pixels; every button is 25 x 25 at top 0
    std::string_view hint;
    CommandId command;
};

// Menu-bar menus in order.
const std::vector<MenuDef>& MainMenus();
// The editor's pop-up menu (no accelerators).
const std::vector<MenuItemDef>& PopupMenuItems();
// The 22 tool-bar buttons from left to right.
const std::vector<ToolButtonDef>& ToolButtons();

// Caption of a menu, entry or pop-up entry in the chosen language ("" for an unknown id);
// an entry without a Japanese caption keeps its English one.
std::string_view MenuCaption(CommandId id, bool japanese);

// The design size of a tool-bar button.
constexpr int kToolButtonSize = 25;

}  // namespace kestrel
