// Scrolling the mail by pages and lines, and moving on to the next or previous mail at the
// ends of the text.
#pragma once

#include <cstdint>

namespace kestrel {

// Lines of text the editor shows: (height - 10) * 20 / (font size * 27) - 1. A font size of 0
// or below (the options editor may write FontSize 0) counts as 14 so the count stays defined.
int VisibleLineCount(int heightPixels, int fontSizePoints);

// Lines one page scrolls, negative upwards: scrollPercent percent of the visible lines,
// truncated, or, with scrollPercent zero or below, a fixed page of that many lines. Never less
// than one line.
int PageLines(int visibleLines, int32_t scrollPercent, bool down);

// Where a page or line command comes from; it decides whether the ends of the text change mail.
enum class PageSource {
    Button,      // tool-bar page buttons: as NextMailAtEnd says
    KeyAndMail,  // PageDownNext / PageUpPrev keys: always
    KeyOnly,     // PageDown / PageUp keys: never
    Line,        // line down / up: never
};
bool MayChangeMail(PageSource source, bool nextMailAtEnd);

// The part of the editor that scrolling needs.
class ScrollView {
  public:
    virtual ~ScrollView() = default;
    virtual int FirstVisibleLine() const = 0;
    virtual void ScrollLines(int lines) = 0;  // negative scrolls up
    // Lines of the text, a trailing empty line not counted.
    virtual int TextLineCount() const = 0;
};

enum class ScrollOutcome { Stay, GoNext, GoPrevious };

// Scrolls view by lines. At the top, an upward scroll goes to the previous mail instead (when
// mayChangeMail), scrolling nothing. A downward scroll that leaves the text at its end goes to
// the next mail (when mayChangeMail): nothing could scroll, or the first visible line is the
// text's last line or the empty one after it.
ScrollOutcome ScrollBy(ScrollView& view, int lines, bool mayChangeMail);

}  // namespace kestrel
