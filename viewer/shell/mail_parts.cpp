#include "viewer/shell/mail_parts.h"

namespace kestrel {

MailParts::MailParts(const Platform& platform, const DdeChannels& dde, ShellHooks hooks)
    : link_(platform, dde),
      display_(platform, link_),
      host_(*this, platform),
      navigation_(host_),
      keys_(platform.editor, host_) {
    link_.Plug(hooks);
    display_.Plug(hooks);
    auto next = hooks.command;
    hooks.command = [this, next](CommandId id) {
        if (navigation_.Execute(id) || keys_.Execute(id)) return true;
        return next ? next(id) : false;
    };
    hooks.dispatchKey = [this](int vk, unsigned modifiers) { keys_.Dispatch(vk, modifiers); };
    hooks.readStartSettings = [this](const IniFile& ini) { navigation_.ReadStartSettings(ini); };
    auto deferred = hooks.readDeferredSettings;
    hooks.readDeferredSettings = [this, deferred](const IniFile& ini) {
        navigation_.ReadDeferredSettings(ini);
        keys_.ReadDeferredSettings(ini);
        if (deferred) deferred(ini);
    };
    form_ = std::make_unique<TForm1>(platform, std::move(hooks));
    link_.Attach(*form_);
    display_.Attach(*form_);
    link_.SetOpenFolderMail([this](const std::string& path) { display_.OpenFolderMail(path); });
    link_.OpenPloverConversation();
    link_.RegisterServer();
}

// --- what navigation and key dispatch reach --------------------------------------------------

ReadingHost::ReadingHost(MailParts& parts, const Platform& platform)
    : parts_(parts), p_(platform) {}

std::string ReadingHost::CurrentFile() const {
    return parts_.Form().State().currentFile;
}

Neighbours ReadingHost::OpenedNeighbours() const {
    return {parts_.Link().NextMail(), parts_.Link().PreviousMail()};
}

bool ReadingHost::SaveIfModified() {
    return parts_.Form().SaveIfModified();
}

void ReadingHost::OpenFolderMail(const std::string& path) {
    parts_.Display().OpenFolderMail(path);
}

void ReadingHost::ForgetMail() {
    p_.editor.Clear();
    p_.editor.SetModified(false);
    parts_.Form().State().currentFile.clear();
    parts_.Form().UpdateWindowState();
}

void ReadingHost::RestoreViewerMode() {
    p_.editor.SetReadOnly(parts_.Form().State().viewerModeSetting);
}

void ReadingHost::ShowMessage(std::string_view text) {
    parts_.Form().ShowMessage(text);
}

void ReadingHost::CheckReadOrder(ReadOrder order) {
    parts_.Form().State().readOrder = static_cast<int>(order);
    p_.window.SetMenuChecked(CommandId::NumberSearch, order == ReadOrder::Number);
    p_.window.SetMenuChecked(CommandId::PloverSearch, order == ReadOrder::Plover);
    p_.window.SetMenuChecked(CommandId::FinchpostSearch, order == ReadOrder::Finchpost);
}

void ReadingHost::SetPendingDeletion(const std::string& path) {
    parts_.Form().Pending().deletion = path;
}

void ReadingHost::SetViewRequestOutstanding() {
    parts_.Form().Pending().viewRequestOutstanding = true;
}

void ReadingHost::StartTimer() {
    parts_.Form().StartTimer();
}

void ReadingHost::SendToPlover(const std::string& macro) {
    parts_.Link().SendToPlover(macro);
}

void ReadingHost::SendToFinchpost(const std::string& macro) {
    parts_.Link().SendToFinchpost(macro);
}

void ReadingHost::SendUpdate() {
    parts_.Link().SendUpdate();
}

void ReadingHost::SendMoveToTrash() {
    parts_.Link().SendMoveToTrash();
}

void ReadingHost::OpenFinchpostLink() {
    parts_.Link().OpenFinchpostLink();
}

int ReadingHost::VisibleLines() const {
    TForm1& form = parts_.Form();
    const int visible = form.VisibleLines();
    if (form.Settings().debugMode) {
        form.ShowMessage(std::to_string(p_.editor.HeightPixels()) + "/" +
                         std::to_string(form.CurrentFont().size) + "=" + std::to_string(visible));
    }
    return visible;
}

bool ReadingHost::KeyNumberMode() const {
    return parts_.Form().State().keyNumberMode;
}

void ReadingHost::SetKeyNumberMode(bool on) {
    parts_.Form().State().keyNumberMode = on;
}

void ReadingHost::Execute(CommandId id) {
    parts_.Form().Execute(id);
}

void ReadingHost::ResetAlertColourAndUpdate() {
    parts_.Form().State().alertColour = 0;
    parts_.Form().UpdateWindowState();
}

void ReadingHost::SetTitle(std::string_view title) {
    p_.window.SetTitle(title);
}

int ReadingHost::FirstVisibleLine() const {
    return p_.editor.FirstVisibleLine();
}

void ReadingHost::ScrollLines(int lines) {
    p_.editor.ScrollLines(lines);
}

int ReadingHost::TextLineCount() const {
    int count = p_.editor.LineCount();
    if (count > 0 && p_.editor.Line(count - 1).empty()) --count;
    return count;
}

}  // namespace kestrel
