#include "viewer/win32/form1_window.h"

#include "common/win32/gui/app.h"
#include "common/win32/gui/messages.h"
#include "viewer/win32/resource.h"

namespace kestrel::win32 {

namespace {
// Design position and size of the main window; the settings replace them once they are read.
constexpr int kDesignLeft = 49, kDesignTop = 52, kDesignWidth = 611, kDesignHeight = 342;
}  // namespace

std::wstring MainWindowTitle(const std::wstring& currentFile) {
    if (currentFile.empty()) return L"Kestrel32 - [Untitled]";
    size_t slash = currentFile.find_last_of(L"\\/:");
    return L"Kestrel32 - " +
           (slash == std::wstring::npos ? currentFile : currentFile.substr(slash + 1));
}

bool Form1Window::Create() {
    wingui::WindowClassSpec spec;
    spec.name = kClassName;
    spec.icon = wingui::LoadIconResource(IDI_KESTREL, false);
    spec.smallIcon = wingui::LoadIconResource(IDI_KESTREL, true);
    spec.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!wingui::Window::RegisterWindowClass(spec)) return false;
    if (!wingui::Window::Create(kClassName, MainWindowTitle(L""), WS_OVERLAPPEDWINDOW, 0,
                                kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight))
        return false;
    SetIconResource(IDI_KESTREL);
    return true;
}

void Form1Window::SetIconResource(int iconId) {
    wingui::SetIcon(hwnd(), wingui::IconSize::Big, wingui::LoadIconResource(iconId, false));
    wingui::SetIcon(hwnd(), wingui::IconSize::Small, wingui::LoadIconResource(iconId, true));
}

void Form1Window::Show(int showCommand) {
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
}

void Form1Window::SetTitle(const std::wstring& title) {
    wingui::SetText(hwnd(), title);
}

LRESULT Form1Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return wingui::Window::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace kestrel::win32
