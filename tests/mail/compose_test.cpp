#include "viewer/mail/compose.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "viewer/mail/widen_kana.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

// The full-width forms of 0xA0..0xDF in order, as the table reads them.
const std::string kWideTable =
    "\x81\x40\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45\x83\x92\x83\x40\x83\x42\x83\x44\x83\x46"
    "\x83\x48\x83\x83\x83\x85\x83\x87\x83\x62\x81\x5b\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49"
    "\x83\x4a\x83\x4c\x83\x4e\x83\x50\x83\x52\x83\x54\x83\x56\x83\x58\x83\x5a\x83\x5c\x83\x5e"
    "\x83\x60\x83\x63\x83\x65\x83\x67\x83\x69\x83\x6a\x83\x6b\x83\x6c\x83\x6d\x83\x6e\x83\x71"
    "\x83\x74\x83\x77\x83\x7a\x83\x7d\x83\x7e\x83\x80\x83\x81\x83\x82\x83\x84\x83\x86\x83\x88"
    "\x83\x89\x83\x8a\x83\x8b\x83\x8c\x83\x8d\x83\x8f\x83\x93\x81\x4a\x81\x4b";
const std::string kVoiced =  // ガ..ド, バ..ボ, ヴ
    "\x83\x4b\x83\x4d\x83\x4f\x83\x51\x83\x53\x83\x55\x83\x57\x83\x59\x83\x5b\x83\x5d\x83\x5f"
    "\x83\x61\x83\x64\x83\x66\x83\x68\x83\x6f\x83\x72\x83\x75\x83\x78\x83\x7b\x83\x94";
const std::string kSemiVoiced = "\x83\x70\x83\x73\x83\x76\x83\x79\x83\x7c";  // パ..ポ

std::string Widened(std::string line) {
    WidenKanaLine(line);
    return line;
}

TEST(WidenKana, EverySingleKanaAndEveryMarkedPair) {
    for (int b = 0xA0; b <= 0xDF; ++b) {
        EXPECT_EQ(Widened(std::string(1, char(b))), kWideTable.substr((b - 0xA0) * 2, 2)) << b;
    }
    std::string voicedFrom;
    for (int b = 0xB6; b <= 0xC4; ++b) voicedFrom += {char(b), '\xde'};
    for (int b = 0xCA; b <= 0xCE; ++b) voicedFrom += {char(b), '\xde'};
    voicedFrom += "\xb3\xde";
    EXPECT_EQ(Widened(voicedFrom), kVoiced);
    std::string semiFrom;
    for (int b = 0xCA; b <= 0xCE; ++b) semiFrom += {char(b), '\xdf'};
    EXPECT_EQ(Widened(semiFrom), kSemiVoiced);
}

TEST(WidenKana, WordsMarksThatDoNotJoinAndDoubleByteText) {
    EXPECT_EQ(Widened("\xb6\xde\xb2\xc4\xde"), "\x83\x4b\x83\x43\x83\x68");  // ｶﾞｲﾄﾞ: ガイド
    EXPECT_EQ(Widened("\xca\xdf\xdd"), "\x83\x70\x83\x93");                  // ﾊﾟﾝ: パン
    // ｱﾞ and ｶﾟ do not join: the mark is widened by itself.
    EXPECT_EQ(Widened("\xb1\xde"), "\x83\x41\x81\x4a");
    EXPECT_EQ(Widened("\xb6\xdf"), "\x83\x4a\x81\x4b");
    EXPECT_EQ(Widened("\xde\xde"), "\x81\x4a\x81\x4a");
    // A double-byte character whose trail byte lies in the kana range (漢 = 8A BF) stays;
    // ASCII around the kana stays.
    EXPECT_EQ(Widened("a\x8a\xbf\xb1z"), "a\x8a\xbf\x83\x41z");
    std::string plain = "abc \x8a\xbf \x83\x41";
    EXPECT_FALSE(WidenKanaLine(plain));
    EXPECT_EQ(plain, "abc \x8a\xbf \x83\x41");
    // A lead byte cut off at the end is copied as it is.
    EXPECT_EQ(Widened("\xb1\x83"), "\x83\x41\x83");
}

