// TForm1: start-up in two stages and the window state.
#include "viewer/shell/form1.h"

#include "common/fileio.h"
#include "common/settings.h"
#include "common/sjis.h"
#include "viewer/link/macros.h"
#include "viewer/link/reply_status.h"
#include "viewer/shell/menus.h"
#include "viewer/shell/window_design.h"

namespace kestrel {

namespace {

// A font size that the caret and paging arithmetic can divide by: the options editor writes
// FontSize 0, which reaches the sizes when they are not set themselves.
int UsableFontSize(int size) {
    return size > 0 ? size : 14;
}

}  // namespace

int RunProcessStart(const ProcessStartSteps& steps) {
    if (steps.createMainWindow) steps.createMainWindow();
    if (steps.createPinDialog) steps.createPinDialog();
    if (steps.createSpellDialog) steps.createSpellDialog();
    return steps.runMessageLoop ? steps.runMessageLoop() : 0;
}

TForm1::TForm1(const Platform& platform, const ShellWiring& wiring, FormPeers& peers)
    : p_(platform),
      commands_(wiring.commands),
      timer_(wiring.timer),
      events_(wiring.events),
      peers_(peers) {
    settingsPath_ = SettingsPathFor(p_.environment.ProgramPath());
    timer_.Register(TimerStep::DeferredSettings, "TForm1", [this] { ReadDeferredSettings(); });
    RegisterCommands();
}

void TForm1::ShowMessage(std::string_view text) {
    p_.messages.Show(text, kAppTitle, MessageButtons::Ok, MessageKind::Plain);
}

bool TForm1::WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
    return WriteIniString(OnDiskPath(settingsPath_), section, key, value);
}

Colour TForm1::BackgroundColour() const {
    if (!p_.editor.ReadOnly()) return start_.editorColor;
    return state_.alertColour != 0 ? state_.alertColour : start_.viewerColor;
}

const FontSetting& TForm1::CurrentFont() const {
    return p_.editor.ReadOnly() ? start_.viewerFont : start_.editorFont;
}

// --- start-up ---------------------------------------------------------------------------

void TForm1::ShowUp(const std::vector<std::string>& args) {
    state_.freshOpen = true;
    state_.headerButton = false;

    p_.window.FocusToolbar();
    p_.window.SetMenuVisible(CommandId::MenuScramble, false);
    closeHandedToMover_ = false;

    startIni_ = IniFile::Load(OnDiskPath(settingsPath_));
    CommandLine cl = ParseCommandLine(args);
    ReadStartSettings(startIni_);
    // Every feature reads its own keys before the first file is opened or a command can run.
    events_.SettingsLoaded(startIni_);

    if (IsComposeOrOutPath(cl.switchText)) {
        p_.window.SetIcon(IconKind::Editing);
        WindowBounds b = p_.window.Bounds();
        b.width = start_.editWidth;
        p_.window.SetBounds(b);
    } else if (!HasOwnProgramName(p_.environment.ProgramPath())) {
        p_.window.SetIcon(IconKind::Alternative);
    }

    state_.scrambleMode = false;
    if (cl.scramble) {
        if (start_.pin != 0) {
            state_.scrambleMode = true;
            state_.pinGivenAtStart = false;
        } else if (peers_.AskPinAtStart()) {
            state_.scrambleMode = true;
            state_.pinGivenAtStart = true;
        }
        p_.window.SetMenuVisible(CommandId::MenuScramble, state_.scrambleMode);
        p_.window.SetMenuChecked(CommandId::ScrambleMode, state_.scrambleMode);
    }
    if (cl.edit) {
        p_.window.SetIcon(IconKind::Editing);
        state_.editSwitch = true;
    }
    if (cl.announce) {
        // clientDir is not known yet here, so the macro names the folder file alone.
        peers_.SendToPlover(
            UpdateFolderMacro(state_.clientDir + ViewerString(startIni_, "AW", "Receive")));
    }

    const std::string& file = cl.file;
    if (!file.empty()) {
        if (start_.replyConfirm && ContainsText(file, ".tmp") && !ContainsText(file, "_plvview")) {
            ShowMessage(kPreparingMessage);
        }
        if (state_.clientDir.empty()) state_.clientDir = ClientDirOf(file);
        state_.alertColour = 0;
        if (!ContainsText(file, ".tmp") && !InOutFolder(file)) {
            if (FileExists(OnDiskPath(file))) peers_.OpenFolderMail(file);
            if (state_.readOrder == 2) peers_.OpenFinchpostLink();
        } else {
            std::vector<std::string> lines;
            if (ReadFileLines(OnDiskPath(file), lines)) {
                p_.editor.SetLines(lines);
                p_.editor.SetModified(false);
                state_.currentFile = file;
                UpdateWindowState();
                PlaceCaret(CaretTarget::ToBody);
            }
        }
    }

    if (!start_.englishMenu) ApplyMenuLanguage(true);
    p_.editor.SetFocus();
    UpdateWindowState();
}

