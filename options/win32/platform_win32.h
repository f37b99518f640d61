// The options editor's platform on Windows: message boxes, the file-open, colour and font
// dialogs, help, and the modal key assignment dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "options/options_platform.h"

namespace kestrel::win32 {

// The caption of the options editor's message boxes: the program's name.
inline constexpr wchar_t kMessageCaption[] = L"kestrelset";

// 0x80000000 + n is system colour n; everything else is already 0x00BBGGRR.
COLORREF ToColorRef(Colour colour);

// A font of the given name and size in points; null for the dialog's own font (no name).
HFONT CreatePointFont(HWND reference, const FontChoice& font);

class WinOptionsPlatform : public OptionsPlatform {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    void SetKeyAssign(std::function<void()> show) { keyAssign_ = std::move(show); }

    void ShowMessage(std::string_view text) override;
    std::optional<std::string> OpenFile(std::string_view filter) override;
    std::optional<Colour> ChooseColour(Colour initial) override;
    std::optional<FontChoice> PickFont(const FontChoice& initial) override;
    void ShowHelp(std::string_view helpFile, std::string_view topic) override;
    void ShowKeyAssign() override {
        if (keyAssign_) keyAssign_();
    }

  private:
    HWND owner_ = nullptr;
    std::function<void()> keyAssign_;
    COLORREF customColours_[16] = {};
};

}  // namespace kestrel::win32
