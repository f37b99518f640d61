#include "viewer/mail/mail_open.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "common/ini.h"
#include "support/testutil.h"
#include "viewer/mail/show_lines.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

const char kFolderMail[] = "/mail/inbox/0001.txt";

std::string Mail(const Lines& lines) {
    return JoinLinesCrLf(lines);
}

MailOpenContext Fresh() {
    MailOpenContext c;
    c.freshOpen = true;
    return c;
}

MailView Open(const Lines& lines, const MailViewSettings& s = {},
              const MailOpenContext& c = Fresh()) {
    return MailOpenBytes(Mail(lines), kFolderMail, s, c);
}

// The editor's lines after the To, Cc and Bcc hiding.
Lines Shown(const MailView& v) {
    Lines out;
    for (const ShownLine& s : ShowMailLines(v.lines, v.showToThis)) out.push_back(v.lines[s.index]);
    return out;
}

Lines Body(int n) {
    Lines b;
    for (int i = 1; i <= n; ++i) b.push_back("line " + std::to_string(i));
    return b;
}

Lines MailWith(const std::string& status, const Lines& body) {
    Lines m = {"X-Status: " + status, "From: a@x.jp", "Subject: s", "Date: d", "-----"};
    m.insert(m.end(), body.begin(), body.end());
    return m;
}

TEST(HeaderFilter, RearrangesStatusDateToFromSubject) {
    MailView v = Open({"X-Status: READ", "Received: by x", "From: Taro <t@x.jp>", " (cont)",
                       "Subject: Hello", "\tworld", "To: a@x.jp", "Date: Mon", "Cc: c@x.jp",
                       "X-Mailer: y", "-----------", "body"});
    EXPECT_EQ(v.lines, (Lines{"X-Status: READ", "Date: Mon", "To: a@x.jp", "Cc: c@x.jp",
                              "From: Taro <t@x.jp> (cont)", "Subject: Hello\tworld", "-----------",
                              "body"}));
    EXPECT_EQ(v.bodyStart, 7u);
    EXPECT_EQ(v.addressCount, 2);
    EXPECT_FALSE(v.openError);
}

TEST(HeaderFilter, AbsentFromAndSubjectGiveEmptyLines) {
    MailView v = Open({"X-Status: READ", "-----", "b"});
    EXPECT_EQ(v.lines, (Lines{"X-Status: READ", "", "", "-----", "b"}));
}

TEST(HeaderFilter, AllHeadersWhenHeaderModeOrPlainOrOutFolder) {
    Lines m = {"X-Status: READ", "Received: x", "\tcont", "From: f", "-----", "b"};
    Lines all = {"X-Status: READ", "Received: x", "    cont", "From: f", "-----", "b"};
    MailViewSettings header;
    header.header = true;
    EXPECT_EQ(Open(m, header).lines, all);
    MailOpenContext plain = Fresh();
    plain.fromFolder = false;
    EXPECT_EQ(Open(m, {}, plain).lines, all);
    EXPECT_EQ(MailOpenBytes(Mail(m), "/Mail/Out/0001.txt", {}, Fresh()).lines, all);
    // A trash directory's folder file ends in ".can", so "\out.fld" is not in it.
    EXPECT_NE(MailOpenBytes(Mail(m), "/mail/trash/out/0001.txt", {}, Fresh()).lines, all);
}

TEST(HeaderFilter, ScrambleLineBecomesSecondLine) {
    MailView v = Open({"X-Status: READ", "X-Scramble: 1", "Date: d", "From: f", "-----", "b"});
    EXPECT_EQ(v.lines,
              (Lines{"X-Status: READ", "X-Scramble: 1", "Date: d", "From: f", "", "-----", "b"}));
    EXPECT_EQ(v.bodyStart, 6u);
}

