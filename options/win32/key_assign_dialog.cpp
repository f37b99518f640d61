#include "options/win32/key_assign_dialog.h"

#include "common/win32/cp932.h"
#include "common/win32/gui/messages.h"
#include "options/win32/resource.h"

namespace kestrel::win32 {

void KeyAssignDialog::Run(HWND owner) {
    RunModal(IDD_KEYASSIGN, owner);
}

bool KeyAssignDialog::OnInit() {
    fixedFont_ = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));  // shared, never deleted
    dlg_.FormShow();
    for (int m = 1; m <= TBtnBottomDlg::kBoxCount; ++m) {
        HWND box = Item(IDC_KEY_EDIT_FIRST + m - 1);
        MakeKeyBox(box, this);
        wingui::SetFont(box, fixedFont_);
        ShowBox(m);
    }
    return true;
}

void KeyAssignDialog::ShowBox(int m) {
    wingui::SetText(Item(IDC_KEY_EDIT_FIRST + m - 1), WidenCp932(dlg_.BoxText(m)));
}

void KeyAssignDialog::KeyBoxDown(int controlId, const KeyPress& key) {
    int m = controlId - IDC_KEY_EDIT_FIRST + 1;
    dlg_.KeyDown(m, key);
    ShowBox(m);
}

bool KeyAssignDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id < IDC_KEY_EDIT_FIRST || id >= IDC_KEY_EDIT_FIRST + TBtnBottomDlg::kBoxCount)
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, RGB(0xC0, 0xC0, 0xC0));
    result = reinterpret_cast<LRESULT>(SilverBrush());
    return true;
}

}  // namespace kestrel::win32
