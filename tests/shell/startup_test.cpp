// Start-up of the viewer: command line, the two settings stages, working paths.
#include "viewer/shell/startup.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "shell/shell_fixture.h"
#include "support/testutil.h"
#include "viewer/shell/menus.h"

namespace kestrel::test {
namespace {

using test::NativePath;

using ::testing::ElementsAre;

// --- the command line --------------------------------------------------------------------

TEST(CommandLineRule, SwitchesFileArgumentQuotesAndCase) {
    struct Case {
        std::vector<std::string> args;
        bool s, e, v, a;
        std::string file;
    };
    const Case cases[] = {
        {{}, false, false, false, false, ""},
        {{"/S/E", "/Mail/0001.TXT"}, true, true, false, false, "/mail/0001.txt"},
        {{"/e/s", "x"}, true, true, false, false, "x"},
        {{"/w", "x"}, false, false, true, false, "x"},
        {{"/a"}, false, false, false, true, ""},
        // A path with blanks split into arguments is put together again.
        {{"/My", "Mail/In", "Box/0001.txt"},
         false,
         false,
         false,
         false,
         "/my mail/in box/0001.txt"},
        {{"\"/My Mail/0001.txt\""}, false, false, false, false, "/my mail/0001.txt"},
        {{"/v", "\"/My", "Mail/0001.txt\""}, false, false, true, false, "/my mail/0001.txt"},
        // Without its closing quote the path keeps its last character.
        {{"\"/mail/0001.txt"}, false, false, false, false, "/mail/0001.txt"},
        {{"\""}, false, false, false, false, ""},
#ifndef _WIN32
        // A path that begins like a switch is still a path where '/' separates folders.
        {{"/sent/0001.txt"}, false, false, false, false, "/sent/0001.txt"},
#endif
        // Only ASCII letters are lowered: the 0x41 trail byte of \x83\x41 stays.
        {{"/X\x83\x41/0001.txt"}, false, false, false, false, "/x\x83\x41/0001.txt"},
    };
    for (const Case& c : cases) {
        CommandLine cl = ParseCommandLine(c.args);
        SCOPED_TRACE(c.file);
        EXPECT_EQ(cl.scramble, c.s);
        EXPECT_EQ(cl.edit, c.e);
        EXPECT_EQ(cl.view, c.v);
        EXPECT_EQ(cl.announce, c.a);
        EXPECT_EQ(cl.file, c.file);
    }
}

TEST(WorkingPathRule, ClientDirSettingsPathAndFolderFiles) {
    EXPECT_EQ(ClientDirOf(NativePath("/plover/inbox/0012.txt")), NativePath("/plover/"));
    EXPECT_EQ(ClientDirOf("0012.txt"), "");
    EXPECT_EQ(ClientDirOf(NativePath("/0012.txt")), "");
    EXPECT_EQ(SettingsPathFor(NativePath("/Apps/KView.EXE")), NativePath("/apps/kview.ini"));
    EXPECT_EQ(FolderFileOf(NativePath("/Mail/Inbox/0012.txt")), NativePath("/mail/inbox.fld"));
    EXPECT_EQ(FolderFileOf(NativePath("/Mail/Trash/0003.txt")), NativePath("/mail/trash.can"));
    EXPECT_TRUE(InOutFolder(NativePath("/plover/out/0001.txt")));
    EXPECT_FALSE(InOutFolder(NativePath("/plover/outbox/0001.txt")));
    EXPECT_TRUE(IsComposeOrOutPath(NativePath("/temp/_plv0001.tmp")));
    EXPECT_FALSE(IsComposeOrOutPath(NativePath("/temp/plv0001.tmp")));
    EXPECT_FALSE(IsComposeOrOutPath(NativePath("/temp/_plv0001.txt")));
    EXPECT_TRUE(IsComposeOrOutPath(NativePath("/plover/out/0001.txt")));
    EXPECT_TRUE(HasOwnProgramName(NativePath("/Apps/Kestrel.exe")));
    EXPECT_TRUE(HasOwnProgramName(NativePath("/apps/kstv32.exe")));
    EXPECT_FALSE(HasOwnProgramName(NativePath("/apps/kestrel2.exe")));
}

TEST(TempFolderRule, SettingThenTempThenWindowsFolder) {
    struct Case {
        std::string setting, temp, windows, folder;
        bool writeBack;
    };
    const Case cases[] = {
        {NativePath("/data/tmp/"), NativePath("/t"), NativePath("/win"), NativePath("/data/tmp/"),
         false},
        {NativePath("/data/tmp"), NativePath("/t"), NativePath("/win"), NativePath("/data/tmp/"),
         false},
        {"", NativePath("/t"), NativePath("/win"), NativePath("/t/"), false},
        {"", "", NativePath("/win"), NativePath("/win/temp/"), true},
        {"", "", NativePath("/win/"), NativePath("/win/temp/"), true},
    };
    for (const Case& c : cases) {
        bool writeBack = false;
        EXPECT_EQ(DeriveTempFolder(c.setting, c.temp, c.windows, &writeBack), c.folder);
        EXPECT_EQ(writeBack, c.writeBack);
    }
}

TEST_F(ShellTest, TempFolderDerivedFromWindowsFolderIsWrittenBack) {
    const std::string sep(1, PathSeparator());
    const std::string derived = "/windows" + sep + "temp" + sep;
    fp.environment.windowsFolder = "/windows";
    Make();
    EXPECT_EQ(form->TempFolder(), derived);
    EXPECT_EQ(Setting("Location", "TempPath"), derived);
    fp.environment.variables["TEMP"] = "/var/tmp";
    EXPECT_EQ(form->TempFolder(), derived);  // the written value now wins
}

TEST(TrashFolderRule, NamesOfTheMailClientsFolders) {
    struct Case {
        std::string ini, trash;
    };
    const Case cases[] = {
        {"", "/plover/trash.can"},
        {"[Folder]\nName0=Inbox\nName1=Trash.can\n", "/apps/trash.can"},
        {"[Folder]\nName0=d:/keep/trash.can\n", "d:/keep/trash.can"},
        {"[Folder]\nName0=/keep/trash.can\n", "/plover/trash.can"},         // no ':' and not first
        {"[Folder]\nName0=Inbox\nName2=trash.can\n", "/plover/trash.can"},  // stops at Name1
        {"[Folder]\nName0=trash.can\nName1=e:/x/TRASH.CAN\n", "e:/x/TRASH.CAN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrashPathFrom(IniFile::FromBytes(c.ini), "/apps/plovermail.exe", "/plover/"),
                  c.trash)
            << c.ini;
    }
    // A registry command with quotes and arguments still names the program's folder.
    EXPECT_EQ(TrashPathFrom(IniFile::FromBytes("[Folder]\nName0=trash.can\n"),
                            "\"/my apps/plovermail.exe\" \"%1\"", ""),
              "/my apps/trash.can");
    EXPECT_EQ(ProgramFileOf("/apps/PloverMail.EXE %1"), "/apps/PloverMail.EXE");
}

// --- start-up end to end ------------------------------------------------------------------

TEST_F(ShellTest, NoArgumentGivesAnEmptyEditableUntitledWindow) {
    Start({});
    EXPECT_EQ(fp.window.title, "Kestrel32 - [Untitled]");
    EXPECT_FALSE(fp.editor.ReadOnly());
    EXPECT_EQ(fp.editor.LineCount(), 0);
    EXPECT_TRUE(form->StartupStage());
    EXPECT_TRUE(fp.timer.running);
    EXPECT_EQ(fp.timer.interval, 400);
    EXPECT_EQ(fp.window.bounds, (WindowBounds{49, 52, 611, 342}));
    EXPECT_EQ(fp.window.icon, IconKind::Normal);
    EXPECT_FALSE(fp.window.IsVisible(CommandId::MenuScramble));
    // Japanese menus unless EnglishMenu is set.
    EXPECT_EQ(fp.window.captions[CommandId::New], "\x90V\x8bK(&N)");
    EXPECT_TRUE(opened.empty());

    form->OnTimer1();
    EXPECT_FALSE(form->StartupStage());
    EXPECT_EQ(form->State().clientDir, "");
    EXPECT_EQ(form->State().ploverExe, "plovermail.exe");
    EXPECT_EQ(form->State().trashPath, "trash.can");
    EXPECT_EQ(Setting("Window", "InvokeCount"), "1");
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(ShellTest, EditSwitchOpensFolderMailThroughTheHookWithTheEditingIcon) {
    std::string mail = MakeFile("plover/inbox/0012.txt", {"X-Status: READ", "-----", "body"});
    WriteSettings("[View]\nEnglishMenu=1\n");
    StartFully({"/e", mail});
    EXPECT_THAT(opened, ElementsAre(mail));
    EXPECT_EQ(fp.window.icon, IconKind::Editing);
    EXPECT_TRUE(form->State().editSwitch);
    EXPECT_EQ(form->State().clientDir, dir.File("plover/"));
    EXPECT_EQ(form->State().ploverExe, dir.File("plover/plovermail.exe"));
    EXPECT_EQ(form->State().trashPath, dir.File("plover/trash.can"));
    EXPECT_TRUE(fp.window.captions.empty());  // English menus stay as designed
}

TEST_F(ShellTest, MissingFileArgumentLeavesTheEditorEmptyAndSilent) {
    Start({dir.File("plover/inbox/0099.txt")});
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(fp.window.title, "Kestrel32 - [Untitled]");
    EXPECT_TRUE(fp.messages.shown.empty());
    EXPECT_EQ(form->State().clientDir, dir.File("plover/"));
}

TEST_F(ShellTest, QuotedAndUnquotedPathWithBlankNameTheSameFile) {
    std::string mail = MakeFile("my mail/inbox/0012.txt", {"X-Status: READ", "-----"});
    std::string quoted = "\"" + mail + "\"";
    size_t blank = mail.find(' ');
    std::vector<std::vector<std::string>> argLists = {
        {quoted},
        {mail.substr(0, blank), mail.substr(blank + 1)},
        {"/v", quoted},
    };
    for (const auto& args : argLists) {
        opened.clear();
        Start(args);
        EXPECT_THAT(opened, ElementsAre(mail));
        EXPECT_EQ(form->State().clientDir, dir.File("my mail/"));
    }
}

TEST_F(ShellTest, ComposeFileLoadsEditableWithCaretAtTheBody) {
    std::vector<std::string> lines = {
        "To: sam@example.com", "Subject: Re: hello", "--------", "> quoted", "", "answer"};
    std::string file = MakeFile("temp/_plv0001.tmp", lines);
    WriteSettings("[View]\nReplyConfirm=1\n[Window]\nEditWidth=420\nWidth=700\n");
    Start({file});

    // The box comes first, then the file is loaded.
    std::vector<std::string> events = LogWith("message:");
    for (const auto& e : LogWith("editor: set")) events.push_back(e);
    EXPECT_THAT(events,
                ElementsAre("message: Plover is now preparing mail ....", "editor: set 6 lines"));
    EXPECT_LT(std::find(fp.log.begin(), fp.log.end(), events[0]),
              std::find(fp.log.begin(), fp.log.end(), events[1]));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(fp.window.icon, IconKind::Editing);
    EXPECT_EQ(fp.window.bounds.width, 420);
    EXPECT_FALSE(fp.editor.ReadOnly());
    EXPECT_EQ(fp.editor.Lines(), lines);
    EXPECT_EQ(form->State().currentFile, file);
    EXPECT_EQ(fp.window.title, "Kestrel32 - _plv0001.tmp");
    EXPECT_EQ(fp.editor.SelStart(), fp.editor.LineOffset(3));
    EXPECT_EQ(fp.editor.ime, ImeMode::Hiragana);
}

TEST_F(ShellTest, PreparingBoxOnlyForTmpNamesThatAreNotTheViewersOwn) {
    WriteSettings("[View]\nReplyConfirm=1\n");
    const std::pair<std::string, bool> cases[] = {
        {"temp/_plv0001.tmp", true},
        {"temp/_plvview.tmp", false},
        {"plover/out/0001.txt", false},
    };
    for (const auto& [name, box] : cases) {
        fp.messages.shown.clear();
        Start({MakeFile(name, {"a"})});
        EXPECT_EQ(!fp.messages.shown.empty(), box) << name;
    }
}

TEST_F(ShellTest, OutFolderMailLoadsAsEditableText) {
    std::string mail = MakeFile("plover/out/0003.txt", {"To: a", "-----", "text"});
    Start({mail});
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(fp.editor.LineCount(), 3);
    EXPECT_EQ(fp.window.icon, IconKind::Editing);
    EXPECT_EQ(form->State().currentFile, mail);
}

TEST_F(ShellTest, AnnounceSwitchAloneSendsOnlyTheReceiveFolderUpdate) {
    Start({"/a"});
    EXPECT_THAT(LogWith("plover:"), ElementsAre("plover: [Update(Recv.fld)]"));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(fp.window.title, "Kestrel32 - [Untitled]");

    fp.log.clear();
    WriteSettings("[AW]\nReceive=Inbox\n");
    Start({"/a"});
    EXPECT_THAT(LogWith("plover:"), ElementsAre("plover: [Update(Inbox.fld)]"));
}

TEST_F(ShellTest, HundredthStartShowsTheAuthorMessageOnce) {
    WriteSettings("[Window]\nInvokeCount=98\n");
    for (int start = 99; start <= 101; ++start) {
        fp.messages.shown.clear();
        StartFully({});
        EXPECT_EQ(Setting("Window", "InvokeCount"), std::to_string(start));
        if (start == 100) {
            ASSERT_EQ(fp.messages.shown.size(), 1u);
            EXPECT_EQ(fp.messages.shown[0].text, "Kestrel author is waiting for your mail.");
            EXPECT_EQ(fp.messages.shown[0].buttons, MessageButtons::Ok);
        } else {
            EXPECT_TRUE(fp.messages.shown.empty()) << start;
        }
    }
}

TEST_F(ShellTest, DeferredStageRunsOnTheFirstTickOnly) {
    fp.registry.values["\\Plover.Document\\shell\\open\\command"] = "/apps/plovermail.exe %1";
    fp.registry.values["\\htmlfile\\shell\\open\\ddeexec\\application"] = "Browser";
    WriteSettings("[View]\nTimer=250\n[Location]\nTrashCan=/keep/trash.can\n");
    Start({});
    fp.editor.Type("typed before the first tick");
    EXPECT_TRUE(form->State().ploverExe.empty());

    EXPECT_EQ(form->OnTimer1(), TimerStep::DeferredSettings);
    EXPECT_FALSE(fp.timer.running);  // the deferred stage asks for no follow-up
    EXPECT_EQ(fp.timer.interval, 250);
    EXPECT_EQ(form->State().ploverExe, "/apps/plovermail.exe %1");
    EXPECT_EQ(form->State().browserService, "Browser");
    EXPECT_EQ(form->State().trashPath, "/keep/trash.can");
    EXPECT_TRUE(fp.editor.Modified());  // what was typed before the tick stays a change
    EXPECT_EQ(Setting("Window", "InvokeCount"), "1");

    EXPECT_EQ(form->OnTimer1(), TimerStep::Focus);
    EXPECT_EQ(Setting("Window", "InvokeCount"), "1");
    EXPECT_THAT(LogWith("focus"), ElementsAre("focus"));
}

TEST_F(ShellTest, DeferredStageHidesMenusOfUnusedFeaturesAndBuildsSettingsMenus) {
    WriteSettings(
        "[ReplyStatus]\nStatus2=Later\n[Command]\nCommandMenu1=Sort\nCommand1=sort.exe\n"
        "CommandMenu2=Half\n[View]\nNextMailMode=1\nHeader=1\n");
    StartFully({});
    EXPECT_FALSE(fp.window.IsVisible(CommandId::MenuAw));
    EXPECT_FALSE(fp.window.IsVisible(CommandId::SpellCheck));
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuReplyStatus));
    ASSERT_EQ(fp.window.dynamicMenus[CommandId::MenuReplyStatus].size(), 1u);
    // Status2 is the first configured status: reply status 1.
    EXPECT_EQ(fp.window.dynamicMenus[CommandId::MenuReplyStatus][0].id, CommandId::ReplyStatus1);
    // The Command and Insert menus: DeskToolsTest.CommandAndInsertMenusFromTheSettings.
    EXPECT_TRUE(fp.window.IsChecked(CommandId::PloverSearch));
    EXPECT_FALSE(fp.window.IsChecked(CommandId::NumberSearch));
}

TEST_F(ShellTest, WindowKindFollowsTheProgramName) {
    fp.environment.programPath = dir.File("myview.exe");
    Start({});
    EXPECT_EQ(fp.window.icon, IconKind::Alternative);
    EXPECT_EQ(form->SettingsPath(), dir.File("myview.ini"));
}

TEST_F(ShellTest, ScrambleSwitchUsesTheStoredPinOrAsksForOne) {
    WriteSettings("[Scramble]\nPIN=1234\n");
    StartFully({"/s"});
    EXPECT_TRUE(form->State().scrambleMode);
    EXPECT_FALSE(form->State().pinGivenAtStart);
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuScramble));

    WriteSettings("");
    pinAnswer = false;
    StartFully({"/s"});
    EXPECT_FALSE(form->State().scrambleMode);

    pinAnswer = true;
    StartFully({"/s"});
    EXPECT_TRUE(form->State().pinGivenAtStart);
    WriteIniString(SettingsFile(), "Scramble", "PIN", "4321");  // what the PIN dialog stores
    EXPECT_TRUE(form->TryClose());
    EXPECT_EQ(Setting("Scramble", "PIN"), "0");
    EXPECT_TRUE(fp.messages.shown.empty());
}

