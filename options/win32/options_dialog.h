// The options editor's dialog (TMultPageDlg): for now the frame, the tab set with its six
// pages and the button column; the pages' fields are added here.
#pragma once

#include <string>

#include "common/win32/gui/dialog.h"

namespace kestrel::win32 {

class OptionsDialog : public wingui::Dialog {
  public:
    explicit OptionsDialog(std::wstring settingsPath) : settingsPath_(std::move(settingsPath)) {}

  protected:
    bool OnInit() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;

  private:
    std::wstring settingsPath_;
};

}  // namespace kestrel::win32