TEST(ExpandLeadingTabRule, Table) {
    struct Case {
        std::string line;
        int tab;
        std::string want;
    } cases[] = {
        {"\tx", 4, "    x"}, {"\tx", 0, "x"},     {"\tx", 20, std::string(12, ' ') + "x"},
        {"\tx", -1, "\tx"},  {" \tx", 4, " \tx"}, {"", 4, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpandLeadingTab(c.line, c.tab), c.want) << c.line;
}

TEST(AddressSplitting, QuotesAndCommas) {
    struct Case {
        Lines header;
        Lines want;
    } cases[] = {
        {{"To: a@x, b@x"}, {"To: a@x,", "    b@x"}},
        {{"To: \"Doe, J\" <j@x>, b@x"}, {"To: \"Doe, J\" <j@x>,", "    b@x"}},
        {{"To: \"unclosed, a@x"}, {"To: \"unclosed, a@x"}},
        {{"To: a@x,", "  b@x,", "\tc@x"}, {"To: a@x,", "    b@x,", "    c@x"}},
        {{"Cc: a@x,"}, {"Cc: a@x,"}},  // nothing left after the comma: no blank line
        {{"To: a@x", "  b@x"}, {"To: a@x  b@x"}},
    };
    for (const Case& c : cases) {
        Lines m = {"X-Status: READ"};
        m.insert(m.end(), c.header.begin(), c.header.end());
        m.push_back("-----");
        Lines want = {"X-Status: READ"};
        want.insert(want.end(), c.want.begin(), c.want.end());
        want.insert(want.end(), {"", "", "-----"});
        MailView v = Open(m);
        EXPECT_EQ(v.lines, want) << c.header[0];
        EXPECT_EQ(v.addressCount, static_cast<int>(c.want.size())) << c.header[0];
    }
}

// The reader's one-pass splitter must give what repeated SplitAddresses calls give, on
// well-formed Shift-JIS (a lead byte followed by a TAB, which the tidy step removes, may pair
// differently).
TEST(AddressSplitting, StreamMatchesStepwiseSplitting) {
    std::mt19937 rng(7);
    const std::string units[] = {"a", "b", " ",        ",",     "\"",     "\t",
                                 "<", ">", "\x82\xa0", "\x83,", "\x81\"", "\xb1"};
    for (int round = 0; round < 2000; ++round) {
        Lines header;
        int n = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < n; ++i) {
            std::string l = i == 0 ? "To:" : (rng() % 2 ? " " : "\t");
            int len = static_cast<int>(rng() % 12);
            for (int k = 0; k < len; ++k) l += units[rng() % std::size(units)];
            header.push_back(l);
        }
        // Reference: the stepwise rule, pending added when the next header line starts.
        Lines want = {"X-Status: READ"};
        std::string pending;
        for (const std::string& h : header) {
            std::string line = h;
            while (SplitAddresses(line, pending)) {
                want.push_back(ExpandLeadingTab(pending, 4));
                pending = "\t";
            }
        }
        if (!pending.empty() && pending != "\t") want.push_back(ExpandLeadingTab(pending, 4));
        want.insert(want.end(), {"", "", "-----"});
        Lines m = {"X-Status: READ"};
        m.insert(m.end(), header.begin(), header.end());
        m.push_back("-----");
        ASSERT_EQ(Open(m).lines, want) << "round " << round;
    }
}

TEST(MaxToRule, ElevenAddressesThroughThreeHeaderPresses) {
    Lines m = {"X-Status: READ",
               "From: f",
               "To: a1@x, a2@x, a3@x, a4@x, a5@x, a6@x,",
               " a7@x, a8@x, a9@x, a10@x, a11@x",
               "Subject: s",
               "-----",
               "b"};
    MailViewSettings s;  // Header off, ShowTo on, MaxTo 10
    MailView v = Open(m, s);
    EXPECT_EQ(v.addressCount, 11);
    EXPECT_FALSE(v.showToThis);
    EXPECT_EQ(Shown(v), (Lines{"X-Status: READ", "From: f", "Subject: s", "-----", "b"}));

    MailOpenContext reopen;  // not fresh
    HeaderPress p = PressHeaderButton(s, v);
    EXPECT_FALSE(s.header);
    EXPECT_TRUE(s.showTo);
    reopen.headerButton = p.headerButton;
    v = Open(m, s, reopen);
    EXPECT_TRUE(v.showToThis);
    Lines shown = Shown(v);
    ASSERT_EQ(shown.size(), 16u);
    EXPECT_EQ(shown[1], "To: a1@x,");
    EXPECT_EQ(shown[11], "    a11@x");

    p = PressHeaderButton(s, v);
    EXPECT_TRUE(s.header);
    reopen.headerButton = p.headerButton;
    EXPECT_EQ(Shown(Open(m, s, reopen)), m);

    p = PressHeaderButton(s, Open(m, s, reopen));
    EXPECT_FALSE(s.header);
    EXPECT_FALSE(s.showTo);
    v = Open(m, s, reopen);
    EXPECT_EQ(v.addressCount, 0);  // ShowTo off: To lines are dropped outright
}

