// The English spell check in the real kestrel.exe with the real splcheck.dll beside it: a typo
// reported with suggestions and changed, a word added and known in the next run, the end of
// the run, and the library renamed away.
#include <gtest/gtest.h>

#include <optional>

#include "resource.h"
#include "tests/wine/viewer_driver.h"

namespace kestrel::winetest {
namespace {

// A message box of the viewer answered with OK (caption "Kestrel32": the spell dialog is a
// dialog too).
std::wstring AnswerBox(const Viewer& v) {
    return v.AnswerMessageBox(IDOK, L"Kestrel32");
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Waits until the dialog shows word as the word not found.
bool ShowsWord(HWND dialog, const std::wstring& word) {
    return WaitFor([&] { return ItemText(dialog, IDC_SPELL_WORD) == word; }, 10000);
}

TEST(SpellCheckWithTheRealLibrary, TypoChangedWordAddedAndKnownNextRunLibraryMissing) {
    std::string basic = KESTREL_BASIC_WTR;
    if (basic.empty()) GTEST_SKIP() << "no basic dictionary in this build";
    Sandbox box;
    ASSERT_TRUE(
        CopyFileW(WindowsPath(SPLCHECK_DLL).c_str(), box.File(L"splcheck.dll").c_str(), FALSE));
    CreateDirectoryW(box.File(L"dictionary").c_str(), nullptr);
    // A sandbox folder name can come back with a process id: no user dictionary of an old run.
    DeleteFileW(box.File(L"dictionary\\UserDic.wtr").c_str());
    DeleteFileW(box.File(L"dictionary\\UserDic.txt").c_str());
    ASSERT_TRUE(
        CopyFileW(WindowsPath(basic).c_str(), box.File(L"dictionary\\Basic.wtr").c_str(), FALSE));
    box.WriteSettings(
        "[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n\r\n[SpellCheck]\r\nSpellChecker=1\r\n"
        "BasicDic=dictionary\\Basic.wtr\r\n");
    const std::wstring file = box.File(L"_plv0005.tmp");
    WriteBytes(file, "I will recieve teh Zorblax letter.\r\nBest regards\r\n");
    std::optional<Viewer> first;
    first.emplace(box, file, L"Kestrel32 - _plv0005.tmp");
    Viewer& v = *first;
    ASSERT_NE(v.Editor(), nullptr);
    SendMessageW(v.Editor(), EM_SETSEL, 0, 0);

    PostMessageW(v.Window(), WM_COMMAND, static_cast<WPARAM>(CommandId::SpellCheck), 0);
    std::wstring created = AnswerBox(v);
    EXPECT_EQ(created.rfind(L"Empty dictionary ", 0), 0u) << Narrow(created);
    HWND dialog = FindProcessWindow(v.Pid(), L"#32770", L"Kestrel Spell Check", 15000);
    ASSERT_NE(dialog, nullptr);

    ASSERT_TRUE(ShowsWord(dialog, L"recieve")) << Narrow(ItemText(dialog, IDC_SPELL_WORD));
    EXPECT_EQ(ItemText(dialog, IDC_SPELL_REPLACEMENT), L"receive");
    EXPECT_GT(SendDlgItemMessageW(dialog, IDC_SPELL_LIST, LB_GETCOUNT, 0, 0), 0);
    Click(dialog, IDC_SPELL_CHANGE);
    ASSERT_TRUE(ShowsWord(dialog, L"teh"));
    EXPECT_EQ(ItemText(dialog, IDC_SPELL_REPLACEMENT), L"the");
    Click(dialog, IDC_SPELL_CHANGE);
    ASSERT_TRUE(ShowsWord(dialog, L"Zorblax"));
    Click(dialog, IDC_SPELL_ADD);
    EXPECT_EQ(AnswerBox(v), L"Spell Check Complete.");
    std::vector<std::wstring> lines = ControlLines(v.Editor());
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"I will receive the Zorblax letter.");
    Click(dialog, IDC_SPELL_EXIT);
    ASSERT_TRUE(WaitFor([dialog] { return !IsWindowVisible(dialog); }, 5000));
    EXPECT_EQ(ReadBytes(box.File(L"dictionary\\UserDic.txt")), "Zorblax\r\n");

    // The next run knows the added word.
    SendMessageW(v.Editor(), EM_SETSEL, 0, 0);
    PostMessageW(v.Window(), WM_COMMAND, static_cast<WPARAM>(CommandId::SpellCheck), 0);
    EXPECT_EQ(AnswerBox(v), L"Spell Check Complete.");

    EXPECT_FALSE(IsWindowVisible(dialog));

    // Without the library: one message, nothing else changes. A second viewer on the file, so
    // that no process holds the library while it is renamed away.
    first.reset();
    const std::wstring dll = box.File(L"splcheck.dll"), off = box.File(L"splcheck.off");
    // The sandbox's name can come back from an earlier run, with its renamed library in it.
    ASSERT_TRUE(WaitFor(
        [&] { return MoveFileExW(dll.c_str(), off.c_str(), MOVEFILE_REPLACE_EXISTING) != 0; },
        10000));
    Viewer w(box, file, L"Kestrel32 - _plv0005.tmp");
    ASSERT_NE(w.Editor(), nullptr);
    const std::vector<std::wstring> shown = ControlLines(w.Editor());
    PostMessageW(w.Window(), WM_COMMAND, static_cast<WPARAM>(CommandId::SpellCheck), 0);
    EXPECT_EQ(AnswerBox(w), L"Unable to Load \"splcheck.dll\".");
    EXPECT_EQ(ControlLines(w.Editor()), shown);
}

}  // namespace
}  // namespace kestrel::winetest
