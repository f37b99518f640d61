// Page sizes and scrolling into the next or previous mail.
#include "viewer/link/paging.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrel {
namespace {

TEST(PageSize, VisibleLinesAndScrollPercent) {
    EXPECT_EQ(VisibleLineCount(300, 14), (300 - 10) * 20 / (14 * 27) - 1);  // 14
    EXPECT_EQ(VisibleLineCount(300, 0), VisibleLineCount(300, 14));
    EXPECT_EQ(VisibleLineCount(300, -3), VisibleLineCount(300, 14));

    EXPECT_EQ(PageLines(14, 100, true), 14);
    EXPECT_EQ(PageLines(14, 100, false), -14);
    EXPECT_EQ(PageLines(15, 50, true), 7);  // truncated
    EXPECT_EQ(PageLines(15, 50, false), -7);
    EXPECT_EQ(PageLines(14, -5, true), 5);  // a fixed page of five lines
    EXPECT_EQ(PageLines(14, -5, false), -5);
    EXPECT_EQ(PageLines(14, 200, true), 28);
    EXPECT_EQ(PageLines(14, INT32_MIN, true), 0x7FFFFFFF);
    EXPECT_EQ(PageLines(0x7FFFFFFF, 0x7FFFFFFF, true), 0x7FFFFFFF);
}

// A page of no lines would leave Space at the end of a mail doing nothing for ever.
TEST(PageSize, AtLeastOneLine) {
    EXPECT_EQ(PageLines(14, 0, true), 1);
    EXPECT_EQ(PageLines(14, 0, false), -1);
    EXPECT_EQ(PageLines(14, 5, true), 1);                          // 14 * 5 / 100 = 0
    EXPECT_EQ(PageLines(VisibleLineCount(20, 14), 100, true), 1);  // a tiny window
    EXPECT_EQ(PageLines(VisibleLineCount(20, 14), 100, false), -1);
}

TEST(PageSize, WhoMayChangeMail) {
    EXPECT_TRUE(MayChangeMail(PageSource::Button, true));
    EXPECT_FALSE(MayChangeMail(PageSource::Button, false));
    EXPECT_TRUE(MayChangeMail(PageSource::KeyAndMail, false));
    EXPECT_FALSE(MayChangeMail(PageSource::KeyOnly, true));
    EXPECT_FALSE(MayChangeMail(PageSource::Line, true));
}

// An editor of lineCount lines showing `visible` lines at once. It stops with the last line at
// the bottom, or (scrollPastEnd) lets the last line scroll up to the top.
struct FakeView : ScrollView {
    int lineCount = 0, visible = 10, first = 0;
    bool scrollPastEnd = false;
    bool trailingEmpty = false;  // the control holds one more, empty, line after the text
    int scrolls = 0;
    int FirstVisibleLine() const override { return first; }
    void ScrollLines(int by) override {
        ++scrolls;
        int lines = lineCount + (trailingEmpty ? 1 : 0);
        int last = scrollPastEnd ? std::max(0, lines - 1) : std::max(0, lines - visible);
        first = std::clamp(first + by, 0, last);
    }
    int TextLineCount() const override { return lineCount; }
};

TEST(Scrolling, PageDownIntoTheNextMail) {
    FakeView v;
    v.lineCount = 25;
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::Stay);
    EXPECT_EQ(v.first, 10);
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::Stay);  // 15: the last line at the bottom
    EXPECT_EQ(v.first, 15);
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::GoNext);  // nothing more to scroll
    EXPECT_EQ(ScrollBy(v, 10, false), ScrollOutcome::Stay);
    EXPECT_EQ(ScrollBy(v, 1, false), ScrollOutcome::Stay);
}

// The control lets the empty line after a text ending in a line break scroll up to the top:
// reaching it is the end of the text.
TEST(Scrolling, TheLineAfterTheTextAtTheTopIsTheEnd) {
    FakeView v;
    v.lineCount = 20;
    v.trailingEmpty = true;
    v.scrollPastEnd = true;
    v.first = 8;
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::Stay);    // 18
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::GoNext);  // 20, the empty line
    EXPECT_EQ(v.first, 20);
}

// The control lets the last line scroll up to the top: that is the end, and the line was
// already on show at the page before.
TEST(Scrolling, TheLastLineAtTheTopIsTheEnd) {
    FakeView v;
    v.lineCount = 25;
    v.scrollPastEnd = true;
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::Stay);
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::Stay);  // 20: lines 20-24 on show
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::GoNext);
    EXPECT_EQ(v.first, 24);
}

TEST(Scrolling, AShortTextGoesOnAtOnce) {
    FakeView v;
    v.lineCount = 3;
    EXPECT_EQ(ScrollBy(v, 10, true), ScrollOutcome::GoNext);
    EXPECT_EQ(v.first, 0);
    EXPECT_EQ(ScrollBy(v, 10, false), ScrollOutcome::Stay);
}

TEST(Scrolling, PageUpAtTheTopGoesBackWithoutScrolling) {
    FakeView v;
    v.lineCount = 40;
    EXPECT_EQ(ScrollBy(v, -10, true), ScrollOutcome::GoPrevious);
    EXPECT_EQ(v.scrolls, 0);
    EXPECT_EQ(ScrollBy(v, -10, false), ScrollOutcome::Stay);
    EXPECT_EQ(v.scrolls, 0);
    v.first = 5;
    EXPECT_EQ(ScrollBy(v, -10, true), ScrollOutcome::Stay);  // scrolls to the top first
    EXPECT_EQ(v.first, 0);
    EXPECT_EQ(ScrollBy(v, -10, true), ScrollOutcome::GoPrevious);
}

}  // namespace
}  // namespace kestrel
