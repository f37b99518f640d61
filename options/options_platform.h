// The small interfaces the options editor's dialogs are written against. The Windows layer
// implements them with the common dialogs and message boxes; tests with fakes. Texts are
// Shift-JIS.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "options/options_form.h"

namespace kestrel {

class OptionsPlatform {
  public:
    virtual ~OptionsPlatform() = default;
    // A plain message box with an OK button.
    virtual void ShowMessage(std::string_view text) = 0;
    // The file-open dialog with a filter ("Program files|*.exe|All files|*.*"), without a
    // preset file name; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(std::string_view filter) = 0;
    virtual std::optional<Colour> ChooseColour(Colour initial) = 0;
    virtual std::optional<FontChoice> PickFont(const FontChoice& initial) = 0;
    // The help file (a bare file name) at the topic with this identifier.
    virtual void ShowHelp(std::string_view helpFile, std::string_view topic) = 0;
    // Shows the key assignment dialog modally.
    virtual void ShowKeyAssign() = 0;
};

}  // namespace kestrel
