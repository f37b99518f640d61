// The viewer's main window (class TForm1). For now it carries the title and the icons; the
// editor, menus and tool bar are added here as the Windows side of the shell's MainWindow.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/gui/window.h"

namespace kestrel::win32 {

class Form1Window : public wingui::Window {
  public:
    static constexpr const wchar_t* kClassName = L"TForm1";

    // Registers the class and creates the window, hidden; false on failure.
    bool Create();
    void Show(int showCommand);
    void SetTitle(const std::wstring& title);
    // Window icon, big and small, from icon resource iconId (IDI_KESTREL, IDI_EDITING, ...).
    void SetIconResource(int iconId);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// "Kestrel32 - [Untitled]" without a file, else "Kestrel32 - " and the file's name part.
std::wstring MainWindowTitle(const std::wstring& currentFile);

}  // namespace kestrel::win32
