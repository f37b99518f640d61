// Console DDE tool for tests and scripts:
//   ddetool send SERVICE TOPIC MACRO        one execute on a fresh conversation (waiting up to 15 s
//                                           for the server to come up); exit 0 when acknowledged
//   ddetool listen SERVICE TOPIC FILE SECS  serves SERVICE/TOPIC for SECS seconds, appending each
//                                           execute received to FILE as one line
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/standin/plover_model.h"
#include "tools/standin_win32/dde_server.h"
#include "tools/standin_win32/standin_window.h"

int main() {
    using namespace kestrel::standin;
    std::vector<std::string> a = CommandLineArgs();
    DdeServer dde;
    if (a.size() == 4 && a[0] == "send") {
        if (!dde.Start("KestrelDdeTool", "none", nullptr)) return 3;
        return dde.SendExecute(a[1], a[2], a[3], 5000, 15000) ? 0 : 1;
    }
    if (a.size() == 5 && a[0] == "listen") {
        const std::string file = a[3];
        if (!dde.Start(a[1], a[2], [file](const std::string& m) { AppendLogLine(file, m); }))
            return 3;
        DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(a[4].c_str())) * 1000;
        MSG msg;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return 0;
    }
    std::fputs("usage: ddetool send SERVICE TOPIC MACRO | listen SERVICE TOPIC FILE SECONDS\n",
               stderr);
    return 2;
}
