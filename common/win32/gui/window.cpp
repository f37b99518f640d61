#include "common/win32/gui/window.h"

namespace kestrel::wingui {

Window::~Window() {
    if (hwnd_) {
        // The object goes first: detach it so that late messages reach DefWindowProc.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::RegisterWindowClass(const WindowClassSpec& spec) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, spec.name, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = spec.style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hIcon = spec.icon;
    wc.hIconSm = spec.smallIcon;
    wc.hCursor = spec.cursor ? spec.cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground =
        spec.background ? spec.background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = spec.menuName;
    wc.lpszClassName = spec.name;
    return RegisterClassExW(&wc) != 0;
}

HWND Window::Create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                    int x, int y, int width, int height, HWND parent, HMENU menu) {
    return CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent,
                           menu, GetModuleHandleW(nullptr), this);
}

Window* Window::FromHandle(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        // The object arrives with the first message; bind it before anything else is handled.
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = FromHandle(hwnd);
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->HandleMessage(msg, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
        return r;
    }
    return self->HandleMessage(msg, wParam, lParam);
}

}  // namespace kestrel::wingui
