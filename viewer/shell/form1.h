// TForm1: the behaviour of the viewer's main window, written against the platform interfaces
// of platform.h. The Windows layer owns the real window and controls and forwards their events:
//   first show            -> ShowUp(arguments after the program path)
//   timer tick            -> OnTimer1()
//   menu entry, pop-up entry, tool-bar button, double click outside the editor (WebBrowser)
//                         -> Execute(command id)
//   close request         -> FormCloseQuery(); when it allows, FormClose()
//   editor mouse down     -> RichEdit1MouseDown()
//   BackSpace / Delete while read-only -> RichEdit1BackSpaceKey() / RichEdit1DeleteKey()
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/ini.h"
#include "viewer/shell/commands.h"
#include "viewer/shell/mail_session.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/startup.h"
#include "viewer/shell/viewer_settings.h"
#include "viewer/shell/wiring.h"

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
inline constexpr std::string_view kPinNotErased = "The PIN could not be erased from ";

// What the main window asks of the features built after it. The Viewer implements it by handing
// each call to the feature that owns it; a feature not built yet answers as noted.
class FormPeers {
  public:
    virtual ~FormPeers() = default;
    // The mail display: read and show a folder mail.
    virtual void OpenFolderMail(const std::string& path) = 0;
    // The mail link: the second mail client's read order.
    virtual void OpenFinchpostLink() = 0;
    // The mail link: one macro to the mail client.
    virtual void SendToPlover(const std::string& macro) = 0;
    // Scramble: the PIN dialog at start ("/s" without a stored PIN); true when a PIN was
    // accepted.
    virtual bool AskPinAtStart() = 0;
    // The mail mover: its closing run at close; false (the close goes on) when there is none.
    virtual bool StartMoveMailsAtClose() = 0;
    // Key dispatch: one key press (VK code, modifier bits) in the editor.
    virtual void DispatchKey(int vk, unsigned modifiers) = 0;
};

enum class CaretTarget { ToBody, OneScreenDown };

// The process-wide and per-mail state of the window that several features read. A feature
// keeps state of its own in its own class.
struct ViewerState {
    std::string currentFile;  // lower case; "" is [Untitled]
    std::string clientDir;    // ends in a separator, or ""
    std::string ploverExe;
    std::string trashPath;
    bool freshOpen = false;
    bool editSwitch = false;
    bool pinGivenAtStart = false;
    bool scrambleMode = false;
    bool headerButton = false;
    bool keyNumberMode = false;
    bool viewerModeSetting = false;  // read-only state recorded by UpdateWindowState
    bool text2Speech = false;
    bool wordWrap = false;
    int imeControl = 1;
    uint32_t alertColour = 0;
    bool partialView = false;
    bool truncatedView = false;
    bool htmlMail = false;
    int readOrder = 0;  // 0 mail number, 1 the mail client's order, 2 the second client's
    // The web browser as the registry names it.
    std::string browserCommand, browserService, browserTopic;
};

// Steps of process start, run in this order by RunProcessStart.
struct ProcessStartSteps {
    std::function<void()> createMainWindow;   // TForm1 with its features (connects to Plover)
    std::function<void()> createPinDialog;    // TPasswordDlg
    std::function<void()> createSpellDialog;  // TForm2
    std::function<int()> runMessageLoop;      // until the main window closes
};
int RunProcessStart(const ProcessStartSteps& steps);

class TForm1 : public MailSession {
  public:
    // Registers the window's own commands and the deferred stage.
    TForm1(const Platform& platform, const ShellWiring& wiring, FormPeers& peers);

    // --- start-up ---------------------------------------------------------------------
    // The show handler; args are the command-line arguments after the program path.
    void ShowUp(const std::vector<std::string>& args);
    void ReadStartSettings(const IniFile& settings);
    void ReadDeferredSettings();
    // One tick of the one-shot timer: stops it and runs the first pending step.
    TimerStep OnTimer1() { return timer_.Tick(); }
    // Starts the timer unless it is running (a running timer keeps its countdown).
    void StartTimer() { timer_.Start(); }
    // Until the first timer tick has run the deferred stage.
    bool StartupStage() const { return timer_.Armed(TimerStep::DeferredSettings); }

    // --- commands ---------------------------------------------------------------------
    // A menu entry, pop-up entry or tool-bar button: runs its owner's handler (false when the
    // command is not built yet).
    bool Execute(CommandId id) { return commands_.Execute(id); }
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

    // MailSession.
    const std::string& CurrentFile() const override { return state_.currentFile; }
    void OpenFolderMail(const std::string& path) override { peers_.OpenFolderMail(path); }
    bool SaveIfModified() override;
    void UpdateWindowState() override;

    void PlaceCaret(CaretTarget target);
    // The visible line count used by caret placement and paging.
    int VisibleLines() const;
    // Starts an outside program without waiting for it. False when it could not be started
    // (or the line is too long, which is reported); the caller decides what to tell.
    bool LaunchProgram(const std::string& program, const std::string& argument,
                       const std::string& extra);

    // --- close ------------------------------------------------------------------------
    bool FormCloseQuery();
    void FormClose();
    // FormCloseQuery and, when it allows, FormClose: what the window does when it is closed.
    bool TryClose();

    // --- editor events ----------------------------------------------------------------
    void RichEdit1MouseDown();
    void RichEdit1BackSpaceKey();
    void RichEdit1DeleteKey();
    // Any other key-down in the editor; the key is not consumed.
    void FormKeyDown(int vk, unsigned modifiers) { peers_.DispatchKey(vk, modifiers); }

    // --- state ------------------------------------------------------------------------
    ViewerState& State() { return state_; }
    const ViewerState& State() const { return state_; }
    const StartSettings& Settings() const { return start_; }
    const DeferredSettings& Deferred() const { return deferred_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    // The temporary folder, ending in a separator (derived and written back when missing).
    std::string TempFolder();
    // Current font of the editor for its mode.
    const FontSetting& CurrentFont() const;
    // The editor's background for its mode: the alert colour of the mail on show, else the
    // viewer's or the editor's colour. The cover panel takes it too.
    Colour BackgroundColour() const;
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
    // False (after telling the user) when the settings file could not be written.
    bool WriteSetting(std::string_view section, std::string_view key, std::string_view value);
    void WithCover(const std::function<void()>& work);
    void RegisterCommands();

    Platform p_;
    CommandRouter& commands_;
    TimerSequencer& timer_;
    ViewerEvents& events_;
    FormPeers& peers_;
    ViewerState state_;
    bool closeHandedToMover_ = false;
    StartSettings start_;
    DeferredSettings deferred_;
    std::string settingsPath_;
    // The settings file as read at start; kept across the two start-up stages only.
    IniFile startIni_;
    bool japaneseMenus_ = false;
};

}  // namespace kestrel
