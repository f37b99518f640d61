#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/fileio.h"
#include "support/testutil.h"
#include "tools/standin/compose_file.h"
#include "tools/standin/mail_copy.h"
#include "tools/standin/plover_model.h"

namespace kestrel::standin {
namespace {

using Lines = std::vector<std::string>;

const Lines kMail = {
    "X-Status: READ",
    "From: Taro <taro@example.jp>",
    "To: hanako@example.co.jp",
    "Cc: jiro@example.jp",
    "Subject: a subject long enough to be folded by the mail client",
    "Message-Id: <42@example.jp>",
    "--------------------",
    "first line",
    "second line",
};

TEST(ComposeStandIn, ReplyToSenderOnlyAndToAllWithCc) {
    Lines mail = kMail;
    mail[0] = "X-Status: SNDR";
    ASSERT_EQ(ReplyKindOf(mail), ComposeKind::Reply);
    Lines reply = ComposeLines(mail, ComposeKind::Reply);
    EXPECT_EQ(reply[0], "To: Taro <taro@example.jp>");
    EXPECT_EQ(reply[1], "Subject: Re: a subject long enough to be");
    EXPECT_EQ(reply[2], " folded by the mail client");
    EXPECT_EQ(reply[3], "Organization: Plover stand-in");
    EXPECT_EQ(reply[4], "X-Mailer: Plover stand-in");
    EXPECT_EQ(reply[5], "In-Reply-To: <42@example.jp>");
    EXPECT_EQ(reply[6], "References: <42@example.jp>");
    EXPECT_EQ(reply[7].substr(0, 7), "-------");
    EXPECT_EQ(reply[8], "\xc3\xbd\xc4 \xb6\xde\xb2\xc4\xde \xca\xdf\xdd");  // half-width kana
    EXPECT_EQ(reply.back(), "> second line");

    ASSERT_EQ(ReplyKindOf(kMail), ComposeKind::ReplyAll);
    Lines all = ComposeLines(kMail, ComposeKind::ReplyAll);
    EXPECT_EQ(all[1], "Cc: hanako@example.co.jp, jiro@example.jp");
    EXPECT_EQ(all[2], "Subject: Re: a subject long enough to be");
}

TEST(ComposeStandIn, ForwardQuotesTheOriginal) {
    Lines fw = ComposeLines(kMail, ComposeKind::Forward);
    EXPECT_EQ(fw[0], "To: ");
    EXPECT_EQ(fw[1], "Subject: Fw: a subject long enough to be");
    auto at = std::find(fw.begin(), fw.end(), "----- Forwarded message -----");
    ASSERT_NE(at, fw.end());
    EXPECT_EQ(*(at + 1), "> From: Taro <taro@example.jp>");
    EXPECT_EQ(fw.back(), "> second line");
    EXPECT_EQ(std::count(fw.begin(), fw.end(), "In-Reply-To: <42@example.jp>"), 0);
}

TEST(ComposeStandIn, FoldingKeepsCharactersWholeAndEndsOnShortLines) {
    EXPECT_EQ(FoldHeaderLine("Subject: short", 40), Lines{"Subject: short"});
    // No blank: cut at a character start, never inside a double-byte character.
    std::string kanji;
    for (int i = 0; i < 30; ++i) kanji += "\x8a\xbf";
    Lines folded = FoldHeaderLine("Subject: " + kanji, 40);
    ASSERT_GE(folded.size(), 2u);
    std::string joined = folded[0];
    for (size_t i = 1; i < folded.size(); ++i) {
        EXPECT_EQ(folded[i][0], ' ');
        EXPECT_LE(folded[i].size(), 41u);
        joined += folded[i].substr(1);
    }
    EXPECT_EQ(joined, "Subject: " + kanji);
    EXPECT_EQ(FoldHeaderLine(std::string(100, 'x'), 40).size(), 3u);
}

TEST(ComposeStandIn, SavedFileIsLoggedByteForByte) {
    test::TempDir dir;
    std::string bytes = "To: a\r\n\x83\x4b\x83\x43\x83\x68\r\nno end\xff";
    ASSERT_TRUE(WriteFileAtomic(dir.File("_plv0000.tmp"), bytes));
    std::string line = SavedComposeLogLine(dir.File("_plv0000.tmp"));
    EXPECT_EQ(line.substr(0, 6), "Saved(");
    EXPECT_EQ(BytesOfSavedLogLine(line), bytes);
    EXPECT_EQ(SavedComposeLogLine(dir.File("gone.tmp")),
              "Saved(" + dir.File("gone.tmp") + ") missing");
    EXPECT_EQ(BytesOfSavedLogLine("Saved(x) 4G"), "");
}

TEST(MailMoveStandIn, TheSourceGoesOnlyOnceItsCopyIsWhole) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.File("in"));
    ASSERT_TRUE(WriteFileAtomic(dir.File("0001.txt"), "X-Status: READ\r\nbody"));
    EXPECT_EQ(MoveMailFile(dir.File("0001.txt"), dir.File("in/0001.txt")), MailMove::Moved);
    EXPECT_FALSE(FileExists(dir.File("0001.txt")));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(dir.File("in/0001.txt"), back));
    EXPECT_EQ(back, "X-Status: READ\r\nbody");

    // The destination folder is gone: the mail stays where it was.
    ASSERT_TRUE(WriteFileAtomic(dir.File("0002.txt"), "mail two"));
    EXPECT_EQ(MoveMailFile(dir.File("0002.txt"), dir.File("nofolder/0001.txt")),
              MailMove::NotWritten);
    EXPECT_TRUE(FileExists(dir.File("0002.txt")));
    // An existing destination is never overwritten.
    EXPECT_EQ(MoveMailFile(dir.File("0002.txt"), dir.File("in/0001.txt")), MailMove::NotWritten);
    ASSERT_TRUE(ReadFileBytes(dir.File("in/0001.txt"), back));
    EXPECT_EQ(back, "X-Status: READ\r\nbody");
    EXPECT_TRUE(FileExists(dir.File("0002.txt")));
}

}  // namespace
}  // namespace kestrel::standin
