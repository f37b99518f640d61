// kestrel.exe: process start. The main window with the mail display and the mail-client link
// is made first, then the PIN and spell dialogs, then the message loop runs until the main
// window closes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/cp932.h"
#include "common/win32/gui/app.h"
#include "viewer/shell/find_replace.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/links.h"
#include "viewer/shell/mail_parts.h"
#include "viewer/shell/text_commands.h"
#include "viewer/win32/dde_link.h"
#include "viewer/win32/find_dialogs_win32.h"
#include "viewer/win32/form1_window.h"
#include "viewer/win32/platform_win32.h"

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

    // Before the main window's parts: the mail link connects while the window is made.
    DdeLink dde;
    dde.Initialize();

    Form1Window window;
    auto owner = [&window] { return window.hwnd(); };
    WinMessageBoxes messages(owner);
    WinStandardDialogs dialogs(owner);
    ClassesRootLookup classesRegistry;
    WinEnvironment environment;
    WinProcessLauncher launcher;
    WinWindowFinder windows;
    WinClipboard clipboard;
    WinPrinter printer(messages);
    WinHelpViewer help(messages);
    WinFindReplaceDialogs findDialogs(owner);

    std::unique_ptr<Platform> platform;
    std::unique_ptr<MailParts> parts;
    std::unique_ptr<TextCommands> textCommands;
    std::unique_ptr<FindReplace> findReplace;
    std::unique_ptr<Links> links;
    bool created = false;

    ProcessStartSteps steps;
    steps.createMainWindow = [&] {
        if (!window.Create()) return;
        platform.reset(new Platform{window.Editor(), window, messages, dialogs, classesRegistry,
                                    environment, launcher, windows, clipboard, window.Timer(),
                                    printer, help});
        // The text commands come first among the commands of other parts; they are made
        // once the window exists, so the hooks reach them through the pointer.
        ShellHooks hooks;
        hooks.command = [&](CommandId id) {
            return (textCommands && textCommands->Handle(id)) ||
                   (findReplace && findReplace->Handle(id)) || (links && links->Handle(id));
        };
        parts = std::make_unique<MailParts>(*platform, dde.Channels(), std::move(hooks));
        textCommands = std::make_unique<TextCommands>(parts->Form(), *platform);
        textCommands->showMailLines = [&parts](const std::vector<std::string>& lines) {
            parts->Display().ShowMailLines(lines);
        };
        findReplace = std::make_unique<FindReplace>(
            window.Editor(), window, findDialogs,
            [&parts](std::string_view text) { parts->Form().ShowMessage(text); });
        links = std::make_unique<Links>(parts->Form(), *platform, dde.Channels().browser);
        window.SetRegisteredMessageHandler(WinFindReplaceDialogs::Message(),
                                           [&findDialogs, &findReplace](LPARAM lParam) {
                                               auto event = findDialogs.Translate(lParam);
                                               if (event && findReplace)
                                                   findReplace->OnDialog(*event);
                                           });
        window.Attach(parts->Form(), SjisArguments());
        created = true;
    };
    // The PIN dialog (TPasswordDlg) and the spell checker's window (TForm2) are made by their
    // own parts; nothing of them exists before they are first needed.
    steps.createPinDialog = [] {};
    steps.createSpellDialog = [] {};
    steps.runMessageLoop = [&] {
        if (!created) return 1;
        window.ShowFirst(showCommand);
        return wingui::RunMessageLoop();
    };
    int code = RunProcessStart(steps);
    // The window's objects go before the parts they point to.
    links.reset();
    findReplace.reset();
    textCommands.reset();
    return code;
}
