#include "viewer/mail/decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

const std::string kRead = "X-Status: READ";
const std::string kSep = "--------";

Lines Decoded(const Lines& in, bool kana = false) {
    DecodeResult r = DecodeMessage(in, kana);
    EXPECT_TRUE(r.ok) << r.error;
    return r.lines;
}

// The decoded body of a mail with the given header lines.
Lines Body(Lines header, const Lines& body, bool kana = false) {
    header.push_back("");
    header.insert(header.end(), body.begin(), body.end());
    Lines out = Decoded(header, kana);
    size_t sep = 0;
    while (sep < out.size() && out[sep] != kSep) ++sep;
    return Lines(out.begin() + std::min(out.size(), sep + 1), out.end());
}

std::string Repeat(const std::string& s, int times) {
    std::string out;
    for (int k = 0; k < times; ++k) out += s;
    return out;
}

std::string Base64(const std::string& bytes) {
    static const char* abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
        out += abc[v >> 18];
        out += abc[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? abc[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? abc[v & 63] : '=';
    }
    return out;
}

TEST(HeaderEncodedWords, DecodeToRawBytes) {
    struct Case {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"iso-2022-jp word", "Subject: =?iso-2022-jp?b?GyRCJEIbKEI=?=", "Subject: \x1b$B$B\x1b(B"},
        {"adjacent words keep their space",
         "To: =?ISO-2022-JP?B?GyRCJEIbKEI=?= =?ISO-2022-JP?B?GyRCJEIbKEI=?= <a@b>",
         "To: \x1b$B$B\x1b(B \x1b$B$B\x1b(B <a@b>"},
        {"word without its leading =", "From: ?ISO-2022-JP?B?GyRCJEIbKEI=?= <a@b>",
         "From: \x1b$B$B\x1b(B <a@b>"},
        {"shift_jis word", "From: =?Shift_JIS?B?gqA=?= x", "From: \x82\xa0 x"},
        {"x-sjis Q word", "Subject: =?x-sjis?q?=82=a0abc?= tail",
         "Subject: \x82\xa0"
         "abc tail"},
        {"iso-8859-1 Q word keeps underscores", "From: =?ISO-8859-1?Q?Andr=E9_X?= <a@b>",
         "From: Andr\xe9_X <a@b>"},
        {"only the first Q word", "X: =?x-sjis?q?=41?= =?x-sjis?q?=42?=", "X: A =?x-sjis?q?=42?="},
        {"Q word without its end", "X: =?x-sjis?q?=41bc", "X: Abc"},
        {"bad last word leaves the line", "Subject: =?iso-2022-jp?b?GyRC$$?= x",
         "Subject: =?iso-2022-jp?b?GyRC$$?= x"},
        {"word without closing ?", "Subject: =?iso-2022-jp?b?GyRCJEIb",
         "Subject: =?iso-2022-jp?b?GyRCJEIb"},
        {"? as the last byte is bad", "X: =?iso-2022-jp?b?GyRC?", "X: =?iso-2022-jp?b?GyRC?"},
        {"earlier bad word keeps its whole groups",
         "X: =?iso-2022-jp?b?GyRC$?= =?iso-2022-jp?b?GyRC?=x", "X: \x1b$B \x1b$Bx"},
        {"a space counts toward the group", "X: =?iso-2022-jp?b?Gy RC?=", "X: \x6c\x91\x02"},
        {"leading zero bytes are left out", "X: =?iso-2022-jp?b?AABC?=", "X: B"},
        {"quoted-printable line is not decoded", "X-Note: quoted-printable =?iso-2022-jp?b?GyRC?=",
         "X-Note: quoted-printable =?iso-2022-jp?b?GyRC?="},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decoded({c.in, ""}), (Lines{kRead, c.in == c.out ? c.in : c.out, kSep}))
            << c.name;
    }
}

