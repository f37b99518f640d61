#include "viewer/shell/viewer.h"

#include <algorithm>

#include "viewer/shell/menus.h"

namespace kestrel {

Viewer::Viewer(const Platform& platform, const DdeChannels& dde)
    : timer_(platform.timer),
      wiring_{commands_, timer_, events_},
      form_(platform, wiring_, *this),
      link_(platform, dde, wiring_, form_),
      display_(platform, wiring_, form_, link_, *this),
      text_(platform, wiring_, form_, display_),
      replySwap_(platform.editor),
      reply_(platform, wiring_, form_, link_, replySwap_),
      saveAndQuit_(platform, wiring_, form_),
      mover_(platform, wiring_, form_, link_) {
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
    return false;  // scramble: the PIN dialog is not built yet
}

bool Viewer::StartMoveMailsAtClose() {
    return mover_.StartMoveMailsAtClose();
}

void Viewer::DispatchKey(int, unsigned) {
    // key dispatch is not built yet
}

void Viewer::UnscrambleForDisplay(std::vector<std::string>&) {
    // scramble is not built yet: a scrambled mail shows as stored
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
