#include "viewer/shell/mail_link.h"

#include "common/fileio.h"
#include "viewer/link/folder.h"
#include "viewer/link/macros.h"
#include "viewer/link/neighbour.h"
#include "viewer/shell/startup.h"

namespace kestrel {

MailLink::MailLink(const Platform& platform, const DdeChannels& dde, const ShellWiring& wiring,
                   TForm1& form)
    : p_(platform), dde_(dde), timer_(wiring.timer), form_(form) {
    timer_.Register(TimerStep::MoveToTrash, "MailLink", [this] { SendMoveToTrash(); });
    timer_.Register(TimerStep::NeedsUpdate, "MailLink", [this] { SendDeletionFollowUp(); });
    timer_.Register(TimerStep::Focus, "MailLink", [this] { SendFocus(); });
}

bool MailLink::DebugMode() const {
    return form_.Settings().debugMode;
}

// --- conversations -----------------------------------------------------------------------

void MailLink::OpenPloverConversation() {
    if (dde_.plover.Open(kPloverService, kCommandTopic)) return;
    std::string commandLine = std::string(kPloverService) + " " + std::string(kCommandTopic);
    if (p_.launcher.Start(commandLine)) dde_.plover.Open(kPloverService, kCommandTopic);
}

std::string MailLink::ServerName() const {
    std::string name = FileNameOf(p_.environment.ProgramPath());
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

bool MailLink::RegisterServer() {
    std::string name = ServerName();
    if (dde_.server.Register(name, kServerTopic,
                             [this](const std::string& data) { DdeOpenMail(data); })) {
        return true;
    }
    std::string text(kServerNotRegistered);
    text.replace(text.find("%s"), 2, name);
    p_.messages.Show(text, kAppTitle, MessageButtons::Ok, MessageKind::Warning);
    return false;
}

void MailLink::SendToPlover(const std::string& macro) {
    if (form_.Settings().debugPloverDde) form_.ShowMessage("PloverDde: " + macro);
    // A closed conversation or a refused macro: the mail client simply does not hear of it.
    if (dde_.plover.IsOpen()) dde_.plover.Execute(macro);
}

void MailLink::SendToFinchpost(const std::string& macro) {
    if (DebugMode()) form_.ShowMessage("FinchDDE: " + macro);
    if (dde_.finchpost.IsOpen()) dde_.finchpost.Execute(macro);
}

void MailLink::OpenFinchpostLink() {
    const std::string& current = form_.State().currentFile;
    if (p_.windows.ExistsWithClass(kFinchpostWindowClass)) {
        if (!dde_.finchpost.IsOpen()) dde_.finchpost.Open(kFinchpostService, kCommandTopic);
        // Without a folder mail on show the macro would name no mail at all.
        if (IsFolderMail(current)) {
            SendToFinchpost(FinchpostFocusMacro(FolderFileOf(current), MailNumberOf(current)));
        }
        return;
    }
    const std::string& program = form_.Settings().finchpostExe;
    if (!program.empty()) form_.LaunchProgram(program, current, "");
    dde_.finchpost.Open(kFinchpostService, kCommandTopic);
}

// --- the incoming request ----------------------------------------------------------------

void MailLink::DdeOpenMail(const std::string& macroLines) {
    if (DebugMode()) {
        size_t end = macroLines.find_first_of(std::string_view("\r\n\0", 3));
        form_.ShowMessage("DDE3: " + macroLines.substr(0, end));
    }
    // With no mail on show currentFile is "", which every line contains: the test for the mail
    // already shown is made only when there is one.
    OpenRequest req = ParseOpenMacro(macroLines, form_.State().currentFile);
    if (req.kind != OpenRequest::Open) return;
    if (viewRequestOutstanding_) {
        // The question about changes was asked when the view was requested.
        viewRequestOutstanding_ = false;
    } else if (!form_.SaveIfModified()) {
        return;
    }
    form_.OpenFolderMail(req.path);
}

// --- follow-ups of an open -----------------------------------------------------------------

void MailLink::SendUpdate() {
    const std::string& current = form_.State().currentFile;
    if (!IsFolderMail(current)) return;
    SendToPlover(UpdateMacro(FolderFileOf(current), MailNumberOf(current)));
    timer_.Start();
}

void MailLink::SendFocus() {
    const std::string& current = form_.State().currentFile;
    if (!IsFolderMail(current)) return;
    SendToPlover(FocusMacro(FolderFileOf(current), MailNumberOf(current)));
}

void MailLink::SendMoveToTrash() {
    const PendingDeletion& pending = timer_.Deletion();
    if (!pending.IsMoveToTrash()) return;
    const std::string path = pending.Path();
    if (!FileExists(OnDiskPath(path))) {
        // Nothing to move; left pending it would take every later timer tick, and the Focus
        // of the mail on show would never be sent again.
        timer_.SetDeletion(PendingDeletion());
        return;
    }
    SendToPlover(MoveMacro(form_.State().trashPath, FolderFileOf(path), MailNumberOf(path)));
    timer_.SetDeletion(PendingDeletion::NeedsUpdate());
    timer_.Start();
}

void MailLink::SendDeletionFollowUp() {
    if (form_.State().readOrder == 1) {
        SendFocus();
    } else {
        SendUpdate();
        timer_.Start();
    }
}

void MailLink::AfterFolderMailOpened() {
    const std::string& shown = form_.State().currentFile;
    const PendingDeletion& pending = timer_.Deletion();
    bool deletionPending = pending.IsMoveToTrash();

    nextMail_ = NeighbourOf(shown, +1);
    if (deletionPending && nextMail_ == pending.Path()) {
        nextMail_ = NeighbourOf(pending.Path(), +1);
    }
    previousMail_ = NeighbourOf(shown, -1);
    if (deletionPending && previousMail_ == pending.Path()) {
        previousMail_ = NeighbourOf(pending.Path(), -1);
    }
    if (DebugMode()) form_.ShowMessage("Next:" + nextMail_ + " Prev:" + previousMail_);

    int order = form_.State().readOrder;
    if (order != 0) {
        timer_.Start();
    } else if (deletionPending) {
        SendMoveToTrash();
    } else {
        SendUpdate();
    }
    // Finchpost order: the timer then sends Update and Focus to Plover. A deletion whose Move
    // is still due keeps its place: the Move step sets NeedsUpdate itself once it has sent it.
    if (order == 2 && !deletionPending) timer_.SetDeletion(PendingDeletion::NeedsUpdate());
}

}  // namespace kestrel
