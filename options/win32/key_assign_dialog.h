// The key assignment dialog (TBtnBottomDlg) on Windows: 30 labels and 60 key boxes on the
// options editor's key table.
#pragma once

#include "common/win32/gui/dialog.h"
#include "options/btn_bottom_dlg.h"
#include "options/win32/key_box.h"

namespace kestrel::win32 {

class KeyAssignDialog : public wingui::Dialog, public KeyBoxSink {
  public:
    KeyAssignDialog(KeyTable& keys, OptionsPlatform& platform) : dlg_(keys, platform) {}
    void Run(HWND owner);

  protected:
    bool OnInit() override;
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void KeyBoxDown(int controlId, const KeyPress& key) override;

  private:
    void ShowBox(int m);
    TBtnBottomDlg dlg_;
    HFONT fixedFont_ = nullptr;
};

}  // namespace kestrel::win32
