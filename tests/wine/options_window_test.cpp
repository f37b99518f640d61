// The real kestrelset.exe driven through its controls from outside: values changed on two
// pages and key bindings in both dialogs reach the settings file on OK, and nothing else does.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <optional>
#include <string>

#include "common/ini.h"
#include "common/keys.h"
#include "common/settings.h"
#include "options/options_settings.h"
#include "options/win32/control_ids.h"
#include "options/win32/resource.h"
#include "tests/wine/win_helpers.h"
#include "viewer/mail/mail_open.h"

namespace kestrel::winetest {
namespace {

struct FindById {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND h, LPARAM data) {
    auto* f = reinterpret_cast<FindById*>(data);
    if (GetDlgCtrlID(h) != f->id) return TRUE;
    f->found = h;
    return FALSE;
}

// A control anywhere below window (the pages are child dialogs).
HWND ControlBelow(HWND window, int id) {
    FindById f{id, nullptr};
    EnumChildWindows(window, &MatchId, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::wstring Text(HWND h) {
    wchar_t buf[512] = {};
    SendMessageW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf));
    return buf;
}

// kestrelset.exe copied into a folder of its own with a settings file.
class OptionsProgram {
  public:
    OptionsProgram() {
        wchar_t tmp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, tmp);
        dir_ = std::wstring(tmp) + L"kestrel-options-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + std::to_wstring(counter_++);
        CreateDirectoryW(dir_.c_str(), nullptr);
        exe_ = dir_ + L"\\kestrelset.exe";
        CopyFileW(WindowsPath(KESTRELSET_EXE).c_str(), exe_.c_str(), FALSE);
    }
    std::wstring Ini() const { return dir_ + L"\\kestrel.ini"; }

    std::wstring Dir() const { return dir_; }

    // Starts the program with the settings path quoted, or with argument as it is given.
    bool Start(bool withoutArgument = false, const std::wstring& argument = L"") {
        std::wstring cmd = L"\"" + exe_ + L"\"";
        if (!argument.empty()) {
            cmd += L" " + argument;
        } else if (!withoutArgument) {
            cmd += L" \"" + Ini() + L"\"";
        }
        process_.emplace(cmd, dir_);
        return process_->Started();
    }
    HWND WaitDialog(const wchar_t* title = L"Kestrel Option") {
        dialog_ = FindProcessWindow(Pid(), L"#32770", title, 30000);
        return dialog_;
    }
    HWND Dialog() const { return dialog_; }
    HWND Control(int id) const { return ControlBelow(dialog_, id); }
    DWORD Pid() const { return process_ ? process_->Pid() : 0; }

