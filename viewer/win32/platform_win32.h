// The platform services of the main window that are plain Win32 calls: message boxes, the
// standard dialogs, the registry, the environment, starting programs, finding windows, the
// clipboard, the one-shot timer, printing and help. Every string crosses here between
// Shift-JIS (the core) and UTF-16 (Windows).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "viewer/shell/platform.h"

namespace kestrel::win32 {

// Shift-JIS to UTF-16 and back without loss (bytes that are no character survive as private
// use characters): for text the user edits or that must come back unchanged.
std::wstring WideLossless(std::string_view sjis);
std::string SjisLossless(std::wstring_view wide);

// Boxes owned by the window that owner() names at the time of the call (may be null).
class WinMessageBoxes : public MessageBoxes {
  public:
    explicit WinMessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageKind kind) override;

  private:
    std::function<HWND()> owner_;
};

class WinStandardDialogs : public StandardDialogs {
  public:
    explicit WinStandardDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    bool OpenFile(const FileDialogRequest& request, std::string& chosen) override;
    bool SaveFile(const FileDialogRequest& request, std::string& chosen) override;
    bool ChooseFont(FontChoice& font) override;

  private:
    bool Run(const FileDialogRequest& request, std::string& chosen, bool save);
    std::function<HWND()> owner_;
};

// "Name|*.a;*.b|Name|*.*" as the file dialogs want it: NUL-separated, ending in two NULs.
std::wstring FileDialogFilter(std::string_view filter);

class ClassesRootLookup : public StringLookup {
  public:
    std::string Value(std::string_view key) const override;
};

class WinEnvironment : public Environment {
  public:
    std::string Variable(std::string_view name) const override;
    std::string WindowsFolder() const override;
    std::string ProgramPath() const override;
};

class WinProcessLauncher : public ProcessLauncher {
  public:
    bool Start(std::string_view commandLine) override;
    bool ShellOpen(std::string_view target) override;
};

class WinWindowFinder : public WindowFinder {
  public:
    bool ExistsWithClass(std::string_view className) const override;
    bool ExistsWithTitle(std::string_view title) const override;
};

class WinClipboard : public Clipboard {
  public:
    std::string Text() const override;
    void SetText(std::string_view text) override;
};

// A timer of window owner() with id kTimerId; the window calls Tick() on WM_TIMER with that id.
class WinOneShotTimer : public OneShotTimer {
  public:
    static constexpr UINT_PTR kTimerId = 1;
    WinOneShotTimer(std::function<HWND()> owner, std::function<void()> onTick)
        : owner_(std::move(owner)), onTick_(std::move(onTick)) {}
    void SetInterval(int milliseconds) override;
    void Start() override;
    void Stop() override;
    bool Running() const override { return running_; }
    // WM_TIMER: the timer is stopped before the tick runs, so the tick may start it again.
    void Tick();

  private:
    std::function<HWND()> owner_;
    std::function<void()> onTick_;
    int interval_ = 1000;
    bool running_ = false;
};

// Plain text on the default printer in the printer font, one line after another, a new page
// when one is full. Without a printer the printing layer's message is shown.
class WinPrinter : public Printer {
  public:
    explicit WinPrinter(MessageBoxes& messages) : messages_(messages) {}
    bool PrintText(const std::vector<std::string>& lines, const FontChoice& font) override;

  private:
    MessageBoxes& messages_;
};

// Opens the help file with the program associated with it; a message when that fails.
class WinHelpViewer : public HelpViewer {
  public:
    explicit WinHelpViewer(MessageBoxes& messages) : messages_(messages) {}
    void ShowContents(std::string_view helpFile) override;

  private:
    MessageBoxes& messages_;
};

inline constexpr std::string_view kNoPrinter = "There is no default printer.";
inline constexpr std::string_view kPrintFailed = "Printing failed.";
inline constexpr std::string_view kHelpUnavailable = "Cannot open the help file: %s";

}  // namespace kestrel::win32