TEST(SubjectUnfolding, FoldedLinesJoinWithoutSeparator) {
    struct Case {
        const char* name;
        Lines in, out;
    } cases[] = {
        {"three lines",
         {"Subject: abc", " def", "\t \tghi", "From: x", ""},
         {kRead, "Subject: abcdefghi", "From: x", kSep}},
        {"encoded words on folded lines",
         {"Subject: =?iso-2022-jp?b?GyRCJEIbKEI=?=", " =?iso-2022-jp?b?GyRCJEIbKEI=?=", ""},
         {kRead, "Subject: \x1b$B$B\x1b(B\x1b$B$B\x1b(B", kSep}},
        {"still open at the end of the text",
         {"From: a", "Subject: x", "  y"},
         {kRead, "From: a", "Subject: xy"}},
        {"a second Subject closes the first",
         {"Subject: a", "Subject: b", ""},
         {kRead, "Subject: a", "Subject: b", kSep}},
        {"continuation without a subject stays",
         {"Received: a", "\tb", ""},
         {kRead, "Received: a", "\tb", kSep}},
        {"only exact case opens", {"subject: a", " b", ""}, {kRead, "subject: a", " b", kSep}},
        {"body lines are not unfolded",
         {"Subject: a", "", " b"},
         {kRead, "Subject: a", kSep, " b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Decoded(c.in), c.out) << c.name;
}

TEST(StatusLine, AlwaysFirstAndOldOneStays) {
    EXPECT_EQ(Decoded({}), (Lines{kRead}));
    EXPECT_EQ(Decoded({"X-Status: RECV", "", "body"}),
              (Lines{kRead, "X-Status: RECV", kSep, "body"}));
    // Decoding twice adds a second status line.
    Lines once = Decoded({"From: a", "", "b"});
    EXPECT_EQ(Decoded(once), (Lines{kRead, kRead, "From: a", kSep, "b"}));
}

TEST(QuotedPrintable, BodyPass) {
    const Lines qp = {"Content-Transfer-Encoding: quoted-printable"};
    struct Case {
        const char* name;
        Lines in, out;
    } cases[] = {
        {"soft break consumes the next line", {"abc=", "def=41", "next"}, {"abcdefA", "next"}},
        {"decoded = is not scanned again", {"a=3D41"}, {"a=41"}},
        {"lower-case digits", {"=e9=E9"}, {"\xe9\xe9"}},
        {"one byte left takes the next line", {"x=4", "1y"}, {"xAy"}},
        {"soft break on the last line", {"abc="}, {"abc"}},
        {"soft break before an empty line", {"abc=", "", "d"}, {"abc", "d"}},
        {"chain of soft breaks", {"a=", "b=", "c=", "d"}, {"abcd"}},
        {"long lines whole",
         {Repeat("=41", 3000) + "=", std::string(5000, 'b') + "=4", "2"},
         {std::string(3000, 'A') + std::string(5000, 'b') + "B"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Body(qp, c.in), c.out) << c.name;
    EXPECT_EQ(Body({}, {"a=41"}), (Lines{"a=41"})) << "no pass without the header";
}

TEST(DecodeErrors, BadEscapeStopsTheCommand) {
    struct Case {
        const char* name;
        Lines in;
        std::string message;
    } cases[] = {
        {"body", {"Content-Transfer-Encoding: quoted-printable", "", "ok", "a=4G"}, "'$4G'"},
        {"one byte at the end", {"Content-Transfer-Encoding: quoted-printable", "", "x=4"}, "'$4'"},
        {"one byte joined with the next line",
         {"Content-Transfer-Encoding: quoted-printable", "", "x=4", "zz"},
         "'$4z'"},
        {"Q word", {"Subject: =?x-sjis?q?=ZZ?=", ""}, "'$ZZ'"},
        {"Q word = at its end", {"Subject: =?x-sjis?q?ab=?=", ""}, "'$'"},
    };
    for (const Case& c : cases) {
        DecodeResult r = DecodeMessage(c.in, false);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_TRUE(r.lines.empty()) << c.name;
        EXPECT_EQ(r.error, c.message + " is not a valid integer value") << c.name;
    }
}

TEST(Base64Body, ValidBodyIsDecodedIntoLines) {
    const Lines b64 = {"Content-Type: text/plain", "Content-Transfer-Encoding: base64"};
    std::string text = "\x1b$B$B\x1b(B\r\nx\x0e\x31\x0fy\nlast";
    std::string enc = Base64(text);
    // Broken into lines with blanks around, as mailers do.
    Lines body = {enc.substr(0, 8), " " + enc.substr(8, 8) + "\t", enc.substr(16), ""};
    EXPECT_EQ(Body(b64, body), (Lines{"\x1b$B$B\x1b(B", "x\x1b(I\x31\x1b(Jy", "last"}));
    EXPECT_EQ(Body(b64, {Base64("a\r\nb\r\n")}), (Lines{"a", "b"}));
    // The padding of a base64 body does not reach the quoted-printable pass.
    EXPECT_EQ(Body({"X: quoted-printable", "Content-Transfer-Encoding: base64"}, {"SGk="}),
              (Lines{"Hi"}));
    // Lines of the decoded text that end in kanji mode are joined like any others.
    EXPECT_EQ(Body(b64, {Base64("\x1b$B$\"\r\n$$\x1b(B\r\n")}), (Lines{"\x1b$B$\"$$\x1b(B"}));
}

TEST(Base64Body, InvalidBodyIsLeftAlone) {
    const Lines b64 = {"Content-Transfer-Encoding: base64"};
    const Lines bodies[] = {
        {"SGVsbG8*", "abc"},         // a byte outside the alphabet
        {"SGk=", "SGk="},            // padding before the end
        {"SGVsbG8"},                 // length not a multiple of four
        {"a=41 not base64 at all"},  // and no quoted-printable error either
        {"", "  "},                  // nothing to decode
    };
    for (const Lines& body : bodies) EXPECT_EQ(Body(b64, body), body) << body[0];
    EXPECT_EQ(Body({"X: quoted-printable", "Content-Transfer-Encoding: base64"}, {"a=4G"}),
              (Lines{"a=4G"}));
}

TEST(KanaWidening, RunsBecomeJisX0208) {
    struct Case {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"semi-voiced pa", "\x1b(I\x4a\x5f\x1b(B", "\x1b$B\x25\x51\x1b(B"},
        {"semi-voiced mark opening a run", "\x1b(I\x5f", "\x1b$B\x21\x2c"},
        {"voiced ga", "\x1b(I\x36\x5e\x1b(B", "\x1b$B\x25\x2c\x1b(B"},
        {"voiced do", "\x1b(I\x44\x5e", "\x1b$B\x25\x49"},
        {"voiced bo", "\x1b(I\x4e\x5e", "\x1b$B\x25\x5c"},
        {"semi-voiced po", "\x1b(I\x4e\x5f", "\x1b$B\x25\x5d"},
        {"vu", "\x1b(I\x33\x5e", "\x1b$B\x25\x74"},
        {"voiced mark after a", "\x1b(I\x31\x5e", "\x1b$B\x25\x22\x21\x2b"},
        {"semi-voiced mark after ka", "\x1b(I\x36\x5f", "\x1b$B\x25\x2b\x21\x2c"},
        {"two marks", "\x1b(I\x36\x5e\x5e", "\x1b$B\x25\x2c\x21\x2b"},
        {"punctuation and small kana", "\x1b(I\x21\x22\x23\x24\x25\x26\x27\x2f\x30",
         "\x1b$B\x21\x23\x21\x56\x21\x57\x21\x22\x21\x26\x25\x72\x25\x21\x25\x43\x21\x3c"},
        {"a, ta, n", "\x1b(I\x31\x40\x5d", "\x1b$B\x25\x22\x25\x3f\x25\x73"},
        {"two runs", "a\x1b(I\x31\x1b(I\x32", "a\x1b$B\x25\x22\x1b$B\x25\x24"},
        {"no run", "abc\x1b$B$\"", "abc\x1b$B$\""},
    };
    for (const Case& c : cases) EXPECT_EQ(ToFullWidthKana(c.in), c.out) << c.name;
}

TEST(KanaWidening, ShiftedLineWithAndWithoutZenkaku) {
    const Lines body = {"\x78\x0e\x31\x0f\x79"};
    EXPECT_EQ(Body({}, body), (Lines{"\x78\x1b\x28\x49\x31\x1b\x28\x4a\x79"}));
    EXPECT_EQ(Body({}, body, true), (Lines{"\x78\x1b\x24\x42\x25\x22\x1b\x28\x4a\x79"}));
    // The header is never widened.
    EXPECT_EQ(Decoded({"X: \x1b(I\x31", ""}, true), (Lines{kRead, "X: \x1b(I\x31", kSep}));
}

TEST(DecodeViewFile, LinesEndInCrLf) {
    EXPECT_EQ(std::string(kDecodeViewFileName), "_plvview.jis");
    EXPECT_EQ(DecodeViewFileText({kRead, "a"}), kRead + "\r\na\r\n");
}

}  // namespace
}  // namespace kestrel