    // What the user's typing does to a box.
    void Type(int id, const std::wstring& text) const {
        SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // A click on a check box or radio button: the new state, then the page hears of it.
    void Click(int id, bool checked = true) const {
        HWND h = Control(id);
        SendMessageW(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(h));
    }
    void Key(HWND box, int vk) const {
        SendMessageW(box, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        SendMessageW(box, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
    }
    void Press(int id) const { PostMessageW(dialog_, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    long WaitExit() const { return process_ ? process_->WaitExit(30000) : -1; }

  private:
    inline static int counter_ = 0;
    std::wstring dir_, exe_;
    std::optional<Process> process_;
    HWND dialog_ = nullptr;
};

// A settings file as the options editor leaves it after a first OK, with a comment, an
// unknown key and a Shift-JIS value of its own.
std::string SettledSettings(const std::wstring& path) {
    WriteBytes(path, "; mine\r\n[View]\r\nMystery=1\r\nHeaderList=\x95\xd4\x90M:\r\n");
    kestrel::SaveOptionsFile(Narrow(path), kestrel::OptionsFormFrom(IniFile::Load(Narrow(path))));
    return ReadBytes(path);
}

TEST(OptionsProgram, ChangesOnTwoPagesAndKeyBindingsReachTheFileAndNothingElse) {
    OptionsProgram p;
    const std::string before = SettledSettings(p.Ini());
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(p.WaitDialog());
    EXPECT_EQ(Text(p.Control(IDC_RadioImeNoCont)), L"制御しない");
    EXPECT_EQ(Text(p.Control(IDC_EditSubjectLength)), L"6");

    // 基本: the read order and the scramble length.
    p.Click(IDC_RadioFinchSort);
    p.Type(IDC_EditSubjectLength, L"9");
    // エディタ: automatic reformat from 80 bytes.
    EXPECT_FALSE(IsWindowEnabled(p.Control(IDC_EditAutoReform)));
    p.Click(IDC_CBAutoReform);
    EXPECT_TRUE(IsWindowEnabled(p.Control(IDC_EditAutoReform)));
    p.Type(IDC_EditAutoReform, L"80");
    // A phrase key: F5.
    HWND insKey = p.Control(IDC_EditInsKey1);
    p.Key(insKey, VK_F5);
    EXPECT_EQ(Text(insKey), L"074");

    // The key assignment dialog: F6 for Reply; F5 is the phrase's and is refused.
    p.Press(IDC_KEY_ASSIGN);
    HWND keys = FindProcessWindow(p.Pid(), L"#32770", L"Kestrel KeyAssign", 15000);
    ASSERT_TRUE(keys);
    HWND reply = GetDlgItem(keys, IDC_KEY_EDIT_FIRST + 30);  // Edit31: Reply's primary key
    EXPECT_EQ(Text(GetDlgItem(keys, IDC_KEY_EDIT_FIRST)), L"241");
    EXPECT_EQ(Text(GetDlgItem(keys, IDC_KEY_LABEL_FIRST + 15)), L"返信");
    p.Key(reply, VK_F6);
    EXPECT_EQ(Text(reply), L"075");
    PostMessageW(reply, WM_KEYDOWN, VK_F5, 1);
    HWND refusal = FindProcessWindow(p.Pid(), L"#32770", L"kestrelset", 15000);
    ASSERT_TRUE(refusal);
    wchar_t message[128] = {};
    GetDlgItemTextW(refusal, 0xFFFF, message, 128);
    EXPECT_STREQ(message, L"Key $074 already in use.");
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(refusal); }));
    EXPECT_EQ(Text(reply), L"075");
    PostMessageW(keys, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(keys); }));

    p.Press(IDOK);
    ASSERT_EQ(p.WaitExit(), 0);

    IniFile expected = IniFile::FromBytes(before);
    expected.Set("View", "NextMailMode", "2");
    expected.Set("Scramble", "SubjectLength", "9");
    expected.Set("View", "AutoReformat", "80");
    expected.Set("Insert", "KeyInsert1", "$074");
    expected.Set("Key", "Reply", "$075");
    const std::string after = ReadBytes(p.Ini());
    EXPECT_EQ(after, expected.Bytes());

    // What the viewer reads at its next start.
    IniFile ini = IniFile::FromBytes(after);
    EXPECT_EQ(kestrel::ViewerInt(ini, "View", "NextMailMode"), 2);
    EXPECT_EQ(kestrel::MailViewSettingsFrom(ini).autoReformat, 80);
    kestrel::ViewerKeys bound = kestrel::LoadViewerKeys(ini);
    EXPECT_EQ(bound.insert[0], 0x74);
    EXPECT_EQ(bound.primary[kestrel::FindKeyAction("Reply")], 0x75);
}

// Every control the portable dialog knows has its control on the pages, of the right kind.
TEST(OptionsProgram, EveryControlOfTheModelIsOnItsPage) {
    OptionsProgram p;
    WriteBytes(p.Ini(), "");
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(p.WaitDialog());
    for (const kestrel::ControlDef& def : kestrel::OptionControls()) {
        int id = 0;
        for (const auto& c : kestrel::win32::kControlIds)
            if (def.name == c.name) id = c.id;
        HWND h = id ? p.Control(id) : nullptr;
        ASSERT_TRUE(h) << def.name;
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        bool box =
            def.kind == kestrel::ControlKind::Edit || def.kind == kestrel::ControlKind::Number ||
            def.kind == kestrel::ControlKind::KeyBox || def.kind == kestrel::ControlKind::Sample;
        EXPECT_EQ(lstrcmpiW(cls, box                                       ? L"Edit"
                                 : def.kind == kestrel::ControlKind::Label ? L"Static"
                                                                           : L"Button"),
                  0)
            << def.name;
        LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        if (def.kind == kestrel::ControlKind::KeyBox) EXPECT_TRUE(style & ES_READONLY) << def.name;
        if (def.maxLength > 0)
            EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), def.maxLength) << def.name;
    }
    PostMessageW(p.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(), 0);
}

