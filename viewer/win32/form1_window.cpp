#include "viewer/win32/form1_window.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32/gui/app.h"
#include "common/win32/gui/messages.h"
#include "viewer/shell/menus.h"
#include "viewer/shell/window_design.h"
#include "viewer/win32/resource.h"

namespace kestrel::win32 {

namespace {

constexpr const wchar_t* kPanelClass = L"TPanel";

int Key(CommandId id) {
    return static_cast<int>(id);
}

// Panels pass their buttons' clicks on to the main window and paint themselves in the colour
// kept in their user data (the 3D face colour when none).
LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        case WM_ERASEBKGND: {
            auto brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            RECT rc{};
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc,
                     brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

bool RegisterPanelClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HFONT MakeFont(const std::wstring& face, int pixelHeight) {
    return CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face.c_str());
}

}  // namespace

std::wstring MainWindowTitle(const std::wstring& currentFile) {
    if (currentFile.empty()) return L"Kestrel32 - [Untitled]";
    size_t slash = currentFile.find_last_of(L"\\/:");
    return L"Kestrel32 - " +
           (slash == std::wstring::npos ? currentFile : currentFile.substr(slash + 1));
}

Form1Window::Form1Window()
    : timer_([this] { return hwnd(); },
             [this] {
                 if (form_) form_->OnTimer1();
             }) {
    for (const MenuDef& m : MainMenus()) {
        EntryState& s = entries_[Key(m.id)];
        s.caption = WideLossless(m.english);
        s.visible = !m.hiddenAtStart;
        s.topLevel = true;
        for (const MenuItemDef& item : m.items)
            if (!item.IsSeparator()) entries_[Key(item.id)].caption = WideLossless(item.english);
    }
    for (const MenuItemDef& item : PopupMenuItems())
        if (!item.IsSeparator()) entries_[Key(item.id)].caption = WideLossless(item.english);
}

Form1Window::~Form1Window() {
    if (hwnd()) DestroyWindow(hwnd());
    for (HICON icon : buttonIcons_) DestroyIcon(icon);
    if (glyphs_) ImageList_Destroy(glyphs_);
    if (rulerFont_) DeleteObject(rulerFont_);
    if (coverBrush_) DeleteObject(coverBrush_);
    if (popup_) DestroyMenu(popup_);
}

bool Form1Window::Create() {
    wingui::WindowClassSpec spec;
    spec.name = kClassName;
    spec.icon = wingui::LoadIconResource(IDI_KESTREL, false);
    spec.smallIcon = wingui::LoadIconResource(IDI_KESTREL, true);
    spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!wingui::Window::RegisterWindowClass(spec) || !RegisterPanelClass()) return false;
    if (!wingui::Window::Create(kClassName, WideLossless(kDesignCaption),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kDesignLeft, kDesignTop,
                                kDesignWidth, kDesignHeight))
        return false;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    panel1_ = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                              kDesignWidth, kToolbarDesignHeight, hwnd(), nullptr, inst, nullptr);
    if (!panel1_ || !editor_.Create(hwnd(), kEditorId)) return false;
    SetWindowLongPtrW(editor_.hwnd(), GWL_STYLE,
                      GetWindowLongPtrW(editor_.hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    panel2_ = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, hwnd(),
                              nullptr, inst, nullptr);
    CreateToolbar();
    rulerFont_ = MakeFont(WideLossless(kDesignFontName), kDesignFontHeight);
    ruler_ = CreateWindowExW(0, L"STATIC", WideLossless(kRulerCaption).c_str(),
                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kRulerLeft, kRulerTop,
                             4000, 20, panel1_, nullptr, inst, nullptr);
    wingui::SetFont(ruler_, rulerFont_);

    editor_.onMouseDown = [this] {
        if (form_) form_->RichEdit1MouseDown();
    };
    editor_.onBackSpaceKey = [this] {
        if (form_) form_->RichEdit1BackSpaceKey();
    };
    editor_.onDeleteKey = [this] {
        if (form_) form_->RichEdit1DeleteKey();
    };
    // Key dispatch sees every other key-down; the key is not consumed, the control then
    // handles it as usual (read-only, typing has no effect).
    editor_.onKeyDown = [this](int vk, unsigned modifiers) {
        if (form_) form_->FormKeyDown(vk, modifiers);
        return false;
    };
    editor_.onContextMenu = [this](int x, int y) { ShowPopup(x, y); };

    RebuildMenus();
    SetIcon(IconKind::Normal);
    Layout();
    return true;
}

