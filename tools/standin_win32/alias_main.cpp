// Stand-in of the address book tool (alias.exe FILE): a window titled "<file> - Alias" that
// serves DDE "Alias"/"system" and appends the entry of each [Append("<entry>")] to FILE, read
// the way the tool reads it (backslash escapes; an unescaped comma or colon ends the entry).
#include <windows.h>

#include <string>

#include "common/fileio.h"
#include "common/sjis.h"
#include "tools/standin/alias_model.h"
#include "tools/standin/macro.h"
#include "tools/standin/plover_model.h"
#include "tools/standin_win32/dde_server.h"
#include "tools/standin_win32/standin_window.h"

namespace {
std::string g_file;
kestrel::standin::DdeServer g_server;
HWND g_window = nullptr;
std::vector<std::string> g_entries;

LRESULT OnAppMessage(HWND, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_DESTROY) g_server.Stop();
    return 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kestrel;
    using namespace kestrel::standin;
    std::vector<std::string> args = CommandLineArgs();
    g_file = args.empty() ? ModuleDir() + "address.txt" : args[0];
    g_window = CreateListWindow("AliasStandInMain", FileNameOf(g_file) + " - Alias", OnAppMessage);
    if (!g_window) return 1;
    ReadFileLines(g_file, g_entries);
    SetListLines(g_window, g_entries);
    if (!g_server.Start("Alias", "system", [](const std::string& text) {
            for (const Macro& m : ParseMacros(text)) {
                if (!EqualsNoCase(m.name, "Append") || m.args.size() != 1) continue;
                std::string entry = AliasEntryFromArgument(m.args[0]);
                AppendLogLine(g_file, entry);
                g_entries.push_back(entry);
            }
            SetListLines(g_window, g_entries);
        }))
        return 2;
    return RunMessageLoop();
}
