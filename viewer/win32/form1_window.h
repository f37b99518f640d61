// The viewer's main window (class TForm1): the Windows side of the shell's MainWindow. It owns
// the menu bar and pop-up menu built from the menu model, the tool bar panel (Panel1) with its
// buttons and ruler, the editor (RichEdit1) and the cover panel (Panel2), and hands their
// events to TForm1.
#pragma once

#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/win32/gui/window.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/win32/platform_win32.h"
#include "viewer/win32/rich_edit.h"

namespace kestrel::win32 {

class Form1Window : public wingui::Window, public MainWindow {
  public:
    static constexpr const wchar_t* kClassName = L"TForm1";
    static constexpr int kEditorId = 0x7F00;

    Form1Window();
    ~Form1Window() override;

    // Registers the class and creates the window with its controls, hidden; false on failure.
    bool Create();
    // The behaviour behind the window, and the arguments its first show hands to ShowUp.
    void Attach(TForm1& form, std::vector<std::string> arguments);
    // Shows the window; the first time, ShowUp runs first (as the show event does).
    void ShowFirst(int showCommand);

    // What handles a message registered at run time (the find dialogs' FINDMSGSTRING).
    void SetRegisteredMessageHandler(UINT msg, std::function<void(LPARAM)> handler) {
        registeredMessage_ = msg;
        registeredHandler_ = std::move(handler);
    }

    RichEdit1& Editor() { return editor_; }
    OneShotTimer& Timer() { return timer_; }
    HMENU PopupMenu() const { return popup_; }
    HWND ToolbarPanel() const { return panel1_; }
    HWND CoverPanel() const { return panel2_; }

    // MainWindow.
    void SetTitle(std::string_view title) override;
    void SetIcon(IconKind kind) override;
    WindowBounds Bounds() const override;
    void SetBounds(const WindowBounds& bounds) override;
    WindowState State() const override;
    void Restore() override;
    void Show() override;
    void SetFocus() override;
    void Close() override;
    void SetToolbarVisible(bool visible) override;
    void FocusToolbar() override;
    void SetToolbarHeight(int pixels) override;
    void SetRulerFont(std::string_view fontName, int fontSize) override;
    void SetCoverVisible(bool visible, Colour colour) override;
    void SetMenuCaption(CommandId id, std::string_view caption) override;
    void SetMenuVisible(CommandId id, bool visible) override;
    void SetMenuChecked(CommandId id, bool checked) override;
    void SetMenuEnabled(CommandId id, bool enabled) override;
    void SetDynamicMenu(CommandId menuId, const std::vector<DynamicMenuEntry>& entries) override;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    UINT registeredMessage_ = 0;
    std::function<void(LPARAM)> registeredHandler_;

    struct EntryState {
        std::wstring caption;
        bool visible = true;
        bool checked = false;
        bool enabled = true;
        bool topLevel = false;
    };
    void CreateToolbar();
    void Layout();
    void RebuildMenus();
    void AppendEntry(HMENU menu, CommandId id);
    void Run(CommandId id);
    void ShowPopup(int x, int y);

    TForm1* form_ = nullptr;
    std::vector<std::string> arguments_;
    bool shown_ = false;
    RichEdit1 editor_;
    WinOneShotTimer timer_;
    HWND panel1_ = nullptr, ruler_ = nullptr, tooltip_ = nullptr, panel2_ = nullptr;
    std::vector<HWND> buttons_;
    HIMAGELIST glyphs_ = nullptr;
    std::vector<HICON> buttonIcons_;
    HFONT rulerFont_ = nullptr;
    HBRUSH coverBrush_ = nullptr;
    bool toolbarVisible_ = true;
    int toolbarHeight_ = 44;
    HMENU bar_ = nullptr, popup_ = nullptr;
    std::map<int, EntryState> entries_;
    std::map<int, std::vector<CommandId>> dynamic_;
};

// "Kestrel32 - [Untitled]" without a file, else "Kestrel32 - " and the file's name part.
std::wstring MainWindowTitle(const std::wstring& currentFile);

}  // namespace kestrel::win32
