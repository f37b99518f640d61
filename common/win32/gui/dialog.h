// A dialog object behind a dialog resource, the dialog counterpart of Window: one procedure
// hands every message to the C++ object that opened the dialog.
#pragma once

#include <windows.h>

namespace kestrel::wingui {

class Dialog {
  public:
    Dialog() = default;
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog of resource templateId modally; returns the EndDialog code, or -1 when
    // the dialog could not be made.
    INT_PTR RunModal(int templateId, HWND owner = nullptr);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  protected:
    // WM_INITDIALOG; return true to let the system set the focus.
    virtual bool OnInit() { return true; }
    // WM_COMMAND from a control or menu; the default ends the dialog on IDOK and IDCANCEL.
    virtual bool OnCommand(int id, int notifyCode, HWND control);
    // WM_NOTIFY; the result goes back through DWLP_MSGRESULT.
    virtual bool OnNotify(NMHDR* header, LRESULT& result) { return false; }
    // Every other message; false hands it to the dialog manager.
    virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return false;
    }
    void End(INT_PTR code) { EndDialog(hwnd_, code); }

  private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace kestrel::wingui
