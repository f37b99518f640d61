// The Windows conversions between Shift-JIS and UTF-16, and file names with Japanese
// characters through the Windows file layer. These hold whatever the system's ANSI code page is
// (the tests run under a Japanese and under the C locale).
#ifdef _WIN32
#include "common/win32/cp932.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

using win32::NarrowCp932;
using win32::WidenCp932;

TEST(Cp932WidenRule, OneUnitPerCharacterAndReplacementForBadBytes) {
    struct Case {
        std::string sjis;
        std::wstring wide;
    } cases[] = {
        {"", L""},
        {"Kestrel32", L"Kestrel32"},
        {"\x93\xfa\x96\x7b", L"\u65e5\u672c"},  // 日本
        {"\x95\x5c\x8e\xa6", L"\u8868\u793a"},  // 表示: trail byte '\'
        {"\xb1\xdf", L"\uff71\uff9f"},          // half-width kana
        {"\x87\x40\xfa\x40", L"\u2460\u2170"},  // NEC and IBM extensions
        {"\x81\x60", L"\uff5e"},                // the code page's wave dash
        {"abc\x82", L"abc\ufffd"},              // lead byte at the end
        {"\x85\x40x", L"\ufffdx"},              // undefined pair
        {"\x81\x20z", L"\ufffdz"},              // lead byte and a byte that is no trail
        {"\xa0\xfd", L"\ufffd"},                // one two-byte character by the byte classes
    };
    for (const Case& c : cases) EXPECT_EQ(WidenCp932(c.sjis), c.wide) << c.sjis;
}

TEST(Cp932NarrowRule, KnownCharactersAndJisVariants) {
    struct Case {
        std::wstring wide;
        std::string sjis;
    } cases[] = {
        {L"", ""},
        {L"\u65e5\u672c abc", "\x93\xfa\x96\x7b abc"},
        {L"\uff71", "\xb1"},
        {L"\u2460", "\x87\x40"},
        // The JIS mapping of these characters, as text from other sources carries them.
        {L"\u301c", "\x81\x60"},
        {L"\u2016", "\x81\x61"},
        {L"\u2212", "\x81\x7c"},
        {L"\u00a2\u00a3\u00ac", "\x81\x91\x81\x92\x81\xca"},
        {L"\U0001F600", "??"},  // no code: one '?' per UTF-16 unit
    };
    for (const Case& c : cases) EXPECT_EQ(NarrowCp932(c.wide), c.sjis) << c.sjis;
}

TEST(Cp932RoundTrip, ValidTextComesBackByteForByte) {
    std::string all;
    for (int lead : {0x81, 0x82, 0x83, 0x88, 0x93, 0x9f, 0xe0, 0xea})
        for (int trail = 0x40; trail <= 0xfc; trail += 3)
            if (trail != 0x7f) {
                std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
                std::wstring w = WidenCp932(ch);
                if (w.size() == 1 && w[0] != 0xfffd) all += ch;
            }
    ASSERT_GT(all.size(), 400u);
    EXPECT_EQ(NarrowCp932(WidenCp932(all)), all);
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A folder and a file with Japanese names, including a trail byte '\' (表 = 95 5C), written,
// listed and read back through the Shift-JIS paths of the file layer.
TEST(Cp932Paths, JapaneseNamesWorkOnAnyCodePage) {
    test::TempDir dir;
    const std::string folder = dir.path() + "\x95\x5c\x8e\xa6";  // 表示
    const std::string name = "\x83\x81\x81\x5b\x83\x8b.txt";     // メール.txt
    if (!CreateDirectoryW(win32::WidenPath(folder).c_str(), nullptr)) {
        // Wine keeps file names in the host's character set; under the C locale that is ASCII
        // and cannot hold these names at all. Windows itself always can.
        if (RunningUnderWine() && GetLastError() != ERROR_ALREADY_EXISTS)
            GTEST_SKIP() << "this Wine host cannot store non-ASCII file names (error "
                         << GetLastError() << ")";
        FAIL() << "cannot create the folder (error " << GetLastError() << ")";
    }
    EXPECT_TRUE(DirectoryExists(folder));
    const std::string path = folder + "\\" + name;
    ASSERT_TRUE(WriteFileAtomic(path, "X-Status: RECV\r\n"));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ListFiles(folder, "*.txt"), std::vector<std::string>{name});
    std::string back;
    ASSERT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, "X-Status: RECV\r\n");
    EXPECT_TRUE(DeleteFileAt(path));
    EXPECT_FALSE(FileExists(path));
    RemoveDirectoryW(win32::WidenPath(folder).c_str());
}

}  // namespace
}  // namespace kestrel
#endif
