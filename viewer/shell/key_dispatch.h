// Key dispatch of the main window: every key press in the editor becomes a key number, which
// runs the command of the first dispatch slot holding it; and the key-number display mode, in
// which the viewer prints the number of each key pressed instead, so that the user can find
// the numbers to put into the settings file.
#pragma once

#include <string_view>

#include "common/ini.h"
#include "viewer/keys/key_slots.h"
#include "viewer/shell/commands.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

inline constexpr std::string_view kKeyNumberPrompt =
    "Key number will be displayed when you hit a key.";
inline constexpr std::string_view kKeyNumberTitle = "Kestrel32 - Key Number";

// Modifier bits as the Windows layer reports them with a key press.
inline constexpr unsigned kModShift = 1, kModCtrl = 2, kModAlt = 4;

// The command a slot runs (its second key runs the same).
CommandId CommandOfSlot(KeySlot slot);

// What key dispatch uses of the main window.
class KeyDispatchHost {
  public:
    virtual ~KeyDispatchHost() = default;
    virtual bool KeyNumberMode() const = 0;
    virtual void SetKeyNumberMode(bool on) = 0;
    // Runs a command through the window's router.
    virtual void Execute(CommandId id) = 0;
    virtual bool SaveIfModified() = 0;
    // The current mail's alert colour reset and the window brought in line with the mode.
    virtual void ResetAlertColourAndUpdate() = 0;
    virtual void SetTitle(std::string_view title) = 0;
};

class KeyDispatch {
  public:
    // Registers "&Key number" and fills the slots at the deferred stage.
    KeyDispatch(TextControl& editor, KeyDispatchHost& host, const ShellWiring& wiring);

    // The slots are filled once, on the first timer tick; before it no key runs a command. The
    // key-number display mode ends here.
    void ReadDeferredSettings(const IniFile& ini);

    // One key press: FormKeyDown, and the editor's BackSpace and Delete hooks in viewer mode
    // (with 8 or 0x2E and no modifiers). The key is not consumed: the editor handles it
    // afterwards as usual.
    void Dispatch(int vk, unsigned modifiers);

    // "&Key number": enters the key-number display mode.
    void KeyNumber1Click();

    const DispatchSlots& Slots() const { return slots_; }

  private:
    TextControl& editor_;
    KeyDispatchHost& host_;
    DispatchSlots slots_;
};

}  // namespace kestrel
