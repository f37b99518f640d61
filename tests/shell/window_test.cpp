// The main window: modes, ruler, title, file commands, the save question and closing.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "common/fileio.h"
#include "shell/shell_fixture.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;

TEST_F(ShellTest, RulerShownByRulerSettingAndMode) {
    struct Case {
        int ruler;
        bool readOnly;
        int fontSize;
        int height;
    };
    const Case cases[] = {
        {0, false, 14, 44},  // 14 * 12 / 10 = 16, plus 28
        {0, true, 14, 27},  {-1, false, 14, 27}, {-1, true, 14, 27}, {1, true, 14, 44},
        {1, false, 14, 44}, {2, true, 20, 52},   {0, false, 9, 38},  // 9 * 12 / 10 = 10 (integer
                                                                     // division)
    };
    for (const Case& c : cases) {
        WriteSettings("[View]\nRuler=" + std::to_string(c.ruler) +
                      "\nEditorFontName=Courier\nViewerFontName=Courier\nEditorFontSize=" +
                      std::to_string(c.fontSize) +
                      "\nViewerFontSize=" + std::to_string(c.fontSize) + "\n");
        Start({});
        fp.editor.SetReadOnly(c.readOnly);
        form->UpdateWindowState();
        EXPECT_EQ(fp.window.toolbarHeight, c.height)
            << "Ruler=" << c.ruler << " readOnly=" << c.readOnly << " size=" << c.fontSize;
        EXPECT_EQ(fp.window.rulerFontSize, c.fontSize);
    }
}

TEST_F(ShellTest, FixedSysIsAlwaysFourteenPoints) {
    WriteSettings("[View]\nEditorFontSize=20\n");
    Start({});
    EXPECT_EQ(fp.editor.fontName, "FixedSys");
    EXPECT_EQ(fp.editor.fontSize, 14);
    EXPECT_EQ(fp.window.toolbarHeight, 44);
}

TEST_F(ShellTest, TitleNamesTheFileOnShow) {
    Start({});
    const std::pair<std::string, std::string> cases[] = {
        {"", "Kestrel32 - [Untitled]"},
        {"/plover/inbox/0012.txt", "Kestrel32 - 0012.txt"},
        {"/temp/_plv0001.tmp", "Kestrel32 - _plv0001.tmp"},
    };
    for (const auto& [file, title] : cases) {
        form->State().currentFile = file;
        form->UpdateWindowState();
        EXPECT_EQ(fp.window.title, title);
    }
}

TEST_F(ShellTest, ColoursFontsAndInputMethodFollowTheMode) {
    WriteSettings("[View]\nViewerFontName=Gothic\nViewerFontSize=12\nEditorColor=$00ffffff\n");
    Start({});
    EXPECT_EQ(fp.editor.background, 0x00FFFFFFu);
    EXPECT_EQ(fp.editor.ime, ImeMode::Hiragana);
    EXPECT_TRUE(fp.window.IsChecked(CommandId::ImeMode));

    form->Execute(CommandId::ViewerMode);
    EXPECT_TRUE(fp.editor.ReadOnly());
    EXPECT_EQ(fp.editor.background, 0x00C0C0C0u);  // silver by default
    EXPECT_EQ(fp.editor.fontName, "Gothic");
    EXPECT_EQ(fp.editor.fontSize, 12);
    EXPECT_EQ(fp.editor.ime, ImeMode::Disabled);
    EXPECT_TRUE(fp.window.IsChecked(CommandId::ViewerMode));
    EXPECT_TRUE(form->State().viewerModeSetting);
    EXPECT_EQ(fp.window.coverShown, 1);
    EXPECT_FALSE(fp.window.coverVisible);

    form->State().alertColour = 0x000000FF;
    form->UpdateWindowState();
    EXPECT_EQ(fp.editor.background, 0x000000FFu);
    // Toggling the mode clears the alert colour.
    form->Execute(CommandId::ViewerMode);
    form->Execute(CommandId::ViewerMode);
    EXPECT_EQ(fp.editor.background, 0x00C0C0C0u);

    // Ime Mode: off, so the editor mode has no input method either.
    form->Execute(CommandId::ViewerMode);
    form->Execute(CommandId::ImeMode);
    EXPECT_EQ(fp.editor.ime, ImeMode::Disabled);
    EXPECT_FALSE(fp.window.IsChecked(CommandId::ImeMode));
    form->Execute(CommandId::ImeMode);
    EXPECT_EQ(fp.editor.ime, ImeMode::Hiragana);
}

