#include "options/win32/options_dialog.h"

#include "common/win32/gui/app.h"
#include "common/win32/gui/messages.h"
#include "options/win32/options_help.h"
#include "options/win32/resource.h"

namespace kestrel::win32 {

bool OptionsDialog::OnInit() {
    wingui::SetIcon(hwnd(), wingui::IconSize::Big, wingui::LoadIconResource(IDI_KESTRELSET, false));
    wingui::SetIcon(hwnd(), wingui::IconSize::Small,
                    wingui::LoadIconResource(IDI_KESTRELSET, true));
    HWND tabs = Item(IDC_TABSET);
    for (int i = 0; i < IDS_TAB_COUNT; ++i)
        wingui::InsertTab(tabs, i, wingui::LoadStringResource(IDS_TAB_FIRST + i));
    wingui::SelectTab(tabs, 0);  // page 1 first
    return true;
}

bool OptionsDialog::OnCommand(int id, int notifyCode, HWND control) {
    switch (id) {
        case IDC_KEY_ASSIGN:
            return true;
        case IDC_HELP_BUTTON:
            ShowOptionsHelp(hwnd());
            return true;
        default:
            return wingui::Dialog::OnCommand(id, notifyCode, control);
    }
}

}  // namespace kestrel::win32
