// Drives the real kestrel.exe from a test program under Wine: a sandbox folder with a copy of
// the program and its settings, the running viewer, its editor, commands and message boxes.
#pragma once

#include <windows.h>
// After windows.h.
#include <ddeml.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/win_helpers.h"
#include "viewer/shell/commands.h"

namespace kestrel::winetest {

using kestrel::CommandId;

// A DDEML client callback that handles nothing. A function, not a lambda: on i686 DDEML calls
// it with the stdcall convention, which a lambda cannot have.
inline HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                           ULONG_PTR) {
    return nullptr;
}

inline std::string ToSjis(const std::wstring& w) {
    int n = WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// Deletes a folder and everything in it.
inline void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
}

// A folder of its own for each test: the program copied into it with its settings file beside
// it, so that what the program writes on closing stays there. Process ids repeat under Wine, so
// the folder of an earlier run may be there: it is emptied first.
class Sandbox {
  public:
    Sandbox() {
        wchar_t tmp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, tmp);
        dir_ = std::wstring(tmp) + L"kestrel-viewer-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + std::to_wstring(counter_++);
        RemoveTree(dir_);
        CreateDirectoryW(dir_.c_str(), nullptr);
        exe_ = dir_ + L"\\kestrel.exe";
        CopyFileW(WindowsPath(KESTREL_EXE).c_str(), exe_.c_str(), FALSE);
    }
    const std::wstring& Dir() const { return dir_; }
    const std::wstring& Exe() const { return exe_; }
    std::wstring File(const wchar_t* name) const { return dir_ + L"\\" + name; }
    // The settings file beside the program copy.
    void WriteSettings(const std::string& ini) const { WriteBytes(File(L"kestrel.ini"), ini); }
    void Settings(bool englishMenu) const {
        WriteBytes(File(L"kestrel.ini"), std::string("[View]\r\nEnglishMenu=") +
                                             (englishMenu ? "1" : "0") + "\r\nReplyConfirm=0\r\n");
    }

  private:
    inline static int counter_ = 0;
    std::wstring dir_, exe_;
};

// kestrel.exe running, started either on one file and waited for until its window is ready,
// or with arguments of its own and driven through what it asks before its window shows.
class Viewer {
  public:
    // On file, once the main window titled title shows and start-up has ended.
    Viewer(const Sandbox& box, const std::wstring& file, const std::wstring& title)
        : Viewer(box, L"\"" + file + L"\"") {
        WaitForWindow(title);
    }
    // With arguments of its own (switches first, "/s" for scramble mode), not waited for: with
    // "/s" and no PIN in the settings file the PIN dialog comes before the window.
    Viewer(const Sandbox& box, const std::wstring& arguments)
        : process_(L"\"" + box.Exe() + L"\" " + arguments, box.Dir()) {}

