#include "viewer/shell/reply.h"

#include "viewer/link/folder.h"
#include "viewer/link/macros.h"
#include "viewer/shell/startup.h"

namespace kestrel {

ReplyCommands::ReplyCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                             ClientLink& link, ReplyTextSwap& scrambleSwap)
    : p_(platform), form_(form), link_(link), swap_(scrambleSwap) {
    constexpr std::string_view kOwner = "ReplyCommands";
    CommandRouter& c = wiring.commands;
    c.Register(CommandId::Reply, kOwner, [this] { Reply1Click(); });
    c.Register(CommandId::ReplyAll, kOwner, [this] { ReplyAllClick(); });
    c.Register(CommandId::ReplyLater, kOwner, [this] { ReplyLater1Click(); });
    c.Register(CommandId::Forward, kOwner, [this] { Forward1Click(); });
    for (int k = 1; k <= 5; ++k) {
        c.Register(CommandId(int(CommandId::ReplyStatus1) + k - 1), kOwner,
                   [this, k] { ReplyStatusClick(k); });
    }
    wiring.events.OnSettingsLoaded(
        [this](const IniFile& ini) { statuses_ = ReplyStatusSettingsFrom(ini); });
}

StatusMarkResult ReplyCommands::SetStatusMark(std::string_view line) {
    const std::string& current = form_.CurrentFile();
    StatusMarkResult r = kestrel::SetStatusMark(OnDiskPath(current), line);
    if (r != StatusMarkResult::Written) return r;
    if (p_.editor.LineCount() == 0 || !ShowsStatusLine(p_.editor.Line(0))) return r;
    bool modified = p_.editor.Modified();
    int selStart = p_.editor.SelStart(), selLength = p_.editor.SelLength();
    int oldLength = int(p_.editor.Line(0).size());
    // Only the first line is replaced, so the colours of the rest stay.
    p_.editor.SetSelection(0, oldLength);
    p_.editor.ReplaceSelection(line);
    int shift = int(line.size()) - oldLength;
    if (selStart > oldLength)
        selStart += shift;
    else if (selStart + selLength > oldLength)
        selLength += shift;
    p_.editor.SetSelection(selStart < 0 ? 0 : selStart, selLength < 0 ? 0 : selLength);
    p_.editor.SetModified(modified);
    return r;
}

void ReplyCommands::Reply1Click() {
    if (!IsFolderMail(form_.CurrentFile())) return;
    SetStatusMark(kStatusSender);
    SendReply();
}

void ReplyCommands::ReplyAllClick() {
    if (!IsFolderMail(form_.CurrentFile())) return;
    SetStatusMark(kStatusRead);
    SendReply();
}

void ReplyCommands::ReplyStatusClick(int k) {
    std::optional<std::string> line = ReplyStatusLine(statuses_, k);
    if (!line || !IsFolderMail(form_.CurrentFile())) return;
    SetStatusMark(*line);
    SendReply();
}

void ReplyCommands::ReplyLater1Click() {
    if (!IsFolderMail(form_.CurrentFile())) return;
    int selStart = p_.editor.SelStart(), selLength = p_.editor.SelLength();
    SetStatusMark(kStatusLater);
    link_.SendUpdate();
    p_.editor.SetSelection(selStart, selLength);
}

void ReplyCommands::SendReply() {
    const std::string current = form_.CurrentFile();
    if (!IsFolderMail(current)) return;
    WithShownText(kReplyingMessage, [&] {
        link_.SendToPlover(ReplyMacro(FolderFileOf(current), MailNumberOf(current)));
        link_.SendUpdate();
    });
}

void ReplyCommands::Forward1Click() {
    const std::string current = form_.CurrentFile();
    if (!IsFolderMail(current)) return;
    WithShownText(kForwardingMessage, [&] {
        link_.SendToPlover(ForwardMacro(FolderFileOf(current), MailNumberOf(current)));
    });
}

void ReplyCommands::WithShownText(std::string_view message, const std::function<void()>& send) {
    if (!form_.State().scrambleMode) {
        send();
        return;
    }
    if (!swap_.PutShownText()) return;
    send();
    form_.ShowMessage(message);
    swap_.RestoreFile();
}

}  // namespace kestrel
