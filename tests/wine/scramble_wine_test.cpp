// The real kestrel.exe in scramble mode under Wine: the PIN dialog at start, a scrambled mail
// shown in clear while its file stays scrambled, a reply the stand-in mail client quotes in
// clear, Erase PIN, and a folder run with a wrong PIN.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/viewer_driver.h"
#include "viewer/scramble/cipher.h"
#include "viewer/scramble/mail_scramble.h"

namespace {

using namespace kestrel::winetest;

// A folder mail in clear: an English and a Japanese (Shift-JIS) body line, long enough for the
// folder run to tell text from noise.
std::vector<std::string> ClearMail(const std::string& subject) {
    return {"X-Status: READ", "From: Taro <taro@example.jp>", "Subject: " + subject,
            "Date: Mon, 1 Jan 2001 09:00:00 +0900", "----------------------------------------",
            "Meet me at the usual place at noon tomorrow, and bring the notes.",
            // 明日の会議は十時からです。
            "\x96\xbe\x93\xfa\x82\xcc\x89\xef\x8b\x63\x82\xcd\x8f\x5c\x8e\x9e\x82\xa9\x82\xe7"
            "\x82\xc5\x82\xb7\x81\x42"};
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// Writes lines scrambled with pin, as the viewer's Scramble Folder leaves a mail; its bytes.
std::string WriteScrambledMail(const std::wstring& path, std::vector<std::string> lines,
                               uint16_t pin) {
    EXPECT_TRUE(kestrel::ScrambleMailText(
        lines, kestrel::ScrambleCipher(kestrel::KeyStreamFromPin(pin)), 7));
    std::string bytes = Joined(lines);
    WriteBytes(path, bytes);
    return bytes;
}

// The editor's lines as Shift-JIS.
std::vector<std::string> ShownLines(HWND editor) {
    std::vector<std::string> out;
    for (const std::wstring& line : ControlLines(editor)) out.push_back(ToSjis(line));
    return out;
}

bool Shows(const std::vector<std::string>& shown, const std::string& line) {
    return std::find(shown.begin(), shown.end(), line) != shown.end();
}

const char kSettings[] = "[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n";

TEST(ScrambleUnderWine, StartWithoutStoredPinAsksUntilAValidEntryThenShowsTheMailInClear) {
    Sandbox box;
    box.WriteSettings(kSettings);
    MakeEmptyFolder(box.File(L"inbox"));
    const std::wstring mail = box.File(L"inbox\\0001.txt");
    const std::string stored = WriteScrambledMail(mail, ClearMail("lunch"), 4321);

    Viewer v(box, L"/s \"" + mail + L"\"");
    ASSERT_TRUE(v.Started());
    HWND dialog = v.PinDialog();
    ASSERT_NE(dialog, nullptr);
    // The PIN typed once only is no entry.
    EnterPin(dialog, L"4321");
    EXPECT_EQ(v.AnswerMessageBox(IDOK, L"Kestrel32"), L"Invalid Entry.");
    dialog = v.PinDialog();
    ASSERT_NE(dialog, nullptr) << "no PIN dialog after an invalid entry";
    EnterPin(dialog, L"43214321");

    ASSERT_TRUE(v.WaitForWindow(L"Kestrel32 - 0001.txt"));
    const std::vector<std::string> shown = ShownLines(v.Editor());
    EXPECT_TRUE(Shows(shown, ClearMail("")[5])) << Joined(shown);
    EXPECT_TRUE(Shows(shown, ClearMail("")[6])) << Joined(shown);
    EXPECT_EQ(SettingValue(box.File(L"kestrel.ini"), "Scramble", "PIN"), "4321");
    EXPECT_EQ(ReadBytes(mail), stored);
}

TEST(ScrambleUnderWine, AScrambledMailIsShownInClearAndStaysScrambledOnDisk) {
    Sandbox box;
    box.WriteSettings(std::string(kSettings) + "[Scramble]\r\nPIN=1234\r\n");
    MakeEmptyFolder(box.File(L"inbox"));
    const std::wstring mail = box.File(L"inbox\\0001.txt");
    const std::vector<std::string> clear = ClearMail("the plan for Monday");
    const std::string stored = WriteScrambledMail(mail, clear, 1234);
    ASSERT_EQ(stored.find(clear[5]), std::string::npos);

    // A stored PIN: no dialog, the mode is on at once.
    Viewer v(box, L"/s \"" + mail + L"\"");
    ASSERT_TRUE(v.WaitForWindow(L"Kestrel32 - 0001.txt"));
    const std::vector<std::string> shown = ShownLines(v.Editor());
    EXPECT_TRUE(Shows(shown, clear[5])) << Joined(shown);
    EXPECT_TRUE(Shows(shown, clear[6])) << Joined(shown);
    for (const std::string& line : shown)
        EXPECT_EQ(line.find("X-Scramble: "), std::string::npos) << line;
    EXPECT_EQ(ReadBytes(mail), stored);

    // Nor does closing write the text on show back.
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(15000), 0);
    EXPECT_EQ(ReadBytes(mail), stored);
}

TEST(ScrambleUnderWine, ReplyLetsTheMailClientQuoteTheTextInClearThenRestoresTheFile) {
    Sandbox box;
    box.WriteSettings(std::string(kSettings) + "[Scramble]\r\nPIN=1234\r\n");
    MakeEmptyFolder(box.File(L"inbox"));
    const std::wstring mail = box.File(L"inbox\\0001.txt");
    const std::vector<std::string> clear = ClearMail("lunch");
    const std::string stored = WriteScrambledMail(mail, clear, 1234);
    ComposingClient plover(box);
    ASSERT_TRUE(plover.Running());

    Viewer v(box, L"/s \"" + mail + L"\"");
    ASSERT_TRUE(v.WaitForWindow(L"Kestrel32 - 0001.txt"));
    // Posted: the handler ends only once "Replying...." is answered.
    PostMessageW(v.Window(), WM_COMMAND, static_cast<WPARAM>(CommandId::Reply), 0);
    // The mail client reads the mail while the message is up.
    const std::wstring composeFile = box.File(L"temp\\_plv0000.tmp");
    std::string compose;
    ASSERT_TRUE(WaitFor([&] { return !(compose = ReadBytes(composeFile)).empty(); }, 30000))
        << plover.Log();
    EXPECT_NE(compose.find("> " + clear[5] + "\r\n"), std::string::npos) << compose;
    EXPECT_NE(compose.find("> " + clear[6] + "\r\n"), std::string::npos) << compose;
    EXPECT_EQ(v.AnswerMessageBox(IDOK, L"Kestrel32"), L"Replying....");

    // Its own bytes back, with the reply's status mark.
    const std::string marked =
        "X-Status: SNDR" + stored.substr(std::string("X-Status: READ").size());
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(mail) == marked; }, 5000)) << ReadBytes(mail);

    HWND composer = nullptr;
    WaitFor([&] {
        return (composer = FindWindowW(L"TForm1", L"Kestrel32 - _plv0000.tmp")) != nullptr;
    });
    if (composer) PostMessageW(composer, WM_CLOSE, 0, 0);
}

