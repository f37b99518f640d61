// The viewer's main window under Wine: the real kestrel.exe started on a compose file (title,
// editable editor, Japanese text typed and saved as Shift-JIS, bytes that are no character kept
// through a save, the question on Exit with changes), and the window's parts driven in this
// process (menus in both languages, the editor's byte offsets and lossless lines).
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <richedit.h>
// WIN32_LEAN_AND_MEAN leaves DDEML out of <windows.h>.
#include <ddeml.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/wine/viewer_driver.h"
#include "viewer/shell/commands.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/viewer.h"
#include "viewer/win32/dde_link.h"
#include "viewer/win32/find_dialogs_win32.h"
#include "viewer/win32/form1_window.h"
#include "viewer/win32/pin_dialog.h"
#include "viewer/win32/platform_win32.h"
#include "viewer/win32/spell_dialog_window.h"
#include "viewer/win32/spell_library_win32.h"

namespace {
using namespace kestrel::winetest;

TEST(ViewerProgram, ComposeFileOpensEditableWithItsNameInTheTitle) {
    Sandbox box;
    box.Settings(true);
    std::wstring file = box.File(L"_plv0001.tmp");
    ASSERT_TRUE(CopyFileW(SampleCompose().c_str(), file.c_str(), FALSE));
    Viewer v(box, file, L"Kestrel32 - _plv0001.tmp");
    ASSERT_NE(v.Window(), nullptr) << "no window titled \"Kestrel32 - _plv0001.tmp\"";
    ASSERT_NE(v.Editor(), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(v.Editor(), GWL_STYLE) & ES_READONLY, 0);
    // The whole file is on screen: the control's text (CR LF line ends) is the file's.
    // WM_GETTEXT itself: GetWindowText does not ask a window of another process.
    LRESULT n = SendMessageW(v.Editor(), WM_GETTEXTLENGTH, 0, 0);
    std::wstring shown(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(v.Editor(), WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(&shown[0]));
    shown.resize(wcslen(shown.c_str()));
    std::string bytes = ReadBytes(file);
    EXPECT_EQ(ToSjis(shown) + "\r\n", bytes);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ViewerProgram, TypedJapaneseIsSavedAsShiftJis) {
    Sandbox box;
    box.Settings(true);
    std::wstring file = box.File(L"_plv0001.tmp");
    ASSERT_TRUE(CopyFileW(SampleCompose().c_str(), file.c_str(), FALSE));
    const std::string original = ReadBytes(file);
    Viewer v(box, file, L"Kestrel32 - _plv0001.tmp");
    ASSERT_NE(v.Editor(), nullptr);
    v.Type(L"日本語のテキスト、ｶﾀｶﾅ", 0);
    EXPECT_NE(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), 0);
    v.Command(CommandId::Save);
    EXPECT_EQ(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), 0) << "Save clears the modified mark";
    EXPECT_EQ(ReadBytes(file),
              "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x81\x41"
              "\xb6\xc0\xb6\xc5" +
                  original);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0) << "no question after saving";
}

// Bytes that are no character, a lead byte at a line end and the second codes of characters
// that have two must come back as they were, in lines the user edited and in lines not touched.
TEST(ViewerProgram, BytesThatAreNoCharacterSurviveASave) {
    Sandbox box;
    box.Settings(true);
    std::wstring file = box.File(L"_plv0002.tmp");
    const std::string body =
        "abc\x80"
        "def\xA0\r\n"
        "lead at end \x82\r\n"
        "\x87\x90 and \xED\x40 second codes\r\n"
        "\x81\xE0 and \xFA\x5C first codes\r\n"
        "\xFD\xFE\xFF tail \x81\r\n"
        "\x82\xa0\x82\xa2\r\n";
    WriteBytes(file, body);
    Viewer v(box, file, L"Kestrel32 - _plv0002.tmp");
    ASSERT_NE(v.Editor(), nullptr);
    v.Command(CommandId::Save);
    EXPECT_EQ(ReadBytes(file), body) << "saved unchanged";
    v.Type(L"Z", 0);  // an edit in the first line
    v.Command(CommandId::Save);
    EXPECT_EQ(ReadBytes(file), "Z" + body);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

TEST(ViewerProgram, ExitWithChangesAsksToSaveAndCancelKeepsTheWindow) {
    Sandbox box;
    box.Settings(true);
    std::wstring file = box.File(L"_plv0001.tmp");
    ASSERT_TRUE(CopyFileW(SampleCompose().c_str(), file.c_str(), FALSE));
    const std::string original = ReadBytes(file);
    Viewer v(box, file, L"Kestrel32 - _plv0001.tmp");
    ASSERT_NE(v.Editor(), nullptr);
    v.Type(L"x", 0);
    PostMessageW(v.Window(), WM_COMMAND, static_cast<WPARAM>(CommandId::Exit), 0);
    EXPECT_EQ(v.AnswerMessageBox(IDCANCEL), L"Save _plv0001.tmp ?");
    EXPECT_EQ(v.WaitExit(1500), -1) << "Cancel keeps the window";
    EXPECT_TRUE(IsWindow(v.Window()));
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.AnswerMessageBox(IDNO), L"Save _plv0001.tmp ?");
    EXPECT_EQ(v.WaitExit(30000), 0);
    EXPECT_EQ(ReadBytes(file), original) << "No leaves the file as it was";
}

