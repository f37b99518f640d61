#include "viewer/shell/viewer.h"

#include <algorithm>

#include "viewer/shell/menus.h"

namespace kestrel {

Viewer::Viewer(const Platform& platform, const DdeChannels& dde)
    : p_(platform),
      timer_(platform.timer),
      wiring_{commands_, timer_, events_},
      form_(platform, wiring_, *this),
      link_(platform, dde, wiring_, form_),
      display_(platform, wiring_, form_, link_, *this),
      text_(platform, wiring_, form_, display_),
      addressBook_(platform, wiring_, form_, link_, dde.finchpost),
      phrases_(platform, wiring_),
      userCommands_(platform, wiring_, form_),
      tempFiles_(platform, wiring_, form_, display_),
      printing_(platform, wiring_, form_),
      scramble_(platform, wiring_, form_, link_),
      navigation_(*this, wiring_),
      replySwap_(scramble_),
      reply_(platform, wiring_, form_, link_, replySwap_),
      saveAndQuit_(platform, wiring_, form_),
      mover_(platform, wiring_, form_, link_),
      keys_(platform.editor, *this, wiring_),
      find_(platform, wiring_, form_),
      links_(platform, wiring_, form_, dde.browser),
      spell_(platform, wiring_, form_) {
    commands_.ShowOwnership(platform.window, ReachableCommands());
    link_.OpenPloverConversation();
    link_.RegisterServer();
}

void Viewer::OpenFolderMail(const std::string& path) {
    display_.OpenFolderMail(path);
}

void Viewer::OpenFinchpostLink() {
    link_.OpenFinchpostLink();
}

void Viewer::SendToPlover(const std::string& macro) {
    link_.SendToPlover(macro);
}

bool Viewer::AskPinAtStart() {
    return scramble_.AskForPin();
}

bool Viewer::StartMoveMailsAtClose() {
    return mover_.StartMoveMailsAtClose();
}

void Viewer::DispatchKey(int vk, unsigned modifiers) {
    keys_.Dispatch(vk, modifiers);
}

void Viewer::UnscrambleForDisplay(std::vector<std::string>& lines) {
    scramble_.UnscrambleForDisplay(lines);
}

// --- what navigation and key dispatch reach ------------------------------------------------

std::string Viewer::CurrentFile() const {
    return form_.CurrentFile();
}

Neighbours Viewer::OpenedNeighbours() const {
    return {link_.NextMail(), link_.PreviousMail()};
}

bool Viewer::SaveIfModified() {
    return form_.SaveIfModified();
}

void Viewer::ForgetMail() {
    p_.editor.Clear();
    p_.editor.SetModified(false);
    form_.State().currentFile.clear();
    form_.UpdateWindowState();
}

void Viewer::RestoreViewerMode() {
    p_.editor.SetReadOnly(form_.State().viewerModeSetting);
}

void Viewer::ShowMessage(std::string_view text) {
    form_.ShowMessage(text);
}

void Viewer::CheckReadOrder(ReadOrder order) {
    // The window and the link read the order from the shared state.
    form_.State().readOrder = static_cast<int>(order);
    p_.window.SetMenuChecked(CommandId::NumberSearch, order == ReadOrder::Number);
    p_.window.SetMenuChecked(CommandId::PloverSearch, order == ReadOrder::Plover);
    p_.window.SetMenuChecked(CommandId::FinchpostSearch, order == ReadOrder::Finchpost);
}

void Viewer::SetPendingDeletion(const std::string& path) {
    timer_.SetDeletion(PendingDeletion::MoveToTrash(path));
}

void Viewer::SetViewRequestOutstanding() {
    link_.SetViewRequestOutstanding(true);
}

void Viewer::StartTimer() {
    timer_.Start();
}

void Viewer::SendToFinchpost(const std::string& macro) {
    link_.SendToFinchpost(macro);
}

void Viewer::SendUpdate() {
    link_.SendUpdate();
}

void Viewer::SendMoveToTrash() {
    link_.SendMoveToTrash();
}

int Viewer::VisibleLines() {
    const int visible = form_.VisibleLines();
    if (form_.Settings().debugMode) {
        form_.ShowMessage(std::to_string(p_.editor.HeightPixels()) + "/" +
                          std::to_string(form_.CurrentFont().size) + "=" + std::to_string(visible));
    }
    return visible;
}

bool Viewer::KeyNumberMode() const {
    return form_.State().keyNumberMode;
}

void Viewer::SetKeyNumberMode(bool on) {
    form_.State().keyNumberMode = on;
}

void Viewer::Execute(CommandId id) {
    form_.Execute(id);
}

void Viewer::ResetAlertColourAndUpdate() {
    form_.State().alertColour = 0;
    form_.UpdateWindowState();
}

void Viewer::SetTitle(std::string_view title) {
    p_.window.SetTitle(title);
}

int Viewer::FirstVisibleLine() const {
    return p_.editor.FirstVisibleLine();
}

void Viewer::ScrollLines(int lines) {
    p_.editor.ScrollLines(lines);
}

int Viewer::TextLineCount() const {
    int count = p_.editor.LineCount();
    if (count > 0 && p_.editor.Line(count - 1).empty()) --count;
    return count;
}

std::vector<CommandId> ReachableCommands() {
    std::vector<CommandId> ids;
    auto add = [&ids](CommandId id) {
        if (id != CommandId::None && std::find(ids.begin(), ids.end(), id) == ids.end()) {
            ids.push_back(id);
        }
    };
    for (const MenuDef& menu : MainMenus()) {
        for (const MenuItemDef& item : menu.items) add(item.id);
    }
    // The entries built from [ReplyStatus], [Command] and [Insert].
    for (int i = 0; i < 5; ++i) {
        add(CommandId(int(CommandId::ReplyStatus1) + i));
        add(CommandId(int(CommandId::Command1) + i));
        add(CommandId(int(CommandId::Insert1) + i));
    }
    for (const MenuItemDef& item : PopupMenuItems()) add(item.id);
    for (const ToolButtonDef& button : ToolButtons()) add(button.command);
    return ids;
}

}  // namespace kestrel
