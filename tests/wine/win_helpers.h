// Plain Win32 helpers shared by the Wine tests and the small tools the scripts run under Wine:
// paths and files as the programs see them, the programs' processes and their windows found
// from outside. Header only, so that a tool builds from its one source file.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace kestrel::winetest {

// Command-line text (UTF-8) as the wide text of a title or an argument.
inline std::wstring FromUtf8(const char* s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s, -1, &w[0], n);
    w.resize(w.size() - 1);
    return w;
}

inline std::wstring Widen(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

inline std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s.push_back(static_cast<char>(c));  // ASCII paths only
    return s;
}

// A Unix path of the build tree as a Windows path: under Wine drive Z: reaches it.
inline std::wstring WindowsPath(const std::string& unixPath) {
    std::string p = unixPath;
    if (!p.empty() && p[0] == '/') p = "Z:" + p;
    for (char& c : p)
        if (c == '/') c = '\\';
    return Widen(p);
}

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(Narrow(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(Narrow(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Waits until pred() holds, at most timeoutMs.
template <typename Pred>
bool WaitFor(Pred pred, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(100);
    }
    return true;
}

// The first visible top-level window, in z-order, of process pid (0: of any process), of class
// cls and titled title (null: any); with mainOnly, only one no other window owns (not a dialog
// or message box of the main window). Null when there is none now.
inline HWND VisibleWindow(DWORD pid, const wchar_t* cls, const wchar_t* title,
                          bool mainOnly = false) {
    for (HWND h = FindWindowExW(nullptr, nullptr, cls, title); h;
         h = FindWindowExW(nullptr, h, cls, title)) {
        if (!IsWindowVisible(h)) continue;
        if (mainOnly && GetWindow(h, GW_OWNER) != nullptr) continue;
        if (pid != 0) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner != pid) continue;
        }
        return h;
    }
    return nullptr;
}

// VisibleWindow of process pid once it shows, waited for up to timeoutMs; else null.
inline HWND FindProcessWindow(DWORD pid, const wchar_t* cls, const wchar_t* title,
                              DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (HWND h = VisibleWindow(pid, cls, title)) return h;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

// A program started with a command line in folder dir (empty: the current one), not waited
// for; ended by force when it still runs as the object goes.
class Process {
  public:
    Process(const std::wstring& commandLine, const std::wstring& dir) {
        std::wstring cmd = commandLine;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  dir.empty() ? nullptr : dir.c_str(), &si, &pi_) != 0;
    }
    ~Process() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 9);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return started_; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }
    // Exit code once the process ended within timeoutMs, else -1.
    long WaitExit(DWORD timeoutMs) const {
        if (!started_ || WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

  private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

// The text of the message box (or any dialog) the process shows titled caption (null: any),
// read and answered with button; it is gone before this returns, so that a later search does
// not find it again.
inline std::wstring AnswerMessageBox(DWORD pid, int button, const wchar_t* caption) {
    HWND box = FindProcessWindow(pid, L"#32770", caption, 15000);
    if (!box) return L"(no message box)";
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitFor([box] { return !IsWindowVisible(box); }, 5000);
    return text;
}

}  // namespace kestrel::winetest
