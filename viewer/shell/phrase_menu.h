// The Insert menu: the configured phrases in packed slots, each inserted at the caret.
#pragma once

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/text/menu_slots.h"

namespace kestrel {

class PhraseMenu {
  public:
    explicit PhraseMenu(const Platform& platform);

    // [Insert] of the deferred stage; then the menu shows one entry per slot (hidden when
    // there is none).
    void ReadSettings(const IniFile& ini);
    // Insert1 .. Insert5: true when id is one of them.
    bool Handle(CommandId id);
    // Only in editor mode: a selection is cut to the clipboard, the phrase ("\n" a line break)
    // goes in at the caret, and the caret ends after it. An empty slot does nothing.
    void InsertPhrase(int slot);

    const MenuSlots& Slots() const { return slots_; }

  private:
    Platform p_;
    MenuSlots slots_;
};

}  // namespace kestrel
