// The real kestrel.exe under Wine with the stand-in mail client: a reply from a mail, written
// and saved in a second viewer, and the mail mover's run when the viewer closes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/viewer_driver.h"
#include "tools/standin/compose_file.h"

namespace {

using namespace kestrel::winetest;

// The bytes of the first compose file the stand-in logged as saved, once its log holds one.
bool SavedBytes(const ComposingClient& plover, std::string& bytes) {
    std::string log = plover.Log();
    size_t at = log.find("Saved(");
    if (at == std::string::npos) return false;
    size_t end = log.find("\r\n", at);
    bytes = kestrel::standin::BytesOfSavedLogLine(log.substr(at, end - at));
    return true;
}

const char kMail[] =
    "X-Status: READ\r\n"
    "From: Taro <taro@example.jp>\r\n"
    "To: hanako@example.co.jp\r\n"
    "Subject: a subject long enough for the mail client to fold it\r\n"
    "--------------------------------------------------\r\n"
    "first line of the mail\r\n";

TEST(ReplyUnderWine, ReplyIsWrittenInASecondViewerAndSavedWithWidenedKana) {
    Sandbox box;
    box.Settings(true);
    CreateDirectoryW(box.File(L"inbox").c_str(), nullptr);
    WriteBytes(box.File(L"inbox\\0001.txt"), kMail);
    ComposingClient plover(box);
    ASSERT_TRUE(plover.Running());

    Viewer v(box, box.File(L"inbox\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    v.Command(CommandId::Reply);
    EXPECT_EQ(ReadBytes(box.File(L"inbox\\0001.txt")).substr(0, 16), "X-Status: SNDR\r\n");

    HWND compose = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (compose = FindWindowW(L"TForm1", L"Kestrel32 - _plv0000.tmp")) != nullptr; },
        30000))
        << plover.Log();
    Sleep(1500);  // its first timer tick
    HWND editor = FindWindowExW(compose, nullptr, L"RICHEDIT50W", nullptr);
    ASSERT_NE(editor, nullptr);
    // Half-width ｶﾞｲﾄﾞ typed at the very end.
    LRESULT end = SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0);  // past the end: the end
    SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(end), end);
    for (wchar_t c : std::wstring(L"\xff76\xff9e\xff72\xff84\xff9e")) {
        SendMessageW(editor, WM_CHAR, c, 0);
    }
    PostMessageW(compose, WM_COMMAND, static_cast<WPARAM>(CommandId::SaveAndQuit), 0);

    std::string saved;
    ASSERT_TRUE(WaitFor([&] { return SavedBytes(plover, saved); }, 30000)) << plover.Log();
    EXPECT_NE(saved.find("To: Taro <taro@example.jp>\r\n"), std::string::npos) << saved;
    // The folded Subject keeps its continuation line; Organization: is joined onto it.
    EXPECT_NE(saved.find("Subject: Re: a subject long enough for\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find(" the mail client to fold itOrganization: Plover stand-in\r\n"),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("X-Mailer: Plover stand-in\r\n"), std::string::npos) << saved;
    // The stand-in's half-width greeting and the typed kana, widened: テスト ガイド パン, ガイド.
    EXPECT_NE(saved.find("\x83\x65\x83\x58\x83\x67 \x83\x4b\x83\x43\x83\x68 \x83\x70\x83\x93"),
              std::string::npos)
        << saved;
    // The typed kana, widened, after the quoted original.
    size_t quoted = saved.find("> first line of the mail");
    size_t typed = saved.rfind("\x83\x4b\x83\x43\x83\x68");
    ASSERT_NE(quoted, std::string::npos) << saved;
    ASSERT_NE(typed, std::string::npos) << saved;
    EXPECT_GT(typed, quoted) << saved;
    for (size_t i = 0; i < saved.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(saved[i]);
        if (b >= 0x81 && b <= 0x9f)
            ++i;  // a double-byte character
        else if (b >= 0xe0 && b <= 0xfc)
            ++i;
        else
            EXPECT_FALSE(b >= 0xa0 && b <= 0xdf) << "half-width kana left at " << i;
    }
}

TEST(ReplyUnderWine, ClosingWithAutoMoveSendsTheMoverMacrosThenExits) {
    Sandbox box;
    box.WriteSettings("[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n[AW]\r\nAW=1\r\n");
    CreateDirectoryW(box.File(L"inbox").c_str(), nullptr);
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    WriteBytes(box.File(L"inbox\\0001.txt"), kMail);
    WriteBytes(box.File(L"recv\\0001.txt"), kMail);
    ComposingClient plover(box);
    ASSERT_TRUE(plover.Running());

    Viewer v(box, box.File(L"inbox\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    Sleep(1000);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(15000), 0);
    std::string dir = Narrow(Lower(box.Dir()));
    std::string log = plover.Log();
    size_t recv = log.find("[Update(" + dir + "\\Recv.fld)]");
    size_t move = log.find("[Move(" + dir + "\\In.fld," + dir + "\\Recv.fld,0001)]");
    size_t out = log.find("[Update(" + dir + "\\out.fld)]");
    ASSERT_NE(recv, std::string::npos) << log;
    ASSERT_NE(move, std::string::npos) << log;
    ASSERT_NE(out, std::string::npos) << log;
    EXPECT_LT(recv, move);
    EXPECT_LT(move, out);
}

}  // namespace
