// Starts the real programs, finds their windows by title and closes them the way the user's
// close box does.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/wine/win_helpers.h"

namespace kestrel::winetest {
namespace {

struct ProgramCase {
    const char* name;
    const char* exe;
    std::wstring arguments;
    std::wstring title;
    std::wstring windowClass;  // empty: not checked
};

void PrintTo(const ProgramCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramWindow : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(ProgramWindow, ShowsItsTitleAndExitsCleanlyOnClose) {
    const ProgramCase& c = GetParam();
    std::wstring commandLine = L"\"" + WindowsPath(c.exe) + L"\"";
    if (!c.arguments.empty()) commandLine += L" " + c.arguments;
    Process p(commandLine, L"");
    ASSERT_TRUE(p.Started()) << "cannot start " << c.exe << " (error " << GetLastError() << ")";

    HWND window = FindProcessWindow(p.Pid(), nullptr, c.title.c_str(), 30000);
    ASSERT_NE(window, nullptr) << c.name << ": no visible window with the expected title";
    if (!c.windowClass.empty()) {
        wchar_t cls[64] = {};
        GetClassNameW(window, cls, 64);
        EXPECT_EQ(std::wstring(cls), c.windowClass);
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(p.Handle(), 30000), WAIT_OBJECT_0)
        << c.name << ": still running after WM_CLOSE";
    DWORD code = 1234;
    GetExitCodeProcess(p.Handle(), &code);
    EXPECT_EQ(code, 0u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramWindow,
    ::testing::Values(ProgramCase{"viewer", KESTREL_EXE, L"", L"Kestrel32 - [Untitled]", L"TForm1"},
                      // A mail that does not exist is not opened: the editor stays untitled.
                      ProgramCase{"viewer_with_missing_file", KESTREL_EXE,
                                  L"c:\\plover\\inbox\\0012.txt", L"Kestrel32 - [Untitled]",
                                  L"TForm1"},
                      ProgramCase{"options", KESTRELSET_EXE, L"c:\\plover\\kestrel.ini",
                                  L"Kestrel Option", L"#32770"}),
    [](const ::testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

// The resources as the programs carry them: the icons, the tool-bar strip, the version block
// and the UTF-8 resource text compiled to the right characters.
class Module {
  public:
    explicit Module(const char* exe)
        : h_(LoadLibraryExW(WindowsPath(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Module() {
        if (h_) FreeLibrary(h_);
    }
    HMODULE get() const { return h_; }

  private:
    HMODULE h_;
};

std::wstring VersionString(const char* exe, const wchar_t* key) {
    std::wstring path = WindowsPath(exe);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (!size) return L"";
    std::wstring buf(size, L'\0');
    if (!GetFileVersionInfoW(path.c_str(), 0, size, &buf[0])) return L"";
    wchar_t* value = nullptr;
    UINT len = 0;
    std::wstring sub = std::wstring(L"\\StringFileInfo\\041103A4\\") + key;
    if (!VerQueryValueW(&buf[0], sub.c_str(), reinterpret_cast<void**>(&value), &len) || !value)
        return L"";
    return std::wstring(value);
}

struct ResourceCase {
    const char* name;
    const char* exe;
    std::vector<int> icons;
    const wchar_t* description;
};

void PrintTo(const ResourceCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramResources : public ::testing::TestWithParam<ResourceCase> {};

TEST_P(ProgramResources, CarryTheirIconsAndVersion) {
    const ResourceCase& c = GetParam();
    Module m(c.exe);
    ASSERT_TRUE(m.get()) << c.exe;
    for (int id : c.icons) {
        EXPECT_TRUE(FindResourceW(m.get(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)))
            << "icon group " << id;
        for (int size : {16, 32}) {
            HANDLE icon = LoadImageW(m.get(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
            EXPECT_TRUE(icon) << "icon " << id << " at " << size;
            if (icon) DestroyIcon(static_cast<HICON>(icon));
        }
    }
    EXPECT_TRUE(FindResourceW(m.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) << "manifest";
    EXPECT_EQ(VersionString(c.exe, L"ProductName"), L"Kestrel32");
    EXPECT_EQ(VersionString(c.exe, L"FileVersion"), L"3.01");
    EXPECT_EQ(VersionString(c.exe, L"FileDescription"), c.description);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramResources,
    ::testing::Values(
        ResourceCase{"viewer", KESTREL_EXE, {1, 2, 3}, L"Kestrel32 mail viewer and editor"},
        ResourceCase{"options", KESTRELSET_EXE, {1}, L"Kestrel32 options editor"}),
    [](const ::testing::TestParamInfo<ResourceCase>& info) {
        return std::string(info.param.name);
    });

TEST(ProgramResources, ToolbarStripHoldsTwentyTwoGlyphs) {
    Module m(KESTREL_EXE);
    ASSERT_TRUE(m.get());
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageW(m.get(), MAKEINTRESOURCEW(100), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(strip);
    BITMAP bm{};
    GetObjectW(strip, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 22 * 16);
    EXPECT_EQ(bm.bmHeight, 16);
    DeleteObject(strip);
}

// The resource scripts are UTF-8; compiled with the wrong code page the Japanese captions would
// come out as mojibake.
TEST(ProgramResources, JapaneseTabCaptionsSurviveTheResourceCompiler) {
    Module m(KESTRELSET_EXE);
    ASSERT_TRUE(m.get());
    const wchar_t* expected[] = {L"基本", L"表示",         L"エディタ",
                                 L"短文", L"外部コマンド", L"トラブル?"};
    for (int i = 0; i < 6; ++i) {
        wchar_t buf[64] = {};
        LoadStringW(m.get(), static_cast<UINT>(1000 + i), buf, 64);
        EXPECT_EQ(std::wstring(buf), expected[i]) << "tab " << i;
    }
}

}  // namespace
}  // namespace kestrel::winetest
