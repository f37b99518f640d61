#include "viewer/shell/scramble_commands.h"

#include <algorithm>

#include "common/ini.h"
#include "common/sjis.h"
#include "viewer/scramble/auto_scramble.h"
#include "viewer/scramble/folder_run.h"
#include "viewer/scramble/mail_scramble.h"
#include "viewer/shell/startup.h"

namespace kestrel {

namespace {
constexpr std::string_view kOwner = "ScrambleCommands";
constexpr std::string_view kCannotWrite = "Could not write ";
}  // namespace

ScrambleCommands::ScrambleCommands(const Platform& platform, const ShellWiring& wiring,
                                   TForm1& form, ClientLink& link)
    : p_(platform), form_(form), link_(link), passwordDlg_(platform.pinDialog, platform.messages) {
    auto add = [&](CommandId id, CommandRouter::Handler h) {
        wiring.commands.Register(id, kOwner, std::move(h));
    };
    add(CommandId::ScrambleMode, [this] { ScrambleMode1Click(); });
    add(CommandId::Scramble, [this] { Scramble2Click(); });
    add(CommandId::Unscramble, [this] { Unscramble1Click(); });
    add(CommandId::ScrambleFolder, [this] { ScrambleFolder1Click(); });
    add(CommandId::UnscrambleFolder, [this] { UnscrambleFolder1Click(); });
    add(CommandId::ErasePin, [this] { ErasePIN1Click(); });
    // Read before the command line: "/s" with a stored PIN switches the mode on at once.
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) {
        settings_ = ScrambleSettingsFrom(ini);
        if (settings_.pin != 0) BuildKey(settings_.pin);
    });
    wiring.events.OnMailOpened([this](const MailView& view) { AutoScrambleOnOpen(view); });
}

std::string ScrambleCommands::SettingsFile() const {
    return OnDiskPath(form_.SettingsPath());
}

void ScrambleCommands::BuildKey(uint16_t pin) {
    pin_ = pin;
    cipher_ = std::make_unique<ScrambleCipher>(KeyStreamFromPin(pin));
}

void ScrambleCommands::SetMode(bool on) {
    form_.State().scrambleMode = on;
    p_.window.SetMenuChecked(CommandId::ScrambleMode, on);
    p_.window.SetMenuVisible(CommandId::MenuScramble, on);
}

bool ScrambleCommands::AskForPin() {
    uint16_t pin = 0;
    if (!passwordDlg_.Ask(SettingsFile(), pin)) {
        SetMode(false);
        return false;
    }
    BuildKey(pin);
    SetMode(true);
    return true;
}

void ScrambleCommands::ScrambleMode1Click() {
    if (Mode()) {
        // The PIN, the key and pinGivenAtStart stay for a later switch back on.
        SetMode(false);
        return;
    }
    form_.State().pinGivenAtStart = AskForPin();
}

void ScrambleCommands::PutCaretAfterScreen() {
    TextControl& ed = p_.editor;
    const int last = std::max(0, ed.LineCount() - 1);
    const int line = std::min(form_.VisibleLines(), last);
    ed.SetSelection(ed.LineOffset(line), 0);
}

void ScrambleCommands::Scramble2Click() {
    if (!Mode() || !cipher_) return;
    std::vector<std::string> lines = p_.editor.Lines();
    if (!ScrambleMailText(lines, *cipher_, settings_.keptSubjectBytes)) return;
    p_.editor.SetLines(lines);
    p_.editor.SetModified(true);
    PutCaretAfterScreen();
}

void ScrambleCommands::Unscramble1Click() {
    if (!Mode() || !cipher_) return;
    std::vector<std::string> lines = p_.editor.Lines();
    switch (UnscrambleMailText(lines, *cipher_)) {
        case UnscrambleOutcome::NotScrambled:
            return;
        case UnscrambleOutcome::BadMarker:
            form_.ShowMessage(kErrorInOriginal);
            return;
        case UnscrambleOutcome::Done:
            break;
    }
    p_.editor.SetLines(lines);
    p_.editor.SetModified(true);
    PutCaretAfterScreen();
}

void ScrambleCommands::RunFolder(bool scramble) {
    ViewerState& st = form_.State();
    if (!Mode() || !cipher_ || st.currentFile.empty()) return;
    const std::string remembered = st.currentFile;
    FolderRunReport report = RunFolderScramble(
        OnDiskPath(st.currentFile), scramble ? FolderRunKind::Scramble : FolderRunKind::Unscramble,
        *cipher_, settings_.keptSubjectBytes, [this, &st](const std::string& path) {
            st.currentFile = LowerSjis(path);
            link_.SendUpdate();
        });
    st.currentFile = remembered;
    const std::string message = FolderRunMessage(report);
    if (!message.empty()) form_.ShowMessage(message);
}

void ScrambleCommands::ScrambleFolder1Click() {
    RunFolder(true);
}

void ScrambleCommands::UnscrambleFolder1Click() {
    RunFolder(false);
}

void ScrambleCommands::ErasePIN1Click() {
    // The mode, the PIN in memory and the key stay: scrambling goes on in this run.
    if (!WriteIniString(SettingsFile(), "Scramble", "PIN", "0"))
        form_.ShowMessage(std::string(kCannotWrite) + form_.SettingsPath());
}

void ScrambleCommands::UnscrambleForDisplay(std::vector<std::string>& lines) {
    if (!cipher_) return;
    if (UnscrambleMailText(lines, *cipher_) == UnscrambleOutcome::BadMarker)
        form_.ShowMessage(kErrorInOriginal);
}

void ScrambleCommands::AutoScrambleOnOpen(const MailView& view) {
    if (!Mode() || !cipher_) return;
    if (view.lines.size() > 1 && view.lines[1].find("X-Scramble: ") != std::string::npos) return;
    if (!IsAutoScrambleFolder(settings_, view.path)) return;
    // The text on show stays in clear; only the file is scrambled.
    if (ScrambleStoredMail(OnDiskPath(view.path), *cipher_, settings_.keptSubjectBytes) ==
        StoredScramble::Failed) {
        form_.ShowMessage(std::string(kCannotWrite) + view.path);
        return;
    }
    link_.SendUpdate();
}

bool ScrambleCommands::PutShownTextInFile() {
    const std::string& file = form_.State().currentFile;
    if (!Mode() || file.empty()) return true;
    if (shownText_.Put(OnDiskPath(file), p_.editor.Lines())) return true;
    form_.ShowMessage(std::string(kCannotWrite) + file);
    return false;
}

void ScrambleCommands::RestoreMailFile() {
    if (!shownText_.Active()) return;
    // The mail must come back whole: one more try before giving up on it.
    if (shownText_.Restore() || shownText_.Restore()) return;
    p_.messages.Show(std::string(kCannotRestore) + shownText_.Path(), "Error", MessageButtons::Ok,
                     MessageKind::Error);
}

}  // namespace kestrel
