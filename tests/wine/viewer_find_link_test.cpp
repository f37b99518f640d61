// The real kestrel.exe under Wine: Find and Replace through the standard dialogs, a click on an
// address in viewer mode, Mail to and HTML mail with the stand-ins of the web browser (over DDE
// and by its command line) and of the mail client.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/wine/viewer_driver.h"

namespace {

using namespace kestrel::winetest;

const wchar_t kCommandKey[] = L"htmlfile\\shell\\open\\command";
const wchar_t kServiceKey[] = L"htmlfile\\shell\\open\\ddeexec\\application";
const wchar_t kTopicKey[] = L"htmlfile\\shell\\open\\ddeexec\\topic";

// The stand-in web browser copied into the sandbox; its log beside it.
std::wstring CopyBrowser(const Sandbox& box) {
    std::wstring exe = box.File(L"webbrowser.exe");
    CopyFileW(WindowsPath(WEBBROWSER_EXE).c_str(), exe.c_str(), FALSE);
    return exe;
}

// A folder mail (shown read-only) with an address, a name and address to mail to, and an HTML
// part without its "<html>" tag.
const char kLinkMail[] =
    "X-Status: READ\r\n"
    "From: taro@a.jp\r\n"
    "Subject: links\r\n"
    "-----\r\n"
    "see http://a.jp/x. now\r\n"
    "\"Taro Yamada\" taro <taro@a.jp>\r\n"
    "--b\r\n"
    "Content-Type: text/html; charset=us-ascii\r\n"
    "Content-Transfer-Encoding: 7bit\r\n"
    "\r\n"
    "<p>hi</p>\r\n"
    "</html>\r\n"
    "--b--\r\n";

std::wstring WriteLinkMail(const Sandbox& box) {
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    std::wstring mail = box.File(L"recv\\0001.txt");
    WriteBytes(mail, kLinkMail);
    return mail;
}

// Clicks the editor on character index at, as a user does.
void ClickOn(HWND editor, size_t at) {
    LRESULT pt = SendMessageW(editor, EM_POSFROMCHAR, static_cast<WPARAM>(at), 0);
    LPARAM where = MAKELPARAM(LOWORD(pt) + 2, HIWORD(pt) + 2);
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(editor, WM_LBUTTONUP, 0, where);
}

// The selection in characters (the packed answer: no pointer crosses the process boundary).
std::pair<LONG, LONG> Selection(HWND editor) {
    LRESULT r = SendMessageW(editor, EM_GETSEL, 0, 0);
    return {static_cast<LONG>(LOWORD(r)), static_cast<LONG>(HIWORD(r))};
}

HWND FindDialog(const Viewer& v, const wchar_t* title) {
    return FindProcessWindow(v.Pid(), L"#32770", title, 15000);
}

// Presses a dialog button as a click does.
void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// Waits for the editor's selection to become [from, to).
bool SelectionBecomes(HWND editor, LONG from, LONG to) {
    return WaitFor([&] { return Selection(editor) == std::make_pair(from, to); }, 5000);
}

constexpr int kFindWhat = 0x480, kReplaceWith = 0x481;  // edt1, edt2
constexpr int kReplaceAllButton = 0x401;                // psh2

TEST(ViewerFindReplace, FindAndFindNextThroughTheRealDialog) {
    Sandbox box;
    box.Settings(true);
    std::wstring file = box.File(L"_plv0001.tmp");
    // "abc", the word Japan, "ABC" again and Japan again.
    WriteBytes(file, "abc \x93\xfa\x96\x7b\r\n\x83\x41 ABC \x93\xfa\x96\x7b\r\n");
    Viewer v(box, file, L"Kestrel32 - _plv0001.tmp");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    SendMessageW(v.Editor(), EM_SETSEL, 0, 0);
    v.Command(CommandId::Find);
    HWND dialog = FindDialog(v, nullptr);
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, kFindWhat, L"a");
    Press(dialog, IDOK);
    // A user's next press comes after the focus has settled back in the editor.
    Sleep(700);
    EXPECT_EQ(Selection(v.Editor()), std::make_pair(0L, 1L)) << "the found text stays selected";
    // Find Next from the menu goes on with the dialog's text; the katakana is no "A".
    v.Command(CommandId::FindNext);
    const std::wstring text = ControlText(v.Editor());
    const LONG upper = static_cast<LONG>(text.find(L"ABC"));
    EXPECT_TRUE(SelectionBecomes(v.Editor(), upper, upper + 1))
        << Selection(v.Editor()).first << "," << Selection(v.Editor()).second << " "
        << Narrow(text);
    // A Japanese word. Wine's dialogs keep their text in the ANSI code page, so the word
    // reaches the viewer only when that is the Japanese one (as on the systems it is made for).
    if (GetACP() != 932) return;
    SetDlgItemTextW(dialog, kFindWhat, L"\u65e5\u672c");
    Press(dialog, IDOK);
    const LONG second = static_cast<LONG>(text.find(L"\u65e5\u672c", upper));
    EXPECT_TRUE(SelectionBecomes(v.Editor(), second, second + 2)) << Selection(v.Editor()).first;
}