// The PIN given for one run is erased at close; when the settings file cannot be written the
// user is told that it is still stored.
TEST_F(ShellTest, PinThatCannotBeErasedIsReported) {
    pinAnswer = true;
    StartFully({"/s"});
    ASSERT_TRUE(form->State().pinGivenAtStart);
    std::filesystem::remove(SettingsFile());
    std::filesystem::create_directory(SettingsFile());  // no file can be put in its place
    EXPECT_TRUE(form->TryClose());
    ASSERT_FALSE(fp.messages.shown.empty());
    EXPECT_EQ(fp.messages.shown.back().text,
              "The PIN could not be erased from " + form->SettingsPath());
    EXPECT_EQ(fp.messages.shown.back().kind, MessageKind::Error);
}

// --- window placement at close -------------------------------------------------------------

TEST_F(ShellTest, GeometryIsWrittenAtCloseInTheNormalStateOnly) {
    struct Case {
        WindowState state;
        std::string file;  // relative; "" for untitled
        std::string widthKey;
    };
    const Case cases[] = {
        {WindowState::Normal, "", "Width"},
        {WindowState::Normal, "temp/_plv0002.tmp", "EditWidth"},
        {WindowState::Normal, "plover/out/0001.txt", "EditWidth"},
        {WindowState::Normal, "plover/inbox/0001.txt", "Width"},
        {WindowState::Minimized, "temp/_plv0002.tmp", ""},
        {WindowState::Maximized, "", ""},
    };
    for (const Case& c : cases) {
        WriteSettings("");
        StartFully({});
        if (!c.file.empty()) form->State().currentFile = dir.File(c.file);
        fp.window.state = c.state;
        fp.window.bounds = {10, 20, 530, 640};
        EXPECT_TRUE(form->TryClose());
        SCOPED_TRACE(c.file);
        if (c.widthKey.empty()) {
            EXPECT_EQ(Setting("Window", "Left"), "<none>");
            EXPECT_EQ(Setting("Window", "Width"), "<none>");
            EXPECT_EQ(Setting("Window", "EditWidth"), "<none>");
        } else {
            EXPECT_EQ(Setting("Window", "Left"), "10");
            EXPECT_EQ(Setting("Window", "Top"), "20");
            EXPECT_EQ(Setting("Window", "Height"), "640");
            EXPECT_EQ(Setting("Window", c.widthKey), "530");
            EXPECT_EQ(Setting("Window", c.widthKey == "Width" ? "EditWidth" : "Width"), "<none>");
        }
    }
}

TEST_F(ShellTest, ProcessStartCreatesTheWindowsInOrder) {
    std::vector<std::string> order;
    ProcessStartSteps steps;
    steps.createMainWindow = [&] { order.push_back("TForm1"); };
    steps.createPinDialog = [&] { order.push_back("TPasswordDlg"); };
    steps.createSpellDialog = [&] { order.push_back("TForm2"); };
    steps.runMessageLoop = [&] {
        order.push_back("loop");
        return 3;
    };
    EXPECT_EQ(RunProcessStart(steps), 3);
    EXPECT_THAT(order, ElementsAre("TForm1", "TPasswordDlg", "TForm2", "loop"));
}

}  // namespace
}  // namespace kestrel::test
