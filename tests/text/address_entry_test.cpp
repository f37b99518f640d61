#include "viewer/text/address_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileio.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

TEST(AddressEntry, BothFromForms) {
    Lines mail = {"X-Status: READ", "From: Taro.Yamada@Example.JP (Taro Yamada)", "Subject: hi",
                  "--------", "body"};
    std::string source = AddressSourceText(mail, 0, 0);
    EXPECT_EQ(source, "Taro.Yamada@Example.JP (Taro Yamada)");
    EXPECT_EQ(AddressEntryFrom(source), "Taro Yamada <taro.yamada@example.jp>");

    // The bracket form is taken unchanged, the address keeping its case.
    mail[1] = "From: Sender Name <Sender@Example.JP>";
    EXPECT_EQ(AddressEntryFrom(AddressSourceText(mail, 0, 0)), "Sender Name <Sender@Example.JP>");

    // A full-width space in the name becomes a blank; the address's double-byte characters
    // (trail byte 0x41 = 'A') are not lower-cased.
    EXPECT_EQ(AddressEntryFrom("A\x83\x41@x.JP (\x8e\x52\x93\x63\x81\x40\x91\xbe\x98\x59)"),
              "\x8e\x52\x93\x63 \x91\xbe\x98\x59 <a\x83\x41@x.jp>");
}

TEST(AddressEntry, OddSourcesNeverFail) {
    // No From line: the last line from its seventh byte on.
    EXPECT_EQ(AddressSourceText({"Subject: x", "12345 tail"}, 0, 0), "tail");
    EXPECT_EQ(AddressSourceText({"short"}, 0, 0), "");
    EXPECT_EQ(AddressSourceText({}, 0, 0), "");
    // "(" first, no ")", a lone "(": no crash, a best-effort entry.
    EXPECT_EQ(AddressEntryFrom("(Name)"), "Name <>");
    EXPECT_EQ(AddressEntryFrom("a@b (Name"), "Name <a@b>");
    EXPECT_EQ(AddressEntryFrom("plain@example.jp"), "plain@example.jp");
    // A seventh byte that is the trail of a double-byte character is skipped.
    EXPECT_EQ(AddressSourceText({"From:\x88\x9f"
                                 "abc"},
                                0, 0),
              "abc");
}

TEST(AddressEntry, SelectionStaysInItsLine) {
    Lines text = {"first line", "name@example.jp and more", "third"};
    // Offsets count CR LF as two bytes: line 1 starts at 12.
    EXPECT_EQ(AddressSourceText(text, 12, 15), "name@example.jp");
    // A selection running into the next line is cut at its line's end.
    EXPECT_EQ(AddressSourceText(text, 12 + 20, 40), "more");
    EXPECT_EQ(AddressSourceText(text, 1000, 3), "");
}

TEST(AddressEntry, ClipboardLineWithoutTheTool) {
    EXPECT_EQ(AddressBookLine("Sender Name <a@example.jp>"),
              "Sender Name :Sender\\ Name\\ <a@example.jp>");
    EXPECT_EQ(AddressBookLine("a@example.jp"), ":a@example.jp");
}

TEST(AddressEntry, MacroEscapesForTheTool) {
    EXPECT_EQ(EscapeForAliasMacro("Yamada, Taro <t@x.jp>"), "Yamada\\, Taro <t@x.jp>");
    EXPECT_EQ(EscapeForAliasMacro("a\"b\\c:d"), "ab\\\\c\\:d");
    // The trail byte 0x5C of a double-byte character is no backslash.
    EXPECT_EQ(EscapeForAliasMacro("\x95\x5c <h@x.jp>"), "\x95\x5c <h@x.jp>");
    EXPECT_EQ(AliasWindowTitle(std::string("c:") + PathSeparator() + "address.txt"),
              "address.txt - Alias");
}

}  // namespace
}  // namespace kestrel