TEST_F(ShellTest, WordWrapTogglesBothEntries) {
    WriteSettings("[View]\nWordWrap=1\n");
    Start({});
    EXPECT_TRUE(fp.editor.WordWrap());
    form->Execute(CommandId::PopupWordWrap);
    EXPECT_FALSE(fp.editor.WordWrap());
    EXPECT_FALSE(fp.window.IsChecked(CommandId::WordWrap));
    EXPECT_FALSE(fp.window.IsChecked(CommandId::PopupWordWrap));
    form->Execute(CommandId::WordWrap);
    EXPECT_TRUE(fp.window.IsChecked(CommandId::WordWrap));
    EXPECT_TRUE(fp.window.IsChecked(CommandId::PopupWordWrap));
}

std::vector<std::string> NumberedLines(int count, int separatorAt) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(i == separatorAt ? "----------" : "line " + std::to_string(i));
    }
    return lines;
}

TEST_F(ShellTest, CaretPlacementCountsTheFirstScreenful) {
    Start({});
    // 300 pixels at 14 points: (300 - 10) * 20 / (14 * 27) - 1 = 14 visible lines.
    ASSERT_EQ(form->VisibleLines(), 14);
    struct Case {
        int lines, separatorAt;
        CaretTarget target;
        int caretLine;  // -1: unmoved
    };
    const Case cases[] = {
        {30, 3, CaretTarget::ToBody, 4},
        {30, 13, CaretTarget::ToBody, 14},  // the last line of the screenful
        {30, 14, CaretTarget::ToBody, -1},  // below it
        {30, -1, CaretTarget::ToBody, -1},
        {30, 3, CaretTarget::OneScreenDown, 14},
        {5, -1, CaretTarget::OneScreenDown, 4},  // stops at the last line
        {0, -1, CaretTarget::OneScreenDown, 0},
    };
    for (const Case& c : cases) {
        fp.editor.SetLines(NumberedLines(c.lines, c.separatorAt));
        fp.editor.SetSelection(7, 0);
        form->PlaceCaret(c.target);
        int expected = c.caretLine < 0 ? 7 : fp.editor.LineOffset(c.caretLine);
        EXPECT_EQ(fp.editor.SelStart(), expected) << c.lines << " " << c.separatorAt;
    }
}

TEST_F(ShellTest, CaretPlacementSurvivesAFontSizeOfZero) {
    // The options editor writes FontSize=0; the sizes then come out as 0.
    WriteSettings("[View]\nFontName=\nFontSize=0\n");
    Start({});
    fp.editor.SetLines(NumberedLines(40, 2));
    form->PlaceCaret(CaretTarget::ToBody);
    EXPECT_EQ(fp.editor.SelStart(), fp.editor.LineOffset(3));
}

TEST_F(ShellTest, DebugModeShowsTheVisibleLineCount) {
    WriteSettings("[View]\nDebugMode=1\n");
    Start({});
    fp.messages.shown.clear();
    form->PlaceCaret(CaretTarget::ToBody);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("300/14=14"));
}

// --- the save question ---------------------------------------------------------------------

TEST_F(ShellTest, CancelStopsNewOpenAndClose) {
    std::string file = MakeFile("notes/memo.txt", {"one"});
    std::string other = MakeFile("notes/other.txt", {"two"});
    std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {"New", [&] { form->Execute(CommandId::New); }},
        {"Open", [&] { form->Execute(CommandId::Open); }},
        {"Ini file", [&] { form->Execute(CommandId::IniFile); }},
        {"close", [&] { EXPECT_FALSE(form->TryClose()); }},
    };
    for (auto& [name, run] : commands) {
        StartFully({});
        fp.dialogs.openAnswers = {other};
        fp.editor.SetLines({"one"});
        form->State().currentFile = file;
        fp.editor.Type("changed ");
        fp.messages.answers = {MessageAnswer::Cancel};
        fp.messages.shown.clear();
        run();
        SCOPED_TRACE(name);
        EXPECT_THAT(fp.MessageTexts(), ElementsAre("Save memo.txt ?"));
        EXPECT_EQ(fp.messages.shown[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(fp.editor.Lines(), std::vector<std::string>{"changed one"});
        EXPECT_TRUE(fp.editor.Modified());
        EXPECT_EQ(form->State().currentFile, file);
        EXPECT_TRUE(fp.dialogs.openRequests.empty());
        EXPECT_EQ(Setting("Window", "Left"), "<none>");
    }
}

TEST_F(ShellTest, YesSavesBeforeGoingOnAndNoDiscards) {
    std::string file = MakeFile("notes/memo.txt", {"one"});
    for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        WriteLinesAtomic(file, {"one"});
        StartFully({});
        fp.editor.SetLines({"one"});
        form->State().currentFile = file;
        fp.editor.Type("changed ");
        fp.messages.answers = {answer};
        form->Execute(CommandId::New);
        std::vector<std::string> onDisk;
        ReadFileLines(file, onDisk);
        EXPECT_EQ(onDisk[0], answer == MessageAnswer::Yes ? "changed one" : "one");
        EXPECT_EQ(fp.editor.LineCount(), 0);
        EXPECT_EQ(fp.window.title, "Kestrel32 - [Untitled]");
    }
}

