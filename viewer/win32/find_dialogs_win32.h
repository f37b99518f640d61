// The standard modeless Find and Replace dialogs (FindTextW, ReplaceTextW). They report their
// buttons to the owner window with the registered FINDMSGSTRING message; the window hands the
// message's lParam to Translate and the event it gives to the find and replace commands.
#pragma once

#include <windows.h>
// After windows.h.
#include <commdlg.h>

#include <functional>
#include <optional>
#include <string_view>

#include "viewer/shell/find_dialogs.h"

namespace kestrel::win32 {

class WinFindReplaceDialogs : public FindReplaceDialogs {
  public:
    explicit WinFindReplaceDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    ~WinFindReplaceDialogs() override;
    WinFindReplaceDialogs(const WinFindReplaceDialogs&) = delete;
    WinFindReplaceDialogs& operator=(const WinFindReplaceDialogs&) = delete;

    void Show(FindDialogKind dialog, std::string_view findText) override;

    // The registered message the dialogs send to their owner.
    static UINT Message();
    // The event one such message carries; nothing for a dialog that closes (it is forgotten
    // here) or for a structure that is not one of these dialogs'.
    std::optional<FindDialogEvent> Translate(LPARAM lParam);

  private:
    // Room for 511 characters and the NUL, whether the dialog counts its length in bytes or in
    // characters.
    static constexpr WORD kBufferChars = 512;
    struct Dialog {
        FINDREPLACEW fr{};
        wchar_t what[kBufferChars * 2] = {};
        wchar_t with[kBufferChars * 2] = {};
        HWND hwnd = nullptr;
        DWORD options = 0;  // FR_MATCHCASE and FR_WHOLEWORD as last left
    };
    Dialog& Of(FindDialogKind kind) { return kind == FindDialogKind::Find ? find_ : replace_; }

    std::function<HWND()> owner_;
    Dialog find_, replace_;
};

}  // namespace kestrel::win32
