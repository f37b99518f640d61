#include "viewer/keys/key_slots.h"

namespace kestrel {

namespace {

constexpr std::array<std::string_view, kKeySlotCount> kNames = {
    "PageDown",
    "PageUp",
    "PageDownNext",
    "PageUpPrev",
    "PageDown2",
    "PageUp2",
    "PageDownNext2",
    "PageUpPrev2",
    "LineDown",
    "LineUp",
    "LineDown2",
    "LineUp2",
    "NextMail",
    "PrevMail",
    "NextNewMail",
    "PrevNewMail",
    "NextMail2",
    "PrevMail2",
    "NextNewMail2",
    "PrevNewMail2",
    "DeleteMail",
    "Reply",
    "ReplyAll",
    "ReplyLater",
    "Forward",
    "DeleteMail2",
    "Reply2",
    "ReplyAll2",
    "ReplyLater2",
    "Forward2",
    "ReplyWithStatus1",
    "ReplyWithStatus2",
    "ReplyWithStatus3",
    "ReplyWithStatus4",
    "ReplyWithStatus5",
    "SelectAll",
    "FindNext",
    "Save",
    "SaveQuit",
    "Exit",
    "Reformat",
    "FinchpostSearch",
    "PloverSearch",
    "NumberSearch",
    "WebBrowser",
    "MailTo",
    "AddressBook",
    "Header",
    "ViewerMode",
    "SpellCheck",
    "SelectAll2",
    "FindNext2",
    "Save2",
    "SaveQuit2",
    "Exit2",
    "Reformat2",
    "FinchpostSearch2",
    "PloverSearch2",
    "NumberSearch2",
    "WebBrowser2",
    "MailTo2",
    "AddressBook2",
    "Header2",
    "ViewerMode2",
    "SpellCheck2",
    "KeyCommand1",
    "KeyCommand2",
    "KeyCommand3",
    "KeyCommand4",
    "KeyCommand5",
    "KeyInsert1",
    "KeyInsert2",
    "KeyInsert3",
    "KeyInsert4",
    "KeyInsert5",
};

KeySlot SlotAt(size_t i) {
    return static_cast<KeySlot>(static_cast<int>(i));
}

}  // namespace

std::string_view KeySlotName(KeySlot slot) {
    const size_t i = static_cast<size_t>(slot);
    return i < kKeySlotCount ? kNames[i] : std::string_view();
}

KeySlot PrimaryOf(KeySlot slot) {
    std::string_view name = KeySlotName(slot);
    // Only the action slots have second keys; the numbered single keys (ReplyWithStatus1,
    // KeyCommand1, KeyInsert1 ...) end in their own digit.
    if (name.size() < 2 || name.back() != '2' || FindKeyAction(name) < kKeyActionCount) return slot;
    std::string_view base = name.substr(0, name.size() - 1);
    if (FindKeyAction(base) == kKeyActionCount) return slot;
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        if (kNames[i] == base) return SlotAt(i);
    }
    return slot;
}

DispatchSlots DispatchSlots::From(const ViewerKeys& keys) {
    DispatchSlots slots;
    const auto& actions = KeyActions();
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        const KeySlot slot = SlotAt(i);
        std::string_view name = kNames[i];
        const KeySlot primary = PrimaryOf(slot);
        const size_t action = FindKeyAction(KeySlotName(primary));
        if (action < actions.size()) {
            slots.keys_[i] = primary == slot ? keys.primary[action] : keys.second[action];
            continue;
        }
        const size_t n = static_cast<size_t>(name.back() - '1');
        if (n >= kSingleKeyCount) continue;
        if (name.substr(0, 15) == "ReplyWithStatus") slots.keys_[i] = keys.replyWithStatus[n];
        if (name.substr(0, 10) == "KeyCommand") slots.keys_[i] = keys.command[n];
        if (name.substr(0, 9) == "KeyInsert") slots.keys_[i] = keys.insert[n];
    }
    return slots;
}

std::optional<KeySlot> DispatchSlots::Find(int32_t key) const {
    if (key == 0) return std::nullopt;
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        if (keys_[i] == key) return SlotAt(i);
    }
    return std::nullopt;
}

DispatchSlots DispatchSlotsFrom(const IniFile& ini) {
    return DispatchSlots::From(LoadViewerKeys(ini));
}

bool ReachesCommands(int32_t keyNumber, bool viewerMode) {
    if (viewerMode) return true;
    return (keyNumber >= 0x070 && keyNumber <= 0x087) || keyNumber > kKeyCtrl;
}

KeyDecision DecideKey(const DispatchSlots& slots, int vk, bool shift, bool ctrl, bool alt,
                      bool viewerMode, bool keyNumberMode) {
    KeyDecision d;
    const int32_t key = EncodeKey(vk, shift, ctrl, alt);
    if (keyNumberMode) {
        // Tab, Enter and the modifiers pressed alone (codes 9 to 19) print nothing.
        const int code = vk & 0xFF;
        if (code < 9 || code > 19) {
            d.kind = KeyDecision::Kind::ShowNumber;
            d.numberLine = FormatKeyNumber(key);
        }
        return d;
    }
    if (!ReachesCommands(key, viewerMode)) return d;
    if (std::optional<KeySlot> slot = slots.Find(key)) {
        d.kind = KeyDecision::Kind::Run;
        d.slot = *slot;
    }
    return d;
}

}  // namespace kestrel