TEST_F(ShellTest, YesWithACancelledSaveAsKeepsTheText) {
    StartFully({});
    fp.editor.Type("unsaved work");
    fp.messages.answers = {MessageAnswer::Yes};
    fp.dialogs.saveAnswers = {std::nullopt};
    form->Execute(CommandId::New);
    EXPECT_EQ(fp.editor.Lines(), std::vector<std::string>{"unsaved work"});
    fp.messages.answers = {MessageAnswer::Yes};
    fp.dialogs.saveAnswers = {std::nullopt};
    EXPECT_FALSE(form->TryClose());
}

TEST_F(ShellTest, TextTypedBeforeTheFirstTickStillCountsAsChanged) {
    std::string mail = MakeFile("temp/_plv0001.tmp", {"To: a", "-----", "b"});
    Start({mail});
    fp.editor.Type("typed at once");
    form->OnTimer1();  // the deferred stage
    EXPECT_TRUE(fp.editor.Modified());
    fp.messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(form->TryClose());
    ASSERT_FALSE(fp.messages.shown.empty());
    EXPECT_EQ(fp.messages.shown.back().text, "Save _plv0001.tmp ?");
}

TEST_F(ShellTest, CloseWithoutChangesAsksNothing) {
    std::string mail = MakeFile("temp/_plv0001.tmp", {"To: a", "-----", "b"});
    StartFully({mail});
    EXPECT_TRUE(form->TryClose());
    EXPECT_TRUE(fp.messages.shown.empty());
    EXPECT_EQ(Setting("Window", "EditWidth"), "400");
}

TEST_F(ShellTest, CloseWithTheMailMoverOnRunsTheMoverFirst) {
    WriteSettings("[AW]\nAW=1\n");
    StartFully({});
    EXPECT_FALSE(form->FormCloseQuery());
    EXPECT_THAT(LogWith("move mails"), ElementsAre("move mails"));
    EXPECT_TRUE(form->FormCloseQuery());  // the mover's own close passes at once
}

TEST_F(ShellTest, ExitAsksTheWindowToClose) {
    StartFully({});
    form->Execute(CommandId::Exit);
    EXPECT_THAT(LogWith("window:"), ElementsAre("window: close"));
}

// --- Save, Save As, Open -------------------------------------------------------------------

