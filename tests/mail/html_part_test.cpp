#include "viewer/mail/html_part.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

TEST(HtmlPart, PartWithoutHtmlTagGetsOne) {
    Lines mail = {"X-Status: READ",
                  "Subject: s",
                  "-----",
                  "--b",
                  "Content-Type: text/html; charset=iso-2022-jp",
                  "Content-Transfer-Encoding: 7bit",
                  "",
                  "",
                  "<p>hi</p>",
                  "</HTML>",
                  "after",
                  "--b"};
    EXPECT_EQ(ExtractHtmlPart(mail), (Lines{"<html>", "<p>hi</p>", "</HTML>"}));
}

TEST(HtmlPart, StartsAtHtmlTagAndEndsAtClosingTagOrFileEnd) {
    Lines a = {"head", "Content-Type: text/html;", "", "<HTML><body>", "x", "</html>", "y"};
    EXPECT_EQ(ExtractHtmlPart(a), (Lines{"<HTML><body>", "x", "</html>"}));
    Lines b = {"text", "<html>", "x"};
    EXPECT_EQ(ExtractHtmlPart(b), (Lines{"<html>", "x"}));
    // "<html>" further on in the first line: passed over, the search goes on.
    Lines c = {"content-type: text/html;", "", "<!DOCTYPE><html>", "<html>", "z", "</html>"};
    EXPECT_EQ(ExtractHtmlPart(c), (Lines{"<html>", "z", "</html>"}));
}

TEST(HtmlPart, NoPartOrTruncatedPartGivesLittleOrNothing) {
    EXPECT_TRUE(ExtractHtmlPart({"a", "b"}).empty());
    EXPECT_TRUE(ExtractHtmlPart({}).empty());
    EXPECT_TRUE(ExtractHtmlPart({"content-type: text/html; x", "h: v"}).empty());
    EXPECT_TRUE(ExtractHtmlPart({"Content-Type: text/html;", "", ""}).empty());
    // "text/html" without its semicolon is no start.
    EXPECT_TRUE(ExtractHtmlPart({"content-type: text/html", "", "x"}).empty());
}

}  // namespace
}  // namespace kestrel