void Form1Window::CreateToolbar() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    glyphs_ = ImageList_LoadImageW(inst, MAKEINTRESOURCEW(IDB_TOOLBAR), 16, 0, RGB(255, 0, 255),
                                   IMAGE_BITMAP, LR_CREATEDIBSECTION);
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, inst, nullptr);
    int index = 0;
    for (const ToolButtonDef& def : ToolButtons()) {
        HWND b = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_ICON,
                                 def.left, 0, kToolButtonSize, kToolButtonSize, panel1_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(Key(def.command))),
                                 inst, nullptr);
        if (!b) continue;
        if (glyphs_) {
            HICON icon = ImageList_GetIcon(glyphs_, index, ILD_TRANSPARENT);
            if (icon) {
                buttonIcons_.push_back(icon);
                SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
            }
        }
        if (tooltip_) {
            std::wstring hint = WideLossless(def.hint);
            TTTOOLINFOW ti{};
            ti.cbSize = TTTOOLINFOW_V2_SIZE;
            ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            ti.hwnd = panel1_;
            ti.uId = reinterpret_cast<UINT_PTR>(b);
            ti.lpszText = &hint[0];
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
        buttons_.push_back(b);
        ++index;
    }
}

void Form1Window::Attach(TForm1& form, std::vector<std::string> arguments) {
    form_ = &form;
    arguments_ = std::move(arguments);
}

void Form1Window::ShowFirst(int showCommand) {
    if (!shown_) {
        shown_ = true;
        if (form_) form_->ShowUp(arguments_);
    }
    if (!hwnd()) return;  // ShowUp may have closed the window
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
}

void Form1Window::Layout() {
    if (!hwnd()) return;
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int top = 0;
    if (toolbarVisible_) {
        MoveWindow(panel1_, 0, 0, w, toolbarHeight_, TRUE);
        ShowWindow(panel1_, SW_SHOWNA);
        top = toolbarHeight_;
    } else {
        ShowWindow(panel1_, SW_HIDE);
    }
    int eh = std::max(h - top, 0);
    // Only when its place changes: a resized rich edit control lays out all its text again.
    RECT now{};
    GetWindowRect(editor_.hwnd(), &now);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != 0 || now.top != top || now.right - now.left != w || now.bottom - now.top != eh)
        MoveWindow(editor_.hwnd(), 0, top, w, eh, TRUE);
    MoveWindow(panel2_, 0, top, w, eh, TRUE);
}

// --- menus ---------------------------------------------------------------------------------

void Form1Window::AppendEntry(HMENU menu, CommandId id) {
    const EntryState& s = entries_[Key(id)];
    if (!s.visible) return;
    UINT flags = MF_STRING | (s.checked ? MF_CHECKED : 0) | (s.enabled ? 0 : MF_GRAYED);
    AppendMenuW(menu, flags, static_cast<UINT_PTR>(Key(id)), s.caption.c_str());
}

