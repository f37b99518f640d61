#include "viewer/text/links.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/text/url.h"

namespace kestrel {
namespace {

TEST(BrowserMacros, UrlAndFileForms) {
    EXPECT_EQ(BrowserUrlMacro("http://a.jp/x"), "\"http://a.jp/x\",,0xFFFFFFFF,0x4,,,");
    EXPECT_EQ(BrowserFileMacro("C:\\k\\_plvview.htm"),
              "\"file:C:\\k\\_plvview.htm\",\"\",0xFFFFFFFF,\"\"");
}

TEST(MailTo, QuotedNameThenBracketedAddressOrQuotedBareAddress) {
    EXPECT_EQ(MailToText("\"Taro Yamada\" taro <taro@a.jp>"), "\"Taro Yamada\"<taro@a.jp>");
    EXPECT_EQ(MailToText("taro@a.jp"), "\"taro@a.jp\"");
    // The last double quote counts; the Japanese name is kept byte for byte.
    EXPECT_EQ(MailToText("\"\x8e\x52\x93\x63\" (x) <y@a.jp>"), "\"\x8e\x52\x93\x63\"<y@a.jp>");
    // A double quote without "<" after it: passed as it is.
    EXPECT_EQ(MailToText("\"x\" y@a.jp"), "\"x\" y@a.jp");
    EXPECT_EQ(MailToText("<a@b> \"x\""), "<a@b> \"x\"");
}

TEST(HtmlMailBrowserCommand, PercentOneBecomesTheFile) {
    const std::string f = "C:\\k\\_plvview.htm";
    BrowserLaunch a = BrowserLaunchForFile("\"C:\\web\\browser.exe\" \"%1\"", f);
    EXPECT_EQ(a.program, "\"C:\\web\\browser.exe\" \"C:\\k\\_plvview.htm\"");
    EXPECT_EQ(a.argument, "");
    BrowserLaunch b = BrowserLaunchForFile("C:\\web\\browser.exe -nohome %1", f);
    EXPECT_EQ(b.program, "C:\\web\\browser.exe -nohome \"C:\\k\\_plvview.htm\"");
    BrowserLaunch c = BrowserLaunchForFile("\"C:\\web\\browser.exe\" -nohome", f);
    EXPECT_EQ(c.program, "\"C:\\web\\browser.exe\" -nohome");
    EXPECT_EQ(c.argument, "\"C:\\k\\_plvview.htm\"");
}

// The address pick of the Web browser command on the caret line, on top of the rules of
// url_test.cpp: closing parenthesis, Japanese text after an address, two addresses.
TEST(WebBrowserCaretRule, ParenthesisJapaneseAndTwoAddresses) {
    std::string paren = "see (http://a.jp/x) now";
    auto u = FindUrlAtCaret(paren, 0);
    ASSERT_TRUE(u);
    EXPECT_EQ(paren.substr(u->start, u->length), "http://a.jp/x");

    std::string jp = "http://a.jp/x\x82\xc5\x82\xb7";  // followed by hiragana
    u = FindUrlAtCaret(jp, 3);
    ASSERT_TRUE(u);
    EXPECT_EQ(jp.substr(u->start, u->length), "http://a.jp/x");

    std::string two = "http://a.jp/ http://b.jp/";
    u = FindUrlAtCaret(two, 15);
    ASSERT_TRUE(u);
    EXPECT_EQ(two.substr(u->start, u->length), "http://b.jp/");

    EXPECT_TRUE(SelectionIsUrl("ftp://a.jp/pub"));
    EXPECT_FALSE(SelectionIsUrl("see http://a.jp/"));
}

}  // namespace
}  // namespace kestrel
