// The Command menu: the user's external commands in packed slots, each started with the mail on
// show (or a text copy of it, or the selected text) through LaunchProgram.
#pragma once

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/text/menu_slots.h"

namespace kestrel {

inline constexpr std::string_view kDeleteCopyMessage = "Delete ";

class CommandMenu {
  public:
    CommandMenu(TForm1& form, const Platform& platform);

    // [Command] of the deferred stage; then the menu shows one entry per slot.
    void ReadSettings(const IniFile& ini);
    // Command1 .. Command5: true when id is one of them.
    bool Handle(CommandId id);
    // Starts the command of the slot. A copy of the mail it asked for is made first (a failure
    // is shown and nothing starts), and deleted once the user has closed the "Delete " message.
    void RunCommand(int slot);

    const MenuSlots& Slots() const { return slots_; }

  private:
    TForm1& form_;
    Platform p_;
    MenuSlots slots_;
};

}  // namespace kestrel
