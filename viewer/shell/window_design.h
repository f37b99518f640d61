// Design values of the main window for the Windows layer that builds it.
#pragma once

#include <string_view>

namespace kestrel {

// The caption until the window is first shown (UpdateWindowState replaces it).
inline constexpr std::string_view kDesignCaption = "Kestrel - [Untitled]";
inline constexpr int kDesignLeft = 49, kDesignTop = 52, kDesignWidth = 611, kDesignHeight = 342;
// Window font: FixedSys, 16 pixels high, Shift-JIS character set; key preview on.
inline constexpr std::string_view kDesignFontName = "FixedSys";
inline constexpr int kDesignFontHeight = 16;

// Panel1: top-aligned, no bevel; the buttons on its top row, the ruler label below them.
inline constexpr int kToolbarDesignHeight = 44;
// Height that leaves the buttons and covers the ruler.
inline constexpr int kToolbarHeightWithoutRuler = 27;
inline constexpr int kRulerLeft = 4, kRulerTop = 26;
inline constexpr std::string_view kRulerCaption =
    "----+----1----+----2----+----3----+----4----+----5----+----6----+----7----+----8----+----9"
    "----+----A----+----B----+----C----+----D";

}  // namespace kestrel
