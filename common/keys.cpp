#include "common/keys.h"

#include <cstdio>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

int32_t EncodeKey(int vk, bool shift, bool ctrl, bool alt) {
    int32_t key = vk & 0xFF;
    // Only a single modifier counts; any combination leaves the bare code.
    if (shift && !ctrl && !alt) key += kKeyShift;
    if (ctrl && !shift && !alt) key += kKeyCtrl;
    if (alt && !shift && !ctrl) key += kKeyAlt;
    return key;
}

std::string FormatKeyBox(int32_t key) {
    if (key == 0) return "";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03X", static_cast<unsigned>(key));
    return buf;
}

std::string FormatKeyNumber(int32_t key) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%03X", static_cast<unsigned>(key));
    return buf;
}

std::string KeyInUseMessage(int32_t key) {
    return "Key " + FormatKeyNumber(key) + " already in use.";
}

const std::array<KeyAction, kKeyActionCount>& KeyActions() {
    // Captions are Shift-JIS; the English gloss follows each.
    static const std::array<KeyAction, kKeyActionCount> actions = {{
        {"SelectAll", "\x82\xb7\x82\xd7\x82\xc4\x91\x49\x91\xf0", 0x241, 0, 0x241},  // select all
        {"LineDown",
         "\x89\xba\x82\xd6"
         "1"
         "\x8d\x73",
         0, 0, 0},  // down 1 line
        {"LineUp",
         "\x8f\xe3\x82\xd6"
         "1"
         "\x8d\x73",
         0, 0, 0},  // up 1 line
        {"PageDown", "Page Down", 0, 0, 0},
        {"PageDownNext", "\x93\xaf\x8f\xe3/\x8e\x9f\x82\xcc\x83\x81\x81\x5b\x83\x8b", 0x020, 0x020,
         0x020},  // same / next mail
        {"PageUp", "Page Up", 0, 0, 0},
        {"PageUpPrev", "\x93\xaf\x8f\xe3/\x91\x4f\x82\xcc\x83\x81\x81\x5b\x83\x8b", 0x008, 0x008,
         0x008},                                                            // same / previous mail
        {"Save", "\x95\xdb\x91\xb6", 0, 0, 0},                              // save
        {"SaveQuit", "\x95\xdb\x91\xb6\x8f\x49\x97\xb9", 0, 0, 0},          // save and quit
        {"Exit", "\x8f\x49\x97\xb9", 0, 0, 0},                              // quit
        {"NextMail", "\x8e\x9f\x82\xcc\x83\x81\x81\x5b\x83\x8b", 0, 0, 0},  // next mail
        {"PrevMail", "\x91\x4f\x82\xcc\x83\x81\x81\x5b\x83\x8b", 0, 0, 0},  // previous mail
        {"NextNewMail", "\x8e\x9f\x82\xcc\x96\xa2\x93\xc7", 0x120, 0, 0x120},  // next unread
        {"PrevNewMail", "\x91\x4f\x82\xcc\x96\xa2\x93\xc7", 0x108, 0, 0x108},  // previous unread
        {"DeleteMail", "\x83\x81\x81\x5b\x83\x8b\x8d\xed\x8f\x9c", 0x02E, 0, 0x02E},    // delete
        {"Reply", "\x95\xd4\x90\x4d", 0, 0, 0},                                         // reply
        {"ReplyAll", "\x91\x53\x88\xf5\x82\xc9\x95\xd4\x90\x4d", 0x00D, 0x00D, 0x00D},  // to all
        {"ReplyLater", "\x95\xd4\x90\x4d\x83\x7d\x81\x5b\x83\x4e", 0, 0, 0},          // reply mark
        {"Forward", "\x93\x5d\x91\x97", 0, 0, 0},                                     // forward
        {"FindNext", "\x8e\x9f\x82\xf0\x8c\x9f\x8d\xf5", 0, 0, 0},                    // find next
        {"Header", "\x83\x77\x83\x62\x83\x5f\x81\x5b\x95\x5c\x8e\xa6", 0, 0, 0},      // header
        {"ViewerMode", "\x93\xc7\x82\xdd\x8f\x6f\x82\xb5\x90\xea\x97\x70", 0, 0, 0},  // read only
        {"Reformat", "\x90\xae\x8c\x60", 0, 0, 0},                                    // reformat
        {"NumberSearch", "\x94\xd4\x8d\x86\x8f\x87", 0, 0, 0},  // number order
        {"PloverSearch", "\x83\x76\x83\x89\x83\x6f\x81\x5b\x83\x5c\x81\x5b\x83\x67\x8f\x87", 0, 0,
         0},  // Plover sort order
        {"FinchpostSearch", "\x83\x74\x83\x42\x83\x93\x83\x60\x83\x7c\x83\x58\x83\x67\x8f\x87", 0,
         0, 0},                                                       // Finchpost order
        {"WebBrowser", "\x83\x75\x83\x89\x83\x45\x83\x55", 0, 0, 0},  // browser
        {"MailTo", "Mail To", 0, 0, 0},
        {"AddressBook", "\x8f\x5a\x8f\x8a\x98\x5e", 0, 0, 0},  // address book
        {"SpellCheck", "\x83\x58\x83\x79\x83\x8b\x83\x60\x83\x46\x83\x62\x83\x4e", 0, 0,
         0},  // spell check
    }};
    return actions;
}

size_t FindKeyAction(std::string_view name) {
    const auto& actions = KeyActions();
    for (size_t i = 0; i < actions.size(); ++i) {
        if (EqualsNoCase(actions[i].name, name)) return i;
    }
    return kKeyActionCount;
}

