#include "viewer/win32/spell_dialog_window.h"

#include "common/win32/gui/app.h"
#include "resource.h"
#include "viewer/win32/platform_win32.h"

namespace kestrel::win32 {

namespace {

std::wstring ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthW(item);
    std::wstring text(size_t(length) + 1, L'\0');
    int got = GetWindowTextW(item, text.data(), length + 1);
    text.resize(size_t(got > 0 ? got : 0));
    return text;
}

}  // namespace

WinSpellDialogWindow::~WinSpellDialogWindow() {
    if (hwnd_) {
        wingui::RemoveModelessDialog(hwnd_);
        DestroyWindow(hwnd_);
    }
    if (font_) DeleteObject(font_);
}

bool WinSpellDialogWindow::Create(HWND owner, TForm2& form) {
    form_ = &form;
    hwnd_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SPELL), owner,
                               Procedure, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return false;
    SendDlgItemMessageW(hwnd_, IDC_SPELL_REPLACEMENT, EM_LIMITTEXT, kSpellMaxReplacement, 0);
    // Tab, Alt+letter and Enter work in the dialog while the main window's loop runs.
    wingui::AddModelessDialog(hwnd_);
    return true;
}

INT_PTR CALLBACK WinSpellDialogWindow::Procedure(HWND hwnd, UINT msg, WPARAM wParam,
                                                 LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<WinSpellDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self || !self->form_) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            return self->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_CLOSE:
            // The system menu's Close and Escape end the dialog as Exit does.
            self->form_->ExitButtonClick();
            return TRUE;
        default:
            return FALSE;
    }
}

bool WinSpellDialogWindow::OnCommand(int id, int code) {
    TForm2& f = *form_;
    switch (id) {
        case IDC_SPELL_IGNORE:
            f.IgnoreButtonClick();
            return true;
        case IDC_SPELL_CHANGE:
            f.ChangeButtonClick();
            return true;
        case IDC_SPELL_ADD:
            f.AddButtonClick();
            return true;
        case IDC_SPELL_UNDO:
            f.UndoButtonClick();
            return true;
        case IDC_SPELL_FROM_BEGINNING:
            f.FromBeginningButtonClick();
            return true;
        case IDC_SPELL_EXIT:
        case IDCANCEL:
            f.ExitButtonClick();
            return true;
        case IDC_SPELL_CAPITAL:
            if (code == BN_CLICKED) {
                f.CheckBoxCapitalClick(IsDlgButtonChecked(hwnd_, IDC_SPELL_CAPITAL) == BST_CHECKED);
            }
            return true;
        case IDC_SPELL_NUMERIC:
            if (code == BN_CLICKED) {
                f.CheckBoxNumericClick(IsDlgButtonChecked(hwnd_, IDC_SPELL_NUMERIC) == BST_CHECKED);
            }
            return true;
        case IDC_SPELL_LIST:
            if (code == LBN_SELCHANGE) {
                LRESULT index = SendDlgItemMessageW(hwnd_, IDC_SPELL_LIST, LB_GETCURSEL, 0, 0);
                if (index != LB_ERR) f.ListBoxSelected1(int(index));
            }
            return true;
        default:
            return false;
    }
}

void WinSpellDialogWindow::Show() {
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOW);
}

void WinSpellDialogWindow::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

bool WinSpellDialogWindow::Visible() const {
    return IsWindowVisible(hwnd_) != FALSE;
}

void WinSpellDialogWindow::MoveTo(int left, int top) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WinSpellDialogWindow::Left() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r.left;
}

int WinSpellDialogWindow::Top() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r.top;
}

void WinSpellDialogWindow::SetFieldFont(std::string_view name, int size) {
    HDC dc = GetDC(hwnd_);
    int height = -MulDiv(size > 0 ? size : 8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(hwnd_, dc);
    std::wstring face = WideLossless(name);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.substr(0, LF_FACESIZE - 1).c_str());
    if (!font) return;
    for (int id : {IDC_SPELL_WORD, IDC_SPELL_REPLACEMENT, IDC_SPELL_LIST}) {
        SendDlgItemMessageW(hwnd_, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_) DeleteObject(font_);
    font_ = font;
}

void WinSpellDialogWindow::SetWord(std::string_view word) {
    SetDlgItemTextW(hwnd_, IDC_SPELL_WORD, WideLossless(word).c_str());
}

void WinSpellDialogWindow::SetReplacement(std::string_view text) {
    SetDlgItemTextW(hwnd_, IDC_SPELL_REPLACEMENT, WideLossless(text).c_str());
}

std::string WinSpellDialogWindow::Replacement() const {
    return SjisLossless(ItemText(hwnd_, IDC_SPELL_REPLACEMENT));
}

void WinSpellDialogWindow::SetList(const std::vector<std::string>& entries) {
    HWND list = GetDlgItem(hwnd_, IDC_SPELL_LIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries) {
        std::wstring w = WideLossless(e);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    }
}

void WinSpellDialogWindow::SetCheckBoxes(bool capital, bool numeric) {
    CheckDlgButton(hwnd_, IDC_SPELL_CAPITAL, capital ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_SPELL_NUMERIC, numeric ? BST_CHECKED : BST_UNCHECKED);
}

void WinSpellDialogWindow::FocusButton(SpellButton button) {
    int id = button == SpellButton::Change ? IDC_SPELL_CHANGE : IDC_SPELL_IGNORE;
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, id)), TRUE);
}

}  // namespace kestrel::win32