TEST(WidenKana, AttachLinesAndTheSettingsFileAreLeftAlone) {
    Lines lines = {"plain", "\xb1", "$$AttachFile: c:\\\xb1.doc", "x\xb1"};
    WidenKanaOptions aw{true, "$$AttachFile: "};
    Lines copy = lines;
    EXPECT_EQ(WidenKana(copy, "c:\\temp\\_plv0001.tmp", aw), (std::vector<size_t>{1, 3}));
    EXPECT_EQ(copy[2], lines[2]);
    EXPECT_EQ(copy[3], "x\x83\x41");

    copy = lines;
    EXPECT_EQ(WidenKana(copy, "c:\\temp\\_plv0001.tmp", WidenKanaOptions{false, aw.attachPrefix}),
              (std::vector<size_t>{1, 2, 3}));
    copy = lines;
    EXPECT_TRUE(WidenKana(copy, "c:\\kestrel\\KESTREL.INI", aw).empty());
    EXPECT_EQ(copy, lines);
}

TEST(ComposeHeaderCheck, ShortToOrSubjectBeforeTheSeparatorOnly) {
    const std::string sep = "----------";
    EXPECT_TRUE(HeaderLooksIncomplete({"To:", "Subject: hello", sep}));
    EXPECT_TRUE(HeaderLooksIncomplete({"To: a@b.jp", "Subject: ", sep}));    // 9 bytes
    EXPECT_FALSE(HeaderLooksIncomplete({"To: a@b.jp", "Subject: x", sep}));  // 10 bytes
    EXPECT_TRUE(HeaderLooksIncomplete({"To: a@b", "Subject: x", sep}));      // 7 bytes
    EXPECT_FALSE(HeaderLooksIncomplete({"to:", "subject:", sep}));  // the check has its case
    EXPECT_FALSE(HeaderLooksIncomplete({"To: a@b.jp", "Subject: x", sep, "To:", "Subject:"}));
    EXPECT_TRUE(HeaderLooksIncomplete({"To: a@b.jp", "Subject:"}));  // no separator at all
    EXPECT_FALSE(HeaderLooksIncomplete({}));
}

TEST(ComposeHeaderRebuild, FoldedLinesAreJoinedAndHeaderNamesStartLines) {
    Lines in = {
        "To: taro@example.jp",
        "to: lower@example.jp",
        "Subject: a subject that the editor",
        "wrapped into two lines",
        "Organization: Example",
        "\tcontinued with a tab",
        " continued with a blank",
        "X-Mailer: Plover",
        "In-Reply-To: <1@x>",
        "References: <0@x>",
        "--------------------",
        "body line",
        "Organization: body text is kept",
        "",
    };
    Lines want = {
        "To: taro@example.jp",
        "to: lower@example.jp",
        "Subject: a subject that the editorwrapped into two linesOrganization: Example",
        "\tcontinued with a tab",
        " continued with a blank",
        "X-Mailer: Plover",
        "In-Reply-To: <1@x>",
        "References: <0@x>",
        "--------------------",
        "body line",
        "Organization: body text is kept",
        "",
    };
    EXPECT_EQ(RebuildComposeHeader(in), want);

    // Without a separator the walk stops at the last line, which is kept as it is.
    EXPECT_EQ(RebuildComposeHeader({"To: a", "b", "c"}), (Lines{"To: ab", "c"}));
    EXPECT_EQ(RebuildComposeHeader({"-------", "x"}), (Lines{"-------", "x"}));
    EXPECT_EQ(RebuildComposeHeader({"only"}), (Lines{"only"}));
    EXPECT_TRUE(RebuildComposeHeader({}).empty());
}

