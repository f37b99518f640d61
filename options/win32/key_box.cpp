#include "options/win32/key_box.h"

#include <commctrl.h>

namespace kestrel::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

bool Held(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

LRESULT CALLBACK KeyBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR ref) {
    switch (msg) {
        case WM_GETDLGCODE: {
            // Every key but Tab reaches the box, so that Enter and Escape can be bound.
            const MSG* m = reinterpret_cast<const MSG*>(lParam);
            if (m && m->message == WM_KEYDOWN && m->wParam == VK_TAB) break;
            return DefSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTALLKEYS;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (msg == WM_KEYDOWN && wParam == VK_TAB) break;
            KeyPress key{static_cast<int>(wParam), Held(VK_SHIFT), Held(VK_CONTROL), Held(VK_MENU)};
            reinterpret_cast<KeyBoxSink*>(ref)->KeyBoxDown(GetDlgCtrlID(hwnd), key);
            return 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (msg == WM_CHAR && wParam == '\t') break;
            return 0;  // nothing is typed, and Alt does not open a menu
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &KeyBoxProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void MakeKeyBox(HWND edit, KeyBoxSink* sink) {
    SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    SetWindowSubclass(edit, &KeyBoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(sink));
}

HBRUSH SilverBrush() {
    static HBRUSH brush = CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0));
    return brush;
}

}  // namespace kestrel::win32
