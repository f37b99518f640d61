// Reading through a folder with real key presses into the real kestrel.exe under Wine, beside
// the stand-in mail client: Space through the folder in number order, Delete into the trash,
// Shift+Space in the mail client's own order, and the key-number display mode.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/viewer_driver.h"
#include "tools/standin/macro_log.h"

namespace {

using namespace kestrel::winetest;
using kestrel::standin::LogEntry;
using kestrel::standin::ParseLog;

std::wstring Sample(const wchar_t* relative) {
    return WindowsPath(KESTREL_ROOT "/samples/plover/") + relative;
}

// The sample received folder (mails 0001, 0002, 0004 unread, 0007 read; the mail client lists
// them as 0007, 0001, 0004, 0002) and its folder file, copied into the sandbox with a trash.
void MakeSampleFolders(const Sandbox& box) {
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    CreateDirectoryW(box.File(L"trash").c_str(), nullptr);
    // A sandbox of an earlier run (same process id under Wine) may hold moved mails.
    for (const wchar_t* folder : {L"recv\\", L"trash\\"}) {
        WIN32_FIND_DATAW found;
        const std::wstring dir = box.File(folder);
        HANDLE h = FindFirstFileW((dir + L"*.txt").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            DeleteFileW((dir + found.cFileName).c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    for (const wchar_t* name : {L"recv\\0001.txt", L"recv\\0002.txt", L"recv\\0004.txt",
                                L"recv\\0007.txt", L"recv.fld", L"trash\\0001.txt", L"trash.can"})
        ASSERT_TRUE(CopyFileW(Sample(name).c_str(), box.File(name).c_str(), FALSE)) << name;
}

void Settings(const Sandbox& box, const std::string& extra) {
    box.WriteSettings("[View]\r\nEnglishMenu=1\r\nTimer=400\r\n" + extra +
                      "[Location]\r\nTrashCan=" + Narrow(box.File(L"trash.can")) + "\r\n");
}

// The stand-in mail client on the sandbox, answering View on the copied viewer's topic.
class MailClient : public StandInClient {
  public:
    MailClient(const Sandbox& box, const std::wstring& options = L"")
        : StandInClient(
              box, L"/viewer \"" + box.Exe() + L"\" /temp \"" + box.Dir() + L"\" " + options) {}
    std::vector<LogEntry> Entries() const { return ParseLog(Log()); }
    // Time of the first entry with this text, -1 when none.
    long long TimeOf(const std::string& text) const {
        for (const LogEntry& e : Entries())
            if (e.text == text) return e.msOfDay;
        return -1;
    }
};

// A key press through the input queue of the viewer's editor, as the keyboard makes it: the
// window is brought to the front and focused first.
void Press(const Viewer& v, WORD vk, std::vector<WORD> modifiers = {}) {
    SetForegroundWindow(v.Window());
    DWORD self = GetCurrentThreadId();
    DWORD target = GetWindowThreadProcessId(v.Window(), nullptr);
    AttachThreadInput(self, target, TRUE);
    SetFocus(v.Editor());
    AttachThreadInput(self, target, FALSE);
    std::vector<INPUT> in;
    auto key = [&in](WORD code, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = code;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    for (WORD m : modifiers) key(m, false);
    key(vk, false);
    key(vk, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) key(*it, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    Sleep(300);
}

std::string Status(const Sandbox& box, const wchar_t* mail) {
    std::string bytes = ReadBytes(box.File(mail));
    return bytes.substr(0, bytes.find('\r'));
}

std::wstring Title(const Viewer& v) {
    wchar_t text[256] = {};
    GetWindowTextW(v.Window(), text, 256);
    return text;
}

bool TitleIs(const Viewer& v, const wchar_t* title) {
    return WaitFor([&] { return Title(v) == title; });
}

// Space until the window shows another mail: a page at a time, then on to the next one.
void SpaceToNextMail(const Viewer& v) {
    const std::wstring before = Title(v);
    for (int i = 0; i < 8 && Title(v) == before; ++i) Press(v, VK_SPACE);
}

TEST(ReadingWithKeys, SpaceReadsThroughTheFolderInNumberOrder) {
    Sandbox box;
    Settings(box, "");
    MakeSampleFolders(box);
    MailClient plover(box);
    ASSERT_TRUE(plover.Running());
    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);

    // Space pages down and at the end goes on to the next number, skipping the gap at 0003.
    const std::string folder = Narrow(Lower(box.File(L"recv"))) + ".fld";
    for (const char* n : {"0002", "0004", "0007"}) {
        SpaceToNextMail(v);
        ASSERT_TRUE(TitleIs(v, (L"Kestrel32 - " + Widen(n) + L".txt").c_str())) << n << "\n"
                                                                                << plover.Log();
        const std::string update = "[Update(" + folder + "," + n + ")]";
        const std::string focus = "[Focus(" + folder + "," + n + ")]";
        ASSERT_TRUE(WaitFor([&] { return plover.TimeOf(focus) >= 0; })) << plover.Log();
        const long long gap = plover.TimeOf(focus) - plover.TimeOf(update);
        EXPECT_GE(gap, 300) << plover.Log();  // one Timer interval of 400 ms
        EXPECT_LT(gap, 3000) << plover.Log();
    }
    for (const wchar_t* mail : {L"recv\\0001.txt", L"recv\\0002.txt", L"recv\\0004.txt"})
        EXPECT_EQ(Status(box, mail), "X-Status: READ") << Narrow(mail);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ReadingWithKeys, DeleteMovesTheMailIntoTheTrashAndShowsTheNeighbour) {
    Sandbox box;
    Settings(box, "");
    MakeSampleFolders(box);
    MailClient plover(box);
    ASSERT_TRUE(plover.Running());
    Viewer v(box, box.File(L"recv\\0002.txt"), L"Kestrel32 - 0002.txt");
    ASSERT_NE(v.Window(), nullptr);
    const std::string body = ReadBytes(box.File(L"recv\\0002.txt")).substr(16);
    Press(v, VK_DELETE);
    EXPECT_TRUE(TitleIs(v, L"Kestrel32 - 0004.txt")) << plover.Log();
    EXPECT_TRUE(WaitFor([&] {
        return GetFileAttributesW(box.File(L"recv\\0002.txt").c_str()) == INVALID_FILE_ATTRIBUTES;
    })) << plover.Log();
    EXPECT_EQ(ReadBytes(box.File(L"trash\\0002.txt")).substr(16), body) << plover.Log();
    EXPECT_EQ(plover.Log().find("! Move"), std::string::npos) << plover.Log();
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

// After a long mail the next one goes into a new editor control (the control takes a minute
// to delete a long mail's text): the next mail shows there, with the focus, and the keys reach
// the viewer as before.
TEST(ReadingWithKeys, TheMailAfterALongOneShowsAndTakesTheKeys) {
    Sandbox box;
    Settings(box, "");
    MakeSampleFolders(box);
    std::string mail = ReadBytes(box.File(L"recv\\0001.txt"));
    for (int i = 0; i < 3000; ++i) mail += "> quoted line " + std::to_string(i) + "\r\n";
    WriteBytes(box.File(L"recv\\0001.txt"), mail);
    MailClient plover(box);
    ASSERT_TRUE(plover.Running());
    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    auto editor = [&] { return v.Editor(); };
    auto editorText = [&] {
        std::wstring text(200000, L'\0');
        LRESULT n =
            SendMessageW(editor(), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(n > 0 ? n : 0));
        return text;
    };
    const HWND first = editor();
    ASSERT_NE(editorText().find(L"quoted line 2999"), std::wstring::npos);
    Press(v, VK_DELETE);
    ASSERT_TRUE(TitleIs(v, L"Kestrel32 - 0002.txt")) << plover.Log();
    EXPECT_NE(editor(), first);
    EXPECT_EQ(editorText().find(L"quoted line"), std::wstring::npos);
    EXPECT_FALSE(editorText().empty());
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(v.Window(), nullptr), &gui));
    EXPECT_EQ(gui.hwndFocus, editor());
    Press(v, VK_DELETE);  // into the new control
    EXPECT_TRUE(TitleIs(v, L"Kestrel32 - 0004.txt")) << plover.Log();
    EXPECT_EQ(GetFileAttributesW(box.File(L"recv\\0001.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ReadingWithKeys, ShiftSpaceInTheClientsOrderShowsTheUnreadMailItChose) {
    Sandbox box;
    Settings(box, "NextMailMode=1\r\n");
    MakeSampleFolders(box);
    MailClient plover(box);
    ASSERT_TRUE(plover.Running());
    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    // The client lists 0007, 0001, 0004, 0002: the next unread after 0001 is 0004, not 0002.
    ASSERT_TRUE(WaitFor([&] { return plover.Log().find("[Focus(") != std::string::npos; }));
    Press(v, VK_SPACE, {VK_SHIFT});
    EXPECT_TRUE(TitleIs(v, L"Kestrel32 - 0004.txt")) << plover.Log();
    EXPECT_NE(plover.Log().find("[View(\"NextRecv\")]"), std::string::npos) << plover.Log();
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ReadingWithKeys, ASilentClientLeavesTheMailOnShow) {
    Sandbox box;
    Settings(box, "NextMailMode=1\r\n");
    MakeSampleFolders(box);
    MailClient plover(box, L"/no-view-answer");
    ASSERT_TRUE(plover.Running());
    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    SpaceToNextMail(v);  // pages to the end, then asks the client again and again
    ASSERT_TRUE(WaitFor([&] {
        return plover.Log().find("no answer to View") != std::string::npos;
    })) << plover.Log();
    Sleep(1000);
    EXPECT_TRUE(TitleIs(v, L"Kestrel32 - 0001.txt"));
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ReadingWithKeys, KeyNumberModePrintsTheNumbers) {
    Sandbox box;
    Settings(box, "");
    MakeSampleFolders(box);
    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr);
    v.Command(CommandId::KeyNumber);
    ASSERT_TRUE(TitleIs(v, L"Kestrel32 - Key Number"));
    Press(v, 'A', {VK_CONTROL});
    Press(v, VK_DELETE);
    Press(v, VK_SHIFT);
    Press(v, VK_F5);
    EXPECT_TRUE(WaitFor([&] { return ControlLines(v.Editor()).size() >= 4; }));
    std::vector<std::wstring> lines = ControlLines(v.Editor());
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Key number will be displayed when you hit a key.",
                                                L"$241", L"$02E", L"$074"}));
    // Nothing was deleted, and leaving asks nothing.
    EXPECT_NE(GetFileAttributesW(box.File(L"recv\\0001.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

}  // namespace
