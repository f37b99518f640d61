// kestrel.exe: process start and message loop.
#include <windows.h>

#include "common/win32/gui/app.h"
#include "viewer/win32/form1_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    kestrel::wingui::InitCommonControlsOnce();
    kestrel::win32::Form1Window form1;
    if (!form1.Create()) return 1;
    // The file named on the command line (after any switch) gives the title until the shell
    // takes over start-up.
    for (const std::wstring& arg : kestrel::wingui::CommandLineArguments()) {
        if (!arg.empty() && arg[0] != L'/') form1.SetTitle(kestrel::win32::MainWindowTitle(arg));
    }
    form1.Show(showCommand);
    return kestrel::wingui::RunMessageLoop();
}
