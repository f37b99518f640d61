#include "common/win32/gui/app.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace kestrel::wingui {

namespace {
std::vector<HWND>& ModelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}
}  // namespace

void InitCommonControlsOnce() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&icc);
    done = true;
}

HICON LoadIconResource(int id, bool small) {
    int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR | LR_SHARED));
}

std::wstring LoadStringResource(int id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    int n = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                        reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> out;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return out;
    for (int i = 1; i < argc; ++i) out.emplace_back(argv[i]);
    LocalFree(argv);
    return out;
}

void AddModelessDialog(HWND dialog) {
    ModelessDialogs().push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
    auto& d = ModelessDialogs();
    d.erase(std::remove(d.begin(), d.end(), dialog), d.end());
}

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        bool handled = false;
        for (HWND d : ModelessDialogs()) {
            if (IsDialogMessageW(d, &msg)) {
                handled = true;
                break;
            }
        }
        if (handled) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace kestrel::wingui