TEST(MaxToRule, TenAddressesStayShown) {
    MailView v = Open({"X-Status: READ", "To: 1,2,3,4,5,6,7,8,9,10", "-----"});
    EXPECT_EQ(v.addressCount, 10);
    EXPECT_TRUE(v.showToThis);
}

TEST(HeaderListRule, NamesWithColonsOnly) {
    Lines m = {"X-Status: READ", "Reply-To: r@x", "\tr2@x", "Organization: Org",
               " Dept",          "X-Mailer: m",   "  cont", "-----"};
    struct Case {
        std::string list;
        Lines want;
    } cases[] = {
        {"reply-to:,organization:",
         {"X-Status: READ", "Reply-To: r@x", "    r2@x", "Organization: Org", " Dept"}},
        {"Reply-To:", {"X-Status: READ", "Reply-To: r@x", "    r2@x"}},
        {"reply-to,organization", {"X-Status: READ"}},
        {"reply-to:, organization:", {"X-Status: READ", "Reply-To: r@x", "    r2@x"}},
        {"", {"X-Status: READ"}},
    };
    for (const Case& c : cases) {
        MailViewSettings s;
        s.headerList = c.list;
        Lines want = c.want;
        want.insert(want.end(), {"", "", "-----"});
        EXPECT_EQ(Open(m, s).lines, want) << c.list;
    }
}

TEST(MaxLinesCut, FreshReadMailIsCutNewMailIsNot) {
    MailViewSettings s;
    s.maxLines = 10;
    MailOpenContext fresh = Fresh(), again;
    MailViewSettings all = s;
    all.header = true;
    struct Case {
        const char* name;
        std::string status;
        MailViewSettings settings;
        MailOpenContext context;
        bool cut;
    } cases[] = {
        {"read, fresh", "READ", s, fresh, true},
        {"recv, fresh", "RECV", s, fresh, false},
        {"read, reopened", "READ", s, again, false},
        {"recv, all headers", "RECV", all, fresh, true},
    };
    for (const Case& c : cases) {
        MailView v = Open(MailWith(c.status, Body(30)), c.settings, c.context);
        EXPECT_EQ(v.truncatedView, c.cut) << c.name;
        EXPECT_EQ(v.partialView, c.cut) << c.name;
        if (c.cut) {
            ASSERT_EQ(v.lines.size(), 12u) << c.name;
            EXPECT_EQ(v.lines[10], "") << c.name;
            EXPECT_EQ(v.lines[11], kTooLongMarker) << c.name;
        }
    }
}

TEST(MaxLinesCut, HeaderAloneLongerThanLimitIsNeverCut) {
    MailViewSettings s;
    s.maxLines = 3;
    s.header = true;
    MailView v = Open(MailWith("READ", Body(20)), s);
    EXPECT_FALSE(v.truncatedView);
    EXPECT_EQ(v.lines.size(), 25u);
}

TEST(Multipart, WithoutBoundaryShowsNoBody) {
    MailView v = Open({"X-Status: READ", "Content-Type: multipart/mixed;", "-----", "--x",
                       "Content-Type: text/plain", "", "text"});
    EXPECT_EQ(v.lines.size(), v.bodyStart);
}

TEST(Multipart, FirstPartShownBase64PartMarked) {
    Lines m = {"X-Status: READ",
               "Content-Type: multipart/mixed;",
               " boundary=\"=_b1\"",
               "-----",
               "preamble",
               "--=_b1",
               "Content-Type: text/plain",
               "",
               "Hello",
               "--=_b1",
               "Content-Type: application/octet-stream",
               "Content-Transfer-Encoding: base64",
               "",
               "AAAA"};
    MailView v = Open(m);
    Lines body(v.lines.begin() + static_cast<long>(v.bodyStart), v.lines.end());
    EXPECT_EQ(body, (Lines{"Hello", "--=_b1", "Content-Type: application/octet-stream",
                           "Content-Transfer-Encoding: base64", kAttachedFileMarker}));
    EXPECT_TRUE(v.partialView);
    EXPECT_FALSE(v.truncatedView);
}

