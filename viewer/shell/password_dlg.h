// TPasswordDlg: asking the user for the scramble PIN, typed twice in a row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "viewer/shell/platform.h"

namespace kestrel {

inline constexpr std::string_view kPasswordCaption = "Kestrel Password ";
inline constexpr std::string_view kPasswordLabel = "Enter your PIN twice (12341234)";
inline constexpr std::string_view kInvalidEntry = "Invalid Entry.";

class TPasswordDlg {
  public:
    TPasswordDlg(PinDialog& dialog, MessageBoxes& messages)
        : dialog_(dialog), messages_(messages) {}
    // Shows the dialog until a valid entry or Cancel. A valid PIN is stored as [Scramble] PIN
    // in settingsPath and returned in pin. False on Cancel: nothing is stored.
    bool Ask(const std::string& settingsPath, uint16_t& pin);

  private:
    PinDialog& dialog_;
    MessageBoxes& messages_;
};

}  // namespace kestrel
