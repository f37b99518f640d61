#include "tools/standin_win32/standin_window.h"

#include <shellapi.h>

#include "common/win32/cp932.h"

namespace kestrel::standin {

namespace {
constexpr int kListId = 100;
AppMessageHandler g_handler = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                            hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                            GetModuleHandleW(nullptr), nullptr);
            return 0;
        case WM_SIZE:
            MoveWindow(GetDlgItem(hwnd, kListId), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
            return 0;
        case WM_DESTROY:
            if (g_handler) g_handler(hwnd, msg, wp, lp);
            PostQuitMessage(0);
            return 0;
        default:
            if (msg >= WM_APP && g_handler) return g_handler(hwnd, msg, wp, lp);
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}
}  // namespace

std::vector<std::string> CommandLineArgs() {
    std::vector<std::string> out;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) out.push_back(win32::NarrowCp932(argv[i]));
    if (argv) LocalFree(argv);
    return out;
}

std::string ModuleDir() {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
    std::wstring p(buf, n);
    size_t sep = p.find_last_of(L"\\/");
    return win32::NarrowCp932(sep == std::wstring::npos ? L"" : p.substr(0, sep + 1));
}

std::string TempDir() {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"TEMP", buf, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2) return "";
    std::string t = win32::NarrowCp932(std::wstring(buf, n));
    if (!t.empty() && t.back() != '\\') t += '\\';
    return t;
}

HWND CreateListWindow(const std::string& className, const std::string& title,
                      AppMessageHandler handler) {
    g_handler = handler;
    std::wstring cls = win32::WidenCp932(className);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = cls.c_str();
    RegisterClassW(&wc);
    HWND hwnd =
        CreateWindowExW(0, cls.c_str(), win32::WidenCp932(title).c_str(), WS_OVERLAPPEDWINDOW, 700,
                        60, 420, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

void SetListLines(HWND window, const std::vector<std::string>& lines) {
    HWND list = GetDlgItem(window, kListId);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& l : lines)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::WidenCp932(l).c_str()));
}

HANDLE StartProcess(const std::string& commandLine) {
    std::wstring cmd = win32::WidenCp932(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

bool LaunchDetached(const std::string& commandLine) {
    HANDLE process = StartProcess(commandLine);
    if (!process) return false;
    CloseHandle(process);
    return true;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace kestrel::standin