TEST(ViewerFindReplace, ReplaceAllEndsAndReplacesEveryMatch) {
    Sandbox box;
    box.Settings(true);
    std::wstring file = box.File(L"_plv0001.tmp");
    WriteBytes(file, "a b a\r\n\x83\x41 a\r\n");
    Viewer v(box, file, L"Kestrel32 - _plv0001.tmp");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    SendMessageW(v.Editor(), EM_SETSEL, 0, 0);
    v.Command(CommandId::Replace);
    HWND dialog = FindDialog(v, nullptr);
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, kFindWhat, L"A");
    SetDlgItemTextW(dialog, kReplaceWith, L"aa");
    Press(dialog, kReplaceAllButton);
    WaitFor([&] { return ControlLines(v.Editor())[0] != L"a b a"; }, 5000);
    std::vector<std::wstring> lines = ControlLines(v.Editor());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"aa b aa");
    EXPECT_EQ(lines[1], L"\u30a2 aa");  // the katakana a stays whole
}

TEST(ViewerLinks, ClickMailToAndHtmlMailWithTheBrowserOverDde) {
    Sandbox box;
    box.Settings(true);
    std::wstring browser = CopyBrowser(box);
    std::wstring command = L"\"" + browser + L"\" \"%1\"";
    ClassesRootValue c(kCommandKey, command.c_str());
    ClassesRootValue s(kServiceKey, L"KestrelTestBrowser");
    ClassesRootValue t(kTopicKey, L"WWW_OpenURL");
    // The mail client's program: the stand-in that records its command line.
    CopyFileW(WindowsPath(PGBROW_EXE).c_str(), box.File(L"plovermail.exe").c_str(), FALSE);
    ClassesRootValue p(L"Plover.Document\\shell\\open\\command",
                       box.File(L"plovermail.exe").c_str());
    HANDLE server = StartProgram(L"\"" + browser + L"\" /dde", box.Dir());
    ASSERT_NE(server, nullptr);
    const std::wstring log = box.File(L"webbrowser.log");
    ASSERT_TRUE(WaitFor([&] { return ReadBytes(log).find("serving") != std::string::npos; }));

    Viewer v(box, WriteLinkMail(box), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    const std::wstring text = ControlText(v.Editor());
    const size_t see = text.find(L"see http");
    ASSERT_NE(see, std::wstring::npos) << Narrow(text);
    SendMessageW(v.Editor(), EM_SETSEL, 0, 0);
    // A click on the first word of the line opens the address without its full stop.
    ClickOn(v.Editor(), see + 1);
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(log).find("open http") != std::string::npos; }));
    EXPECT_NE(ReadBytes(log).find("open http://a.jp/x\r\n"), std::string::npos) << ReadBytes(log);

    // Mail to with the quoted name, a word and the address selected.
    const size_t name = text.find(L"\"Taro");
    ASSERT_NE(name, std::wstring::npos);
    SendMessageW(v.Editor(), EM_SETSEL, name, name + 30);
    v.Command(CommandId::MailTo);
    const std::wstring mailLog = box.File(L"plovermail.log");
    EXPECT_TRUE(WaitFor([&] { return !ReadBytes(mailLog).empty(); }));
    EXPECT_NE(ReadBytes(mailLog).find("-mailto \"Taro Yamada\"<taro@a.jp>"), std::string::npos)
        << ReadBytes(mailLog);

    // HTML mail: the file starts with "<html>" and the browser is asked for it over DDE.
    v.Command(CommandId::HtmlMail);
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(log).find("file:") != std::string::npos; }));
    EXPECT_EQ(ReadBytes(box.File(L"_plvview.htm")), "<html>\r\n<p>hi</p>\r\n</html>\r\n");
    EXPECT_NE(Lower(Widen(ReadBytes(log))).find(L"open file:" + Lower(box.File(L"_plvview.htm"))),
              std::wstring::npos)
        << ReadBytes(log);

    HWND serverWindow = FindWindowW(L"WebBrowserStandInMain", nullptr);
    if (serverWindow) PostMessageW(serverWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(server, 10000) != WAIT_OBJECT_0) TerminateProcess(server, 9);
    CloseHandle(server);
}

TEST(ViewerLinks, HtmlMailStartsTheBrowserOnTheFile) {
    Sandbox box;
    box.Settings(true);
    std::wstring browser = CopyBrowser(box);
    std::wstring command = L"\"" + browser + L"\" \"%1\"";
    ClassesRootValue c(kCommandKey, command.c_str());
    ClassesRootValue s(kServiceKey, nullptr);
    ClassesRootValue t(kTopicKey, nullptr);
    Viewer v(box, WriteLinkMail(box), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    v.Command(CommandId::HtmlMail);
    const std::wstring log = box.File(L"webbrowser.log");
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(log).find("open ") != std::string::npos; }));
    // Started on the file itself, not on "%1".
    EXPECT_NE(Lower(Widen(ReadBytes(log))).find(L"\nopen " + Lower(box.File(L"_plvview.htm"))),
              std::wstring::npos)
        << ReadBytes(log);
    EXPECT_EQ(ReadBytes(box.File(L"_plvview.htm")).compare(0, 8, "<html>\r\n"), 0);
}

}  // namespace