namespace {

// Separators only between visible entries: none first, last or twice in a row.
void AppendItems(HMENU menu, const std::vector<MenuItemDef>& items,
                 const std::function<void(HMENU, CommandId)>& append) {
    bool pendingSeparator = false;
    for (const MenuItemDef& item : items) {
        if (item.IsSeparator()) {
            pendingSeparator = true;
            continue;
        }
        int before = GetMenuItemCount(menu);
        if (pendingSeparator && before > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        append(menu, item.id);
        if (GetMenuItemCount(menu) == before + 1 && pendingSeparator && before > 0) {
            // The entry was hidden: take the separator back.
            DeleteMenu(menu, static_cast<UINT>(before), MF_BYPOSITION);
        } else {
            pendingSeparator = false;
        }
    }
}

}  // namespace

void Form1Window::RebuildMenus() {
    auto append = [this](HMENU m, CommandId id) { AppendEntry(m, id); };
    HMENU bar = CreateMenu();
    for (const MenuDef& m : MainMenus()) {
        const EntryState& s = entries_[Key(m.id)];
        if (!s.visible) continue;
        HMENU sub = CreatePopupMenu();
        auto dyn = dynamic_.find(Key(m.id));
        if (dyn != dynamic_.end()) {
            for (CommandId id : dyn->second) AppendEntry(sub, id);
        } else {
            AppendItems(sub, m.items, append);
        }
        AppendMenuW(bar, MF_POPUP | (s.enabled ? 0 : MF_GRAYED), reinterpret_cast<UINT_PTR>(sub),
                    s.caption.c_str());
    }
    HMENU popup = CreatePopupMenu();
    AppendItems(popup, PopupMenuItems(), append);

    HMENU oldBar = bar_;
    bar_ = bar;
    if (hwnd()) {
        SetMenu(hwnd(), bar_);
        DrawMenuBar(hwnd());
    }
    if (oldBar) DestroyMenu(oldBar);
    if (popup_) DestroyMenu(popup_);
    popup_ = popup;
}

void Form1Window::SetMenuCaption(CommandId id, std::string_view caption) {
    EntryState& s = entries_[Key(id)];
    std::wstring w = WideLossless(caption);
    if (s.caption == w) return;
    s.caption = w;
    if (s.topLevel) {
        RebuildMenus();
        return;
    }
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = &s.caption[0];
    for (HMENU m : {bar_, popup_})
        if (m) SetMenuItemInfoW(m, static_cast<UINT>(Key(id)), FALSE, &mii);
    if (hwnd()) DrawMenuBar(hwnd());
}

void Form1Window::SetMenuVisible(CommandId id, bool visible) {
    for (size_t i = 0; i < ToolButtons().size() && i < buttons_.size(); ++i)
        if (ToolButtons()[i].command == id) ShowWindow(buttons_[i], visible ? SW_SHOWNA : SW_HIDE);
    EntryState& s = entries_[Key(id)];
    if (s.visible == visible) return;
    s.visible = visible;
    RebuildMenus();
}

void Form1Window::SetMenuChecked(CommandId id, bool checked) {
    EntryState& s = entries_[Key(id)];
    s.checked = checked;
    for (HMENU m : {bar_, popup_})
        if (m)
            CheckMenuItem(m, static_cast<UINT>(Key(id)),
                          MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Form1Window::SetMenuEnabled(CommandId id, bool enabled) {
    for (size_t i = 0; i < ToolButtons().size() && i < buttons_.size(); ++i)
        if (ToolButtons()[i].command == id) EnableWindow(buttons_[i], enabled ? TRUE : FALSE);
    EntryState& s = entries_[Key(id)];
    if (s.enabled == enabled) return;
    s.enabled = enabled;
    if (s.topLevel) {
        RebuildMenus();
        return;
    }
    for (HMENU m : {bar_, popup_})
        if (m)
            EnableMenuItem(m, static_cast<UINT>(Key(id)),
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Form1Window::SetDynamicMenu(CommandId menuId, const std::vector<DynamicMenuEntry>& entries) {
    std::vector<CommandId>& ids = dynamic_[Key(menuId)];
    ids.clear();
    for (const DynamicMenuEntry& e : entries) {
        EntryState& s = entries_[Key(e.id)];
        s.caption = WideLossless(e.caption);
        s.visible = true;
        ids.push_back(e.id);
    }
    RebuildMenus();
}

void Form1Window::ShowPopup(int x, int y) {
    if (!popup_) return;
    SetForegroundWindow(hwnd());
    TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

// --- window --------------------------------------------------------------------------------

void Form1Window::SetTitle(std::string_view title) {
    wingui::SetText(hwnd(), WideLossless(title));
}

void Form1Window::SetIcon(IconKind kind) {
    int id = kind == IconKind::Editing       ? IDI_EDITING
             : kind == IconKind::Alternative ? IDI_ALTERNATIVE
                                             : IDI_KESTREL;
    wingui::SetIcon(hwnd(), wingui::IconSize::Big, wingui::LoadIconResource(id, false));
    wingui::SetIcon(hwnd(), wingui::IconSize::Small, wingui::LoadIconResource(id, true));
}

WindowBounds Form1Window::Bounds() const {
    RECT rc{};
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(hwnd(), &wp);
        rc = wp.rcNormalPosition;
    } else {
        GetWindowRect(hwnd(), &rc);
    }
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

void Form1Window::SetBounds(const WindowBounds& b) {
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(hwnd(), &wp);
        wp.rcNormalPosition = {b.left, b.top, b.left + b.width, b.top + b.height};
        SetWindowPlacement(hwnd(), &wp);
    } else {
        MoveWindow(hwnd(), b.left, b.top, b.width, b.height, TRUE);
    }
}

WindowState Form1Window::State() const {
    if (IsIconic(hwnd())) return WindowState::Minimized;
    if (IsZoomed(hwnd())) return WindowState::Maximized;
    return WindowState::Normal;
}

void Form1Window::Restore() {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
}

void Form1Window::Show() {
    ShowWindow(hwnd(), SW_SHOW);
}

void Form1Window::SetFocus() {
    SetForegroundWindow(hwnd());
    ::SetFocus(hwnd());
}

void Form1Window::Close() {
    // Carried out from the message loop, after the command that asked has returned.
    wingui::PostClose(hwnd());
}

void Form1Window::SetToolbarVisible(bool visible) {
    toolbarVisible_ = visible;
    Layout();
}

void Form1Window::FocusToolbar() {
    if (toolbarVisible_ && !buttons_.empty()) ::SetFocus(buttons_.front());
}

void Form1Window::SetToolbarHeight(int pixels) {
    pixels = std::max(pixels, 0);
    // A new size makes the editor lay out its whole text again: never for nothing.
    if (pixels == toolbarHeight_) return;
    toolbarHeight_ = pixels;
    Layout();
}

void Form1Window::SetRulerFont(std::string_view fontName, int fontSize) {
    HDC dc = GetDC(hwnd());
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(hwnd(), dc);
    HFONT f = MakeFont(WideLossless(fontName), MulDiv(fontSize > 0 ? fontSize : 10, dpi, 72));
    if (!f) return;
    wingui::SetFont(ruler_, f);
    if (rulerFont_) DeleteObject(rulerFont_);
    rulerFont_ = f;
}

void Form1Window::SetCoverVisible(bool visible, Colour colour) {
    if (visible) {
        HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
        SetWindowLongPtrW(panel2_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
        if (coverBrush_) DeleteObject(coverBrush_);
        coverBrush_ = brush;
        SetWindowPos(panel2_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        InvalidateRect(panel2_, nullptr, TRUE);
        UpdateWindow(panel2_);
    } else {
        ShowWindow(panel2_, SW_HIDE);
        SetWindowLongPtrW(panel2_, GWLP_USERDATA, 0);
        if (coverBrush_) DeleteObject(coverBrush_);
        coverBrush_ = nullptr;
    }
}

void Form1Window::Run(CommandId id) {
    if (form_ && id != CommandId::None) form_->Execute(id);
}

LRESULT Form1Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_SETFOCUS:
            if (editor_.hwnd() && IsWindowVisible(editor_.hwnd())) editor_.SetFocus();
            return 0;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            HWND control = reinterpret_cast<HWND>(lParam);
            if (control && control == editor_.hwnd()) {
                if (code == EN_CHANGE) editor_.TextChanged();
                return 0;
            }
            if (control && code != BN_CLICKED) return 0;
            Run(static_cast<CommandId>(id));
            // A tool-bar button keeps no focus: typing goes on in the editor.
            HWND focus = GetFocus();
            if (control && focus && GetParent(focus) == panel1_ && IsWindowVisible(editor_.hwnd()))
                editor_.SetFocus();
            return 0;
        }
        case WM_TIMER:
            if (wParam == WinOneShotTimer::kTimerId) timer_.Tick();
            return 0;
        case WM_LBUTTONDBLCLK:
            Run(CommandId::WebBrowser);
            return 0;
        case WM_CLOSE:
            if (!form_ || form_->TryClose()) DestroyWindow(hwnd());
            return 0;
        case WM_QUERYENDSESSION:
            // The session ends: the same question as a close, and the settings are written.
            return (!form_ || form_->TryClose()) ? TRUE : FALSE;
        case WM_DESTROY:
            timer_.Stop();
            SetMenu(hwnd(), nullptr);
            if (bar_) DestroyMenu(bar_);
            bar_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            if (registeredMessage_ != 0 && msg == registeredMessage_ && registeredHandler_) {
                registeredHandler_(lParam);
                return 0;
            }
            return wingui::Window::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace kestrel::win32
