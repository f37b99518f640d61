#include "viewer/win32/pin_dialog.h"

#include <vector>

#include "common/win32/cp932.h"
#include "resource.h"
#include "viewer/shell/password_dlg.h"

namespace kestrel::win32 {

namespace {

INT_PTR CALLBACK PasswordDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            SetWindowTextW(dlg, WidenCp932(kPasswordCaption).c_str());
            SetDlgItemTextW(dlg, IDC_PASSWORD_LABEL, WidenCp932(kPasswordLabel).c_str());
            SetDlgItemTextW(dlg, IDC_PASSWORD, L"");
            SetFocus(GetDlgItem(dlg, IDC_PASSWORD));
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* entry = reinterpret_cast<std::string*>(GetWindowLongPtrW(dlg, DWLP_USER));
                HWND box = GetDlgItem(dlg, IDC_PASSWORD);
                std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1);
                GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
                *entry = NarrowCp932(text.data());
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

bool WinPinDialog::ShowModal(std::string& entry) {
    entry.clear();
    INT_PTR r = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PASSWORD), owner_(),
                                PasswordDlgProc, reinterpret_cast<LPARAM>(&entry));
    return r == IDOK;
}

}  // namespace kestrel::win32
