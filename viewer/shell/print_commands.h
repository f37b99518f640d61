// Print Font and Print: the editor's text on the default printer in the printer font, each line
// after [Printer] LeftSpace blanks, without the empty lines at its end.
#pragma once

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/print_lines.h"

namespace kestrel {

class PrintCommands {
  public:
    // Owns PrintFont and Print; the printer font comes from [Printer] FontName and FontSize.
    PrintCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form);

    // The font dialog on the printer font; OK makes the choice the printer font and writes it.
    void PrintFont1Click();
    // LeftSpace is read and written back (so the key is in the file afterwards), then the
    // lines go to the printer. Without a printer the printing layer's error is shown; the
    // text is untouched either way.
    void Print1Click();

    const FontChoice& PrinterFont() const { return font_; }

  private:
    void Write(std::string_view key, const std::string& value);

    Platform p_;
    TForm1& form_;
    FontChoice font_;
};

}  // namespace kestrel