// A folder mail named on the command line is shown by the mail display; the mail client's
// [open("...")] request on the viewer's topic "system" shows another one.
TEST(ViewerProgram, FolderMailsOpenFromTheCommandLineAndTheSystemTopic) {
    Sandbox box;
    box.Settings(true);
    CreateDirectoryW(box.File(L"inbox").c_str(), nullptr);
    for (const wchar_t* name : {L"inbox\\0001.txt", L"inbox\\0002.txt"}) {
        std::wstring from = WindowsPath(KESTREL_ROOT "/samples/plover/") + name;
        ASSERT_TRUE(CopyFileW(from.c_str(), box.File(name).c_str(), FALSE));
    }
    CopyFileW(WindowsPath(KESTREL_ROOT "/samples/plover/inbox.fld").c_str(),
              box.File(L"inbox.fld").c_str(), FALSE);
    Viewer v(box, box.File(L"inbox\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Window(), nullptr) << "the folder mail's name in the title";
    EXPECT_GT(SendMessageW(v.Editor(), WM_GETTEXTLENGTH, 0, 0), 0);

    DWORD inst = 0;
    ASSERT_EQ(DdeInitializeA(&inst, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0),
              static_cast<UINT>(DMLERR_NO_ERROR));
    HSZ service = DdeCreateStringHandleA(inst, "kestrel", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(inst, "system", CP_WINANSI);
    HCONV conv = DdeConnect(inst, service, topic, nullptr);
    EXPECT_NE(conv, nullptr) << "service \"kestrel\", topic \"system\"";
    if (conv) {
        std::string macro = "[open(\"" + Narrow(box.File(L"inbox\\0002.txt")) + "\")]";
        DWORD result = 0;
        DdeClientTransaction(reinterpret_cast<LPBYTE>(&macro[0]),
                             static_cast<DWORD>(macro.size() + 1), conv, nullptr, CF_TEXT,
                             XTYP_EXECUTE, 10000, &result);
        DdeDisconnect(conv);
        EXPECT_NE(FindProcessWindow(v.Pid(), L"TForm1", L"Kestrel32 - 0002.txt", 15000), nullptr);
    }
    DdeFreeStringHandle(inst, service);
    DdeFreeStringHandle(inst, topic);
    DdeUninitialize(inst);
    PostMessageW(v.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(v.WaitExit(30000), 0);
}

// While a request is being carried out (here: held by its debug message) the next ones wait in
// the viewer's queue; once that is full a request is answered busy instead of being
// acknowledged and dropped, and a request longer than 64 KiB arrives whole.
TEST(ViewerProgram, SystemTopicAnswersBusyWhenItsQueueIsFullAndKeepsLongRequests) {
    Sandbox box;
    box.WriteSettings("[View]\r\nEnglishMenu=1\r\nDebugMode=1\r\n");
    // No file: nothing at start shows a debug message.
    Viewer v(box, L"", L"Kestrel32 - [Untitled]");
    ASSERT_NE(v.Window(), nullptr);

    DWORD inst = 0;
    ASSERT_EQ(DdeInitializeA(&inst, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0),
              static_cast<UINT>(DMLERR_NO_ERROR));
    HSZ service = DdeCreateStringHandleA(inst, "kestrel", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(inst, "system", CP_WINANSI);
    HCONV conv = DdeConnect(inst, service, topic, nullptr);
    ASSERT_NE(conv, nullptr);
    auto send = [&](std::string macro) {
        DWORD result = 0;
        return DdeClientTransaction(reinterpret_cast<LPBYTE>(&macro[0]),
                                    static_cast<DWORD>(macro.size() + 1), conv, nullptr, CF_TEXT,
                                    XTYP_EXECUTE, 10000, &result) != nullptr;
    };
    // The first request's "DDE3: " box holds it; its first line is 70000 bytes long.
    const std::string longLine = "[open(\"c:\\" + std::string(70000, 'a') + "\")]";
    ASSERT_TRUE(send(longLine));
    HWND shown = FindProcessWindow(v.Pid(), L"#32770", nullptr, 15000);
    ASSERT_NE(shown, nullptr);
    HWND label = GetDlgItem(shown, 0xFFFF);
    EXPECT_EQ(SendMessageW(label, WM_GETTEXTLENGTH, 0, 0),
              static_cast<LRESULT>(6 + longLine.size()))
        << "the whole first line after \"DDE3: \"";
    int accepted = 0;
    for (int i = 0; i < 64; ++i) accepted += send("[open(\"c:\\x" + std::to_string(i) + "\")]");
    EXPECT_EQ(accepted, 64);
    EXPECT_FALSE(send("[open(\"c:\\one too many\")]"));
    // Windows reports the busy answer as DMLERR_BUSY, Wine as not processed.
    UINT error = DdeGetLastError(inst);
    EXPECT_TRUE(error == DMLERR_BUSY || error == DMLERR_NOTPROCESSED) << error;
    DdeDisconnect(conv);
    DdeFreeStringHandle(inst, service);
    DdeFreeStringHandle(inst, topic);
    DdeUninitialize(inst);
}

// --- the window's parts in this process -----------------------------------------------------

// The platform with the Windows services, but the program path (and so the settings file)
// in a sandbox.
struct SandboxEnvironment : kestrel::win32::WinEnvironment {
    std::string program;
    std::string ProgramPath() const override { return program; }
};

// The features after the window, for a window tested alone: key presses are handed to onKey.
struct LonePeers : kestrel::FormPeers {
    std::function<void(int, unsigned)> onKey;
    void OpenFolderMail(const std::string&) override {}
    void OpenFinchpostLink() override {}
    void SendToPlover(const std::string&) override {}
    bool AskPinAtStart() override { return false; }
    bool StartMoveMailsAtClose() override { return false; }
    void DispatchKey(int vk, unsigned modifiers) override {
        if (onKey) onKey(vk, modifiers);
    }
};

struct InProcessWindow {
    kestrel::win32::Form1Window window;
    kestrel::win32::WinMessageBoxes messages{[] { return HWND(nullptr); }};
    kestrel::win32::WinStandardDialogs dialogs{[] { return HWND(nullptr); }};
    kestrel::win32::ClassesRootLookup registry;
    SandboxEnvironment environment;
    kestrel::win32::WinProcessLauncher launcher;
    kestrel::win32::WinWindowFinder finder;
    kestrel::win32::WinClipboard clipboard;
    kestrel::win32::WinPrinter printer{messages};
    kestrel::win32::WinHelpViewer help{messages};
    kestrel::win32::WinPinDialog pinDialog{[] { return HWND(nullptr); }};
    kestrel::win32::WinFindReplaceDialogs findDialogs{[] { return HWND(nullptr); }};
    kestrel::win32::WinSpellLibraryLoader libraries;
    kestrel::win32::WinSpellDialogWindow spellWindow;
    std::unique_ptr<kestrel::Platform> platform;
    // The window alone.
    LonePeers peers;
    kestrel::CommandRouter commands;
    std::unique_ptr<kestrel::TimerSequencer> timer;
    kestrel::ViewerEvents events;
    std::unique_ptr<kestrel::TForm1> form;
    // The whole viewer, as the program builds it.
    std::unique_ptr<kestrel::Viewer> parts;

    explicit InProcessWindow(const Sandbox& box, std::function<void(int, unsigned)> onKey = {}) {
        if (!MakePlatform(box)) return;
        peers.onKey = std::move(onKey);
        timer = std::make_unique<kestrel::TimerSequencer>(platform->timer);
        form = std::make_unique<kestrel::TForm1>(
            *platform, kestrel::ShellWiring{commands, *timer, events}, peers);
        window.Attach(*form, {});
    }
    InProcessWindow(const Sandbox& box, const kestrel::DdeChannels& dde) {
        if (!MakePlatform(box)) return;
        parts = std::make_unique<kestrel::Viewer>(*platform, dde);
        window.Attach(parts->Form(), {});
    }
    bool MakePlatform(const Sandbox& box) {
        environment.program = Narrow(box.Exe());
        if (!window.Create()) return false;
        platform.reset(new kestrel::Platform{window.Editor(), window, messages, dialogs, registry,
                                             environment, launcher, finder, clipboard,
                                             window.Timer(), printer, help, pinDialog, findDialogs,
                                             libraries, spellWindow});
        return true;
    }
    ~InProcessWindow() {
        window.Timer().Stop();
        if (window.hwnd()) DestroyWindow(window.hwnd());
    }
};

std::vector<std::wstring> MenuBarCaptions(HWND hwnd) {
    std::vector<std::wstring> out;
    HMENU bar = GetMenu(hwnd);
    for (int i = 0; bar && i < GetMenuItemCount(bar); ++i) {
        wchar_t buf[128] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), buf, 128, MF_BYPOSITION);
        out.push_back(buf);
    }
    return out;
}

std::wstring ItemCaption(HWND hwnd, CommandId id) {
    wchar_t buf[128] = {};
    GetMenuStringW(GetMenu(hwnd), static_cast<UINT>(id), buf, 128, MF_BYCOMMAND);
    return buf;
}

// A folder mail through the real control: quoted lines in the quote colour, the web address
// coloured and underlined, the rest in the viewer's text colour.
TEST(ViewerMailColours, QuotesAndAddressesAreColouredInTheControl) {
    Sandbox box;
    box.Settings(true);
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileW((WindowsPath(KESTREL_ROOT "/samples/plover/") + L"recv\\0001.txt").c_str(),
                  box.File(L"recv\\0001.txt").c_str(), FALSE));
    kestrel::win32::DdeLink dde;
    dde.Initialize();
    InProcessWindow w(box, dde.Channels());
    ASSERT_TRUE(w.parts);
    // Start-up reads the settings and opens the mail named on the command line.
    w.parts->Form().ShowUp({Narrow(box.File(L"recv\\0001.txt"))});
    HWND editor = FindWindowExW(w.window.hwnd(), nullptr, L"RICHEDIT50W", nullptr);
    ASSERT_NE(editor, nullptr);
    const std::wstring text = ControlText(editor);
    auto formatAt = [&](size_t pos) {
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_COLOR | CFM_UNDERLINE;
        SendMessageW(editor, EM_SETSEL, pos, pos + 1);
        SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    };
    const size_t quote = text.find(L"> ");
    const size_t url = text.find(L"https://www.example.jp/meeting/2026-12.html");
    const size_t plain = text.find(L"\u3088\u308d\u3057\u304f");  // よろしく
    ASSERT_NE(quote, std::wstring::npos);
    ASSERT_NE(url, std::wstring::npos);
    ASSERT_NE(plain, std::wstring::npos);
    EXPECT_EQ(formatAt(quote).crTextColor, RGB(0, 0x80, 0)) << "QuoteFontColor default";
    CHARFORMAT2W link = formatAt(url + 10);
    EXPECT_EQ(link.crTextColor, RGB(0, 0, 0xFF)) << "UrlFontColor default";
    EXPECT_TRUE(link.dwEffects & CFE_UNDERLINE);
    CHARFORMAT2W body = formatAt(plain);
    EXPECT_EQ(body.crTextColor, RGB(0, 0, 0)) << "ViewerFontColor default";
    EXPECT_FALSE(body.dwEffects & CFE_UNDERLINE);
    EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0) << "colouring is no change";
}

TEST(ViewerMenus, EnglishMenuOffGivesJapaneseCaptions) {
    struct Case {
        bool english;
        const wchar_t* file;
        const wchar_t* save;
        const wchar_t* help;
    };
    for (const Case& c : {Case{false, L"ファイル(&F)", L"保存(&S)", L"ヘルプ(&H)"},
                          Case{true, L"&File", L"&Save", L"&Help"}}) {
        Sandbox box;
        box.Settings(c.english);
        InProcessWindow w(box);
        ASSERT_TRUE(w.form);
        w.window.ShowFirst(SW_SHOWNOACTIVATE);
        std::vector<std::wstring> bar = MenuBarCaptions(w.window.hwnd());
        ASSERT_FALSE(bar.empty());
        EXPECT_EQ(bar.front(), c.file) << "english=" << c.english;
        EXPECT_EQ(bar.back(), c.help);
        EXPECT_EQ(ItemCaption(w.window.hwnd(), CommandId::Save), c.save);
        wchar_t cut[64] = {};
        GetMenuStringW(w.window.PopupMenu(), static_cast<UINT>(CommandId::PopupCut), cut, 64,
                       MF_BYCOMMAND);
        EXPECT_EQ(std::wstring(cut), c.english ? L"Cut" : L"カット") << "pop-up menu";
    }
}

TEST(ViewerMenus, HiddenTopLevelMenusComeBackInPlace) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    w.window.ShowFirst(SW_SHOWNOACTIVATE);
    auto has = [&](const wchar_t* caption) {
        for (const std::wstring& s : MenuBarCaptions(w.window.hwnd()))
            if (s == caption) return true;
        return false;
    };
    EXPECT_FALSE(has(L"&Scramble")) << "hidden at start";
    w.window.SetMenuVisible(CommandId::MenuScramble, true);
    std::vector<std::wstring> bar = MenuBarCaptions(w.window.hwnd());
    auto scramble = std::find(bar.begin(), bar.end(), L"&Scramble");
    auto edit = std::find(bar.begin(), bar.end(), L"&Edit");
    ASSERT_NE(scramble, bar.end());
    EXPECT_LT(scramble, edit) << "before Edit, as in the model";
    w.window.SetMenuChecked(CommandId::WordWrap, true);
    w.window.SetMenuVisible(CommandId::MenuScramble, false);
    EXPECT_FALSE(has(L"&Scramble"));
    EXPECT_TRUE(GetMenuState(GetMenu(w.window.hwnd()), static_cast<UINT>(CommandId::WordWrap),
                             MF_BYCOMMAND) &
                MF_CHECKED)
        << "check marks survive the rebuild";
    w.window.SetDynamicMenu(CommandId::MenuInsert, {{CommandId::Insert1, "\x88\xa5\x8e\x41"},
                                                    {CommandId::Insert2, "Regards"}});
    w.window.SetMenuVisible(CommandId::MenuInsert, true);
    EXPECT_EQ(ItemCaption(w.window.hwnd(), CommandId::Insert1), L"挨拶");
    EXPECT_EQ(ItemCaption(w.window.hwnd(), CommandId::Insert2), L"Regards");
}

