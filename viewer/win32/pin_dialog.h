// TPasswordDlg on Windows: the dialog template IDD_PASSWORD of kestrel.rc, shown modally over
// the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "viewer/shell/platform.h"

namespace kestrel::win32 {

class WinPinDialog : public PinDialog {
  public:
    explicit WinPinDialog(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    bool ShowModal(std::string& entry) override;

  private:
    std::function<HWND()> owner_;
};

}  // namespace kestrel::win32
