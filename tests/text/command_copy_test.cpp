#include "viewer/text/command_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

using test::NativePath;

TEST(CommandPlan, MarkersAndArguments) {
    const std::string mail = NativePath("c:/mail/inbox/0001.txt");
    const std::string dir = NativePath("c:/kestrel/");

    CommandPlan p = PlanCommand("notepad.exe $16.txt", mail, dir, "");
    EXPECT_EQ(p.program, "notepad.exe");
    EXPECT_EQ(p.copyPath, NativePath("c:/kestrel/0001.txt"));
    EXPECT_EQ(p.argument, p.copyPath);
    EXPECT_EQ(p.extra, "");

    p = PlanCommand("viewer.exe $32.doc -r -q", mail, dir, "");
    EXPECT_EQ(p.program, "viewer.exe");
    EXPECT_EQ(p.copyPath, NativePath("c:/kestrel/0001.doc"));
    EXPECT_EQ(p.extra, "-r -q");

    // No marker: the whole text is the program, the mail itself the argument.
    p = PlanCommand("c:\\program files\\tool\\tool.exe -x", mail, dir, "");
    EXPECT_EQ(p.program, "c:\\program files\\tool\\tool.exe -x");
    EXPECT_EQ(p.argument, mail);
    EXPECT_TRUE(p.copyPath.empty());

    // A marker without an extension passes the mail; the rest is the extra argument.
    p = PlanCommand("tool.exe $16 -v", mail, dir, "");
    EXPECT_EQ(p.program, "tool.exe");
    EXPECT_EQ(p.argument, mail);
    EXPECT_EQ(p.extra, " -v");

    p = PlanCommand("grep.exe $select", mail, dir, "needle");
    EXPECT_TRUE(p.usesSelection);
    EXPECT_EQ(p.program, "grep.exe");
    EXPECT_EQ(p.argument, "needle");
    EXPECT_EQ(p.extra, "");
    EXPECT_TRUE(p.copyPath.empty());
}

TEST(CommandPlan, ACopyOntoTheMailItselfIsNoCopy) {
    // The mail already lies in the viewer's folder with that extension (the folder written in
    // another case): deleting "the copy" afterwards would delete the mail.
    CommandPlan p = PlanCommand("notepad.exe $16.txt", NativePath("c:/kestrel/0001.txt"),
                                NativePath("C:/Kestrel/"), "");
    EXPECT_TRUE(p.copyPath.empty());
    EXPECT_EQ(p.argument, NativePath("c:/kestrel/0001.txt"));
}

TEST(CommandCopy, TextCopyOverAnOlderFile) {
    test::TempDir dir;
    std::string mail = dir.File("0001.txt");
    std::string copy = dir.File("copy.txt");
    ASSERT_TRUE(WriteFileAtomic(mail, "X-Status: READ\nFrom: a\r\n--------\r\nbody"));
    ASSERT_TRUE(WriteFileAtomic(copy, "older and longer content\r\n"));
    ASSERT_TRUE(WriteCommandCopy(mail, copy));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(copy, bytes));
    EXPECT_EQ(bytes, "X-Status: READ\r\nFrom: a\r\n--------\r\nbody\r\n");
    // No mail: nothing written.
    EXPECT_FALSE(WriteCommandCopy(dir.File("missing.txt"), dir.File("other.txt")));
    EXPECT_FALSE(FileExists(dir.File("other.txt")));
}

}  // namespace
}  // namespace kestrel
