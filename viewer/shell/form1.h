// TForm1: the behaviour of the viewer's main window, written against the platform interfaces
// of platform.h. The Windows layer owns the real window and controls and forwards their events:
//   first show            -> ShowUp(arguments after the program path)
//   timer tick            -> OnTimer1()
//   menu entry, pop-up entry, tool-bar button, double click outside the editor (WebBrowser)
//                         -> Execute(command id)
//   close request         -> FormCloseQuery(); when it allows, FormClose()
//   editor mouse down     -> RichEdit1MouseDown()
//   BackSpace / Delete while read-only -> RichEdit1BackSpaceKey() / RichEdit1DeleteKey()
//   any other editor key-down          -> FormKeyDown()
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/ini.h"
#include "viewer/shell/commands.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/startup.h"
#include "viewer/shell/viewer_settings.h"

namespace kestrel {

// Texts of the main window.
inline constexpr std::string_view kAppTitle = "Kestrel32";
inline constexpr std::string_view kUntitledTitle = "Kestrel32 - [Untitled]";
inline constexpr std::string_view kSaveQuestion = "Save %s ?";
inline constexpr std::string_view kPreparingMessage = "Plover is now preparing mail ....";
inline constexpr std::string_view kAuthorMessage = "Kestrel author is waiting for your mail.";
inline constexpr std::string_view kAboutText = "Kestrel32      Ver. 3.01";
inline constexpr std::string_view kNotPloverMail = "This is not a Plover mail file.";
inline constexpr std::string_view kOpenFilter =
    "Plover files|*.ini;*.def;*.cmp;*.sig;*.ali|Text files|*.txt|All files|*.*";
inline constexpr std::string_view kSaveFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
inline constexpr std::string_view kMailFilter = "Plover mail|????.txt";

// The places where other parts of the viewer plug into the main window. Each is optional: an
// empty one does nothing (or, for the PIN question, answers "no PIN").
struct ShellHooks {
    // OpenFolderMail(path): read and show a folder mail (the mail reader).
    std::function<void(const std::string& path)> openFolderMail;
    // OpenFinchpostLink(): link to the second mail client (read order 2).
    std::function<void()> openFinchpostLink;
    // SendToPlover(macro): one macro string to the mail client.
    std::function<void(const std::string& macro)> sendToPlover;
    // The PIN dialog at start ("/s" without a stored PIN): true when a PIN was accepted.
    std::function<bool()> askPinAtStart;
    // Keys of the first stage that belong to other parts (the read order).
    std::function<void(const IniFile& settings)> readStartSettings;
    // Keys of the deferred stage that belong to other parts (key slots, line-break lists).
    std::function<void(const IniFile& settings)> readDeferredSettings;
    // Commands owned by other parts; true when handled.
    std::function<bool(CommandId id)> command;
    // Key dispatch (VK code, modifier bits): the editor's key-down, BackSpace and Delete.
    std::function<void(int vk, unsigned modifiers)> dispatchKey;
    // Timer steps owned by other parts, in the order OnTimer1 tries them.
    std::function<void(int step)> moverStep;  // the mail mover's steps 1 to 3
    std::function<void()> startMoveMails;     // the mover's closing run
    std::function<void()> sendMoveToTrash;    // the Move macro of a deletion
    std::function<void()> sendUpdate;         // Update for the mail on show
    std::function<void()> sendFocus;          // Focus for the mail on show
};

// What one tick of the timer did.
enum class TimerStep { DeferredSettings, Mover1, Mover2, Mover3, MoveToTrash, NeedsUpdate, Focus };

enum class CaretTarget { ToBody, OneScreenDown };

// Work that later timer ticks carry out.
struct PendingWork {
    std::array<bool, 3> moverStep{};  // the mail mover's steps 1 to 3
    std::string deletion;             // "", a mail path, or kNeedsUpdate
    bool viewRequestOutstanding = false;
    static constexpr std::string_view kNeedsUpdate = "NeedsUpdate";
};

// The process-wide and per-mail state other parts of the viewer read and set.
struct ViewerState {
    std::string currentFile;  // lower case; "" is [Untitled]
    std::string clientDir;    // ends in a separator, or ""
    std::string ploverExe;
    std::string trashPath;
    bool startupStage = false;
    bool freshOpen = false;
    bool editSwitch = false;
    bool pinGivenAtStart = false;
    bool scrambleMode = false;
    bool headerButton = false;
    bool keyNumberMode = false;
    bool closeHandedToMover = false;
    bool moverClosingRun = false;
    bool viewerModeSetting = false;  // read-only state recorded by UpdateWindowState
    bool text2Speech = false;
    bool wordWrap = false;
    int imeControl = 1;
    uint32_t alertColour = 0;
    bool partialView = false;
    bool truncatedView = false;
    bool htmlMail = false;
    int readOrder = 0;  // 0 mail number, 1 the mail client's order, 2 the second client's
    std::string findText;
    // The web browser as the registry names it.
    std::string browserCommand, browserService, browserTopic;
};

// Steps of process start, run in this order by RunProcessStart.
struct ProcessStartSteps {
    std::function<void()> createMainWindow;   // TForm1 (opens the mail client link, Part of it)
    std::function<void()> createPinDialog;    // TPasswordDlg
    std::function<void()> createSpellDialog;  // TForm2
    std::function<int()> runMessageLoop;      // until the main window closes
};
int RunProcessStart(const ProcessStartSteps& steps);

class TForm1 {
  public:
    TForm1(const Platform& platform, ShellHooks hooks = {});

