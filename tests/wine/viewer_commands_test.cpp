// The real kestrel.exe under Wine with the stand-ins of the outside programs: a folder mail
// marked read and announced to the mail client, the mail client's open request, Decode with the
// page browser, and Justify on a selected quoted paragraph.
#include <gtest/gtest.h>
#include <windows.h>
// WIN32_LEAN_AND_MEAN leaves DDEML out of <windows.h>.
#include <ddeml.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/viewer_driver.h"

namespace {

using namespace kestrel::winetest;

// One execute on a fresh conversation; false when nobody answered.
bool SendDde(const char* service, const char* topic, const std::string& macro) {
    DWORD inst = 0;
    if (DdeInitializeA(&inst, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ s = DdeCreateStringHandleA(inst, service, CP_WINANSI);
    HSZ t = DdeCreateStringHandleA(inst, topic, CP_WINANSI);
    HCONV conv = DdeConnect(inst, s, t, nullptr);
    bool ok = false;
    if (conv) {
        std::string data = macro;
        DWORD result = 0;
        ok = DdeClientTransaction(reinterpret_cast<LPBYTE>(&data[0]),
                                  static_cast<DWORD>(data.size() + 1), conv, nullptr, CF_TEXT,
                                  XTYP_EXECUTE, 10000, &result) != nullptr;
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(inst, s);
    DdeFreeStringHandle(inst, t);
    DdeUninitialize(inst);
    return ok;
}

std::wstring Sample(const wchar_t* relative) {
    return WindowsPath(KESTREL_ROOT "/samples/plover/") + relative;
}

// A Plover data folder in the sandbox: recv\0001.txt (new), recv\0002.txt (encoded subject).
void MakeRecvFolder(const Sandbox& box) {
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    for (const wchar_t* name : {L"recv\\0001.txt", L"recv\\0002.txt"})
        ASSERT_TRUE(CopyFileW(Sample(name).c_str(), box.File(name).c_str(), FALSE));
}

// The stand-in mail client on the sandbox.
class MailClient : public StandInClient {
  public:
    explicit MailClient(const Sandbox& box) : StandInClient(box, L"/temp \"" + box.Dir() + L"\"") {}
};

TEST(ViewerWithMailClient, FolderMailIsMarkedReadAndAnnouncedThenFocused) {
    Sandbox box;
    box.Settings(true);
    MakeRecvFolder(box);
    const std::string original = ReadBytes(box.File(L"recv\\0001.txt"));
    ASSERT_EQ(original.compare(0, 16, "X-Status: RECV\r\n"), 0);
    MailClient plover(box);
    ASSERT_TRUE(plover.Running());

    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    EXPECT_EQ(SendMessageW(v.Editor(), EM_GETOPTIONS, 0, 0) & ECO_READONLY, ECO_READONLY)
        << "a folder mail is shown in viewer mode";
    // Only the status line changed in the file.
    EXPECT_EQ(ReadBytes(box.File(L"recv\\0001.txt")), "X-Status: READ\r\n" + original.substr(16));
    // The mail client hears of it: Update at once, Focus one timer interval later.
    const std::string folder = Narrow(Lower(box.File(L"recv"))) + ".fld";
    const std::string update = "[Update(" + folder + ",0001)]";
    const std::string focus = "[Focus(" + folder + ",0001)]";
    EXPECT_TRUE(WaitFor([&] { return plover.Log().find(focus) != std::string::npos; }))
        << plover.Log();
    std::string log = plover.Log();
    EXPECT_NE(log.find(update), std::string::npos) << log;
    EXPECT_LT(log.find(update), log.find(focus)) << log;

    // The mail client's own answer to a View request opens the next mail in the viewer.
    ASSERT_TRUE(SendDde("Plover", "Command", "[View(\"Next\")]"));
    EXPECT_NE(FindProcessWindow(v.Pid(), L"TForm1", L"Kestrel32 - 0002.txt", 15000), nullptr)
        << plover.Log();
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ViewerWithMailClient, WithoutTheMailClientEveryCommandStillWorks) {
    Sandbox box;
    box.Settings(true);
    MakeRecvFolder(box);
    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    // The Header button reopens the mail with every header line, then filtered again.
    const size_t filtered = ControlLines(v.Editor()).size();
    v.Command(CommandId::Header);
    EXPECT_GT(ControlLines(v.Editor()).size(), filtered);
    v.Command(CommandId::Header);
    v.Command(CommandId::Header);
    EXPECT_EQ(ControlLines(v.Editor()).size(), filtered);
    EXPECT_EQ(ReadBytes(box.File(L"recv\\0001.txt")).compare(0, 16, "X-Status: READ\r\n"), 0);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ViewerCommands, DecodeShowsTheTextWritesTheViewFileAndStartsThePageBrowser) {
    Sandbox box;
    const std::wstring browser = box.File(L"pgbrow.exe");
    ASSERT_TRUE(CopyFileW(WindowsPath(PGBROW_EXE).c_str(), browser.c_str(), FALSE));
    box.WriteSettings("[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n[Location]\r\nPgbrowExe=" +
                      Narrow(browser) + "\r\n");
    MakeRecvFolder(box);
    Viewer v(box, box.File(L"recv\\0002.txt"), L"Kestrel32 - 0002.txt");
    ASSERT_NE(v.Editor(), nullptr);
    const LRESULT modifiedBefore = SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0);
    v.Command(CommandId::Decode);
    // The encoded word becomes its ISO-2022-JP text (ニュース), which the page browser shows.
    const std::string jis = "Subject: \x1b$B%K%e!<%9\x1b(B December";
    const std::wstring text = ControlText(v.Editor());
    EXPECT_NE(text.find(Widen(jis)), std::wstring::npos);
    EXPECT_EQ(text.find(L"=?ISO-2022-JP"), std::wstring::npos);
    EXPECT_EQ(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), modifiedBefore);
    // The decoded text beside the program, and the page browser started on it.
    const std::string view = ReadBytes(box.File(L"_plvview.jis"));
    EXPECT_EQ(view.compare(0, 16, "X-Status: READ\r\n"), 0);
    EXPECT_NE(view.find(jis + "\r\n"), std::string::npos) << view;
    EXPECT_TRUE(WaitFor([&] { return !ReadBytes(box.File(L"pgbrow.log")).empty(); }));
    EXPECT_NE(Lower(Widen(ReadBytes(box.File(L"pgbrow.log")))).find(L"_plvview.jis"),
              std::wstring::npos)
        << ReadBytes(box.File(L"pgbrow.log"));
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0) << "Decode alone does not make the text count as changed";
}

TEST(ViewerCommands, JustifyRewrapsOnlyTheSelectedQuotedParagraph) {
    Sandbox box;
    box.Settings(true);
    const std::vector<std::wstring> quoted = {
        L"> \u6765\u9031\u306e\u6253\u3061\u5408\u308f\u305b\u3067\u3059\u304c\u3001\u706b"
        L"\u66dc\u65e5\u306e\u5348\u5f8c\u4e8c\u6642\u304b\u3089\u3067\u3044\u304b\u304c\u3067"
        L"\u3057\u3087\u3046\u304b\u3002\u8cc7\u6599\u306f",
        L"> \u4e0b\u8a18\u306b\u7f6e\u3044\u3066\u304a\u304d\u307e\u3057\u305f\u3002\u3088"
        L"\u308d\u3057\u304f\u304a\u9858\u3044\u3057\u307e\u3059\u3002\u5148\u9031\u306e\u4ef6"
        L"\u3001\u3069\u3046\u306a\u308a\u307e\u3057\u305f\u304b\u3002",
        L"> \u8cc7\u6599\u304c\u3042\u308c\u3070\u9001\u3063\u3066\u304f\u3060\u3055\u3044"
        L"\u3002",
    };
    std::wstring file_text = L"To: taro@example.jp\r\nSubject: Re: test\r\n" +
                             std::wstring(50, L'-') + L"\r\nbefore\r\n";
    for (const auto& q : quoted) file_text += q + L"\r\n";
    file_text += L"after\r\n";
    const std::wstring file = box.File(L"_plv0003.tmp");
    WriteBytes(file, ToSjis(file_text));
    Viewer v(box, file, L"Kestrel32 - _plv0003.tmp");
    ASSERT_NE(v.Editor(), nullptr);

    // Select the quoted lines, from inside the first to inside the last.
    const std::wstring text = ControlText(v.Editor());
    const size_t first = text.find(L"> ");
    const size_t after = text.find(L"\rafter");
    ASSERT_NE(after, std::wstring::npos);
    SendMessageW(v.Editor(), EM_SETSEL, first + 3, after - 2);
    const LRESULT modifiedBefore = SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0);
    v.Command(CommandId::Justify);

