#include "viewer/scramble/folder_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "support/testutil.h"
#include "viewer/scramble/auto_scramble.h"
#include "viewer/scramble/cipher.h"
#include "viewer/scramble/mail_scramble.h"
#include "viewer/scramble/plausibility.h"
#include "viewer/scramble/reply_swap.h"

namespace kestrel::test {
namespace {

std::string Number(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", n);
    return buf;
}

// A private mail of a few lines, Japanese and English, different for each number.
std::string MailText(int n) {
    std::string m = "X-Status: READ\r\nFrom: hanako@example.jp\r\nSubject: Re: plans for day " +
                    std::to_string(n) + "\r\nDate: Tue, 8 Dec 2026\r\n------------------------\r\n";
    m += "\x96\xbe\x93\xfa\x82\xcc\x89\xef\x8b\x63\x82\xcd\x8e\x4f\x8e\x9e\x82\xa9\x82\xe7\x82"
         "\xc5\x82\xb7\x81\x42\r\n";  // 明日の会議は三時からです。
    m += "Please bring the notes from meeting number " + std::to_string(n) + ", thanks.\r\n\r\n";
    m += "> quoted line of the earlier mail\r\n";
    return m;
}

std::string Bytes(const std::string& path) {
    std::string b;
    ReadFileBytes(path, b);
    return b;
}

const ScrambleCipher kRight(KeyStreamFromPin(2468));
const ScrambleCipher kWrong(KeyStreamFromPin(2469));

// A folder in memory where there is one: every mail write is flushed to disk, and 8,000 of
// them measure the disk rather than the run.
struct MemoryTempDir {
    MemoryTempDir() {
#ifndef _WIN32
        const char* old = std::getenv("TMPDIR");
        if (old) saved = old;
        if (DirectoryExists("/dev/shm")) setenv("TMPDIR", "/dev/shm", 1);
        dir = std::make_unique<TempDir>();
        if (old)
            setenv("TMPDIR", saved.c_str(), 1);
        else
            unsetenv("TMPDIR");
#else
        dir = std::make_unique<TempDir>();
#endif
    }
    std::string path() const {
        return dir->path();
    }
    std::string saved;
    std::unique_ptr<TempDir> dir;
};

TEST(FolderRun, TwoThousandMailsRoundTrip) {
    MemoryTempDir dir;
    auto mail = [&](int n) { return dir.path() + Number(n) + ".txt"; };
    for (int n = 1; n <= 2000; ++n) ASSERT_TRUE(WriteFileAtomic(mail(n), MailText(n)));
    std::vector<std::string> visited;
    FolderRunReport r = RunFolderScramble(mail(1), FolderRunKind::Scramble, kRight, 7,
                                          [&](const std::string& p) { visited.push_back(p); });
    EXPECT_EQ(r.visited, 2000u);
    EXPECT_EQ(r.changed, 2000u);
    ASSERT_EQ(visited.size(), 2000u);
    EXPECT_EQ(visited.back(), mail(2000));
    EXPECT_EQ(FolderRunMessage(r), "");
    for (int n : {1, 777, 2000}) {
        std::vector<std::string> lines = SplitLines(Bytes(mail(n)));
        EXPECT_EQ(lines[1].rfind("X-Scramble: ", 0), 0u);
        EXPECT_EQ(Bytes(mail(n)).size(), MailText(n).size() + lines[1].size() + 2);
    }
    r = RunFolderScramble(mail(1), FolderRunKind::Unscramble, kRight, 7, nullptr);
    EXPECT_EQ(r.changed, 2000u);
    EXPECT_EQ(r.notText, 0u);
    for (int n = 1; n <= 2000; ++n) ASSERT_EQ(Bytes(mail(n)), MailText(n)) << n;
    // No backup outlives the run.
    EXPECT_TRUE(ListFiles(dir.path(), "*.kestrel-backup").empty());
}

TEST(FolderRun, WrongPinLeavesTheMailsScrambled) {
    TempDir dir;
    auto mail = [&](int n) { return dir.path() + Number(n) + ".txt"; };
    for (int n = 1; n <= 30; ++n) WriteFileAtomic(mail(n), MailText(n));
    WriteFileAtomic(mail(31),
                    "X-Status: READ\r\nSubject: plain\r\n------\r\nnot scrambled before the "
                    "first run, a line long enough to tell\r\n");
    RunFolderScramble(mail(1), FolderRunKind::Scramble, kRight, 7, nullptr);
    std::vector<std::string> scrambled;
    for (int n = 1; n <= 31; ++n) scrambled.push_back(Bytes(mail(n)));
    FolderRunReport r = RunFolderScramble(mail(1), FolderRunKind::Unscramble, kWrong, 7, nullptr);
    EXPECT_EQ(r.visited, 31u);
    EXPECT_EQ(r.changed, 0u);
    EXPECT_EQ(r.notText, 31u);  // the plain mail was scrambled by the first run too
    for (int n = 1; n <= 31; ++n) EXPECT_EQ(Bytes(mail(n)), scrambled[n - 1]) << n;
    EXPECT_EQ(FolderRunMessage(r),
              "31 mails did not unscramble to readable text with this PIN and stayed scrambled.");
    // The right PIN still gets every mail back.
    r = RunFolderScramble(mail(1), FolderRunKind::Unscramble, kRight, 7, nullptr);
    EXPECT_EQ(r.changed, 31u);
    EXPECT_EQ(Bytes(mail(5)), MailText(5));
}

TEST(FolderRun, MarkersBackupsAndUnmarkedMails) {
    TempDir dir;
    auto mail = [&](int n) { return dir.path() + Number(n) + ".txt"; };
    for (int n = 1; n <= 5; ++n) WriteFileAtomic(mail(n), MailText(n));
    RunFolderScramble(mail(1), FolderRunKind::Scramble, kRight, 7, nullptr);
    const std::string unmarked = MailText(6), badMarker = "a\r\nX-Scramble: x\r\nb\r\n";
    WriteFileAtomic(mail(6), unmarked);
    WriteFileAtomic(mail(7), badMarker);
    // A backup left by an interrupted run: that mail is not touched and the backup stays.
    WriteFileAtomic(MailBackupPathOf(mail(2)), "original bytes");
    const std::string second = Bytes(mail(2));
    FolderRunReport r = RunFolderScramble(mail(1), FolderRunKind::Unscramble, kRight, 7, nullptr);
    EXPECT_EQ(r.visited, 7u);
    EXPECT_EQ(r.changed, 4u);
    EXPECT_EQ(r.badMarker, 1u);
    EXPECT_EQ(r.backupInTheWay, 1u);
    EXPECT_EQ(Bytes(mail(2)), second);
    EXPECT_EQ(Bytes(MailBackupPathOf(mail(2))), "original bytes");
    EXPECT_EQ(Bytes(mail(3)), MailText(3));
    EXPECT_EQ(Bytes(mail(6)), unmarked);
    EXPECT_EQ(Bytes(mail(7)), badMarker);
    // The run starts at the mail on show: lower numbers stay.
    r = RunFolderScramble(mail(4), FolderRunKind::Scramble, kRight, 7, nullptr);
    EXPECT_EQ(r.visited, 4u);
    EXPECT_EQ(Bytes(mail(3)), MailText(3));
    EXPECT_EQ(RunFolderScramble("", FolderRunKind::Scramble, kRight, 7, nullptr).visited, 0u);
}

// The number order wraps from 9999 to 0000: a run must end at the folder's end all the same.
TEST(FolderRun, StopsAtTheWrapInsteadOfGoingRound) {
    TempDir dir;
    auto mail = [&](int n) { return dir.path() + Number(n) + ".txt"; };
    for (int n : {9998, 9999, 0, 1}) WriteFileAtomic(mail(n), MailText(n));
    FolderRunReport r = RunFolderScramble(mail(9998), FolderRunKind::Scramble, kRight, 7, nullptr);
    EXPECT_EQ(r.visited, 2u);
    EXPECT_EQ(Bytes(mail(0)), MailText(0));
    // A full ring of mails without a gap would have looped for ever.
    MemoryTempDir ring;
    for (int n = 0; n < 10000; n += 50)
        WriteFileAtomic(ring.path() + Number(n) + ".txt", "a\r\nb\r\n");
    r = RunFolderScramble(ring.path() + "5000.txt", FolderRunKind::Scramble, kRight, 7, nullptr);
    EXPECT_EQ(r.visited, 100u);
}

TEST(FolderRun, AWriteThatFailsStopsTheRunAndLeavesTheMail) {
    TempDir dir;
    auto mail = [&](int n) { return dir.path() + Number(n) + ".txt"; };
    for (int n = 1; n <= 3; ++n) WriteFileAtomic(mail(n), MailText(n));
    // The backup of the second mail cannot be written: a folder stands in its place.
    const std::string blocker = MailBackupPathOf(mail(2));
    ASSERT_TRUE(std::filesystem::create_directory(blocker));
    FolderRunReport r = RunFolderScramble(mail(1), FolderRunKind::Scramble, kRight, 7, nullptr);
    EXPECT_EQ(r.failedPath, mail(2));
    EXPECT_EQ(r.changed, 1u);
    EXPECT_EQ(Bytes(mail(2)), MailText(2));
    EXPECT_EQ(Bytes(mail(3)), MailText(3));
    EXPECT_NE(FolderRunMessage(r).find("Could not write " + mail(2)), std::string::npos);
    EXPECT_FALSE(FileExists(MailBackupPathOf(mail(1))));
}

TEST(Plausibility, TellsTextFromNoise) {
    std::vector<std::string> mails;
    for (const char* name :
         {"inbox/0001.txt", "inbox/0002.txt", "inbox/0003.txt", "recv/0001.txt"}) {
        std::string b;
        ASSERT_TRUE(ReadFileBytes(DataDir() + "../../samples/plover/" + name, b)) << name;
        mails.push_back(b);
    }
    mails.push_back(MailText(42));
    int accepted = 0, tried = 0;
    for (const std::string& m : mails) {
        std::vector<std::string> clear = SplitLines(m), s = clear;
        ASSERT_TRUE(ScrambleMailText(s, kRight, 7));
        EXPECT_TRUE(UnscrambledReadsAsText(s, clear));
        for (int pin = 0; pin < 300; ++pin) {
            if (pin == 2468) continue;
            std::vector<std::string> wrong = s;
            UnscrambleMailText(wrong,
                               ScrambleCipher(KeyStreamFromPin(static_cast<uint16_t>(pin * 211))));
            ++tried;
            accepted += UnscrambledReadsAsText(s, wrong);
        }
    }
    EXPECT_EQ(accepted, 0) << "of " << tried;
    // Too short to tell: refused, the mail stays scrambled.
    std::vector<std::string> shortMail = {"X-Status: READ", "Subject: hi", "------", "ok, thanks"};
    std::vector<std::string> s = shortMail;
    ScrambleMailText(s, kRight, 7);
    EXPECT_FALSE(UnscrambledReadsAsText(s, shortMail));
}

TEST(StoredMail, AutomaticScrambleWritesOnce) {
    TempDir dir;
    const std::string path = dir.File("0001.txt");
    WriteFileAtomic(path, MailText(1));
    EXPECT_EQ(ScrambleStoredMail(path, kRight, 7), StoredScramble::Written);
    const std::string once = Bytes(path);
    EXPECT_NE(once, MailText(1));
    EXPECT_EQ(ScrambleStoredMail(path, kRight, 7), StoredScramble::Unchanged);
    EXPECT_EQ(Bytes(path), once);
    EXPECT_EQ(ScrambleStoredMail(dir.File("none.txt"), kRight, 7), StoredScramble::Failed);
}

TEST(StoredMail, ShownTextStandsInTheFileUntilRestored) {
    TempDir dir;
    const std::string path = dir.File("0001.txt");
    const std::string stored = "X-Status: READ\r\nX-Scramble: 16\r\nscrambled\nbytes without end";
    WriteFileAtomic(path, stored);
    ShownTextInFile swap;
    ASSERT_TRUE(swap.Put(path, {"X-Status: READ", "clear text"}));
    EXPECT_EQ(Bytes(path), "X-Status: READ\r\nclear text\r\n");
    EXPECT_TRUE(swap.Restore());
    EXPECT_EQ(Bytes(path), stored);  // byte for byte, odd line ends included
    EXPECT_FALSE(swap.Active());
    EXPECT_FALSE(swap.Put(dir.File("missing.txt"), {"x"}));
    EXPECT_FALSE(FileExists(dir.File("missing.txt")));
}

}  // namespace
}  // namespace kestrel::test
