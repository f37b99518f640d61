// TForm1: file, edit and mode commands, the close handling and starting outside programs.
#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/help_command.h"
#include "viewer/shell/launch.h"

namespace kestrel {

namespace {

constexpr std::string_view kCannotOpen = "Cannot open ";
constexpr std::string_view kCannotSave = "Cannot save ";
constexpr std::string_view kTooLong = "Command line is too long: ";

}  // namespace

void TForm1::RegisterCommands() {
    constexpr std::string_view kOwner = "TForm1";
    TextControl& ed = p_.editor;
    auto add = [&](CommandId id, CommandRouter::Handler h) { commands_.Register(id, kOwner, h); };
    add(CommandId::New, [this] { New1Click(); });
    add(CommandId::Open, [this] { FileOpenClick(); });
    add(CommandId::Save, [this] { Save1Click(); });
    add(CommandId::SaveAs, [this] { SaveAs1Click(); });
    add(CommandId::Exit, [this] { FileExitClick(); });
    add(CommandId::OpenMail, [this] { Open2Click(); });
    for (CommandId id : {CommandId::Cut, CommandId::PopupCut}) {
        add(id, [&ed] {
            if (!ed.ReadOnly()) ed.CutToClipboard();
        });
    }
    for (CommandId id : {CommandId::Copy, CommandId::PopupCopy}) {
        add(id, [&ed] { ed.CopyToClipboard(); });
    }
    for (CommandId id : {CommandId::Paste, CommandId::PopupPaste}) {
        add(id, [&ed] {
            if (!ed.ReadOnly()) ed.PasteFromClipboard();
        });
    }
    for (CommandId id : {CommandId::Delete, CommandId::PopupDelete}) {
        add(id, [&ed] {
            if (!ed.ReadOnly()) ed.DeleteSelection();
        });
    }
    for (CommandId id : {CommandId::SelectAll, CommandId::PopupSelectAll}) {
        add(id, [&ed] { ed.SelectAll(); });
    }
    add(CommandId::PopupUndo, [&ed] {
        if (!ed.ReadOnly()) ed.Undo();
    });
    add(CommandId::ViewerMode, [this] { ViewerMode1Click(); });
    add(CommandId::WordWrap, [this] { WordWrap1Click(); });
    add(CommandId::PopupWordWrap, [this] { WordWrap1Click(); });
    add(CommandId::ImeMode, [this] { ImeMode1Click(); });
    add(CommandId::IniFile, [this] { Inifile1Click(); });
    add(CommandId::TextToSpeech, [this] { Text2Speech1Click(); });
    add(CommandId::Option, [this] { Option1Click(); });
    add(CommandId::Contents, [this] { Contents1Click(); });
    add(CommandId::About, [this] { About1Click(); });
}

// --- the modified text ------------------------------------------------------------------

MessageAnswer TForm1::AskSave() {
    std::string text(kSaveQuestion);
    text.replace(text.find("%s"), 2, FileNameOf(state_.currentFile));
    return p_.messages.Show(text, "Warning", MessageButtons::YesNoCancel, MessageKind::Warning);
}

bool TForm1::SaveIfModified() {
    if (!p_.editor.Modified()) return true;
    switch (AskSave()) {
        case MessageAnswer::Yes:
            // Going on after a Save As that was cancelled or failed would lose the changes.
            return Save1Click();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

// --- files ------------------------------------------------------------------------------

bool TForm1::ReadTextFile(const std::string& path, std::vector<std::string>& lines) {
    if (ReadFileLines(OnDiskPath(path), lines)) return true;
    p_.messages.Show(std::string(kCannotOpen) + path, "Error", MessageButtons::Ok,
                     MessageKind::Error);
    return false;
}

bool TForm1::WriteEditorTo(const std::string& path) {
    if (WriteLinesAtomic(OnDiskPath(path), p_.editor.Lines())) return true;
    p_.messages.Show(std::string(kCannotSave) + path, "Error", MessageButtons::Ok,
                     MessageKind::Error);
    return false;
}

void TForm1::New1Click() {
    if (!SaveIfModified()) return;
    p_.editor.Clear();
    p_.editor.SetModified(false);
    state_.currentFile.clear();
    UpdateWindowState();
}

void TForm1::FileOpenClick() {
    if (!SaveIfModified()) return;
    FileDialogRequest request;
    request.filter = std::string(kOpenFilter);
    request.initialDir = DirectoryOf(state_.currentFile);
    std::string chosen;
    if (!p_.dialogs.OpenFile(request, chosen)) return;
    std::vector<std::string> lines;
    if (!ReadTextFile(chosen, lines)) return;
    p_.editor.SetLines(lines);
    state_.currentFile = LowerSjis(chosen);
    UpdateWindowState();
    p_.editor.SetModified(false);
    state_.htmlMail = false;
}

void TForm1::Open2Click() {
    if (!SaveIfModified()) return;
    FileDialogRequest request;
    request.filter = std::string(kMailFilter);
    request.initialDir = DirectoryOf(state_.currentFile);
    std::string chosen;
    if (!p_.dialogs.OpenFile(request, chosen)) return;
    std::string path = LowerSjis(chosen);
    // A folder mail has an eight-character name: the ninth character from the end separates.
    size_t sep = path.size() >= 9 ? path.size() - 9 : std::string::npos;
    if (sep != std::string::npos && IsPathSeparator(path[sep]) && StartsCharAt(path, sep) &&
        ContainsText(path, ".txt")) {
        state_.freshOpen = true;
        OpenFolderMail(path);
    } else {
        ShowMessage(kNotPloverMail);
    }
}

bool TForm1::Save1Click() {
    if (state_.currentFile.empty() || p_.editor.ReadOnly() || state_.partialView) {
        // The text on show is not (the whole of) a file to overwrite: ask for a name.
        std::string keep = deferred_.saveAsDir;
        bool saved = SaveAsFrom(DirectoryOf(state_.currentFile));
        deferred_.saveAsDir = keep;
        return saved;
    }
    if (!WriteEditorTo(state_.currentFile)) return false;
    p_.editor.SetModified(false);
    return true;
}

bool TForm1::SaveAs1Click() {
    return SaveAsFrom(deferred_.saveAsDir.empty() ? DirectoryOf(state_.currentFile)
                                                  : deferred_.saveAsDir);
}

bool TForm1::SaveAsFrom(const std::string& initialDir) {
    FileDialogRequest request;
    request.filter = std::string(kSaveFilter);
    request.initialDir = initialDir;
    request.fileName = FileNameOf(state_.currentFile);
    request.defaultExt = "TXT";
    std::string chosen;
    if (!p_.dialogs.SaveFile(request, chosen)) return false;
    if (!WriteEditorTo(chosen)) return false;
    p_.editor.SetModified(false);
    state_.currentFile = LowerSjis(chosen);
    deferred_.saveAsDir = DirectoryOf(state_.currentFile);
    UpdateWindowState();
    return true;
}

void TForm1::FileExitClick() {
    p_.window.Close();
}

void TForm1::Inifile1Click() {
    if (!SaveIfModified()) return;
    std::vector<std::string> lines;
    if (!ReadTextFile(settingsPath_, lines)) return;
    p_.editor.SetLines(lines);
    state_.currentFile = settingsPath_;
    state_.keyNumberMode = false;
    p_.editor.SetReadOnly(false);
    state_.alertColour = 0;
    UpdateWindowState();
    state_.partialView = false;
    p_.editor.SetImeMode(ImeMode::Closed);
    p_.window.SetTitle(std::string(kAppTitle) + " - " + FileNameOf(settingsPath_));
    p_.editor.SetModified(false);
}

// --- modes ------------------------------------------------------------------------------

void TForm1::ViewerMode1Click() {
    p_.editor.SetReadOnly(!p_.editor.ReadOnly());
    state_.alertColour = 0;
    PlaceCaret(CaretTarget::OneScreenDown);
    WithCover([this] {
        p_.window.SetFocus();
        UpdateWindowState();
    });
    p_.editor.SetFocus();
}

void TForm1::WordWrap1Click() {
    WithCover([this] { p_.editor.SetWordWrap(!p_.editor.WordWrap()); });
    state_.wordWrap = p_.editor.WordWrap();
    p_.window.SetMenuChecked(CommandId::WordWrap, state_.wordWrap);
    p_.window.SetMenuChecked(CommandId::PopupWordWrap, state_.wordWrap);
}

void TForm1::ImeMode1Click() {
    state_.imeControl = state_.imeControl <= 0 ? 1 : 0;
    UpdateWindowState();
}

void TForm1::Text2Speech1Click() {
    state_.text2Speech = !state_.text2Speech;
    p_.window.SetMenuChecked(CommandId::TextToSpeech, state_.text2Speech);
}

void TForm1::Option1Click() {
    LaunchProgram(DirectoryOf(p_.environment.ProgramPath()) + "kestrelset.exe", settingsPath_, "");
}

void TForm1::Contents1Click() {
    ShowHelpContents(*this, p_);
}

void TForm1::About1Click() {
    ShowMessage(kAboutText);
}

// --- editor events ----------------------------------------------------------------------

void TForm1::RichEdit1MouseDown() {
    if (p_.editor.ReadOnly()) Execute(CommandId::WebBrowser);
}

void TForm1::RichEdit1BackSpaceKey() {
    peers_.DispatchKey(8, 0);
}

void TForm1::RichEdit1DeleteKey() {
    peers_.DispatchKey(46, 0);
}

// --- close ------------------------------------------------------------------------------

bool TForm1::FormCloseQuery() {
    if (closeHandedToMover_) return true;
    if (!SaveIfModified()) return false;
    if (deferred_.aw && deferred_.autoMove && peers_.StartMoveMailsAtClose()) {
        // The mover runs first; its last timer step closes the window again.
        closeHandedToMover_ = true;
        return false;
    }
    return true;
}

void TForm1::FormClose() {
    if (p_.window.State() == WindowState::Normal) {
        WindowBounds b = p_.window.Bounds();
        WriteSetting("Window", "Left", std::to_string(b.left));
        WriteSetting("Window", "Top", std::to_string(b.top));
        WriteSetting("Window", "Height", std::to_string(b.height));
        WriteSetting("Window", IsComposeOrOutPath(state_.currentFile) ? "EditWidth" : "Width",
                     std::to_string(b.width));
    }
    WriteSetting("Location", "SaveAsDir", deferred_.saveAsDir);
    // A PIN given for this run only must not stay stored unnoticed.
    if (state_.pinGivenAtStart && !WriteSetting("Scramble", "PIN", "0")) {
        p_.messages.Show(std::string(kPinNotErased) + settingsPath_, kAppTitle, MessageButtons::Ok,
                         MessageKind::Error);
    }
}

bool TForm1::TryClose() {
    if (!FormCloseQuery()) return false;
    FormClose();
    return true;
}

// --- outside programs -------------------------------------------------------------------

bool TForm1::LaunchProgram(const std::string& program, const std::string& argument,
                           const std::string& extra) {
    std::string line = BuildCommandLine(program, argument, extra);
    if (line.size() > kMaxCommandLine) {
        // Cutting the line would start the program on a wrong path; refuse instead.
        p_.messages.Show(std::string(kTooLong) + line, kAppTitle, MessageButtons::Ok,
                         MessageKind::Error);
        return false;
    }
    if (start_.debugMode) ShowMessage("WinExec: " + line);
    return p_.launcher.Start(line);
}

}  // namespace kestrel
