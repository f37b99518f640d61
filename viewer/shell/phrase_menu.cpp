#include "viewer/shell/phrase_menu.h"

#include "viewer/text/phrases.h"

namespace kestrel {

PhraseMenu::PhraseMenu(const Platform& platform, const ShellWiring& wiring) : p_(platform) {
    for (int i = 0; i < 5; ++i) {
        wiring.commands.Register(CommandId(int(CommandId::Insert1) + i), "PhraseMenu",
                                 [this, i] { InsertPhrase(i + 1); });
    }
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) { slots_ = InsertSlotsFrom(ini); });
    wiring.events.OnDeferredStage([this](const IniFile&) { BuildMenu(); });
}

void PhraseMenu::BuildMenu() {
    std::vector<DynamicMenuEntry> entries;
    for (size_t i = 0; i < slots_.slots.size(); ++i)
        entries.push_back({CommandId(int(CommandId::Insert1) + int(i)), slots_.slots[i].caption});
    p_.window.SetDynamicMenu(CommandId::MenuInsert, entries);
    p_.window.SetMenuVisible(CommandId::MenuInsert, !entries.empty());
}

void PhraseMenu::InsertPhrase(int slot) {
    TextControl& ed = p_.editor;
    const MenuSlot* s = slots_.Slot(slot);
    if (!s || ed.ReadOnly()) return;
    if (ed.SelLength() > 0) ed.CutToClipboard();
    int caret = ed.SelStart();
    // Inserting at the caret keeps the editor's undo; the text has the phrase's length.
    ed.SetSelection(caret, 0);
    ed.ReplaceSelection(PhraseText(s->text));
    ed.SetSelection(caret + static_cast<int>(s->text.size()), 0);
}

}  // namespace kestrel