TEST(SaveAndQuitPlanning, OrderOfChecksAndWhatIsWritten) {
    Lines compose = {"To: a@b.jp", "Subject: \xca\xdf\xdd", "wrapped", "-------", "\xb6\xde"};
    SaveAndQuitRequest r;
    r.path = "c:\\temp\\_plv0001.tmp";
    SaveAndQuitPlan p = PlanSaveAndQuit(compose, r);
    ASSERT_EQ(p.outcome, SaveAndQuitPlan::Write);
    EXPECT_EQ(p.lines,
              (Lines{"To: a@b.jp", "Subject: \x83\x70\x83\x93wrapped", "-------", "\x83\x4b"}));
    EXPECT_EQ(p.widened, (std::vector<size_t>{1, 4}));
    EXPECT_EQ(p.widenedLines[4], "\x83\x4b");

    // The header check comes before the read-only test, and only for ".tmp" files.
    r.readOnly = true;
    EXPECT_EQ(PlanSaveAndQuit({"To:", "-------"}, r).outcome, SaveAndQuitPlan::HeaderMissing);
    EXPECT_EQ(PlanSaveAndQuit(compose, r).outcome, SaveAndQuitPlan::ReadOnly);
    r.readOnly = false;
    r.path = "c:\\plover\\out\\0003.txt";
    p = PlanSaveAndQuit({"To:", "Organization: x", "-------"}, r);
    ASSERT_EQ(p.outcome, SaveAndQuitPlan::Write);
    EXPECT_EQ(p.lines, (Lines{"To:Organization: x", "-------"}));  // rebuilt: an out mail

    // An ordinary folder mail goes back line for line, widened, not rebuilt ...
    r.path = "c:\\plover\\inbox\\0003.txt";
    p = PlanSaveAndQuit({"X-Status: READ", "Organization: x", "--------", "\xb1"}, r);
    ASSERT_EQ(p.outcome, SaveAndQuitPlan::Write);
    EXPECT_EQ(p.lines, (Lines{"X-Status: READ", "Organization: x", "--------", "\x83\x41"}));
    // ... unless the editor shows only part of it: then never over the mail.
    r.wholeFile = false;
    EXPECT_EQ(PlanSaveAndQuit({"Subject: x", "----", "body"}, r).outcome,
              SaveAndQuitPlan::SaveAsFirst);
    r.wholeFile = true;
    r.path.clear();  // [Untitled]
    EXPECT_EQ(PlanSaveAndQuit({"text"}, r).outcome, SaveAndQuitPlan::SaveAsFirst);
}

// Random lines of header names, blanks, separators, kana, lead bytes (some cut off at the end):
// the rebuild only joins lines, and the widening leaves no half-width kana behind.
TEST(ComposeText, RebuildKeepsEveryByteAndWideningLeavesNoHalfWidthKana) {
    const std::string pieces[] = {"To:",     "to: ",     "Subject:", "x-a",  " ",    "\t",
                                  "-------", "ab",       "\xb6",     "\xde", "\xdf", "\xa0",
                                  "\x83",    "\x83\xb1", "\x8a\xbf", ""};
    std::mt19937 rng(12);
    for (int round = 0; round < 2000; ++round) {
        Lines lines(rng() % 8);
        for (std::string& l : lines) {
            for (int k = rng() % 6; k > 0; --k) l += pieces[rng() % 16];
        }
        std::string all, rebuiltAll;
        for (const auto& l : lines) all += l;
        Lines rebuilt = RebuildComposeHeader(lines);
        for (const auto& l : rebuilt) rebuiltAll += l;
        ASSERT_EQ(rebuiltAll, all);
        ASSERT_LE(rebuilt.size(), lines.size());
        for (std::string l : lines) {
            std::string before = l;
            WidenKanaLine(l);
            ASSERT_LE(l.size(), before.size() * 2);
            for (size_t i = 0; i < l.size(); i += CharLenAt(l, i)) {
                unsigned char b = static_cast<unsigned char>(l[i]);
                ASSERT_FALSE(b >= 0xA0 && b <= 0xDF) << before;
            }
        }
    }
}

}  // namespace
}  // namespace kestrel
