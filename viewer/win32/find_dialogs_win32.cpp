#include "viewer/win32/find_dialogs_win32.h"

// After windows.h.
#include <commdlg.h>

#include <cwchar>
#include <string>

#include "common/win32/gui/app.h"
#include "viewer/win32/platform_win32.h"

namespace kestrel::win32 {

// Room for 511 characters and the NUL, whether the dialog counts its length in bytes or in
// characters.
constexpr WORD kBufferChars = 512;

struct WinFindReplaceDialogs::Dialog {
    FINDREPLACEW fr{};
    wchar_t what[kBufferChars * 2] = {};
    wchar_t with[kBufferChars * 2] = {};
    HWND hwnd = nullptr;
    DWORD options = 0;  // FR_MATCHCASE and FR_WHOLEWORD as last left
};

namespace {
void CopyInto(wchar_t* buffer, size_t chars, const std::wstring& text) {
    size_t n = text.size() < chars - 1 ? text.size() : chars - 1;
    wmemcpy(buffer, text.data(), n);
    buffer[n] = L'\0';
}
}  // namespace

WinFindReplaceDialogs::WinFindReplaceDialogs(std::function<HWND()> owner)
    : owner_(std::move(owner)),
      find_(std::make_unique<Dialog>()),
      replace_(std::make_unique<Dialog>()) {}

WinFindReplaceDialogs::~WinFindReplaceDialogs() {
    for (Dialog* d : {find_.get(), replace_.get()}) {
        if (d->hwnd) {
            wingui::RemoveModelessDialog(d->hwnd);
            DestroyWindow(d->hwnd);
            d->hwnd = nullptr;
        }
    }
}

UINT WinFindReplaceDialogs::Message() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

void WinFindReplaceDialogs::Show(FindDialogKind kind, std::string_view findText) {
    Dialog& d = Of(kind);
    std::wstring text = WideLossless(findText);
    if (d.hwnd) {
        // edt1 is the dialogs' search text field.
        SetDlgItemTextW(d.hwnd, 0x480, text.c_str());
        ShowWindow(d.hwnd, SW_SHOW);
        SetForegroundWindow(d.hwnd);
        return;
    }
    CopyInto(d.what, kBufferChars, text);
    d.fr = FINDREPLACEW{};
    d.fr.lStructSize = sizeof(FINDREPLACEW);
    d.fr.hwndOwner = owner_();
    // Every search runs forward: the direction buttons are hidden.
    d.fr.Flags = FR_DOWN | FR_HIDEUPDOWN | d.options;
    d.fr.lpstrFindWhat = d.what;
    d.fr.wFindWhatLen = kBufferChars;
    if (kind == FindDialogKind::Find) {
        d.hwnd = FindTextW(&d.fr);
    } else {
        d.fr.lpstrReplaceWith = d.with;
        d.fr.wReplaceWithLen = kBufferChars;
        d.hwnd = ReplaceTextW(&d.fr);
    }
    if (d.hwnd) wingui::AddModelessDialog(d.hwnd);
}

std::optional<FindDialogEvent> WinFindReplaceDialogs::Translate(LPARAM lParam) {
    const FINDREPLACEW* fr = reinterpret_cast<const FINDREPLACEW*>(lParam);
    FindDialogKind kind;
    if (fr == &find_->fr) {
        kind = FindDialogKind::Find;
    } else if (fr == &replace_->fr) {
        kind = FindDialogKind::Replace;
    } else {
        return std::nullopt;
    }
    Dialog& d = Of(kind);
    d.options = fr->Flags & (FR_MATCHCASE | FR_WHOLEWORD);
    if (fr->Flags & FR_DIALOGTERM) {
        wingui::RemoveModelessDialog(d.hwnd);
        d.hwnd = nullptr;
        return std::nullopt;
    }
    FindDialogEvent e;
    e.dialog = kind;
    if (fr->Flags & FR_REPLACEALL) {
        e.action = FindDialogAction::ReplaceAll;
    } else if (fr->Flags & FR_REPLACE) {
        e.action = FindDialogAction::Replace;
    } else if (fr->Flags & FR_FINDNEXT) {
        e.action = FindDialogAction::FindNext;
    } else {
        return std::nullopt;
    }
    e.findText = SjisLossless(d.what);
    if (kind == FindDialogKind::Replace) e.replaceText = SjisLossless(d.with);
    e.matchCase = (fr->Flags & FR_MATCHCASE) != 0;
    e.wholeWord = (fr->Flags & FR_WHOLEWORD) != 0;
    return e;
}

}  // namespace kestrel::win32
