// kestrel.exe: process start. The main window with every feature of the viewer is made first,
// then the PIN and spell dialogs, then the message loop runs until the main window closes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/cp932.h"
#include "common/win32/gui/app.h"
#include "viewer/shell/viewer.h"
#include "viewer/win32/dde_link.h"
#include "viewer/win32/form1_window.h"
#include "viewer/win32/viewer_platform.h"

namespace {

using namespace kestrel;
using namespace kestrel::win32;

// Arguments after the program path as Shift-JIS (code page 932, whatever the system's ANSI
// code page is).
std::vector<std::string> SjisArguments() {
    std::vector<std::string> args;
    for (const std::wstring& a : wingui::CommandLineArguments()) args.push_back(NarrowCp932(a));
    return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    wingui::InitCommonControlsOnce();

    // Before the viewer: the mail link connects while the main window is made. Without DDE the
    // viewer's topic cannot be registered, which the viewer tells the user.
    DdeLink dde;
    dde.Initialize();

    Form1Window window;
    ViewerPlatform platform(window);
    std::optional<Viewer> viewer;

    ProcessStartSteps steps;
    steps.createMainWindow = [&] {
        if (!window.Create()) return;
        viewer.emplace(platform.Services(), dde.Channels());
        // The Find and Replace dialogs report their buttons with a registered message.
        window.SetRegisteredMessageHandler(
            WinFindReplaceDialogs::Message(), [&platform, &viewer](LPARAM lParam) {
                auto event = platform.FindDialogs().Translate(lParam);
                if (event) viewer->Find().OnDialog(*event);
            });
        window.Attach(viewer->Form(), SjisArguments());
    };
    // The PIN dialog (TPasswordDlg) is made by its own feature when first needed.
    steps.createPinDialog = [] {};
    // TForm2's window: a hidden modeless dialog owned by the main window.
    steps.createSpellDialog = [&] {
        if (viewer) platform.SpellWindow().Create(window.hwnd(), viewer->Spell());
    };
    steps.runMessageLoop = [&] {
        if (!viewer) return 1;
        window.ShowFirst(showCommand);
        return wingui::RunMessageLoop();
    };
    return RunProcessStart(steps);
}