TEST(Multipart, BoundaryOnlyAtThirdByte) {
    Lines m = {"X-Status: READ",
               "Content-Type: multipart/mixed; boundary=b",
               "-----",
               "xb",
               "-b",
               "--b",
               "",
               "shown"};
    MailView v = Open(m);
    EXPECT_EQ(v.lines.back(), "shown");
    EXPECT_EQ(v.lines.size(), v.bodyStart + 1);
}

TEST(AttachmentMarkers, UuencodeNeedsSixtyOneBytesWithoutBlank) {
    std::string l61(61, 'M'), l60(60, 'M'),
        blank61 = std::string(30, 'M') + " " + std::string(30, 'M');
    struct Case {
        std::string next;
        bool marker;
    } cases[] = {{l61, true}, {l60, false}, {blank61, false}};
    for (const Case& c : cases) {
        MailView v = Open(MailWith("READ", {"begin 664 file.zip", c.next, "after"}));
        EXPECT_EQ(v.partialView, c.marker) << c.next;
        Lines want = {"begin 664 file.zip", c.next};
        want.push_back(c.marker ? kUuencodeMarker : "after");
        EXPECT_EQ(Lines(v.lines.end() - 3, v.lines.end()), want) << c.next;
    }
}

TEST(AttachmentMarkers, HtmlAndQuotedPrintable) {
    struct Case {
        Lines body;
        Lines tail;
        bool html;
    } cases[] = {
        {{"<HTML>", "<body>", "x"}, {"<HTML>", "<body>", kHtmlMailMarker}, true},
        {{"Content-Type: text/html; charset=x", "y", "z"},
         {"Content-Type: text/html; charset=x", "y", kHtmlMailMarker},
         true},
        {{"<html>content-type: text/html;", "y"}, {"<html>content-type: text/html;", "y"}, false},
        {{"Content-Transfer-Encoding: quoted-printable", "q"},
         {"Content-Transfer-Encoding: quoted-printable", kAttachedFileMarker},
         false},
    };
    for (const Case& c : cases) {
        MailView v = Open(MailWith("READ", c.body));
        EXPECT_EQ(v.htmlMail, c.html) << c.body[0];
        EXPECT_EQ(Lines(v.lines.end() - static_cast<long>(c.tail.size()), v.lines.end()), c.tail)
            << c.body[0];
    }
}

TEST(AlertColour, LowestNumberFoundAnywhereWins) {
    MailViewSettings s;
    s.alertStrings = {"urgent", "", "sale", "", ""};
    s.alertColours = {0x0000FF, 0x00FF00, 0xFF0000, 0, 0};
    Lines m = {"X-Status: READ", "Subject: SALE now", "To: Urgent@x", "-----"};
    EXPECT_EQ(Open(m, s).alertColour, 0x0000FFu);
    // AlertString2 empty: AlertString3 is never looked at.
    EXPECT_EQ(Open({"X-Status: READ", "Subject: SALE", "-----"}, s).alertColour, 0u);
    s.alertStrings = {"urgent", "zzz", "sale", "", ""};
    EXPECT_EQ(Open({"X-Status: READ", "Subject: SALE", "-----"}, s).alertColour, 0xFF0000u);
    // Body lines are not looked at; alerting is off while AlertColor1 is 0.
    EXPECT_EQ(Open({"X-Status: READ", "-----", "urgent"}, s).alertColour, 0u);
    s.alertColours[0] = 0;
    EXPECT_EQ(Open(m, s).alertColour, 0u);
}

TEST(OpenError, DateBeforeAnyDisplayLineStopsReading) {
    MailView v = Open({"Date: Mon", "X-Status: READ", "From: f", "-----", "b"});
    EXPECT_TRUE(v.openError);
    EXPECT_TRUE(v.lines.empty());
    v = Open({"Received: x", "X-Status: READ", "Date: Mon", "-----", "b"});
    EXPECT_FALSE(v.openError);
    MailViewSettings all;
    all.header = true;
    EXPECT_FALSE(Open({"Date: Mon", "-----"}, all).openError);
}

TEST(OpenError, UnreadableFileReportsAndShowsNothing) {
    test::TempDir dir;
    MailView v = MailOpen(dir.File("0001.txt"), {}, Fresh());
    EXPECT_FALSE(v.found);
    v = MailOpenBytes("X-Status: READ\r\n", kFolderMail, {}, Fresh(), {}, true);
    EXPECT_TRUE(v.found);
    EXPECT_TRUE(v.openError);
}