TEST_F(ShellTest, SaveOnAPartialViewGoesToSaveAs) {
    std::vector<std::string> original = {"X-Status: READ", "-----", "body", "attachment data"};
    std::string mail = MakeFile("plover/inbox/0012.txt", original);
    WriteSettings("[Location]\nSaveAsDir=" + dir.File("saved/") + "\n");
    StartFully({});
    // What the mail reader leaves after cutting the mail short at its attachment.
    fp.editor.SetLines({"X-Status: READ", "-----", "body", "  ***** Attached file *****"});
    fp.editor.SetReadOnly(true);
    form->State().currentFile = mail;
    form->State().partialView = true;

    std::string copy = dir.File("plover/inbox/Copy.TXT");
    fp.dialogs.saveAnswers = {copy};
    EXPECT_TRUE(form->Save1Click());
    ASSERT_EQ(fp.dialogs.saveRequests.size(), 1u);
    const FileDialogRequest& r = fp.dialogs.saveRequests[0];
    EXPECT_EQ(r.initialDir, dir.File("plover/inbox/"));  // the mail's folder, not SaveAsDir
    EXPECT_EQ(r.fileName, "0012.txt");
    EXPECT_EQ(r.defaultExt, "TXT");
    EXPECT_EQ(r.filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");

    std::vector<std::string> onDisk;
    ASSERT_TRUE(ReadFileLines(mail, onDisk));
    EXPECT_EQ(onDisk, original);
    ASSERT_TRUE(ReadFileLines(copy, onDisk));
    EXPECT_EQ(onDisk, fp.editor.Lines());
    EXPECT_EQ(form->State().currentFile, dir.File("plover/inbox/copy.txt"));
    EXPECT_EQ(fp.window.title, "Kestrel32 - copy.txt");

    EXPECT_TRUE(form->TryClose());
    EXPECT_EQ(Setting("Location", "SaveAsDir"), dir.File("saved/"));  // kept by Save
}

TEST_F(ShellTest, SaveAsStartsInSaveAsDirAndRemembersTheFolder) {
    std::string file = MakeFile("notes/memo.txt", {"one"});
    StartFully({});
    form->State().currentFile = file;
    fp.editor.SetLines({"one"});

    std::string target = dir.File("out2/memo2.txt");
    std::filesystem::create_directories(dir.File("out2"));
    fp.dialogs.saveAnswers = {target, dir.File("notes/memo3.txt")};
    EXPECT_TRUE(form->SaveAs1Click());
    EXPECT_EQ(fp.dialogs.saveRequests[0].initialDir, dir.File("notes/"));
    EXPECT_TRUE(FileExists(target));
    EXPECT_FALSE(fp.editor.Modified());

    EXPECT_TRUE(form->SaveAs1Click());
    EXPECT_EQ(fp.dialogs.saveRequests[1].initialDir, dir.File("out2/"));
    EXPECT_TRUE(form->TryClose());
    EXPECT_EQ(Setting("Location", "SaveAsDir"), dir.File("notes/"));
}

TEST_F(ShellTest, SaveWritesTheFileOnShowWithCrLf) {
    std::string file = MakeFile("temp/_plv0007.tmp", {"To: a", "-----", "b"});
    StartFully({file});
    fp.editor.SetSelection(fp.editor.LineOffset(2), 0);
    fp.editor.Type("new ");
    EXPECT_TRUE(form->Save1Click());
    std::string bytes;
    ReadFileBytes(file, bytes);
    EXPECT_EQ(bytes, "To: a\r\n-----\r\nnew b\r\n");
    EXPECT_FALSE(fp.editor.Modified());
    EXPECT_TRUE(fp.dialogs.saveRequests.empty());
}

TEST_F(ShellTest, SaveToAnUnwritablePlaceReportsAndKeepsTheChanges) {
    StartFully({});
    fp.editor.Type("text");
    fp.dialogs.saveAnswers = {dir.File("no/such/folder/x.txt")};
    EXPECT_FALSE(form->Save1Click());
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].kind, MessageKind::Error);
    EXPECT_NE(fp.messages.shown[0].text.find("x.txt"), std::string::npos);
    EXPECT_TRUE(fp.editor.Modified());
    EXPECT_EQ(form->State().currentFile, "");
}

TEST_F(ShellTest, OpenLoadsPlainTextKeepingTheMode) {
    std::string file = MakeFile("notes/Memo.TXT", {"X-Status: RECV", "-----", "b"});
    StartFully({});
    form->State().currentFile = dir.File("notes/old.txt");
    form->State().htmlMail = true;
    fp.editor.SetReadOnly(true);
    fp.dialogs.openAnswers = {file, dir.File("notes/missing.txt")};
    form->Execute(CommandId::Open);
    EXPECT_EQ(fp.dialogs.openRequests[0].initialDir, dir.File("notes/"));
    EXPECT_EQ(fp.dialogs.openRequests[0].filter,
              "Plover files|*.ini;*.def;*.cmp;*.sig;*.ali|Text files|*.txt|All files|*.*");
    EXPECT_EQ(fp.editor.LineCount(), 3);
    EXPECT_TRUE(fp.editor.ReadOnly());
    EXPECT_EQ(form->State().currentFile, dir.File("notes/memo.txt"));
    EXPECT_FALSE(form->State().htmlMail);
    EXPECT_FALSE(fp.editor.Modified());
    EXPECT_TRUE(opened.empty());  // plain text: no mail reading

    form->Execute(CommandId::Open);  // a file that cannot be read
    EXPECT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(form->State().currentFile, dir.File("notes/memo.txt"));
    EXPECT_EQ(fp.editor.LineCount(), 3);
}

