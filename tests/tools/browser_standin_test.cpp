#include <gtest/gtest.h>

#include "tools/standin/browser_model.h"
#include "viewer/text/links.h"

namespace kestrel::standin {
namespace {

// The stand-in takes exactly what the viewer sends, and refuses what a browser would not take.
TEST(BrowserStandIn, TakesTheViewersOpenMacros) {
    auto url = ParseBrowserOpen(BrowserUrlMacro("http://a.jp/x?a=1,2"));
    ASSERT_TRUE(url);
    EXPECT_EQ(url->target, "http://a.jp/x?a=1,2");
    EXPECT_EQ(url->window, "0xFFFFFFFF");
    EXPECT_EQ(url->flags, "0x4");

    auto file = ParseBrowserOpen(BrowserFileMacro("C:\\k\\_plvview.htm"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->target, "file:C:\\k\\_plvview.htm");
    EXPECT_EQ(LocalFileOf(file->target), "C:\\k\\_plvview.htm");

    EXPECT_FALSE(ParseBrowserOpen("http://a.jp/,,0xFFFFFFFF"));  // unquoted address
    EXPECT_FALSE(ParseBrowserOpen("\"http://a.jp/,,0x4"));       // quote left open
    EXPECT_FALSE(ParseBrowserOpen("\"\",,0xFFFFFFFF"));          // nothing to open
    EXPECT_FALSE(ParseBrowserOpen("\"x\",,window,0x4"));
    EXPECT_FALSE(ParseBrowserOpen(""));
}

TEST(BrowserStandIn, LocalFilesMustExist) {
    EXPECT_EQ(LocalFileOf("http://a.jp/"), "");
    EXPECT_EQ(LocalFileOf("C:\\k\\a.htm"), "C:\\k\\a.htm");
    EXPECT_EQ(LocalFileOf("file:///C:/k/a.htm"), "C:/k/a.htm");
    EXPECT_EQ(OpenLogLine("C:\\k\\a.htm", false), "missing C:\\k\\a.htm");
    EXPECT_EQ(OpenLogLine("C:\\k\\a.htm", true), "open C:\\k\\a.htm");
    EXPECT_EQ(OpenLogLine("http://a.jp/", false), "open http://a.jp/");
}

}  // namespace
}  // namespace kestrel::standin