const std::array<std::string_view, kReservedKeyCount>& ReservedKeyTexts() {
    // Editing and caret keys of the editor control: undo, cut, copy, paste, Ctrl+M, Ctrl+I,
    // Ctrl+Home/End, and the page and arrow keys alone, with Shift and (pages) with Ctrl.
    // Only 21 keys are known to be reserved; the last slot is kept free ("000" is no key), so
    // no real key is refused without reason.
    static const std::array<std::string_view, kReservedKeyCount> texts = {
        "25a", "258", "243", "256", "24d", "249", "224", "223", "021", "121", "221",
        "122", "222", "026", "126", "027", "127", "025", "125", "028", "128", "000",
    };
    return texts;
}

namespace {

std::string SingleName(std::string_view base, size_t n) {
    return std::string(base) + static_cast<char>('0' + n);
}

}  // namespace

KeyTable::KeyTable() {
    for (size_t i = 0; i < kReservedKeyCount; ++i) {
        entries_[kReservedFirst + i] = ParseIniInt("$" + std::string(ReservedKeyTexts()[i]), 0);
    }
}

void KeyTable::Load(const IniFile& ini) {
    for (size_t n = 1; n <= kSingleKeyCount; ++n) {
        entries_[InsertEntry(n)] = ini.GetInt("Insert", SingleName("KeyInsert", n), 0);
        entries_[CommandEntry(n)] = ini.GetInt("Command", SingleName("KeyCommand", n), 0);
    }
    for (size_t n = 1; n <= kSingleKeyCount; ++n) {
        entries_[ReplyWithStatusEntry(n)] = ini.GetInt("Key", SingleName("ReplyWithStatus", n), 0);
    }
    const auto& actions = KeyActions();
    for (size_t a = 0; a < kKeyActionCount; ++a) {
        entries_[ActionEntry(a, false)] = ini.GetInt("Key", actions[a].name, 0);
        entries_[ActionEntry(a, true)] = ini.GetInt("Key", std::string(actions[a].name) + "2", 0);
    }
    for (size_t i = 0; i < kReservedKeyCount; ++i) {
        entries_[kReservedFirst + i] = ParseIniInt("$" + std::string(ReservedKeyTexts()[i]), 0);
    }
    for (size_t a = 0; a < kKeyActionCount; ++a) {
        if (actions[a].editorPrimary != 0) {
            entries_[ActionEntry(a, false)] =
                ini.GetInt("Key", actions[a].name, actions[a].editorPrimary);
        }
    }
}

KeyTable::AssignOutcome KeyTable::TryAssign(size_t entry, int vk, bool shift, bool ctrl, bool alt) {
    const int32_t pressed = EncodeKey(vk, shift, ctrl, alt);
    bool inUse = false;
    for (int32_t held : entries_) {
        if (held == pressed) inUse = true;
    }
    // Shift+1 is the key that clears a box.
    const int32_t key = pressed == 0x131 ? 0 : pressed;
    if (inUse) {
        // The message names the key that was pressed and found in use.
        return {AssignResult::Refused, pressed, KeyInUseMessage(pressed)};
    }
    const int code = vk & 0xFF;
    if (code >= 9 && code <= 19) return {AssignResult::Ignored, 0, ""};
    if (entry >= kReservedFirst) return {AssignResult::Ignored, 0, ""};
    entries_[entry] = key;
    return {AssignResult::Stored, key, ""};
}

bool KeyTable::SaveTo(IniFile& ini) const {
    bool ok = true;
    auto store = [&](std::string_view section, const std::string& name, int32_t value) {
        if (ini.GetInt(section, name, 0) != value) {
            ok = ini.Set(section, name, FormatKeyNumber(value)) && ok;
        }
    };
    for (size_t n = 1; n <= kSingleKeyCount; ++n) {
        store("Insert", SingleName("KeyInsert", n), entries_[InsertEntry(n)]);
    }
    for (size_t n = 1; n <= kSingleKeyCount; ++n) {
        store("Command", SingleName("KeyCommand", n), entries_[CommandEntry(n)]);
    }
    const auto& actions = KeyActions();
    for (size_t a = 0; a < kKeyActionCount; ++a) {
        store("Key", std::string(actions[a].name), entries_[ActionEntry(a, false)]);
        store("Key", std::string(actions[a].name) + "2", entries_[ActionEntry(a, true)]);
    }
    return ok;
}

bool KeyTable::Save(const std::string& path) const {
    std::string bytes;
    // A file that exists but cannot be read must not be replaced by a file of keys alone.
    if (!ReadFileBytes(path, bytes) && FileExists(path)) return false;
    IniFile ini = IniFile::FromBytes(std::move(bytes));
    if (!SaveTo(ini)) return false;
    return WriteFileAtomic(path, ini.Bytes());
}

ViewerKeys LoadViewerKeys(const IniFile& ini) {
    ViewerKeys keys;
    const auto& actions = KeyActions();
    for (size_t a = 0; a < kKeyActionCount; ++a) {
        keys.primary[a] = ini.GetInt("Key", actions[a].name, actions[a].viewerPrimary);
        keys.second[a] =
            ini.GetInt("Key", std::string(actions[a].name) + "2", actions[a].viewerSecond);
    }
    for (size_t n = 1; n <= kSingleKeyCount; ++n) {
        keys.replyWithStatus[n - 1] = ini.GetInt("Key", SingleName("ReplyWithStatus", n), 0);
        keys.command[n - 1] = ini.GetInt("Command", SingleName("KeyCommand", n), 0);
        keys.insert[n - 1] = ini.GetInt("Insert", SingleName("KeyInsert", n), 0);
    }
    return keys;
}

}  // namespace kestrel
