// The spell check dialog's window: a modeless dialog from the IDD_SPELL template, forwarding
// its buttons, list and check boxes to TForm2 and showing what TForm2 puts in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "viewer/shell/spell_dialog.h"
#include "viewer/shell/spell_window.h"

namespace kestrel::win32 {

class WinSpellDialogWindow : public SpellDialogWindow {
  public:
    WinSpellDialogWindow() = default;
    ~WinSpellDialogWindow() override;
    WinSpellDialogWindow(const WinSpellDialogWindow&) = delete;
    WinSpellDialogWindow& operator=(const WinSpellDialogWindow&) = delete;

    // Makes the (hidden) dialog, owned by owner, whose events go to form.
    bool Create(HWND owner, TForm2& form);
    HWND hwnd() const { return hwnd_; }

    void Show() override;
    void Hide() override;
    bool Visible() const override;
    void MoveTo(int left, int top) override;
    int Left() const override;
    int Top() const override;
    void SetFieldFont(std::string_view name, int size) override;
    void SetWord(std::string_view word) override;
    void SetReplacement(std::string_view text) override;
    std::string Replacement() const override;
    void SetList(const std::vector<std::string>& entries) override;
    void SetCheckBoxes(bool capital, bool numeric) override;
    void FocusButton(SpellButton button) override;

  private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int id, int code);

    HWND hwnd_ = nullptr;
    TForm2* form_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace kestrel::win32
