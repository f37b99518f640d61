#include "common/fileio.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "support/testutil.h"

namespace kestrel {
namespace {

TEST(SplitLinesRule, LineEnds) {
    using V = std::vector<std::string>;
    struct Case {
        std::string in;
        V out;
    } cases[] = {
        {"", V{}},
        {"a", V{"a"}},
        {"a\r\nb\r\n", V{"a", "b"}},
        {"a\nb", V{"a", "b"}},
        {"a\r\n\r\n", V{"a", ""}},
        {"a\rb\n", V{"a\rb"}},  // a lone CR stays in its line
        {"\n", V{""}},
        {std::string("x\0y\n", 4), V{std::string("x\0y", 3)}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitLines(c.in), c.out) << c.in;
}

TEST(AtomicWrite, ReplacesWholeFileAndKeepsBytes) {
    test::TempDir dir;
    std::string path = dir.File("mail.txt");
    std::string bytes = "X-Status: READ\r\n\x83\x41\x95\x5c\xFF\x80\r\n";
    ASSERT_TRUE(WriteFileAtomic(path, bytes));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, bytes);
    ASSERT_TRUE(WriteLinesAtomic(path, {"one", "two"}));
    ASSERT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, "one\r\ntwo\r\n");
    // No temporary file is left behind.
    EXPECT_EQ(ListFiles(dir.path(), "*"), std::vector<std::string>{"mail.txt"});
}

TEST(AtomicWrite, FailureLeavesNothing) {
    test::TempDir dir;
    EXPECT_FALSE(WriteFileAtomic(dir.File("missing-folder") + PathSeparator() + "x.txt", "abc"));
    EXPECT_TRUE(ListFiles(dir.path(), "*").empty());
}

TEST(ReadFile, MissingFileAndFolderFail) {
    test::TempDir dir;
    std::string bytes = "old";
    EXPECT_FALSE(ReadFileBytes(dir.File("nothing.txt"), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadFileBytes(dir.path(), bytes));
    std::vector<std::string> lines{"x"};
    EXPECT_FALSE(ReadFileLines(dir.File("nothing.txt"), lines));
    EXPECT_TRUE(lines.empty());
}

TEST(ListFilesRule, MaskWithoutCase) {
    test::TempDir dir;
    for (const char* n : {"0001.txt", "0002.TXT", "_plvAB12.tmp", "readme.txt", "0003.txt.bak"})
        ASSERT_TRUE(WriteFileAtomic(dir.File(n), "x"));
    EXPECT_EQ(ListFiles(dir.path(), "????.txt"),
              (std::vector<std::string>{"0001.txt", "0002.TXT"}));
    EXPECT_EQ(ListFiles(dir.path(), "?plv????.tmp"), std::vector<std::string>{"_plvAB12.tmp"});
    EXPECT_TRUE(DeleteFileAt(dir.File("readme.txt")));
    EXPECT_FALSE(FileExists(dir.File("readme.txt")));
    EXPECT_TRUE(DirectoryExists(dir.path()));
}

TEST(PathParts, SeparatorInsideDoubleByteCharacter) {
    // 表 = 95 5C: its trail byte looks like a backslash but is not a separator.
    const std::string s(1, PathSeparator());
    std::string path = "c:" + s + "mail" + s + "\x95\x5c" + s + "0001.txt";
    EXPECT_EQ(FileNameOf(path), "0001.txt");
    EXPECT_EQ(DirectoryOf(path), "c:" + s + "mail" + s + "\x95\x5c" + s);
    EXPECT_EQ(ReplaceExtension("c:" + s + "k.d" + s + "kestrel.exe", ".ini"),
              "c:" + s + "k.d" + s + "kestrel.ini");
    EXPECT_EQ(ReplaceExtension("c:" + s + "k.d" + s + "kestrel", ".ini"),
              "c:" + s + "k.d" + s + "kestrel.ini");
}

#ifndef _WIN32
TEST(ResolvePathCaseRule, FindsFileWrittenInOtherCase) {
    test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir.File("Inbox.TXT"), "x"));
    EXPECT_EQ(ResolvePathCase(dir.File("inbox.txt")), dir.File("Inbox.TXT"));
    EXPECT_EQ(ResolvePathCase(dir.File("none.txt")), dir.File("none.txt"));
}
#endif

#ifdef _WIN32
// A folder whose path is near MAX_PATH characters still takes a save: the temporary file is
// named beside the target, not by GetTempFileNameW (which needs 14 characters to spare).
TEST(AtomicWriteWindows, SavesIntoAFolderNearMaxPath) {
    test::TempDir dir;
    std::string folder = dir.path();
    while (folder.size() < 249) folder += 'd';
    std::wstring wide(folder.begin(), folder.end());
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + wide).c_str(), nullptr));
    std::string path = folder + "\\0001.txt";
    ASSERT_LT(path.size(), size_t(MAX_PATH));
    EXPECT_TRUE(WriteFileAtomic(path, "first"));
    EXPECT_TRUE(WriteFileAtomic(path, "second"));
    std::string back;
    EXPECT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, "second");
    EXPECT_EQ(ListFiles(folder, "*"), std::vector<std::string>{"0001.txt"});  // no leftovers
    DeleteFileW((L"\\\\?\\" + wide + L"\\0001.txt").c_str());
    RemoveDirectoryW((L"\\\\?\\" + wide).c_str());
}

// The replace keeps the old file's attributes.
TEST(AtomicWriteWindows, KeepsTheAttributesOfTheReplacedFile) {
    test::TempDir dir;
    std::string path = dir.File("mail.txt");
    ASSERT_TRUE(WriteFileAtomic(path, "old"));
    std::wstring wide(path.begin(), path.end());
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), kept));
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(GetFileAttributesW(wide.c_str()) & (kept | FILE_ATTRIBUTE_READONLY), kept);
    std::string back;
    EXPECT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, "new");
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

}  // namespace
}  // namespace kestrel
