// The Insert menu: the configured phrases in packed slots, each inserted at the caret.
#pragma once

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/menu_slots.h"

namespace kestrel {

class PhraseMenu {
  public:
    // Owns Insert1 .. Insert5 (slot 1 .. 5). Reads [Insert] with the settings file; the menu
    // is built in the deferred stage, one entry per slot (hidden when there is none).
    PhraseMenu(const Platform& platform, const ShellWiring& wiring);
    // Only in editor mode: a selection is cut to the clipboard, the phrase ("\n" a line break)
    // goes in at the caret, and the caret ends after it. An empty slot does nothing.
    void InsertPhrase(int slot);

    const MenuSlots& Slots() const { return slots_; }

  private:
    void BuildMenu();

    Platform p_;
    MenuSlots slots_;
};

}  // namespace kestrel