TEST(Hooks, ReformatAndUnscrambleRunOnlyWhenDue) {
    Lines m = {"X-Status: READ", "X-Scramble: 1", "-----", std::string(90, 'a')};
    MailViewSettings s;
    s.autoReformat = 80;
    MailOpenContext c = Fresh();
    c.scrambleMode = true;
    size_t start = 0;
    int unscrambles = 0;
    MailOpenHooks hooks;
    hooks.reformat = [&](Lines&, size_t b) { start = b; };
    hooks.unscramble = [&](Lines&) { ++unscrambles; };
    MailView v = MailOpenBytes(Mail(m), kFolderMail, s, c, hooks);
    EXPECT_TRUE(v.reformatted);
    EXPECT_EQ(start, v.bodyStart);
    EXPECT_EQ(unscrambles, 1);
    s.header = true;
    s.autoReformat = 90;
    v = MailOpenBytes(Mail(m), kFolderMail, s, c, hooks);
    EXPECT_FALSE(v.reformatted);
    EXPECT_EQ(unscrambles, 2);
}

// The options editor's unticked automatic reformat is stored as 255; a mail with a longer body
// line must not be reformatted then.
TEST(Hooks, AutoReformat255FromTheSettingsIsOff) {
    Lines m = {"X-Status: READ", "-----", std::string(300, 'a')};
    MailOpenHooks hooks;
    hooks.reformat = [](Lines&, size_t) {};
    struct Case {
        const char* value;
        bool reformatted;
    } cases[] = {{"255", false}, {"$FF", false}, {"0", false}, {"254", true}, {"256", true}};
    for (const Case& c : cases) {
        MailViewSettings s = MailViewSettingsFrom(
            IniFile::FromBytes(std::string("[View]\r\nAutoReformat=") + c.value + "\r\n"));
        EXPECT_EQ(MailOpenBytes(Mail(m), kFolderMail, s, Fresh(), hooks).reformatted, c.reformatted)
            << c.value;
    }
}

TEST(StartupStage, ViewerModeChosenFromSwitchAndOutFolder) {
    MailOpenContext c = Fresh();
    c.startupStage = true;
    Lines m = {"X-Status: READ", "-----"};
    EXPECT_EQ(MailOpenBytes(Mail(m), "/m/inbox/0001.txt", {}, c).readOnly, true);
    EXPECT_EQ(MailOpenBytes(Mail(m), "/m/out/0001.txt", {}, c).readOnly, false);
    c.editSwitch = true;
    EXPECT_EQ(MailOpenBytes(Mail(m), "/m/out/0001.txt", {}, c).readOnly, true);
    EXPECT_FALSE(Open(m).readOnly.has_value());
}

TEST(Robustness, JunkHugeLinesAndTruncatedCharacters) {
    static const char kNuls[] = "X-Status: READ\r\n\0\0\0-----\r\n\0\r\n";
    std::string junk;
    std::mt19937 rng(1);
    for (int i = 0; i < 200000; ++i) junk += static_cast<char>(rng() & 0xFF);
    std::string huge(3 << 20, 'x');
    std::string manyCommas = "To: " + std::string(1 << 20, ',');
    std::string manyDates;
    for (int i = 0; i < 100000; ++i) manyDates += "Date: x\r\n";
    std::string inputs[] = {
        junk,
        std::string(kNuls, sizeof kNuls - 1),
        "X-Status: READ\r\nFrom: " + huge + "\r\n-----\r\n" + huge,
        "X-Status: READ\r\n" + manyCommas + "\r\n-----\r\n",
        "X-Status: READ\r\n" + manyDates + "-----\r\n",
        "X-Status: READ\r\nTo: \"\x82",
        "X-Status: READ\r\n-----\r\nbegin 664 x",
        "X-Status: READ\r\n-----\r\n<html>",
        "X-Status: READ\r\nContent-Type: multipart/x; boundary=\"\r\n-----\r\n--\r\n",
        "",
        "\r\n\r\n\n\n\r",
    };
    for (const std::string& in : inputs) {
        for (bool header : {false, true}) {
            MailViewSettings s;
            s.header = header;
            MailView v = MailOpenBytes(in, kFolderMail, s, Fresh());
            ShowMailLines(v.lines, v.showToThis);
            EXPECT_TRUE(v.found);
        }
    }
    MailView v = MailOpenBytes("X-Status: READ\r\n" + manyCommas + "\r\n-----\r\n", kFolderMail, {},
                               Fresh());
    EXPECT_EQ(v.addressCount, 1 << 20);
}