TEST(OptionsProgram, CancelAndTheCloseBoxLeaveTheFileByteForByte) {
    OptionsProgram p;
    const std::string before = SettledSettings(p.Ini());
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(p.WaitDialog());
    p.Type(IDC_EditMaxLength, L"33");
    p.Click(IDC_CheckBoxWordWrap);
    p.Key(p.Control(IDC_EditComKey2), VK_F9);
    p.Press(IDCANCEL);
    ASSERT_EQ(p.WaitExit(), 0);
    EXPECT_EQ(ReadBytes(p.Ini()), before);

    OptionsProgram q;
    WriteBytes(q.Ini(), before);
    ASSERT_TRUE(q.Start());
    ASSERT_TRUE(q.WaitDialog());
    q.Type(IDC_EditMaxLength, L"33");
    PostMessageW(q.Dialog(), WM_CLOSE, 0, 0);
    ASSERT_EQ(q.WaitExit(), 0);
    EXPECT_EQ(ReadBytes(q.Ini()), before);
}

TEST(OptionsProgram, WithoutAnArgumentItSaysSoAndEditsTheFileBesideIt) {
    OptionsProgram p;
    WriteBytes(p.Ini(), "[Scramble]\r\nSubjectLength=3\r\n");
    ASSERT_TRUE(p.Start(true));
    HWND box = FindProcessWindow(p.Pid(), L"#32770", L"kestrelset", 30000);
    ASSERT_TRUE(box);
    wchar_t message[128] = {};
    GetDlgItemTextW(box, 0xFFFF, message, 128);
    EXPECT_STREQ(message, L"このプログラムはKestrel.exeから起動してください");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(p.WaitDialog());
    EXPECT_EQ(Text(p.Control(IDC_EditSubjectLength)), L"3");
    p.Type(IDC_EditSubjectLength, L"4");
    p.Press(IDOK);
    ASSERT_EQ(p.WaitExit(), 0);
    EXPECT_EQ(IniFile::FromBytes(ReadBytes(p.Ini())).GetInt("Scramble", "SubjectLength", 0), 4);
}

// The viewer hands over its settings path without quotes, also when the path holds blanks.
TEST(OptionsProgram, AnUnquotedPathWithBlanksIsOnePath) {
    OptionsProgram p;
    std::wstring folder = p.Dir() + L"\\my settings";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring ini = folder + L"\\kestrel.ini";
    WriteBytes(ini, "[Scramble]\r\nSubjectLength=3\r\n");
    ASSERT_TRUE(p.Start(false, ini + L" "));
    ASSERT_TRUE(p.WaitDialog());
    EXPECT_EQ(Text(p.Control(IDC_EditSubjectLength)), L"3");
    p.Type(IDC_EditSubjectLength, L"5");
    p.Press(IDOK);
    ASSERT_EQ(p.WaitExit(), 0);
    EXPECT_EQ(IniFile::FromBytes(ReadBytes(ini)).GetInt("Scramble", "SubjectLength", 0), 5);
    EXPECT_EQ(GetFileAttributesW((p.Dir() + L"\\my").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace kestrel::winetest
