// Stand-in of the page browser ([Location] PgbrowExe) and of other programs the viewer starts:
// appends its command line to "<program name>.log" beside itself and ends at once.
#include <windows.h>

#include <string>

#include "common/win32/cp932.h"
#include "tools/standin/plover_model.h"
#include "tools/standin_win32/standin_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kestrel;
    wchar_t self[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring log(self, n);
    log = log.substr(0, log.find_last_of(L'.')) + L".log";
    return standin::AppendLogLine(win32::NarrowCp932(log), win32::NarrowCp932(GetCommandLineW()))
               ? 0
               : 1;
}
