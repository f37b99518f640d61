// The Insert and Command menus: up to five configured entries each, packed into slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ini.h"

namespace kestrel {

struct MenuSlot {
    std::string caption, text;
    int source = 0;  // 1..5: the numbered keys it came from
};

// Pairs 1 to 5 are taken in order; a pair whose caption and text are both set gets the next
// free slot, so slots are packed from 1 without gaps. Key number N (KeyInsertN, KeyCommandN)
// belongs to slot N, whichever pair ended up there.
struct MenuSlots {
    std::vector<MenuSlot> slots;
    std::array<int32_t, 5> keys{};  // key numbers of slots 1..5; 0 is none

    // Slot n (1-based); nullptr when it is empty.
    const MenuSlot* Slot(int n) const;
    // The slot (1..5) whose key number is key, 0 when none (or key is 0).
    int SlotOfKey(int32_t key) const;
};

struct MenuSlotConfig {
    std::string caption, text;
    int32_t key = 0;
};

MenuSlots PackMenuSlots(const std::array<MenuSlotConfig, 5>& config);

// [Insert] InsertMenu1..5, Insert1..5, KeyInsert1..5.
MenuSlots InsertSlotsFrom(const IniFile& ini);
// [Command] CommandMenu1..5, Command1..5, KeyCommand1..5.
MenuSlots CommandSlotsFrom(const IniFile& ini);

}  // namespace kestrel
