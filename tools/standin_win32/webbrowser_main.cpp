// Stand-in of the web browser. Started with a command line it writes "start <command line>" and
// "open <argument>" (or "missing <path>" for a file that is not there) to "<program name>.log"
// beside itself and ends. Started with "/dde" it serves the DDE service and topic that the
// registry names for HTML files (HKEY_CLASSES_ROOT\htmlfile\shell\open\ddeexec\application and
// \topic) until its window is closed, logging "dde <macro>" and then "open <target>" for a
// well-formed open macro or "refused <macro>" for any other.
#include <windows.h>

#include <string>

#include "common/fileio.h"
#include "common/win32/cp932.h"
#include "tools/standin/browser_model.h"
#include "tools/standin/plover_model.h"
#include "tools/standin_win32/dde_server.h"
#include "tools/standin_win32/standin_window.h"

namespace {
using namespace kestrel;
using namespace kestrel::standin;

std::string g_log;
DdeServer g_server;

std::string ClassesRootDefault(const wchar_t* key) {
    wchar_t buf[1024] = {};
    LONG size = sizeof buf;
    if (RegQueryValueW(HKEY_CLASSES_ROOT, key, buf, &size) != ERROR_SUCCESS) return "";
    return win32::NarrowCp932(buf);
}

void LogOpen(const std::string& target) {
    std::string file = LocalFileOf(target);
    AppendLogLine(g_log, OpenLogLine(target, !file.empty() && FileExists(file)));
}

LRESULT OnAppMessage(HWND, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_DESTROY) g_server.Stop();
    return 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t self[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring log(self, n);
    g_log = win32::NarrowCp932(log.substr(0, log.find_last_of(L'.')) + L".log");

    std::vector<std::string> args = CommandLineArgs();
    if (args.empty() || args[0] != "/dde") {
        AppendLogLine(g_log, "start " + win32::NarrowCp932(GetCommandLineW()));
        for (const std::string& a : args) LogOpen(a);
        return 0;
    }
    std::string service = ClassesRootDefault(L"htmlfile\\shell\\open\\ddeexec\\application");
    std::string topic = ClassesRootDefault(L"htmlfile\\shell\\open\\ddeexec\\topic");
    if (service.empty() || topic.empty()) return 3;
    if (!CreateListWindow("WebBrowserStandInMain", "Web browser - " + service, OnAppMessage))
        return 1;
    if (!g_server.Start(service, topic, [](const std::string& macro) {
            AppendLogLine(g_log, "dde " + macro);
            if (auto open = ParseBrowserOpen(macro))
                LogOpen(open->target);
            else
                AppendLogLine(g_log, "refused " + macro);
        }))
        return 2;
    AppendLogLine(g_log, "serving " + service + "|" + topic);
    return RunMessageLoop();
}
