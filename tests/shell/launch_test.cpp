// Starting outside programs: the one command line.
#include "viewer/shell/launch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "shell/shell_fixture.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;

TEST(LaunchCommandLineRule, QuotesAProgramPathWithABlank) {
    struct Case {
        std::string program, argument, extra, line;
    };
    const Case cases[] = {
        {"c:\\program files\\tool\\tool.exe -x", "c:\\mail\\0001.txt", "",
         "\"c:\\program files\\tool\\tool.exe\" -x c:\\mail\\0001.txt "},
        {"notepad.exe", "c:\\mail\\0001.txt", "", "notepad.exe c:\\mail\\0001.txt "},
        // Quotes already there: unchanged, in its own case.
        {"\"C:\\Program Files\\Web\\Browse.EXE\" -n", "a", "b",
         "\"C:\\Program Files\\Web\\Browse.EXE\" -n a b"},
        // No blank: the case is kept.
        {"C:\\Tools\\Viewer.EXE", "", "", "C:\\Tools\\Viewer.EXE  "},
        // A blank: lower-cased inside the added quotes, the arguments keep theirs.
        {"C:\\My Tools\\Run.BAT /Q", "X", "", "\"c:\\my tools\\run.bat\" /Q X "},
        {"c:\\my tools\\edit.com", "f", "-mailto", "\"c:\\my tools\\edit.com\" f -mailto"},
        // A folder named like a domain does not end the program path early.
        {"c:\\www.example.com\\my tool.exe", "f", "", "\"c:\\www.example.com\\my tool.exe\" f "},
        // No extension at all: nothing to quote by.
        {"my tool -x", "f", "", "my tool -x f "},
        // Shift-JIS in the path: only ASCII letters are lowered.
        {"C:\\\x83\x41 X\\T.exe", "f", "", "\"c:\\\x83\x41 x\\t.exe\" f "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildCommandLine(c.program, c.argument, c.extra), c.line) << c.program;
    }
}

TEST_F(ShellTest, LaunchProgramStartsWithoutWaitingAndIgnoresFailure) {
    StartFully({});
    fp.launcher.succeed = false;
    form->LaunchProgram("notepad.exe", "c:\\mail\\0001.txt", "");
    EXPECT_THAT(fp.launcher.started, ElementsAre("notepad.exe c:\\mail\\0001.txt "));
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(ShellTest, LaunchProgramInDebugModeShowsTheLineFirst) {
    WriteSettings("[View]\nDebugMode=1\n");
    StartFully({});
    fp.log.clear();
    form->LaunchProgram("tool.exe", "a", "b");
    EXPECT_THAT(fp.log, ElementsAre("message: WinExec: tool.exe a b", "launch: tool.exe a b"));
}

TEST_F(ShellTest, LaunchProgramRefusesALineOverTheLimit) {
    StartFully({});
    std::string arg(255 - std::string("tool.exe  ").size(), 'a');
    form->LaunchProgram("tool.exe", arg, "");  // exactly 255
    EXPECT_EQ(fp.launcher.started.size(), 1u);
    form->LaunchProgram("tool.exe", arg + "b", "");  // 256: refused, not cut
    EXPECT_EQ(fp.launcher.started.size(), 1u);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].kind, MessageKind::Error);
}

TEST_F(ShellTest, OptionStartsTheOptionsEditorOnTheSettingsFile) {
    StartFully({});
    form->Execute(CommandId::Option);
    EXPECT_THAT(fp.launcher.started,
                ElementsAre(dir.File("kestrelset.exe") + " " + dir.File("kestrel.ini") + " "));
    // The old help viewer is started only where it and kestrel.hlp exist.
    WriteFileAtomic(dir.File("kestrel.hlp"), "help");
    std::filesystem::create_directories(dir.File("windows"));
    WriteFileAtomic(dir.File("windows/winhelp.exe"), "winhelp");
    fp.environment.windowsFolder = dir.File("windows");
    form->Execute(CommandId::Contents);
    EXPECT_THAT(fp.launcher.started,
                ElementsAre(dir.File("kestrelset.exe") + " " + dir.File("kestrel.ini") + " ",
                            "winhelp.exe " + dir.File("kestrel.hlp") + " "));
}

}  // namespace
}  // namespace kestrel::test