void TForm1::ReadStartSettings(const IniFile& settings) {
    start_ = ReadStartSettingsFrom(settings);
    state_.imeControl = start_.imeControl;
    state_.text2Speech = start_.text2Speech;
    state_.readOrder = start_.nextMailMode;
    state_.wordWrap = start_.wordWrap;
    p_.editor.SetWordWrap(start_.wordWrap);
    p_.window.SetMenuChecked(CommandId::WordWrap, start_.wordWrap);
    p_.window.SetMenuChecked(CommandId::PopupWordWrap, start_.wordWrap);
    p_.window.SetToolbarVisible(!start_.hideButton);

    // Read now (not in the deferred stage) so that a window closed before the first tick
    // writes back the folder it found rather than an empty one.
    deferred_.saveAsDir = ViewerString(settings, "Location", "SaveAsDir");

    p_.window.SetBounds({start_.left, start_.top, start_.width, start_.height});
    // An interval of 0 would never tick, and the deferred stage would never run.
    timer_.SetInterval(start_.timer > 0 ? start_.timer : 400);
    timer_.Arm(TimerStep::DeferredSettings);
}

void TForm1::ReadDeferredSettings() {
    state_.ploverExe = p_.classesRegistry.Value("\\Plover.Document\\shell\\open\\command");
    if (state_.ploverExe.empty()) state_.ploverExe = state_.clientDir + "plovermail.exe";
    state_.browserCommand = p_.classesRegistry.Value("\\htmlfile\\shell\\open\\command");
    state_.browserService =
        p_.classesRegistry.Value("\\htmlfile\\shell\\open\\ddeexec\\application");
    state_.browserTopic = p_.classesRegistry.Value("\\htmlfile\\shell\\open\\ddeexec\\topic");

    IniFile ploverIni =
        IniFile::Load(OnDiskPath(ReplaceExtension(ProgramFileOf(state_.ploverExe), ".ini")));
    std::string trash = TrashPathFrom(ploverIni, state_.ploverExe, state_.clientDir);

    std::string saveAsDir = deferred_.saveAsDir;  // a Save As may have run meanwhile
    deferred_ = ReadDeferredSettingsFrom(startIni_);
    deferred_.saveAsDir = saveAsDir;
    state_.trashPath = deferred_.trashCan.empty() ? trash : deferred_.trashCan;
    state_.keyNumberMode = false;
    p_.window.SetMenuVisible(CommandId::MenuAw, deferred_.aw);
    p_.window.SetMenuVisible(CommandId::SpellCheck, deferred_.spellChecker);
    BuildSettingsMenus();
    events_.DeferredStage(startIni_);

    int32_t count = ViewerInt(startIni_, "Window", "InvokeCount");
    WriteSetting("Window", "InvokeCount", std::to_string(int64_t{count} + 1));
    startIni_ = IniFile();
    if (count == 99) {
        p_.messages.Show(kAuthorMessage, "Information", MessageButtons::Ok,
                         MessageKind::Information);
    }

    // The modified mark is left alone: the first file's loading already cleared it, so a mark
    // set now comes from the user typing before this tick, and clearing it would let a close
    // drop that text without asking.
    CheckReadOrder();
    timer_.SetDeletion(PendingDeletion());
}

void TForm1::BuildSettingsMenus() {
    // The Command and Insert menus belong to their own features. The k-th configured status,
    // whichever key holds it, is the k-th entry and runs ReplyStatus<k> (ReplyCommands), as the
    // key actions ReplyWithStatus<k> do.
    std::vector<DynamicMenuEntry> replies;
    std::vector<std::string> statuses = PackReplyStatuses(deferred_.replyStatus).statuses;
    for (size_t k = 0; k < statuses.size(); ++k) {
        replies.push_back({CommandId(int(CommandId::ReplyStatus1) + int(k)), statuses[k]});
    }
    p_.window.SetDynamicMenu(CommandId::MenuReplyStatus, replies);
    p_.window.SetMenuVisible(CommandId::MenuReplyStatus, !replies.empty());
}

