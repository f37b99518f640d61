#include "viewer/text/menu_slots.h"

#include "common/settings.h"

namespace kestrel {

namespace {

MenuSlots SlotsFrom(const IniFile& ini, std::string_view section, const std::string& captionKey,
                    const std::string& textKey, const std::string& keyKey) {
    std::array<MenuSlotConfig, 5> config;
    for (int i = 0; i < 5; ++i) {
        std::string n = std::to_string(i + 1);
        config[i].caption = ViewerString(ini, section, captionKey + n);
        config[i].text = ViewerString(ini, section, textKey + n);
        config[i].key = ViewerInt(ini, section, keyKey + n);
    }
    return PackMenuSlots(config);
}

}  // namespace

const MenuSlot* MenuSlots::Slot(int n) const {
    if (n < 1 || n > static_cast<int>(slots.size())) return nullptr;
    return &slots[n - 1];
}

int MenuSlots::SlotOfKey(int32_t key) const {
    if (key == 0) return 0;
    for (int i = 0; i < 5; ++i) {
        if (keys[i] == key) return i + 1;
    }
    return 0;
}

MenuSlots PackMenuSlots(const std::array<MenuSlotConfig, 5>& config) {
    MenuSlots out;
    for (int i = 0; i < 5; ++i) {
        const MenuSlotConfig& c = config[i];
        out.keys[i] = c.key;
        if (!c.caption.empty() && !c.text.empty()) out.slots.push_back({c.caption, c.text, i + 1});
    }
    return out;
}

MenuSlots InsertSlotsFrom(const IniFile& ini) {
    return SlotsFrom(ini, "Insert", "InsertMenu", "Insert", "KeyInsert");
}

MenuSlots CommandSlotsFrom(const IniFile& ini) {
    return SlotsFrom(ini, "Command", "CommandMenu", "Command", "KeyCommand");
}

}  // namespace kestrel
