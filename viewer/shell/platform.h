// The small interfaces the main window is written against. The Windows layer implements them
// with the real controls and API calls; tests implement them with fakes. Every string is
// Shift-JIS bytes; every position and length in text is a byte count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/shell/commands.h"
#include "viewer/shell/find_dialogs.h"
#include "viewer/shell/spell_window.h"
#include "viewer/spell/spell_library.h"

namespace kestrel {

// Colour as 0x00BBGGRR; 0x80000000 + n names system colour n.
using Colour = uint32_t;

enum class ImeMode {
    Disabled,  // keys reach the viewer's commands untouched
    Closed,    // enabled but closed
    Hiragana,  // enabled and open in hiragana mode
};

// The rich-text editor. Lines are the control's lines; a line end counts two bytes in every
// offset (the control holds CR LF between lines).
class TextControl {
  public:
    virtual ~TextControl() = default;

    virtual std::vector<std::string> Lines() const = 0;
    virtual int LineCount() const = 0;
    virtual std::string Line(int index) const = 0;
    // Replaces the whole text; clears undo. The modified flag is left to the caller.
    virtual void SetLines(const std::vector<std::string>& lines) = 0;
    virtual void AppendLine(std::string_view line) = 0;
    virtual void Clear() = 0;
    // Offset of the first byte of line index; the text length for index == LineCount().
    virtual int LineOffset(int index) const = 0;
    virtual int LineFromOffset(int offset) const = 0;

    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelection(int start, int length) = 0;
    virtual std::string SelText() const = 0;
    virtual void ReplaceSelection(std::string_view text) = 0;

    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool wrap) = 0;

    virtual int FirstVisibleLine() const = 0;
    virtual void ScrollLines(int lines) = 0;  // negative scrolls up
    virtual void ScrollCaretIntoView() = 0;

    // Many changes in a row (a mail being put on screen): until the matching EndUpdate the
    // control need not redraw or report changes, and keeps the caret and scroll place for the
    // end. Calls nest.
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
    virtual void SetRangeColour(int start, int length, Colour colour) = 0;
    virtual void SetRangeUnderline(int start, int length, bool underline) = 0;
    // Font and colour of text typed or inserted from now on.
    virtual void SetDefaultAttributes(std::string_view fontName, int fontSize, Colour colour) = 0;
    virtual void SetFont(std::string_view fontName, int fontSize) = 0;
    virtual void SetBackground(Colour colour) = 0;

    virtual void SelectAll() = 0;
    virtual void CutToClipboard() = 0;
    virtual void CopyToClipboard() = 0;
    virtual void PasteFromClipboard() = 0;
    virtual void DeleteSelection() = 0;
    virtual void Undo() = 0;

    virtual int HeightPixels() const = 0;
    virtual void SetFocus() = 0;
    virtual void SetImeMode(ImeMode mode) = 0;
};

enum class IconKind { Normal, Editing, Alternative };
enum class WindowState { Normal, Minimized, Maximized };

struct WindowBounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const WindowBounds& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// An entry of a menu built from the settings (Reply status, Command, Insert).
struct DynamicMenuEntry {
    CommandId id;
    std::string caption;
};

// The main window: title, icon, geometry, the tool bar panel with its ruler, the cover panel
// and every menu entry and tool-bar button, addressed by command id.
class MainWindow {
  public:
    virtual ~MainWindow() = default;

    virtual void SetTitle(std::string_view title) = 0;
    // Window and application icon.
    virtual void SetIcon(IconKind kind) = 0;
    virtual WindowBounds Bounds() const = 0;
    virtual void SetBounds(const WindowBounds& bounds) = 0;
    virtual WindowState State() const = 0;
    virtual void Restore() = 0;  // out of the minimised state
    virtual void Show() = 0;
    virtual void SetFocus() = 0;
    // Asks the window to close; the Windows layer then runs FormCloseQuery and FormClose.
    virtual void Close() = 0;

    // Panel1: the tool bar buttons and the ruler label below them.
    virtual void SetToolbarVisible(bool visible) = 0;
    virtual void FocusToolbar() = 0;
    virtual void SetToolbarHeight(int pixels) = 0;
    virtual void SetRulerFont(std::string_view fontName, int fontSize) = 0;
    // Panel2: covers the editor in the given colour while it is refilled.
    virtual void SetCoverVisible(bool visible, Colour colour) = 0;

