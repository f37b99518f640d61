// kestrelset.exe: the options editor. Its argument is the settings file's path. An empty main
// window (TForm1, never shown) runs the options dialog modally as it is about to be shown, and
// closes when the dialog closes, which ends the program.
#include <windows.h>

#include "common/fileio.h"
#include "common/win32/cp932.h"
#include "common/win32/gui/app.h"
#include "common/win32/gui/window.h"
#include "options/mult_page_dlg.h"
#include "options/win32/options_dialog.h"
#include "options/win32/platform_win32.h"

namespace kestrel::win32 {
namespace {

constexpr UINT kShowOptions = WM_APP + 1;

class Form1 : public wingui::Window {
  public:
    explicit Form1(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {}

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case kShowOptions: {
                OptionsDialog options(settingsPath_);
                options.Run(nullptr);
                DestroyWindow(hwnd());
                return 0;
            }
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                return Window::HandleMessage(msg, wParam, lParam);
        }
    }

  private:
    std::string settingsPath_;
};

std::string ProgramDirectory() {
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    return DirectoryOf(NarrowCp932(self));
}

}  // namespace
}  // namespace kestrel::win32

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kestrel;
    wingui::InitCommonControlsOnce();
    win32::WinOptionsPlatform startPlatform;
    std::string path = SettingsPathFromCommandLine(win32::NarrowCp932(GetCommandLineW()),
                                                   win32::ProgramDirectory(), startPlatform);

    wingui::WindowClassSpec spec;
    spec.name = L"TForm1";
    if (!wingui::Window::RegisterWindowClass(spec)) return 1;
    win32::Form1 form(path);
    if (!form.Create(L"TForm1", L"Form1", WS_OVERLAPPEDWINDOW)) return 1;
    PostMessageW(form.hwnd(), win32::kShowOptions, 0, 0);
    return wingui::RunMessageLoop();
}