    // --- start-up ---------------------------------------------------------------------
    // The show handler; args are the command-line arguments after the program path.
    void ShowUp(const std::vector<std::string>& args);
    void ReadStartSettings(const IniFile& settings);
    void ReadDeferredSettings();
    // One tick of the one-shot timer: stops it and runs the first pending step.
    TimerStep OnTimer1();
    // Starts the timer unless it is running (a running timer keeps its countdown).
    void StartTimer();

    // --- commands ---------------------------------------------------------------------
    // A menu entry, pop-up entry or tool-bar button.
    void Execute(CommandId id);
    void New1Click();
    void FileOpenClick();
    void Open2Click();
    bool Save1Click();  // true when the text was written
    bool SaveAs1Click();
    void FileExitClick();
    void ViewerMode1Click();
    void WordWrap1Click();
    void ImeMode1Click();
    void Inifile1Click();
    void Text2Speech1Click();
    void Option1Click();
    void Contents1Click();
    void About1Click();

    // True when the caller may go on (no changes, saved, or not to be saved).
    bool SaveIfModified();
    void UpdateWindowState();
    void PlaceCaret(CaretTarget target);
    // The visible line count used by caret placement and paging.
    int VisibleLines() const;
    void LaunchProgram(const std::string& program, const std::string& argument,
                       const std::string& extra);

    // --- close ------------------------------------------------------------------------
    bool FormCloseQuery();
    void FormClose();
    // FormCloseQuery and, when it allows, FormClose: what the window does when it is closed.
    bool TryClose();

    // --- editor events ----------------------------------------------------------------
    void RichEdit1MouseDown();
    // Every key-down of the editor but Delete and BackSpace while read-only; the editor then
    // handles the key as usual.
    void FormKeyDown(int vk, unsigned modifiers);
    void RichEdit1BackSpaceKey();
    void RichEdit1DeleteKey();

    // --- state ------------------------------------------------------------------------
    ViewerState& State() { return state_; }
    const ViewerState& State() const { return state_; }
    PendingWork& Pending() { return pending_; }
    const StartSettings& Settings() const { return start_; }
    const DeferredSettings& Deferred() const { return deferred_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    // The temporary folder, ending in a separator (derived and written back when missing).
    std::string TempFolder();
    // Current font of the editor for its mode.
    const FontSetting& CurrentFont() const;
    bool JapaneseMenus() const { return japaneseMenus_; }

    // Shows a plain message (OK button) with the program's title.
    void ShowMessage(std::string_view text);

  private:
    void ApplyMenuLanguage(bool japanese);
    void BuildSettingsMenus();
    void CheckReadOrder();
    void LoadFileIntoEditor(const std::string& path);
    bool ReadTextFile(const std::string& path, std::vector<std::string>& lines);
    bool WriteEditorTo(const std::string& path);
    bool SaveAsFrom(const std::string& initialDir);
    // Yes/No/Cancel question about the modified text.
    MessageAnswer AskSave();
    void WriteSetting(std::string_view section, std::string_view key, std::string_view value);
    void WithCover(const std::function<void()>& work);

    // Timer slots for the steps other parts own.
    void TimerMoverStep(int step);
    void TimerSendMoveToTrash();
    void TimerNeedsUpdate();
    void TimerFocus();

    Platform p_;
    ShellHooks hooks_;
    ViewerState state_;
    PendingWork pending_;
    StartSettings start_;
    DeferredSettings deferred_;
    std::string settingsPath_;
    // The settings file as read at start; kept across the two start-up stages only.
    IniFile startIni_;
    bool japaneseMenus_ = false;
    bool followUpAfterDeferred_ = false;  // a step asked for a tick while start-up held the timer
};

}  // namespace kestrel
