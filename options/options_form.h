// The values that the options dialog's controls hold between the read pass and the write pass,
// by control name, and the list of those controls with their page and kind. Texts are
// Shift-JIS; colours are 0x00BBGGRR, 0x80000000 + n naming system colour n.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/keys.h"

namespace kestrel {

using Colour = uint32_t;

constexpr Colour kSystemWindow = 0x80000005;      // window background
constexpr Colour kSystemWindowText = 0x80000008;  // window text
constexpr Colour kSilver = 0x00C0C0C0;
constexpr Colour kBlack = 0x00000000;

struct FontChoice {
    std::string name;  // "" keeps the dialog's own font
    int32_t size = 0;  // points
    Colour colour = kSystemWindowText;
};

// A read-only sample box: its font, text colour and background carry settings.
struct SampleBox {
    FontChoice font;
    Colour back = kSystemWindow;
};

enum class ControlKind {
    Edit,    // a text box the user types into
    Number,  // a text box for a number
    KeyBox,  // a read-only silver box that takes a key press
    Sample,  // a read-only box whose font and colours carry settings
    Check,   // a check box
    Radio,   // a radio button of a group
    Button,  // a push button
    Label,   // a text that follows the state (the scroll unit)
};

struct ControlDef {
    std::string name;
    int page;  // 0-5, in tab order
    ControlKind kind;
    int maxLength = 0;  // characters a box accepts; 0 is no limit
};

// Every control of the six pages that holds a value or reacts, in page order.
const std::vector<ControlDef>& OptionControls();
const ControlDef* FindOptionControl(std::string_view name);

struct OptionsForm {
    std::map<std::string, std::string, std::less<>> text;   // Edit, Number, KeyBox, Label
    std::map<std::string, bool, std::less<>> checked;       // Check, Radio
    std::map<std::string, bool, std::less<>> enabled;       // only the dependent controls
    std::map<std::string, SampleBox, std::less<>> samples;  // Sample (alert boxes also Edit)
    KeyTable keys;

    const std::string& Text(std::string_view name) const;
    bool Checked(std::string_view name) const;
    // True unless the control's state says it is disabled.
    bool Enabled(std::string_view name) const;
    SampleBox& Sample(std::string_view name);
    const SampleBox& Sample(std::string_view name) const;
};

}  // namespace kestrel