    std::vector<std::wstring> lines = ControlLines(v.Editor());
    auto b = std::find(lines.begin(), lines.end(), L"before");
    auto a = std::find(lines.begin(), lines.end(), L"after");
    ASSERT_NE(b, lines.end());
    ASSERT_NE(a, lines.end());
    EXPECT_EQ(lines[0], L"To: taro@example.jp") << "lines outside the selection stay";
    std::wstring joinedBefore, joinedAfter;
    for (const auto& q : quoted) joinedBefore += q.substr(2);
    std::vector<std::wstring> rewrapped(b + 1, a);
    EXPECT_NE(rewrapped, quoted) << "the paragraph was rewrapped";
    for (const auto& line : rewrapped) {
        ASSERT_EQ(line.compare(0, 2, L"> "), 0) << "every line keeps its quote mark";
        EXPECT_LE(ToSjis(line).size(), 64u + 6u);
        joinedAfter += line.substr(2);
    }
    EXPECT_EQ(joinedAfter, joinedBefore) << "no text lost or added";
    EXPECT_EQ(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), modifiedBefore);

    // The old lines are on the clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring clip = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_NE(clip.find(quoted[0]), std::wstring::npos) << "clipboard";
    EXPECT_NE(clip.find(quoted[2]), std::wstring::npos) << "clipboard";

    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

}  // namespace
