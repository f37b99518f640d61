// Key numbers: a virtual-key code plus 0x100 (Shift alone), 0x200 (Ctrl alone) or 0x400 (Alt
// alone); the action list with its settings keys and defaults; the reserved keys; the options
// editor's 97-entry key table; and the viewer's key slots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ini.h"

namespace kestrel {

constexpr int32_t kKeyShift = 0x100;
constexpr int32_t kKeyCtrl = 0x200;
constexpr int32_t kKeyAlt = 0x400;

// vk (low 8 bits) plus the modifier bit when exactly one of Shift, Ctrl, Alt is held; with two
// or more held the bare code is returned (Ctrl+Shift+A is 0x041, like A).
int32_t EncodeKey(int vk, bool shift, bool ctrl, bool alt);

// "$" + upper-case hex, at least 3 digits: 0x241 -> "$241", 0 -> "$000".
std::string FormatKeyNumber(int32_t key);
// The key box form: the same digits without "$"; "" for 0.
std::string FormatKeyBox(int32_t key);
// "Key $241 already in use."
std::string KeyInUseMessage(int32_t key);

// One of the thirty named actions. The primary key is stored in [Key] under name, the second
// under name + "2". caption is Shift-JIS.
struct KeyAction {
    std::string_view name;
    std::string_view caption;
    int32_t viewerPrimary;  // viewer's default of the primary key
    int32_t viewerSecond;   // viewer's default of the second key
    int32_t editorPrimary;  // options editor's default of the primary key (second: always 0)
};

constexpr size_t kKeyActionCount = 30;
const std::array<KeyAction, kKeyActionCount>& KeyActions();
// Index (0-based) of the action with this name (compared without case), or kKeyActionCount.
size_t FindKeyAction(std::string_view name);

constexpr size_t kReservedKeyCount = 22;
// The built-in lower-case texts ("25a", "258", ...) of the keys that can never be assigned.
const std::array<std::string_view, kReservedKeyCount>& ReservedKeyTexts();

constexpr size_t kSingleKeyCount = 5;  // ReplyWithStatus, KeyCommand and KeyInsert each

// The options editor's key table: 97 key numbers, 0-based here:
//   0-4 KeyInsert1-5 ([Insert]), 5-9 KeyCommand1-5 ([Command]), 10-14 ReplyWithStatus1-5,
//   15-74 the 30 actions as (primary, second) pairs, 75-96 the reserved keys.
class KeyTable {
  public:
    static constexpr size_t kSize = 97;
    static constexpr size_t kInsertFirst = 0;
    static constexpr size_t kCommandFirst = 5;
    static constexpr size_t kReplyWithStatusFirst = 10;
    static constexpr size_t kActionFirst = 15;
    static constexpr size_t kReservedFirst = 75;

    // n is 1-based (KeyInsert1 is n = 1).
    static constexpr size_t InsertEntry(size_t n) { return kInsertFirst + n - 1; }
    static constexpr size_t CommandEntry(size_t n) { return kCommandFirst + n - 1; }
    static constexpr size_t ReplyWithStatusEntry(size_t n) { return kReplyWithStatusFirst + n - 1; }
    // action is the 0-based index into KeyActions().
    static constexpr size_t ActionEntry(size_t action, bool second) {
        return kActionFirst + 2 * action + (second ? 1 : 0);
    }

    KeyTable();  // all zero except the reserved keys

    // Fills the table from the settings: singles and actions with default 0, reserved keys
    // from their texts, then the primary keys of the actions that have an options-editor
    // default read again with that default.
    void Load(const IniFile& ini);

    enum class AssignResult { Stored, Refused, Ignored };
    struct AssignOutcome {
        AssignResult result;
        int32_t key;          // the key number stored (Stored) or found in use (Refused)
        std::string message;  // "Key $xxx already in use." when Refused, else ""
    };
    // A key press in the box of entry: refused when its number is held by any entry (its own
    // box and the reserved keys included); Shift+1 clears the box; VK 9-19 alone is ignored.
    AssignOutcome TryAssign(size_t entry, int vk, bool shift, bool ctrl, bool alt);

    // Sets KeyInsert, KeyCommand and the action keys whose value differs from what ini holds
    // (read with default 0) to "$" + hex. ReplyWithStatus is never written. False when a key
    // could not be set.
    bool SaveTo(IniFile& ini) const;
    // SaveTo on the file at path, written back in one atomic replace. False when it could not
    // be read or written (the file is then unchanged).
    bool Save(const std::string& path) const;

    int32_t Get(size_t entry) const { return entry < kSize ? entries_[entry] : 0; }
    void Set(size_t entry, int32_t key) {
        if (entry < kSize) entries_[entry] = key;
    }
    // The box text of entry: hex digits without "$", "" for 0.
    std::string BoxText(size_t entry) const { return FormatKeyBox(Get(entry)); }

  private:
    std::array<int32_t, kSize> entries_{};
};

// Every key slot the viewer dispatches through, read with the viewer's defaults.
struct ViewerKeys {
    std::array<int32_t, kKeyActionCount> primary{};  // in KeyActions() order
    std::array<int32_t, kKeyActionCount> second{};
    std::array<int32_t, kSingleKeyCount> replyWithStatus{};  // [Key] ReplyWithStatus1-5
    std::array<int32_t, kSingleKeyCount> command{};          // [Command] KeyCommand1-5
    std::array<int32_t, kSingleKeyCount> insert{};           // [Insert] KeyInsert1-5
};
ViewerKeys LoadViewerKeys(const IniFile& ini);

}  // namespace kestrel