// Byte offsets (a line end counts 2) against the control's positions (a line end counts 1,
// a double-byte character 1).
TEST(RichEdit1Offsets, ByteOffsetsMapToTheControlsCharacters) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::TextControl& e = w.window.Editor();
    e.SetLines({"ab\x82\xa0\x82\xa2", "", "\x93\xfa\x96\x7b x"});
    EXPECT_EQ(e.LineCount(), 3);
    struct Case {
        int start, length;
        std::string text;
        int lineOfStart;
    };
    for (const Case& c :
         {Case{0, 2, "ab", 0}, Case{2, 2, "\x82\xa0", 0}, Case{4, 4, "\x82\xa2\r\n", 0},
          Case{6, 4, "\r\n\r\n", 0}, Case{10, 4, "\x93\xfa\x96\x7b", 2}, Case{14, 2, " x", 2}}) {
        e.SetSelection(c.start, c.length);
        EXPECT_EQ(e.SelStart(), c.start);
        EXPECT_EQ(e.SelLength(), c.length);
        EXPECT_EQ(e.SelText(), c.text) << c.start;
        EXPECT_EQ(e.LineFromOffset(c.start), c.lineOfStart) << c.start;
    }
    EXPECT_EQ(e.LineOffset(1), 8);
    EXPECT_EQ(e.LineOffset(2), 10);
    EXPECT_EQ(e.LineOffset(3), 16) << "the text length";
    // Inside a double-byte character: its start.
    e.SetSelection(3, 0);
    EXPECT_EQ(e.SelStart(), 2);
}

