#include "viewer/shell/mail_mover.h"

#include <algorithm>

#include "common/fileio.h"
#include "common/ini.h"
#include "viewer/shell/startup.h"

namespace kestrel {

MailMoverCommands::MailMoverCommands(const Platform& platform, const ShellWiring& wiring,
                                     TForm1& form, ClientLink& link)
    : p_(platform), form_(form), link_(link), timer_(wiring.timer) {
    constexpr std::string_view kOwner = "MailMoverCommands";
    wiring.commands.Register(CommandId::MoveMails, kOwner, [this] { Movemail1Click(); });
    wiring.commands.Register(CommandId::AttachFile, kOwner, [this] { AttachFile1Click(); });
    wiring.timer.Register(TimerStep::Mover1, kOwner, [this] { MoveStep1(); });
    wiring.timer.Register(TimerStep::Mover2, kOwner, [this] { MoveStep2(); });
    wiring.timer.Register(TimerStep::Mover3, kOwner, [this] { MoveStep3(); });
}

MailMoverSettings MailMoverCommands::ReadSettings() const {
    IniFile ini = IniFile::Load(OnDiskPath(form_.SettingsPath()));
    return MailMoverSettingsFrom(ini, DirectoryOf(p_.environment.ProgramPath()));
}

void MailMoverCommands::Send(const std::vector<std::string>& macros) {
    for (const std::string& m : macros) link_.SendToPlover(m);
}

void MailMoverCommands::StartMoveMails() {
    // The folders are read as they are now; the steps of an earlier run still pending would
    // send lists of that run.
    timer_.Disarm(TimerStep::Mover2);
    timer_.Disarm(TimerStep::Mover3);
    Send(mover_.Start(form_.State().clientDir, ReadSettings()));
    timer_.Arm(TimerStep::Mover1);
}

void MailMoverCommands::MoveStep1() {
    Send(mover_.Step1());
    timer_.Arm(TimerStep::Mover2);
}

void MailMoverCommands::MoveStep2() {
    Send(mover_.Step2());
    timer_.Arm(TimerStep::Mover3);
}

void MailMoverCommands::MoveStep3() {
    Send(mover_.Step3(closingByAw_, form_.CurrentFile()));
    if (closingByAw_) p_.window.Close();
}

bool MailMoverCommands::StartMoveMailsAtClose() {
    closingByAw_ = true;
    StartMoveMails();
    return true;
}

void MailMoverCommands::AttachFile1Click() {
    size_t index = AttachInsertIndex(p_.editor.Lines(), size_t(std::max(0, p_.editor.SelStart())));
    MailMoverSettings s = ReadSettings();
    FileDialogRequest request;
    request.filter = std::string(kAttachFilter);
    request.initialDir = s.attachDir;
    std::string chosen;
    if (!p_.dialogs.OpenFile(request, chosen)) return;
    std::string line = AttachLine(s, chosen);
    WriteIniString(OnDiskPath(form_.SettingsPath()), "AW", "AttachDir", DirectoryOf(chosen));

    int count = p_.editor.LineCount();
    if (int(index) < count) {
        p_.editor.SetSelection(p_.editor.LineOffset(int(index)), 0);
        p_.editor.ReplaceSelection(line + "\r\n");
    } else {
        p_.editor.SetSelection(p_.editor.LineOffset(count), 0);
        p_.editor.ReplaceSelection(count > 0 ? "\r\n" + line : line);
    }
}

}  // namespace kestrel
