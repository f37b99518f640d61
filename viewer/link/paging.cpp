#include "viewer/link/paging.h"

namespace kestrel {

int VisibleLineCount(int heightPixels, int fontSizePoints) {
    const int size = fontSizePoints > 0 ? fontSizePoints : 14;
    return (heightPixels - 10) * 20 / (size * 27) - 1;
}

int PageLines(int visibleLines, int32_t scrollPercent, bool down) {
    int64_t page;
    if (scrollPercent <= 0) {
        page = -int64_t{scrollPercent};  // in 64 bits, so the lowest int32 cannot overflow
    } else {
        page = int64_t{visibleLines} * scrollPercent / 100;
    }
    // A page of no lines (a tiny window, a small percentage, ScrollPercent 0) would never
    // reach the end of the text, so the reading loop would stop; one line is the least.
    if (page < 1) page = 1;
    if (page > 0x7FFFFFFF) page = 0x7FFFFFFF;
    return down ? int(page) : -int(page);
}

bool MayChangeMail(PageSource source, bool nextMailAtEnd) {
    switch (source) {
        case PageSource::Button:
            return nextMailAtEnd;
        case PageSource::KeyAndMail:
            return true;
        case PageSource::KeyOnly:
        case PageSource::Line:
            return false;
    }
    return false;
}

ScrollOutcome ScrollBy(ScrollView& view, int lines, bool mayChangeMail) {
    const int before = view.FirstVisibleLine();
    if (before == 0 && lines < 0) {
        return mayChangeMail ? ScrollOutcome::GoPrevious : ScrollOutcome::Stay;
    }
    view.ScrollLines(lines);
    if (lines > 0 && mayChangeMail) {
        const int after = view.FirstVisibleLine();
        // The end of the text: nothing could scroll any more (a short text, or a control that
        // stops with the last line at the bottom), or the last line has reached the top.
        if (after == before || after >= view.TextLineCount() - 1) {
            return ScrollOutcome::GoNext;
        }
    }
    return ScrollOutcome::Stay;
}

}  // namespace kestrel