// Colour and underline land on the characters of the byte range, and are no edit.
TEST(RichEdit1Offsets, RangeFormatsCoverTheCharactersOfTheByteRange) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::win32::RichEdit1& e = w.window.Editor();
    e.SetLines(
        {"ab\x82\xa0\x82\xa2"
         "cd",
         "\x93\xfa x"});
    e.SetModified(false);
    e.SetRangeColour(2, 4, 0x000000FF);
    e.SetRangeUnderline(10, 2, true);
    auto format = [&](LONG cp) {
        CHARRANGE one{cp, cp + 1};
        SendMessageW(e.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(e.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    };
    struct Case {
        LONG cp;
        bool red, underlined;
    };
    // Characters: a b あ い c d CR 日 space x
    for (const Case& c : {Case{1, false, false}, Case{2, true, false}, Case{3, true, false},
                          Case{4, false, false}, Case{7, false, true}, Case{8, false, false}}) {
        CHARFORMAT2W cf = format(c.cp);
        EXPECT_EQ(cf.crTextColor == RGB(255, 0, 0), c.red) << c.cp;
        EXPECT_EQ((cf.dwEffects & CFE_UNDERLINE) != 0, c.underlined) << c.cp;
    }
    EXPECT_FALSE(e.Modified());
    EXPECT_EQ(e.Line(0),
              "ab\x82\xa0\x82\xa2"
              "cd");
}

// Text and formats given in one update batch reach the control in one stream at its end: the
// text comes back byte for byte (rich-text specials, bytes that are no character, tabs, a last
// empty line, and control characters, which may take the plain path), and every range has its
// format. Text without control characters takes the one stream: the plain path with its format
// calls took minutes for a long mail that ended with an empty line.
TEST(RichEdit1Offsets, BatchStreamsTextWithItsFormatsExactly) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::win32::RichEdit1& e = w.window.Editor();
    auto format = [&](LONG cp) {
        CHARRANGE one{cp, cp + 1};
        SendMessageW(e.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(e.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    };
    const std::vector<std::string> plain = {"{\\rtf1 not rich} \\par {}", "\x82\xa0\x82\xa2\tab",
                                            "\x85\x40\xff\x80 raw", "\xb1\xb2 kana", ""};
    std::vector<std::string> control = plain;
    control[4] = std::string("nul\0and\x1b$B", 11);
    for (const auto& lines : {plain, control}) {
        e.BeginUpdate();
        e.SetLines(lines);
        e.SetRangeColour(0, 5, 0x000000FF);   // "{\rtf"
        e.SetRangeColour(3, 10, 0x0000FF00);  // over the first range's end
        e.SetRangeUnderline(26, 4, true);     // the two kana starting the second line
        e.SetModified(false);
        e.EndUpdate();
        e.TextChanged();  // read the control itself, not what was given
        EXPECT_EQ(e.Lines(), lines);
        EXPECT_FALSE(e.Modified());
        if (lines == plain) EXPECT_TRUE(e.LastFillStreamed());
        struct Case {
            LONG cp;
            COLORREF colour;
            bool underlined;
        };
        // The first line has 24 characters and a CR: the kana are characters 25 and 26.
        for (const Case& c : {Case{0, RGB(255, 0, 0), false}, Case{2, RGB(255, 0, 0), false},
                              Case{3, RGB(0, 255, 0), false}, Case{12, RGB(0, 255, 0), false},
                              Case{25, 0, true}, Case{26, 0, true}, Case{27, 0, false}}) {
            CHARFORMAT2W cf = format(c.cp);
            if (c.colour) EXPECT_EQ(cf.crTextColor, c.colour) << c.cp;
            EXPECT_EQ((cf.dwEffects & CFE_UNDERLINE) != 0, c.underlined) << c.cp;
        }
    }
}

// A long text shows its first part at once and takes the rest in timer ticks: Lines() is whole
// from the start, what needs the rest finishes the load first, and in the end the control holds
// the text byte for byte with its colours. A new text during a load replaces it wholly.
TEST(RichEdit1Offsets, LongTextGoesInInPartsAndComesBackWhole) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::win32::RichEdit1& e = w.window.Editor();
    std::vector<std::string> lines;
    for (int i = 0; i < 4000; ++i)
        lines.push_back("line " + std::to_string(i) + " \x82\xa0\x82\xa2 text \x85\x40");
    lines.push_back("");  // a last empty line
    auto fill = [&] {     // as the viewer shows a mail: the old text goes first
        e.Clear();
        e.BeginUpdate();
        e.SetLines(lines);
        e.SetRangeColour(e.LineOffset(3990), 4, 0x000000FF);
        e.SetRangeColour(e.LineOffset(10), 4, 0x000000FF);
        e.SetModified(false);
        e.EndUpdate();
    };
    auto controlLength = [&] {
        return static_cast<size_t>(SendMessageW(e.hwnd(), WM_GETTEXTLENGTH, 0, 0));
    };
    auto pumpUntilLoaded = [&] {
        for (int i = 0; i < 2000 && e.Loading(); ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
    };

    fill();
    ASSERT_TRUE(e.Loading());
    EXPECT_LT(controlLength(), 4000u * 20) << "only the first part is in the control";
    EXPECT_EQ(e.Lines(), lines);
    EXPECT_EQ(e.LineCount(), 4001);
    EXPECT_TRUE(e.Loading()) << "reading the lines needs no load";
    pumpUntilLoaded();
    EXPECT_FALSE(e.Loading());
    EXPECT_FALSE(e.Modified());
    EXPECT_TRUE(e.LastFillStreamed());
    e.TextChanged();  // read the control itself
    EXPECT_EQ(e.Lines(), lines);
    auto colourAt = [&](int line) {
        e.SetSelection(e.LineOffset(line), 1);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(e.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf.crTextColor;
    };
    EXPECT_EQ(colourAt(10), RGB(255, 0, 0)) << "in the first part";
    EXPECT_EQ(colourAt(3990), RGB(255, 0, 0)) << "in the last part";
    EXPECT_EQ(colourAt(3991), RGB(0, 0, 0));

    // Paging within the first part needs no more; paging towards the part still to come,
    // selecting there, another reader of the text: each finishes the load at once.
    fill();
    ASSERT_TRUE(e.Loading());
    e.ScrollLines(1);
    EXPECT_TRUE(e.Loading());
    e.ScrollLines(3000);
    EXPECT_FALSE(e.Loading());
    EXPECT_GT(e.FirstVisibleLine(), 1000);
    fill();
    ASSERT_TRUE(e.Loading());
    e.SetSelection(e.LineOffset(3000), 9);
    EXPECT_FALSE(e.Loading());
    EXPECT_EQ(e.SelText(), "line 3000");
    fill();
    ASSERT_TRUE(e.Loading());
    std::vector<wchar_t> buf(1000000);
    LRESULT got =
        SendMessageW(e.hwnd(), WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    EXPECT_FALSE(e.Loading());
    EXPECT_GT(got, 4000 * 20);

    // A new text during the load: nothing of the old one follows it.
    fill();
    ASSERT_TRUE(e.Loading());
    e.SetLines({"short"});
    pumpUntilLoaded();
    e.TextChanged();
    EXPECT_EQ(e.Lines(), std::vector<std::string>{"short"});
}

// The first visible line counts lines of the text, not the rows a wrapped line takes.
TEST(RichEdit1Offsets, FirstVisibleLineCountsTextLinesWhenWrapped) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    w.window.ShowFirst(SW_SHOWNOACTIVATE);
    kestrel::win32::RichEdit1& e = w.window.Editor();
    std::vector<std::string> lines(60, "line");
    lines[0] = std::string(400, 'w');
    e.SetLines(lines);
    e.ScrollLines(5);
    EXPECT_EQ(e.FirstVisibleLine(), 5) << "unwrapped";
    e.ScrollLines(-100);
    e.SetWordWrap(true);
    EXPECT_TRUE(e.WordWrap());
    e.ScrollLines(1);
    EXPECT_EQ(e.FirstVisibleLine(), 0) << "the second row of the wrapped first line";
    e.SetWordWrap(false);
    EXPECT_EQ(e.Lines(), lines) << "wrapping changes no text";
}

// Control characters stay in their line; a lone CR inside a line in particular is no line break
// (it would come back as CR LF and change the file).
TEST(RichEdit1Offsets, ControlCharactersSurviveTheControl) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::win32::RichEdit1& e = w.window.Editor();
    const std::vector<std::string> lines = {std::string("a\0b", 3), "tab\there", "bell\x07\x1b$B",
                                            "cr\rinside",           "vt\x0b",    "last"};
    e.SetLines(lines);
    EXPECT_EQ(e.Lines(), lines);
}

TEST(RichEdit1Offsets, EditsAreSeenAtOnceAndKeepOtherLinesByteForByte) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::TextControl& e = w.window.Editor();
    const std::vector<std::string> lines = {"\x87\x90 \xED\x40", "bad \x80\xA0 lead \x82", "end"};
    e.SetLines(lines);
    e.SetModified(false);
    EXPECT_EQ(e.Lines(), lines);
    EXPECT_FALSE(e.Modified());
    e.SetSelection(e.LineOffset(2), 0);
    e.ReplaceSelection("\x82\xa0\r\nnew ");
    EXPECT_EQ(e.Lines(), (std::vector<std::string>{lines[0], lines[1], "\x82\xa0", "new end"}));
    EXPECT_EQ(e.SelStart(), e.LineOffset(3) + 4) << "the caret after the inserted text";
    e.Undo();
    EXPECT_EQ(e.Lines(), lines);
    e.AppendLine("tail \xFD");
    EXPECT_EQ(e.Line(3), "tail \xFD");
    e.SetReadOnly(true);
    EXPECT_TRUE(e.ReadOnly());
    SendMessageW(w.window.Editor().hwnd(), WM_CHAR, L'q', 0);
    EXPECT_EQ(e.Line(0), lines[0]) << "typing is dropped while read-only";
    e.Clear();
    EXPECT_EQ(e.LineCount(), 0);
}

}  // namespace

