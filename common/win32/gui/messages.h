// Typed wrappers of SendMessage for the messages the programs use, so that the casts of WPARAM
// and LPARAM live in one place. Text is UTF-16; Shift-JIS text from the core is converted with
// code page 932 (common/win32/cp932.h) before it gets here.
#pragma once

#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <string>
#include <string_view>

namespace kestrel::wingui {

inline void SetText(HWND hwnd, const std::wstring& text) {
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline std::wstring GetText(HWND hwnd) {
    LRESULT n = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (n <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    LRESULT got = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

enum class IconSize : WPARAM { Small = ICON_SMALL, Big = ICON_BIG };

// Returns the icon that was set before.
inline HICON SetIcon(HWND hwnd, IconSize size, HICON icon) {
    return reinterpret_cast<HICON>(
        SendMessageW(hwnd, WM_SETICON, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(icon)));
}

inline HICON GetIcon(HWND hwnd, IconSize size) {
    return reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, static_cast<WPARAM>(size), 0));
}

inline void SetFont(HWND hwnd, HFONT font, bool redraw = true) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

// Asks a window to close the way the user's close box does (it may refuse).
inline void PostClose(HWND hwnd) {
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

// Tab controls.
inline int InsertTab(HWND tabs, int index, const std::wstring& caption) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    return static_cast<int>(SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&item)));
}
inline int TabCount(HWND tabs) {
    return static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
}
inline int SelectedTab(HWND tabs) {
    return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
}
inline void SelectTab(HWND tabs, int index) {
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}
inline std::wstring TabCaption(HWND tabs, int index) {
    wchar_t buf[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 255;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buf;
}

}  // namespace kestrel::wingui
