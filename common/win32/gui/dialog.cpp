#include "common/win32/gui/dialog.h"

namespace kestrel::wingui {

INT_PTR Dialog::RunModal(int templateId, HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                           &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDOK || id == IDCANCEL) {
        End(id);
        return true;
    }
    return false;
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInit() ? TRUE : FALSE;
    }
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            return self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                       ? TRUE
                       : FALSE;
        case WM_CLOSE:
            // The close box and a WM_CLOSE from outside act as Cancel.
            return self->OnCommand(IDCANCEL, 0, nullptr) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!self->OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_NCDESTROY:
            self->hwnd_ = nullptr;
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            return FALSE;
        default: {
            LRESULT result = 0;
            if (!self->HandleMessage(msg, wParam, lParam, result)) return FALSE;
            // The control-colour messages take their brush as the procedure's own result.
            if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
                return static_cast<INT_PTR>(result);
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
}

}  // namespace kestrel::wingui