namespace {

RECT ChildRect(HWND parent, HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The editor fills what the tool bar panel leaves; the cover lies exactly over the editor.
TEST(ViewerLayout, EditorFillsBelowTheToolbarAndTheCoverHidesIt) {
    Sandbox box;
    box.Settings(true);
    InProcessWindow w(box);
    ASSERT_TRUE(w.form);
    kestrel::win32::Form1Window& win = w.window;
    win.ShowFirst(SW_SHOWNOACTIVATE);
    win.SetBounds({30, 40, 500, 300});
    EXPECT_EQ(win.Bounds(), (kestrel::WindowBounds{30, 40, 500, 300}));
    RECT client{};
    GetClientRect(win.hwnd(), &client);
    struct Case {
        bool visible;
        int height, editorTop;
    };
    for (const Case& c : {Case{true, 44, 44}, Case{true, 27, 27}, Case{false, 44, 0}}) {
        win.SetToolbarVisible(c.visible);
        win.SetToolbarHeight(c.height);
        RECT ed = ChildRect(win.hwnd(), win.Editor().hwnd());
        EXPECT_EQ(ed.top, c.editorTop) << c.visible << " " << c.height;
        EXPECT_EQ(ed.bottom, client.bottom);
        EXPECT_EQ(ed.right - ed.left, client.right);
    }
    win.SetCoverVisible(true, 0x00FFFFFF);
    EXPECT_TRUE(IsWindowVisible(win.CoverPanel()));
    RECT cover = ChildRect(win.hwnd(), win.CoverPanel());
    RECT ed = ChildRect(win.hwnd(), win.Editor().hwnd());
    EXPECT_TRUE(EqualRect(&cover, &ed));
    win.SetCoverVisible(false, 0);
    EXPECT_FALSE(IsWindowVisible(win.CoverPanel()));
}

// Delete and BackSpace while read-only go to key dispatch (as 46 and 8 without modifiers) and
// never reach the text; while editable they reach key dispatch through the ordinary key-down
// (which lets no plain key run a command in editor mode) and then edit as usual.
TEST(RichEdit1Keys, DeleteAndBackSpaceWhileReadOnlyGoToKeyDispatch) {
    Sandbox box;
    box.Settings(true);
    std::vector<int> dispatched;
    InProcessWindow w(box, [&](int vk, unsigned modifiers) {
        dispatched.push_back(vk * 100 + static_cast<int>(modifiers));
    });
    ASSERT_TRUE(w.form);
    kestrel::win32::RichEdit1& e = w.window.Editor();
    struct Case {
        bool readOnly;
        WPARAM key;
        std::vector<int> dispatched;
        std::string line;
    };
    for (const Case& c :
         {Case{true, VK_DELETE, {4600}, "ab\x82\xa0"}, Case{true, VK_BACK, {800}, "ab\x82\xa0"},
          Case{false, VK_DELETE, {4600}, "a\x82\xa0"}, Case{false, VK_BACK, {800}, "b\x82\xa0"}}) {
        dispatched.clear();
        e.SetReadOnly(false);
        e.SetLines({"ab\x82\xa0"});
        e.SetReadOnly(c.readOnly);
        e.SetSelection(1, 0);
        SendMessageW(e.hwnd(), WM_KEYDOWN, c.key, 0);
        SendMessageW(e.hwnd(), WM_KEYUP, c.key, 0);
        EXPECT_EQ(dispatched, c.dispatched) << c.readOnly << " " << c.key;
        EXPECT_EQ(e.Line(0), c.line) << c.readOnly << " " << c.key;
    }
}

}  // namespace

namespace {

// --- the platform services ---------------------------------------------------------------------

TEST(ViewerServices, FileDialogFilterSeparatesNamesAndPatternsWithNuls) {
    EXPECT_EQ(kestrel::win32::FileDialogFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"),
              std::wstring(L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0", 46));
    EXPECT_EQ(kestrel::win32::FileDialogFilter("\x83\x65\x83\x4c\x83\x58\x83\x67|*.txt"),
              std::wstring(L"テキスト\0*.txt\0\0", 12));
}

// Bytes that are no character survive a trip through the clipboard; a character with two codes
// comes back in the code Windows prefers (the clipboard holds characters, not codes).
TEST(ViewerServices, ClipboardKeepsBytesThatAreNoCharacter) {
    kestrel::win32::WinClipboard clipboard;
    struct Case {
        std::string in, out;
    };
    for (const Case& c : {Case{"plain\r\ntext", "plain\r\ntext"},
                          Case{"\x82\xa0\x80\xA0 end \x82", "\x82\xa0\x80\xA0 end \x82"},
                          Case{"\xFD\xFE\xFF\r\n\x81", "\xFD\xFE\xFF\r\n\x81"},
                          Case{"\x87\x90\xED\x40", "\x81\xE0\xFA\x5C"}}) {
        clipboard.SetText(c.in);
        EXPECT_EQ(clipboard.Text(), c.out);
    }
}

TEST(ViewerServices, EnvironmentAndClassesRegistryAnswerInShiftJis) {
    kestrel::win32::WinEnvironment env;
    std::string program = env.ProgramPath();
    ASSERT_GT(program.size(), 4u);
    EXPECT_EQ(program.substr(program.size() - 4), ".exe");
    std::string windows = env.WindowsFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\') << "without the final separator";
    SetEnvironmentVariableW(L"KESTREL_TEST_VAR", L"値");
    EXPECT_EQ(env.Variable("KESTREL_TEST_VAR"), "\x92\x6c");
    EXPECT_EQ(env.Variable("KESTREL_NO_SUCH_VAR"), "");
    kestrel::win32::ClassesRootLookup registry;
    EXPECT_EQ(registry.Value("\\Kestrel.No.Such.Class\\shell\\open\\command"), "");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Kestrel.Test\\shell", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t value[] = L"c:\\プラバー\\plover.exe";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
    EXPECT_EQ(registry.Value("\\Kestrel.Test\\shell"),
              "c:\\\x83\x76\x83\x89\x83\x6f\x81\x5b\\plover.exe");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Kestrel.Test\\shell");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Kestrel.Test");
}

TEST(ViewerServices, OneShotTimerTicksOnceUntilStartedAgain) {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    int ticks = 0;
    kestrel::win32::WinOneShotTimer timer([owner] { return owner; }, [&] { ++ticks; });
    timer.SetInterval(20);
    timer.Start();
    EXPECT_TRUE(timer.Running());
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 400) {
        MSG msg;
        while (PeekMessageW(&msg, owner, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.wParam == timer.kTimerId) timer.Tick();
        }
        Sleep(10);
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Running());
    DestroyWindow(owner);
}

}  // namespace