    // Menus (main and pop-up) and tool-bar buttons.
    virtual void SetMenuCaption(CommandId id, std::string_view caption) = 0;
    virtual void SetMenuVisible(CommandId id, bool visible) = 0;
    virtual void SetMenuChecked(CommandId id, bool checked) = 0;
    virtual void SetMenuEnabled(CommandId id, bool enabled) = 0;
    // Replaces the entries of the menu menuId (a menu-bar entry) by entries.
    virtual void SetDynamicMenu(CommandId menuId, const std::vector<DynamicMenuEntry>& entries) = 0;
};

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageKind { Plain, Information, Warning, Error, Confirmation };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Modal: returns when the user dismisses the box.
    virtual MessageAnswer Show(std::string_view text, std::string_view caption,
                               MessageButtons buttons, MessageKind kind) = 0;
};

struct FileDialogRequest {
    std::string filter;  // "Name|*.a;*.b|Name|*.*"
    std::string initialDir;
    std::string fileName;    // proposed name
    std::string defaultExt;  // without the dot
};

struct FontChoice {
    std::string name;
    int size = 0;
};

// The standard open, save and font dialogs. False when the user cancels.
class StandardDialogs {
  public:
    virtual ~StandardDialogs() = default;
    virtual bool OpenFile(const FileDialogRequest& request, std::string& chosen) = 0;
    virtual bool SaveFile(const FileDialogRequest& request, std::string& chosen) = 0;
    virtual bool ChooseFont(FontChoice& font) = 0;
};

// String values looked up by key: on Windows the default value of a key under
// HKEY_CLASSES_ROOT ("\Plover.Document\shell\open\command"). Empty when missing.
class StringLookup {
  public:
    virtual ~StringLookup() = default;
    virtual std::string Value(std::string_view key) const = 0;
};

class Environment {
  public:
    virtual ~Environment() = default;
    virtual std::string Variable(std::string_view name) const = 0;  // "" when unset
    virtual std::string WindowsFolder() const = 0;                  // without final separator
    virtual std::string ProgramPath() const = 0;                    // the running program
};

class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Starts a process from one command line; does not wait. False when it could not start.
    virtual bool Start(std::string_view commandLine) = 0;
    // Opens a file or address with the program the system associates with it.
    virtual bool ShellOpen(std::string_view target) = 0;
};

class WindowFinder {
  public:
    virtual ~WindowFinder() = default;
    virtual bool ExistsWithClass(std::string_view className) const = 0;
    virtual bool ExistsWithTitle(std::string_view title) const = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view text) = 0;
};

// The main window's one-shot timer; the Windows layer calls TForm1::OnTimer1 on each tick.
class OneShotTimer {
  public:
    virtual ~OneShotTimer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

class Printer {
  public:
    virtual ~Printer() = default;
    // False (after the printing layer has reported why) when nothing could be printed.
    virtual bool PrintText(const std::vector<std::string>& lines, const FontChoice& font) = 0;
};

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void ShowContents(std::string_view helpFile) = 0;
};

// The PIN dialog TPasswordDlg: caption "Kestrel Password ", the label Label1, the edit box
// Password that shows "*" for each character, OKBtn and CancelBtn.
class PinDialog {
  public:
    virtual ~PinDialog() = default;
    // Shows the dialog modally with the box emptied and focused. True with the box's text when
    // it ends with OK; false with Cancel (or the window closed).
    virtual bool ShowModal(std::string& entry) = 0;
};

// Everything the main window needs from the platform. All references outlive the window.
struct Platform {
    TextControl& editor;
    MainWindow& window;
    MessageBoxes& messages;
    StandardDialogs& dialogs;
    StringLookup& classesRegistry;
    Environment& environment;
    ProcessLauncher& launcher;
    WindowFinder& windows;
    Clipboard& clipboard;
    OneShotTimer& timer;
    Printer& printer;
    HelpViewer& help;
    PinDialog& pinDialog;
    FindReplaceDialogs& findDialogs;  // the modeless Find and Replace dialogs
    // Run-time loading of the dictionary library "splcheck.dll".
    SpellLibraryLoader& libraries;
    SpellDialogWindow& spellWindow;
};

}  // namespace kestrel
