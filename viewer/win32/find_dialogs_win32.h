// The standard modeless Find and Replace dialogs (FindTextW, ReplaceTextW). They report their
// buttons to the owner window with the registered FINDMSGSTRING message; the window hands the
// message's lParam to Translate and the event it gives to the find and replace commands.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "viewer/shell/find_dialogs.h"

namespace kestrel::win32 {

class WinFindReplaceDialogs : public FindReplaceDialogs {
  public:
    explicit WinFindReplaceDialogs(std::function<HWND()> owner);
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
    // The dialog's FINDREPLACEW and its buffers (commdlg.h stays out of this header: its
    // ChooseFont macro would rename the standard dialogs' method).
    struct Dialog;
    Dialog& Of(FindDialogKind kind) { return kind == FindDialogKind::Find ? *find_ : *replace_; }

    std::function<HWND()> owner_;
    std::unique_ptr<Dialog> find_, replace_;
};

}  // namespace kestrel::win32