TEST_F(ShellTest, OpenMailAcceptsOnlyEightCharacterTxtNames) {
    StartFully({});
    std::string mail = dir.File("plover/inbox/0012.TXT");
    fp.dialogs.openAnswers = {mail, dir.File("plover/inbox/readme.txt")};
    form->Execute(CommandId::OpenMail);
    EXPECT_EQ(fp.dialogs.openRequests[0].filter, "Plover mail|????.txt");
    EXPECT_THAT(opened, ElementsAre(dir.File("plover/inbox/0012.txt")));
    EXPECT_TRUE(form->State().freshOpen);
    form->Execute(CommandId::OpenMail);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("This is not a Plover mail file."));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(ShellTest, IniFileLoadsTheSettingsEditable) {
    WriteSettings("[View]\nRuler=-1\n");
    StartFully({});
    fp.editor.SetReadOnly(true);
    form->State().partialView = true;
    form->State().keyNumberMode = true;
    form->Execute(CommandId::IniFile);
    EXPECT_EQ(fp.editor.Lines(),
              (std::vector<std::string>{"[View]", "Ruler=-1", "[Window]", "InvokeCount=1"}));
    EXPECT_FALSE(fp.editor.ReadOnly());
    EXPECT_FALSE(form->State().partialView);
    EXPECT_FALSE(form->State().keyNumberMode);
    EXPECT_EQ(fp.editor.ime, ImeMode::Closed);
    EXPECT_EQ(fp.window.title, "Kestrel32 - kestrel.ini");
    EXPECT_EQ(form->State().currentFile, SettingsFile());
    EXPECT_FALSE(fp.editor.Modified());
}

TEST_F(ShellTest, EditingCommandsRespectTheReadOnlyText) {
    StartFully({});
    fp.editor.SetLines({"alpha beta"});
    fp.editor.SetSelection(0, 6);
    form->Execute(CommandId::Cut);
    EXPECT_EQ(fp.clipboard.text, "alpha ");
    form->Execute(CommandId::PopupPaste);
    form->Execute(CommandId::PopupPaste);
    EXPECT_EQ(fp.editor.Line(0), "alpha alpha beta");
    form->Execute(CommandId::PopupUndo);
    EXPECT_EQ(fp.editor.Line(0), "alpha beta");

    fp.editor.SetReadOnly(true);
    form->Execute(CommandId::SelectAll);
    form->Execute(CommandId::Delete);
    form->Execute(CommandId::Cut);
    EXPECT_EQ(fp.editor.Line(0), "alpha beta");
    form->Execute(CommandId::Copy);
    EXPECT_EQ(fp.clipboard.text, "alpha beta");

    // In viewer mode a click in the text is the Web browser command.
    form->RichEdit1MouseDown();
    EXPECT_THAT(laterCommands, ElementsAre(CommandId::WebBrowser));
}

// --- the timer --------------------------------------------------------------------------------

TEST_F(ShellTest, TimerRunsOneStepInPriorityOrder) {
    struct Case {
        bool startup;
        std::array<bool, 3> mover;
        PendingDeletion deletion;
        TimerStep step;
        std::vector<std::string> log;
        bool timerAfter;  // a follow-up tick is due
    };
    const PendingDeletion move = PendingDeletion::MoveToTrash("/p/inbox/0001.txt");
    const Case cases[] = {
        // A step armed while the deferred stage holds the countdown gets a tick after it.
        {true, {true, true, true}, move, TimerStep::DeferredSettings, {}, true},
        {false, {true, true, false}, move, TimerStep::Mover1, {"mover 1"}, false},
        {false, {false, true, true}, move, TimerStep::Mover2, {"mover 2"}, false},
        {false, {false, false, true}, move, TimerStep::Mover3, {"mover 3"}, false},
        // Without a runner of its own the Move is dropped rather than stall the timer.
        {false, {}, move, TimerStep::MoveToTrash, {}, false},
        // Only the Update follow-up starts the timer again (so Focus comes next tick).
        {false, {}, PendingDeletion::NeedsUpdate(), TimerStep::NeedsUpdate, {"update"}, true},
        {false, {}, PendingDeletion(), TimerStep::Focus, {"focus"}, false},
    };
    for (const Case& c : cases) {
        Start({});
        if (!c.startup) form->OnTimer1();
        for (int i = 0; i < 3; ++i) {
            if (c.mover[i]) timer->Arm(TimerStep(int(TimerStep::Mover1) + i));
        }
        timer->SetDeletion(c.deletion);
        fp.log.clear();
        fp.timer.running = true;
        EXPECT_EQ(form->OnTimer1(), c.step);
        std::vector<std::string> log;
        for (const auto& e : fp.log) {
            if (e.rfind("mover", 0) == 0 || e == "update" || e == "focus") log.push_back(e);
        }
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(fp.timer.running, c.timerAfter);
        if (c.step == TimerStep::MoveToTrash || c.step == TimerStep::NeedsUpdate) {
            EXPECT_TRUE(timer->Deletion().IsNone());
        }
    }
}

}  // namespace
}  // namespace kestrel::test