void TForm1::CheckReadOrder() {
    p_.window.SetMenuChecked(CommandId::NumberSearch, state_.readOrder == 0);
    p_.window.SetMenuChecked(CommandId::PloverSearch, state_.readOrder == 1);
    p_.window.SetMenuChecked(CommandId::FinchpostSearch, state_.readOrder == 2);
}

void TForm1::ApplyMenuLanguage(bool japanese) {
    japaneseMenus_ = japanese;
    for (const MenuDef& menu : MainMenus()) {
        p_.window.SetMenuCaption(menu.id, MenuCaption(menu.id, japanese));
        for (const MenuItemDef& item : menu.items) {
            if (!item.IsSeparator())
                p_.window.SetMenuCaption(item.id, MenuCaption(item.id, japanese));
        }
    }
    for (const MenuItemDef& item : PopupMenuItems()) {
        if (!item.IsSeparator()) p_.window.SetMenuCaption(item.id, MenuCaption(item.id, japanese));
    }
}

std::string TForm1::TempFolder() {
    IniFile ini = IniFile::Load(OnDiskPath(settingsPath_));
    bool writeBack = false;
    std::string folder =
        DeriveTempFolder(ini.GetString("Location", "TempPath", ""), p_.environment.Variable("TEMP"),
                         p_.environment.WindowsFolder(), &writeBack);
    if (writeBack) WriteSetting("Location", "TempPath", folder);
    return folder;
}

// --- window state -----------------------------------------------------------------------

void TForm1::UpdateWindowState() {
    bool readOnly = p_.editor.ReadOnly();
    const FontSetting& font = CurrentFont();
    p_.editor.SetBackground(BackgroundColour());
    p_.editor.SetFont(font.name, font.size);

    bool ruler = start_.ruler >= 1 || (start_.ruler == 0 && !readOnly);
    p_.window.SetToolbarHeight(ruler ? font.size * 12 / 10 + 28 : kToolbarHeightWithoutRuler);
    p_.window.SetRulerFont(font.name, font.size);

    if (state_.currentFile.empty()) {
        p_.window.SetTitle(kUntitledTitle);
    } else {
        p_.window.SetTitle(std::string(kAppTitle) + " - " + FileNameOf(state_.currentFile));
    }

    state_.viewerModeSetting = readOnly;
    p_.window.SetMenuChecked(CommandId::ViewerMode, readOnly);

    p_.editor.SetImeMode(state_.imeControl > 0 && !readOnly ? ImeMode::Hiragana
                                                            : ImeMode::Disabled);
    p_.window.SetMenuChecked(CommandId::ImeMode, state_.imeControl > 0);
    p_.window.SetMenuChecked(CommandId::TextToSpeech, state_.text2Speech);
}

int TForm1::VisibleLines() const {
    return (p_.editor.HeightPixels() - 10) * 20 / (UsableFontSize(CurrentFont().size) * 27) - 1;
}

void TForm1::PlaceCaret(CaretTarget target) {
    int visible = VisibleLines();
    if (start_.debugMode) {
        ShowMessage(std::to_string(p_.editor.HeightPixels()) + "/" +
                    std::to_string(CurrentFont().size) + "=" + std::to_string(visible));
    }
    int count = p_.editor.LineCount();
    int offset = 0;
    int body = -1;
    for (int i = 0; i < count - 1 && i < visible; ++i) {
        std::string line = p_.editor.Line(i);
        offset += int(line.size()) + 2;
        if (ContainsText(line, "-----")) body = offset;
    }
    if (target == CaretTarget::OneScreenDown) {
        p_.editor.SetSelection(offset, 0);
    } else if (body >= 0) {
        p_.editor.SetSelection(body, 0);
    }
}

void TForm1::WithCover(const std::function<void()>& work) {
    Colour colour = BackgroundColour();
    p_.window.SetCoverVisible(true, colour);
    work();
    p_.window.SetCoverVisible(false, colour);
}

}  // namespace kestrel
