#include "options/win32/options_help.h"

#include <shellapi.h>

#include <string>

#include "common/fileio.h"
#include "common/help_file.h"
#include "common/win32/cp932.h"

namespace kestrel::win32 {

namespace {

std::string ProgramDir() {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
    return DirectoryOf(NarrowCp932(std::wstring_view(buf, n)));
}

std::string WindowsDir() {
    wchar_t buf[MAX_PATH * 2];
    UINT n = GetWindowsDirectoryW(buf, MAX_PATH * 2);
    return NarrowCp932(std::wstring_view(buf, n));
}

bool Open(HWND owner, const std::wstring& file, const std::wstring& params) {
    HINSTANCE r = ShellExecuteW(owner, L"open", file.c_str(),
                                params.empty() ? nullptr : params.c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

}  // namespace

void ShowOptionsHelp(HWND owner, std::string_view topic) {
    HelpRoute route = ChooseHelp(ProgramDir(), WindowsDir(), topic);
    std::string failed;
    std::string_view message = kHelpOpenFailedMessage;
    switch (route.kind) {
        case HelpRoute::Kind::WinHelp:
            if (Open(owner, WidenCp932(route.program),
                     L"-k " + WidenCp932(topic) + L" \"" + WidenCp932(route.argument) + L"\""))
                return;
            failed = route.argument;
            break;
        case HelpRoute::Kind::Browser:
            if (Open(owner, WidenCp932(route.target), L"")) return;
            failed = route.target;
            break;
        case HelpRoute::Kind::Missing:
            failed = route.target;
            message = kHelpMissingMessage;
            break;
    }
    std::wstring text = WidenCp932(std::string(message) + failed);
    MessageBoxW(owner, text.c_str(), L"Kestrel Option", MB_OK | MB_ICONWARNING);
}

}  // namespace kestrel::win32
