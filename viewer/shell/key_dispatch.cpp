#include "viewer/shell/key_dispatch.h"

namespace kestrel {

CommandId CommandOfSlot(KeySlot slot) {
    switch (PrimaryOf(slot)) {
        case KeySlot::PageDown:
            return CommandId::PageDownKey;
        case KeySlot::PageUp:
            return CommandId::PageUpKey;
        case KeySlot::PageDownNext:
            return CommandId::PageDownNextKey;
        case KeySlot::PageUpPrev:
            return CommandId::PageUpPrevKey;
        case KeySlot::LineDown:
            return CommandId::LineDown;
        case KeySlot::LineUp:
            return CommandId::LineUp;
        case KeySlot::NextMail:
            return CommandId::NextMail;
        case KeySlot::PrevMail:
            return CommandId::PrevMail;
        case KeySlot::NextNewMail:
            return CommandId::NextNew;
        case KeySlot::PrevNewMail:
            return CommandId::PrevNew;
        case KeySlot::DeleteMail:
            return CommandId::DeleteMail;
        case KeySlot::Reply:
            return CommandId::Reply;
        case KeySlot::ReplyAll:
            return CommandId::ReplyAll;
        case KeySlot::ReplyLater:
            return CommandId::ReplyLater;
        case KeySlot::Forward:
            return CommandId::Forward;
        case KeySlot::ReplyWithStatus1:
            return CommandId::ReplyStatus1;
        case KeySlot::ReplyWithStatus2:
            return CommandId::ReplyStatus2;
        case KeySlot::ReplyWithStatus3:
            return CommandId::ReplyStatus3;
        case KeySlot::ReplyWithStatus4:
            return CommandId::ReplyStatus4;
        case KeySlot::ReplyWithStatus5:
            return CommandId::ReplyStatus5;
        case KeySlot::SelectAll:
            return CommandId::SelectAll;
        case KeySlot::FindNext:
            return CommandId::FindNext;
        case KeySlot::Save:
            return CommandId::Save;
        case KeySlot::SaveQuit:
            return CommandId::SaveAndQuit;
        case KeySlot::Exit:
            return CommandId::Exit;
        case KeySlot::Reformat:
            return CommandId::Justify;
        case KeySlot::FinchpostSearch:
            return CommandId::FinchpostSearch;
        case KeySlot::PloverSearch:
            return CommandId::PloverSearch;
        case KeySlot::NumberSearch:
            return CommandId::NumberSearch;
        case KeySlot::WebBrowser:
            return CommandId::WebBrowser;
        case KeySlot::MailTo:
            return CommandId::MailTo;
        case KeySlot::AddressBook:
            return CommandId::AddressBook;
        case KeySlot::Header:
            return CommandId::Header;
        case KeySlot::ViewerMode:
            return CommandId::ViewerMode;
        case KeySlot::SpellCheck:
            return CommandId::SpellCheck;
        case KeySlot::KeyCommand1:
            return CommandId::Command1;
        case KeySlot::KeyCommand2:
            return CommandId::Command2;
        case KeySlot::KeyCommand3:
            return CommandId::Command3;
        case KeySlot::KeyCommand4:
            return CommandId::Command4;
        case KeySlot::KeyCommand5:
            return CommandId::Command5;
        case KeySlot::KeyInsert1:
            return CommandId::Insert1;
        case KeySlot::KeyInsert2:
            return CommandId::Insert2;
        case KeySlot::KeyInsert3:
            return CommandId::Insert3;
        case KeySlot::KeyInsert4:
            return CommandId::Insert4;
        case KeySlot::KeyInsert5:
            return CommandId::Insert5;
        default:
            return CommandId::None;
    }
}

KeyDispatch::KeyDispatch(TextControl& editor, KeyDispatchHost& host, const ShellWiring& wiring)
    : editor_(editor), host_(host) {
    wiring.commands.Register(CommandId::KeyNumber, "KeyDispatch", [this] { KeyNumber1Click(); });
    wiring.events.OnDeferredStage([this](const IniFile& ini) { ReadDeferredSettings(ini); });
}

void KeyDispatch::ReadDeferredSettings(const IniFile& ini) {
    slots_ = DispatchSlotsFrom(ini);
    host_.SetKeyNumberMode(false);
}

void KeyDispatch::Dispatch(int vk, unsigned modifiers) {
    const bool keyNumberMode = host_.KeyNumberMode();
    const KeyDecision d =
        DecideKey(slots_, vk, (modifiers & kModShift) != 0, (modifiers & kModCtrl) != 0,
                  (modifiers & kModAlt) != 0, editor_.ReadOnly(), keyNumberMode);
    if (keyNumberMode) {
        if (d.kind == KeyDecision::Kind::ShowNumber) editor_.AppendLine(d.numberLine);
        // Leaving the mode must not ask to save the numbers.
        editor_.SetModified(false);
        return;
    }
    if (d.kind == KeyDecision::Kind::Run) {
        const CommandId id = CommandOfSlot(d.slot);
        if (id != CommandId::None) host_.Execute(id);
    }
}

void KeyDispatch::KeyNumber1Click() {
    if (!host_.SaveIfModified()) return;
    editor_.SetReadOnly(true);
    editor_.Clear();
    editor_.AppendLine(kKeyNumberPrompt);
    editor_.SetModified(false);
    host_.ResetAlertColourAndUpdate();
    host_.SetKeyNumberMode(true);
    host_.SetTitle(kKeyNumberTitle);
}

}  // namespace kestrel