    bool Started() const { return process_.Started(); }
    DWORD Pid() const { return process_.Pid(); }
    // Waits for the main window titled title and then for its first timer tick (start-up ends
    // there: menus, key slots, settings; commands come after it). False when it did not show.
    bool WaitForWindow(const std::wstring& title, DWORD timeoutMs = 30000) {
        if (!Started()) return false;
        window_ = FindProcessWindow(Pid(), L"TForm1", title.c_str(), timeoutMs);
        if (!window_) return false;
        Sleep(1500);
        return true;
    }
    HWND Window() const { return window_; }
    // The editor now: after a long mail the viewer puts a new control in the old one's place.
    HWND Editor() const { return FindWindowExW(window_, nullptr, L"RICHEDIT50W", nullptr); }
    void Command(CommandId id) const {
        SendMessageW(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
    void Type(const std::wstring& text, int at) const {
        HWND editor = Editor();
        SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
        for (wchar_t c : text) SendMessageW(editor, WM_CHAR, c, 0);
    }
    // Exit code once the process ended within timeoutMs, else -1.
    long WaitExit(DWORD timeoutMs) const { return process_.WaitExit(timeoutMs); }
    // The text of the message box the program shows, read and answered with button. A caption
    // keeps the program's other dialogs (the PIN dialog, the spell dialog) out of the search.
    std::wstring AnswerMessageBox(int button, const wchar_t* caption = nullptr) const {
        return winetest::AnswerMessageBox(Pid(), button, caption);
    }
    // The PIN dialog once it shows, else null.
    HWND PinDialog(DWORD timeoutMs = 15000) const {
        return FindProcessWindow(Pid(), L"#32770", L"Kestrel Password ", timeoutMs);
    }

  private:
    Process process_;
    HWND window_ = nullptr;
};

// Puts entry into the PIN dialog's masked box and presses OK.
inline void EnterPin(HWND dialog, const std::wstring& entry) {
    HWND box = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

inline std::wstring SampleCompose() {
    return WindowsPath(KESTREL_ROOT "/samples/plover/temp/_plv0001.tmp");
}

// The editor's text as the control holds it, a line end as the single CR it counts as one
// position (so indices are EM_SETSEL positions).
inline std::wstring ControlText(HWND editor) {
    LRESULT n = SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\n' && i > 0 && text[i - 1] == L'\r')) out += text[i];
    return out;
}

// Lines of the editor's text (split at CR).
inline std::vector<std::wstring> ControlLines(HWND editor) {
    std::vector<std::wstring> lines;
    std::wstring text = ControlText(editor);
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == L'\r') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

// Starts a program with a command line, not waited for; the process handle, or null.
inline HANDLE StartProgram(const std::wstring& commandLine, const std::wstring& dir) {
    std::wstring cmd = commandLine;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

inline std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

// A folder of the sandbox made empty: a sandbox folder name can come back in a later run, with
// what that run left in it.
inline void MakeEmptyFolder(const std::wstring& dir) {
    CreateDirectoryW(dir.c_str(), nullptr);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((dir + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// A value of the settings file as the program wrote it; "" when it is not there.
inline std::string SettingValue(const std::wstring& iniFile, const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, Narrow(iniFile).c_str());
    return value;
}

// The stand-in mail client, a copy in the sandbox serving "Plover"/"Command" and logging every
// macro it receives (with its arrival time) into plovermail.log; arguments are its options
// after the log (/temp, /viewer, ...).
class StandInClient {
  public:
    StandInClient(const Sandbox& box, const std::wstring& arguments)
        : log_(box.File(L"plovermail.log")) {
        DeleteFileW(log_.c_str());
        std::wstring exe = box.File(L"plovermail.exe");
        CopyFileW(WindowsPath(PLOVERMAIL_EXE).c_str(), exe.c_str(), FALSE);
        process_ = StartProgram(L"\"" + exe + L"\" /log \"" + log_ + L"\" " + arguments, box.Dir());
        WaitFor([this] { return (window_ = FindWindowW(nullptr, L"Plover")) != nullptr; });
    }
    ~StandInClient() {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (process_) {
            if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0)
                TerminateProcess(process_, 9);
            CloseHandle(process_);
        }
    }
    StandInClient(const StandInClient&) = delete;
    StandInClient& operator=(const StandInClient&) = delete;
    bool Running() const { return window_ != nullptr; }
    std::string Log() const { return ReadBytes(log_); }

  private:
    std::wstring log_;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

// The stand-in mail client preparing compose files in the sandbox's temp\ for Reply and
// Forward; it starts the sandbox's kestrel.exe on them and logs the saved compose files.
class ComposingClient : public StandInClient {
  public:
    explicit ComposingClient(const Sandbox& box) : StandInClient(box, TempOption(box)) {}

  private:
    static std::wstring TempOption(const Sandbox& box) {
        MakeEmptyFolder(box.File(L"temp"));
        return L"/temp \"" + box.File(L"temp") + L"\"";
    }
};

// --- Helpers for the desk commands' tests ---------------------------------------------------

// Sets the default value of a key under HKEY_CLASSES_ROOT (or removes it for nullptr) for the
// life of the object, then puts back what was there.
class ClassesRootValue {
  public:
    ClassesRootValue(const std::wstring& key, const wchar_t* value) : key_(key) {
        wchar_t old[1024] = {};
        LONG size = sizeof old;
        had_ = RegQueryValueW(HKEY_CLASSES_ROOT, key_.c_str(), old, &size) == ERROR_SUCCESS;
        old_ = old;
        Set(value);
    }
    ~ClassesRootValue() { Set(had_ ? old_.c_str() : nullptr); }

  private:
    void Set(const wchar_t* value) {
        if (value) {
            RegSetValueW(HKEY_CLASSES_ROOT, key_.c_str(), REG_SZ, value,
                         static_cast<DWORD>(wcslen(value) * sizeof(wchar_t)));
        } else {
            RegDeleteKeyW(HKEY_CLASSES_ROOT, key_.c_str());
        }
    }
    std::wstring key_, old_;
    bool had_ = false;
};

// Waits for the first timer tick's start-up stage to have run (it writes InvokeCount), so that
// nothing it does meets the commands of a test on a busy machine.
inline void WaitForStartup(const Sandbox& box) {
    WaitFor([&] {
        return ReadBytes(box.File(L"kestrel.ini")).find("InvokeCount") != std::string::npos;
    });
    Sleep(300);
}

// Shift-JIS bytes as the text a control shows.
inline std::wstring FromSjis(const std::string& s) {
    int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

// The clipboard's text; "(no text)" when it holds none.
inline std::wstring ClipboardText() {
    std::wstring text = L"(no text)";
    for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(50);
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

inline void SetClipboardText(const std::wstring& text) {
    for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(50);
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (wchar_t* p = static_cast<wchar_t*>(GlobalLock(h))) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, p);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
    }
    CloseClipboard();
}

// A program of the build (a Unix path) copied into the sandbox as name.
inline std::wstring CopyIntoSandbox(const Sandbox& box, const char* program, const wchar_t* name) {
    std::wstring copy = box.File(name);
    CopyFileW(WindowsPath(program).c_str(), copy.c_str(), FALSE);
    return copy;
}

// The HTML help page, copied beside the program as the build puts it beside kestrel.exe.
inline std::wstring CopyShippedHelpPage(const Sandbox& box) {
    std::string exe = KESTREL_EXE;
    std::string page = exe.substr(0, exe.find_last_of('/') + 1) + "kestrel.htm";
    return CopyIntoSandbox(box, page.c_str(), L"kestrel.htm");
}

// A menu command posted, not sent: a command that shows a message box returns only once that is
// answered.
inline void PostCommand(const Viewer& v, CommandId id) {
    PostMessageW(v.Window(), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// The message box the program shows within timeoutMs, or null.
inline HWND FindMessageBox(const Viewer& v, DWORD timeoutMs) {
    return FindProcessWindow(v.Pid(), L"#32770", nullptr, timeoutMs);
}

// Whether the editor is read-only (viewer mode).
inline bool EditorReadOnly(HWND editor) {
    return (GetWindowLongW(editor, GWL_STYLE) & ES_READONLY) != 0;
}

// The window's title.
inline std::wstring TitleOf(HWND window) {
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return title;
}

// Ends a stand-in program: its main window closed, else the process ended.
inline void EndProgram(HANDLE process, HWND window) {
    if (!process) return;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

}  // namespace kestrel::winetest
