// The Command menu: the user's external commands in packed slots, each started with the mail on
// show (or a text copy of it, or the selected text) through LaunchProgram.
#pragma once

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/menu_slots.h"

namespace kestrel {

inline constexpr std::string_view kDeleteCopyMessage = "Delete ";

class CommandMenu {
  public:
    // Owns Command1 .. Command5 (slot 1 .. 5). Reads [Command] with the settings file; the
    // menu is built in the deferred stage, one entry per slot (hidden when there is none).
    CommandMenu(const Platform& platform, const ShellWiring& wiring, TForm1& form);
    // Starts the command of the slot. A copy of the mail it asked for is made first (a failure
    // is shown and nothing starts), and deleted once the user has closed the "Delete " message.
    void RunCommand(int slot);

    const MenuSlots& Slots() const { return slots_; }

  private:
    void BuildMenu();

    Platform p_;
    TForm1& form_;
    MenuSlots slots_;
};

}  // namespace kestrel
