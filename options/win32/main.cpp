// kestrelset.exe: the options editor. Its argument is the settings file's path.
#include <windows.h>

#include "common/win32/gui/app.h"
#include "options/win32/options_dialog.h"
#include "options/win32/resource.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    kestrel::wingui::InitCommonControlsOnce();
    auto args = kestrel::wingui::CommandLineArguments();
    kestrel::win32::OptionsDialog dialog(args.empty() ? std::wstring() : args[0]);
    return dialog.RunModal(IDD_OPTIONS) == -1 ? 1 : 0;
}
