#include "viewer/shell/mail_link.h"

#include "common/fileio.h"
#include "viewer/link/folder.h"
#include "viewer/link/macros.h"
#include "viewer/link/neighbour.h"
#include "viewer/shell/startup.h"

namespace kestrel {

MailLink::MailLink(const Platform& platform, const DdeChannels& dde) : p_(platform), dde_(dde) {}

void MailLink::Plug(ShellHooks& hooks) {
    hooks.sendToPlover = [this](const std::string& macro) { SendToPlover(macro); };
    hooks.sendUpdate = [this] { SendUpdate(); };
    hooks.sendFocus = [this] { SendFocus(); };
    hooks.sendMoveToTrash = [this] { SendMoveToTrash(); };
    hooks.openFinchpostLink = [this] { OpenFinchpostLink(); };
}

void MailLink::Attach(TForm1& form) {
    form_ = &form;
}

void MailLink::SetOpenFolderMail(std::function<void(const std::string& path)> open) {
    openFolderMail_ = std::move(open);
}

bool MailLink::DebugMode() const {
    return form_ && form_->Settings().debugMode;
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
    return dde_.server.Register(ServerName(), kServerTopic,
                                [this](const std::string& data) { DdeOpenMail(data); });
}

void MailLink::SendToPlover(const std::string& macro) {
    if (form_ && form_->Settings().debugPloverDde) form_->ShowMessage("PloverDde: " + macro);
    // A closed conversation or a refused macro: the mail client simply does not hear of it.
    if (dde_.plover.IsOpen()) dde_.plover.Execute(macro);
}

void MailLink::SendToFinchpost(const std::string& macro) {
    if (DebugMode()) form_->ShowMessage("FinchDDE: " + macro);
    if (dde_.finchpost.IsOpen()) dde_.finchpost.Execute(macro);
}

void MailLink::OpenFinchpostLink() {
    if (!form_) return;
    const std::string& current = form_->State().currentFile;
    if (p_.windows.ExistsWithClass(kFinchpostWindowClass)) {
        if (!dde_.finchpost.IsOpen()) dde_.finchpost.Open(kFinchpostService, kCommandTopic);
        // Without a folder mail on show the macro would name no mail at all.
        if (IsFolderMail(current)) {
            SendToFinchpost(FinchpostFocusMacro(FolderFileOf(current), MailNumberOf(current)));
        }
        return;
    }
    const std::string& program = form_->Settings().finchpostExe;
    if (!program.empty()) form_->LaunchProgram(program, current, "");
    dde_.finchpost.Open(kFinchpostService, kCommandTopic);
}

// --- the incoming request ----------------------------------------------------------------

void MailLink::DdeOpenMail(const std::string& macroLines) {
    if (!form_) return;
    if (DebugMode()) {
        size_t end = macroLines.find_first_of(std::string_view("\r\n\0", 3));
        form_->ShowMessage("DDE3: " + macroLines.substr(0, end));
    }
    // With no mail on show currentFile is "", which every line contains: the test for the mail
    // already shown is made only when there is one.
    OpenRequest req = ParseOpenMacro(macroLines, form_->State().currentFile);
    if (req.kind != OpenRequest::Open) return;
    PendingWork& pending = form_->Pending();
    if (pending.viewRequestOutstanding) {
        // The question about changes was asked when the view was requested.
        pending.viewRequestOutstanding = false;
    } else if (!form_->SaveIfModified()) {
        return;
    }
    if (openFolderMail_) openFolderMail_(req.path);
}

// --- follow-ups of an open -----------------------------------------------------------------

void MailLink::SendUpdate() {
    if (!form_) return;
    const std::string& current = form_->State().currentFile;
    if (!IsFolderMail(current)) return;
    SendToPlover(UpdateMacro(FolderFileOf(current), MailNumberOf(current)));
    form_->StartTimer();
}

void MailLink::SendFocus() {
    if (!form_) return;
    const std::string& current = form_->State().currentFile;
    if (!IsFolderMail(current)) return;
    SendToPlover(FocusMacro(FolderFileOf(current), MailNumberOf(current)));
}

void MailLink::SendMoveToTrash() {
    if (!form_) return;
    PendingWork& pending = form_->Pending();
    const std::string path = pending.deletion;
    if (path.empty() || path == PendingWork::kNeedsUpdate) return;
    if (!FileExists(OnDiskPath(path))) {
        // Nothing to move; left pending it would take every later timer tick, and the Focus
        // of the mail on show would never be sent again.
        pending.deletion.clear();
        return;
    }
    SendToPlover(MoveMacro(form_->State().trashPath, FolderFileOf(path), MailNumberOf(path)));
    pending.deletion = std::string(PendingWork::kNeedsUpdate);
    form_->StartTimer();
}

void MailLink::AfterFolderMailOpened() {
    if (!form_) return;
    const std::string& shown = form_->State().currentFile;
    const PendingWork& pending = form_->Pending();
    bool deletionPending =
        !pending.deletion.empty() && pending.deletion != PendingWork::kNeedsUpdate;

    nextMail_ = NeighbourOf(shown, +1);
    if (deletionPending && nextMail_ == pending.deletion) {
        nextMail_ = NeighbourOf(pending.deletion, +1);
    }
    previousMail_ = NeighbourOf(shown, -1);
    if (deletionPending && previousMail_ == pending.deletion) {
        previousMail_ = NeighbourOf(pending.deletion, -1);
    }
    if (DebugMode()) form_->ShowMessage("Next:" + nextMail_ + " Prev:" + previousMail_);

    int order = form_->State().readOrder;
    if (order != 0) {
        form_->StartTimer();
    } else if (deletionPending) {
        SendMoveToTrash();
    } else {
        SendUpdate();
    }
    // Finchpost order: the timer then sends Update and Focus to Plover. A deletion whose Move
    // is still due keeps its place: the Move step sets NeedsUpdate itself once it has sent it.
    if (order == 2 && !deletionPending) {
        form_->Pending().deletion = std::string(PendingWork::kNeedsUpdate);
    }
}

}  // namespace kestrel