TEST(ScrambleUnderWine, ErasePinWritesZeroAsThePin) {
    Sandbox box;
    box.WriteSettings(std::string(kSettings) + "[Scramble]\r\nPIN=1234\r\n");
    Viewer v(box, L"/s");
    ASSERT_TRUE(v.WaitForWindow(L"Kestrel32 - [Untitled]"));
    v.Command(CommandId::ErasePin);
    const std::wstring ini = box.File(L"kestrel.ini");
    EXPECT_EQ(SettingValue(ini, "Scramble", "PIN"), "0");
    EXPECT_EQ(SettingValue(ini, "View", "EnglishMenu"), "1");
}

TEST(ScrambleUnderWine, UnscrambleFolderWithAWrongPinLeavesEveryMailAsItWasAndSaysSo) {
    Sandbox box;
    box.WriteSettings(std::string(kSettings) + "[Scramble]\r\nPIN=2222\r\n");
    MakeEmptyFolder(box.File(L"inbox"));
    const std::vector<std::wstring> mails = {
        box.File(L"inbox\\0001.txt"), box.File(L"inbox\\0002.txt"), box.File(L"inbox\\0003.txt")};
    std::vector<std::string> stored;
    for (size_t i = 0; i < mails.size(); ++i)
        stored.push_back(
            WriteScrambledMail(mails[i], ClearMail("part " + std::to_string(i + 1)), 1111));

    Viewer v(box, L"/s \"" + mails[0] + L"\"");
    ASSERT_TRUE(v.WaitForWindow(L"Kestrel32 - 0001.txt"));
    // Posted: the handler ends only once its message is answered.
    PostMessageW(v.Window(), WM_COMMAND, static_cast<WPARAM>(CommandId::UnscrambleFolder), 0);
    EXPECT_EQ(v.AnswerMessageBox(IDOK, L"Kestrel32"),
              L"3 mails did not unscramble to readable text with this PIN and stayed scrambled.");
    for (size_t i = 0; i < mails.size(); ++i) EXPECT_EQ(ReadBytes(mails[i]), stored[i]) << i;
    // Nor is a backup of the run left beside them.
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(box.File(L"inbox\\*.kestrel-backup").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