// The file is read piece by piece: lines across piece boundaries, a CR LF split between two
// pieces and a line longer than a piece must come out as from the bytes in one go.
TEST(FileReading, PiecesGiveTheSameDisplayAsWholeBytes) {
    test::TempDir dir;
    std::string m = "X-Status: READ\r\nFrom: f\r\n-----\r\n";
    m += std::string(65535 - m.size(), 'b') + "\r\n";  // the CR ends the first piece
    for (int i = 0; m.size() < 300000; ++i) m += std::string(i % 97, 'a' + i % 26) + "\r\n";
    m += std::string(200000, 'z') + "\r\nlast without end";
    std::string p = dir.File("0001.txt");
    ASSERT_TRUE(WriteFileAtomic(p, m));
    MailViewSettings s;
    s.maxLines = 100000;
    for (size_t cut : {m.size(), size_t{65535}, size_t{65536}, size_t{65537}}) {
        std::string part = m.substr(0, cut);
        ASSERT_TRUE(WriteFileAtomic(p, part));
        MailView fromFile = MailOpen(p, s, Fresh());
        MailView fromBytes = MailOpenBytes(part, p, s, Fresh());
        EXPECT_EQ(fromFile.lines, fromBytes.lines) << cut;
        EXPECT_EQ(fromFile.longestBodyLine, fromBytes.longestBodyLine) << cut;
        EXPECT_FALSE(fromFile.openError);
    }
}

class MarkReadFile : public ::testing::Test {
  protected:
    std::string Write(const std::string& bytes) {
        std::string p = dir_.File("0001.txt");
        EXPECT_TRUE(WriteFileAtomic(p, bytes));
        return p;
    }
    std::string Read(const std::string& p) {
        std::string b;
        ReadFileBytes(p, b);
        return b;
    }
    test::TempDir dir_;
};

TEST_F(MarkReadFile, RewritesOnlyTheStatusLine) {
    struct Case {
        std::string before, after;
        MarkReadResult result;
    } cases[] = {
        {"X-Status: RECV\r\nSubject: X-Status: RECV\r\n-----\r\nb",
         "X-Status: READ\r\nSubject: X-Status: RECV\r\n-----\r\nb", MarkReadResult::Marked},
        {std::string("X-Status: RECV\nX\n\xff\x00\n", 20),
         std::string("X-Status: READ\nX\n\xff\x00\n", 20), MarkReadResult::Marked},
        {"X-Status: RECV", "X-Status: READ", MarkReadResult::Marked},
        {"X-Status: RECVX\r\n", "X-Status: RECVX\r\n", MarkReadResult::NotRecv},
        {"x-status: RECV\r\n", "x-status: RECV\r\n", MarkReadResult::NotRecv},
        {"From: a\r\nX-Status: RECV\r\n", "From: a\r\nX-Status: RECV\r\n", MarkReadResult::NotRecv},
    };
    for (const Case& c : cases) {
        std::string p = Write(c.before);
        EXPECT_EQ(MarkMailRead(p), c.result) << c.before;
        EXPECT_EQ(Read(p), c.after) << c.before;
    }
    EXPECT_EQ(MarkMailRead(dir_.File("none.txt")), MarkReadResult::Unreadable);
}

TEST_F(MarkReadFile, OnlyFolderMailsAreMarked) {
    std::string p = Write("X-Status: RECV\r\n-----\r\n");
    EXPECT_TRUE(MailOpen(p, {}, Fresh()).markRead);
    MailOpenContext plain = Fresh();
    plain.fromFolder = false;
    EXPECT_FALSE(MailOpen(p, {}, plain).markRead);
    EXPECT_FALSE(Open({"X-Status: READ", "-----"}).markRead);
    EXPECT_EQ(Read(p), "X-Status: RECV\r\n-----\r\n");  // opening alone never writes
}

}  // namespace
}  // namespace kestrel
