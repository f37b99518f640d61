#include "common/help_file.h"

#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

TEST(HelpRoute, WinHelpOnlyWhereBothItAndTheOldFileExist) {
    test::TempDir program, windows;
    // Nothing shipped: the user is told which file is missing.
    HelpRoute r = ChooseHelp(program.path(), windows.path(), "");
    EXPECT_EQ(r.kind, HelpRoute::Kind::Missing);
    EXPECT_EQ(r.target, program.File("kestrel.htm"));

    ASSERT_TRUE(WriteFileAtomic(program.File("kestrel.htm"), "<html></html>"));
    r = ChooseHelp(program.path(), windows.path(), "");
    EXPECT_EQ(r.kind, HelpRoute::Kind::Browser);
    EXPECT_EQ(r.target, program.File("kestrel.htm"));

    // A winhelp.exe without kestrel.hlp (the stub of current Windows) is not used.
    ASSERT_TRUE(WriteFileAtomic(windows.File("winhelp.exe"), "stub"));
    EXPECT_EQ(ChooseHelp(program.path(), windows.path(), "").kind, HelpRoute::Kind::Browser);

    ASSERT_TRUE(WriteFileAtomic(program.File("kestrel.hlp"), "old help"));
    std::string winDir = windows.path();
    winDir.pop_back();  // the Windows folder comes without its separator
    r = ChooseHelp(program.path(), winDir, "");
    EXPECT_EQ(r.kind, HelpRoute::Kind::WinHelp);
    EXPECT_EQ(r.program, "winhelp.exe");
    EXPECT_EQ(r.argument, program.File("kestrel.hlp"));
}

TEST(HelpRoute, TopicsBecomeAnAddress) {
    test::TempDir program;
    ASSERT_TRUE(WriteFileAtomic(program.File("kestrel.htm"), "<html></html>"));
    HelpRoute r = ChooseHelp(program.path(), "", "option");
    EXPECT_EQ(r.kind, HelpRoute::Kind::Browser);
    EXPECT_EQ(r.target.rfind("file:///", 0), 0u) << r.target;
    EXPECT_EQ(r.target.substr(r.target.size() - 19), "/kestrel.htm#option");

    EXPECT_EQ(FileUrl("c:\\program files\\k#1\\kestrel.htm", "option"),
              "file:///c:/program%20files/k%231/kestrel.htm#option");
    // The trail byte 0x5C of a double-byte character is not a separator.
    EXPECT_EQ(FileUrl("c:\\\x95\x5c\\kestrel.htm", ""), "file:///c:/\x95\x5c/kestrel.htm");
    EXPECT_EQ(FileUrl("/tmp/x.htm", ""), "file:///tmp/x.htm");
}

}  // namespace
}  // namespace kestrel
