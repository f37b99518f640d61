// The viewer's key bindings as dispatch slots, tried in a fixed order, and the decision what
// one key press does: run the command of the first slot holding its key number, show the key
// number (key-number display mode), or nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/ini.h"
#include "common/keys.h"

namespace kestrel {

// Every slot, in the order a key press is compared with them. Earlier slots win when two hold
// the same key.
enum class KeySlot : int {
    PageDown,
    PageUp,
    PageDownNext,
    PageUpPrev,
    PageDown2,
    PageUp2,
    PageDownNext2,
    PageUpPrev2,
    LineDown,
    LineUp,
    LineDown2,
    LineUp2,
    NextMail,
    PrevMail,
    NextNewMail,
    PrevNewMail,
    NextMail2,
    PrevMail2,
    NextNewMail2,
    PrevNewMail2,
    DeleteMail,
    Reply,
    ReplyAll,
    ReplyLater,
    Forward,
    DeleteMail2,
    Reply2,
    ReplyAll2,
    ReplyLater2,
    Forward2,
    ReplyWithStatus1,
    ReplyWithStatus2,
    ReplyWithStatus3,
    ReplyWithStatus4,
    ReplyWithStatus5,
    SelectAll,
    FindNext,
    Save,
    SaveQuit,
    Exit,
    Reformat,
    FinchpostSearch,
    PloverSearch,
    NumberSearch,
    WebBrowser,
    MailTo,
    AddressBook,
    Header,
    ViewerMode,
    SpellCheck,
    SelectAll2,
    FindNext2,
    Save2,
    SaveQuit2,
    Exit2,
    Reformat2,
    FinchpostSearch2,
    PloverSearch2,
    NumberSearch2,
    WebBrowser2,
    MailTo2,
    AddressBook2,
    Header2,
    ViewerMode2,
    SpellCheck2,
    KeyCommand1,
    KeyCommand2,
    KeyCommand3,
    KeyCommand4,
    KeyCommand5,
    KeyInsert1,
    KeyInsert2,
    KeyInsert3,
    KeyInsert4,
    KeyInsert5,
    Count
};
constexpr size_t kKeySlotCount = static_cast<size_t>(KeySlot::Count);

// The settings key name of a slot ("PageDownNext2", "KeyInsert3").
std::string_view KeySlotName(KeySlot slot);

// A slot and its second key ("PageDown2" -> PageDown) run the same command.
KeySlot PrimaryOf(KeySlot slot);

class DispatchSlots {
  public:
    DispatchSlots() = default;  // nothing bound
    // Every binding from [Key], [Command] and [Insert], with the viewer's defaults.
    static DispatchSlots From(const ViewerKeys& keys);

    int32_t Key(KeySlot slot) const { return keys_[static_cast<size_t>(slot)]; }
    void Set(KeySlot slot, int32_t key) { keys_[static_cast<size_t>(slot)] = key; }
    // The first slot in dispatch order holding key; none for 0 or an unbound key.
    std::optional<KeySlot> Find(int32_t key) const;

  private:
    std::array<int32_t, kKeySlotCount> keys_{};
};
DispatchSlots DispatchSlotsFrom(const IniFile& ini);

// In editor mode only function keys F1-F24 alone and keys held with Ctrl alone or Alt alone
// reach the commands; everything else is typing. In viewer mode every key does.
bool ReachesCommands(int32_t keyNumber, bool viewerMode);

// What one key press does. The press itself is never consumed: the text control handles the
// key as usual afterwards.
struct KeyDecision {
    enum class Kind { Nothing, ShowNumber, Run } kind = Kind::Nothing;
    std::string numberLine;         // ShowNumber: "$241"
    KeySlot slot = KeySlot::Count;  // Run
};
KeyDecision DecideKey(const DispatchSlots& slots, int vk, bool shift, bool ctrl, bool alt,
                      bool viewerMode, bool keyNumberMode);

}  // namespace kestrel
