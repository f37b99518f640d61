// The options dialog (TMultPageDlg) on Windows: the tab set, six child pages from their
// resource templates and the button column. It only moves values between the controls and
// the portable dialog's form; what a click does is decided there.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/win32/gui/dialog.h"
#include "options/mult_page_dlg.h"
#include "options/win32/key_box.h"
#include "options/win32/platform_win32.h"

namespace kestrel::win32 {

class OptionsDialog : public wingui::Dialog, public KeyBoxSink {
  public:
    explicit OptionsDialog(std::string settingsPath);
    ~OptionsDialog() override;

    // Shows the dialog modally; true when it was closed with OK.
    bool Run(HWND owner);

    WinOptionsPlatform& platform() { return platform_; }

  protected:
    bool OnInit() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void KeyBoxDown(int controlId, const KeyPress& key) override;

  private:
    static INT_PTR CALLBACK PageProcedure(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
    void PageCommand(int id, int notifyCode);
    HBRUSH ControlColour(HDC dc, HWND control);
    void ShowPage(int index);
    void Pull();  // controls -> form
    void Push();  // form -> controls
    HBRUSH Brush(COLORREF colour);
    void ShowKeyAssign();

    WinOptionsPlatform platform_;
    TMultPageDlg dlg_;
    std::vector<HWND> pages_;
    std::map<std::string, HWND, std::less<>> controls_;  // by component name
    std::map<HWND, std::string> names_;
    std::map<std::string, HFONT, std::less<>> fonts_;  // sample fonts in use
    std::map<std::string, FontChoice, std::less<>> fontShown_;
    std::map<COLORREF, HBRUSH> brushes_;
    bool closedWithOk_ = false;
};

}  // namespace kestrel::win32
