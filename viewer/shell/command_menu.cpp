#include "viewer/shell/command_menu.h"

#include "common/fileio.h"
#include "viewer/shell/startup.h"
#include "viewer/text/command_copy.h"

namespace kestrel {

CommandMenu::CommandMenu(const Platform& platform, const ShellWiring& wiring, TForm1& form)
    : p_(platform), form_(form) {
    for (int i = 0; i < 5; ++i) {
        wiring.commands.Register(CommandId(int(CommandId::Command1) + i), "CommandMenu",
                                 [this, i] { RunCommand(i + 1); });
    }
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) { slots_ = CommandSlotsFrom(ini); });
    wiring.events.OnDeferredStage([this](const IniFile&) { BuildMenu(); });
}

void CommandMenu::BuildMenu() {
    std::vector<DynamicMenuEntry> entries;
    for (size_t i = 0; i < slots_.slots.size(); ++i)
        entries.push_back({CommandId(int(CommandId::Command1) + int(i)), slots_.slots[i].caption});
    p_.window.SetDynamicMenu(CommandId::MenuCommand, entries);
    p_.window.SetMenuVisible(CommandId::MenuCommand, !entries.empty());
}

void CommandMenu::RunCommand(int slot) {
    const MenuSlot* s = slots_.Slot(slot);
    if (!s) return;
    const std::string& mail = form_.State().currentFile;
    CommandPlan plan =
        PlanCommand(s->text, mail, DirectoryOf(p_.environment.ProgramPath()), p_.editor.SelText());
    if (!plan.copyPath.empty() && !WriteCommandCopy(OnDiskPath(mail), plan.copyPath)) {
        p_.messages.Show("Cannot save " + plan.copyPath, kAppTitle, MessageButtons::Ok,
                         MessageKind::Error);
        return;
    }
    const bool started = form_.LaunchProgram(plan.program, plan.argument, plan.extra);
    // The user's own command: a program that did not start must not look as if it ran.
    if (!started)
        p_.messages.Show("Cannot start " + plan.program, kAppTitle, MessageButtons::Ok,
                         MessageKind::Error);
    if (plan.copyPath.empty()) return;
    // The program has the copy open by now; it goes once the user says the program is done.
    // Nothing holds it when the program did not start.
    if (started) form_.ShowMessage(std::string(kDeleteCopyMessage) + plan.copyPath);
    if (!DeleteFileAt(plan.copyPath))
        p_.messages.Show("Cannot delete " + plan.copyPath, kAppTitle, MessageButtons::Ok,
                         MessageKind::Error);
}

}  // namespace kestrel
