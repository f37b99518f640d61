// Scenarios of the commands that connect the viewer with the rest of the desk: the address
// book, phrases, external commands, temporary files, printing, help, options and About.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "shell/mail_fixture.h"
#include "viewer/shell/address_book.h"
#include "viewer/shell/command_menu.h"
#include "viewer/shell/temp_file_commands.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

class DeskToolsTest : public MailShellTest {
  protected:
    // The whole viewer past its deferred stage, the mail's lines in the editor (read only) and
    // the mail the file on show.
    void StartOn(const Lines& mail) {
        mailPath = MakeFile("plover/inbox/0001.txt", mail);
        fp.registry.values["\\Plover.Document\\shell\\open\\command"] =
            dir.File("plover/plovermail.exe") + " %1";
        OpenFully({});
        fp.editor.SetLines(mail);
        fp.editor.SetReadOnly(true);
        fp.editor.SetModified(false);
        form().State().currentFile = mailPath;
    }
    void WritePloverIni(const std::string& aliasFile) {
        MakeFile("plover/plovermail.ini", {"[Global Parameters]", "AliasFile=" + aliasFile});
    }
    TForm1& form() { return parts->Form(); }
    void Run(CommandId id) { ASSERT_TRUE(form().Execute(id)) << CommandName(id); }

    std::string mailPath;
};

const Lines kMail = {"X-Status: READ",
                     "From: Taro@Example.JP (Taro Yamada)",
                     "Message-Id: <m1@example.jp>",
                     "Date: Mon, 7 Dec 2026",
                     "Subject: hi",
                     "--------",
                     "body"};

// --- address book -------------------------------------------------------------------------

TEST_F(DeskToolsTest, AddressBookWithoutTheToolOpensTheFile) {
    std::string book = MakeFile("plover/address.txt", {"old :old\\ <o@x>"});
    WritePloverIni(book);
    StartOn(kMail);
    Run(CommandId::AddressBook);
    EXPECT_EQ(fp.clipboard.text, "Taro Yamada :Taro\\ Yamada\\ <taro@example.jp>");
    EXPECT_EQ(fp.editor.Lines(), Lines{"old :old\\ <o@x>"});
    EXPECT_FALSE(fp.editor.ReadOnly());
    EXPECT_EQ(form().State().currentFile, book);
    EXPECT_EQ(fp.window.title, "Kestrel32 - address.txt");
    EXPECT_TRUE(dde.finchpost.executed.empty());
}

TEST_F(DeskToolsTest, AddressBookFileMissingKeepsTheText) {
    WritePloverIni(dir.File("plover/none.txt"));
    StartOn(kMail);
    Run(CommandId::AddressBook);
    EXPECT_EQ(fp.editor.Lines(), kMail);
    EXPECT_EQ(form().State().currentFile, mailPath);
    ASSERT_FALSE(fp.MessageTexts().empty());
    EXPECT_THAT(fp.MessageTexts().back(), ::testing::HasSubstr("none.txt"));
}

TEST_F(DeskToolsTest, AddressBookThroughTheTool) {
    std::string book = MakeFile("plover/address.txt", {});
    WritePloverIni(book);
    std::string tool = MakeFile("plover/alias.exe", {"tool"});
    WriteSettings("[View]\r\nNextMailMode=2\r\n");
    StartOn(kMail);
    dde.finchpost.running.insert("Alias|system");
    // A selected address with a comma in its name.
    fp.editor.SetLines({"Yamada, Taro <t@x.jp>"});
    fp.editor.SetSelection(0, 21);
    Run(CommandId::AddressBook);
    EXPECT_EQ(fp.clipboard.text, "Yamada, Taro <t@x.jp>");
    EXPECT_THAT(fp.launcher.started, ElementsAre(tool + " " + book + " "));
    EXPECT_THAT(dde.finchpost.executed, ElementsAre("[Append(\"Yamada\\, Taro <t@x.jp>\")]"));
    EXPECT_FALSE(dde.finchpost.IsOpen());
    // Finchpost's read order: its conversation is opened again afterwards.
    EXPECT_EQ(LogWith("finchpost open: Finchpost|Command").size(), 1u);
    EXPECT_EQ(fp.editor.Lines(), Lines{"Yamada, Taro <t@x.jp>"});

    // The tool's window is there: not started again. Not answering: the user is told.
    fp.window.title.clear();
    fp.windows.titles.insert("address.txt - Alias");
    dde.finchpost.running.clear();
    Run(CommandId::AddressBook);
    EXPECT_EQ(fp.launcher.started.size(), 1u);
    EXPECT_EQ(fp.MessageTexts().back(), kAliasNoAnswer);
}

// --- phrases --------------------------------------------------------------------------------

TEST_F(DeskToolsTest, PhrasesPackedAndInsertedAtTheCaret) {
    WriteSettings(
        "[Insert]\r\nInsertMenu3=Sign\r\nInsert3=Regards\\n\\nName\r\nInsertMenu5=Hi\r\n"
        "Insert5=Hello, \r\n");
    StartOn(kMail);
    const auto& menu = fp.window.dynamicMenus[CommandId::MenuInsert];
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].id, CommandId::Insert1);
    EXPECT_EQ(menu[0].caption, "Sign");
    EXPECT_EQ(menu[1].id, CommandId::Insert2);
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuInsert));

    // Viewer mode: nothing happens.
    Run(CommandId::Insert1);
    EXPECT_EQ(fp.editor.Lines(), kMail);

    fp.editor.SetReadOnly(false);
    fp.editor.SetLines({"Thanks.", "x"});
    fp.editor.SetSelection(7, 0);
    Run(CommandId::Insert1);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"Thanks.Regards", "", "Name", "x"}));
    EXPECT_EQ(fp.editor.SelStart(), 7 + 15);

    // A selection is cut to the clipboard first; slot 2 is phrase 5.
    fp.editor.SetLines({"abcXYZdef"});
    fp.editor.SetSelection(3, 3);
    Run(CommandId::Insert2);
    EXPECT_EQ(fp.editor.Lines(), Lines{"abcHello,def"});
    EXPECT_EQ(fp.clipboard.text, "XYZ");
    // An empty slot does nothing.
    Run(CommandId::Insert3);
    EXPECT_EQ(fp.editor.Lines(), Lines{"abcHello,def"});
}

TEST_F(DeskToolsTest, CommandAndInsertMenusFromTheSettings) {
    WriteSettings(
        "[ReplyStatus]\nStatus2=Later\n[Command]\nCommandMenu1=Sort\nCommand1=sort.exe\n"
        "CommandMenu2=Half\n");
    StartOn(kMail);
    EXPECT_FALSE(fp.window.IsVisible(CommandId::MenuInsert));
    EXPECT_TRUE(fp.window.IsVisible(CommandId::MenuCommand));
    ASSERT_EQ(fp.window.dynamicMenus[CommandId::MenuCommand].size(), 1u);  // Half has no command
    EXPECT_EQ(fp.window.dynamicMenus[CommandId::MenuCommand][0].caption, "Sort");
    EXPECT_EQ(parts->Commands().OwnerOf(CommandId::Command5), "CommandMenu");
    EXPECT_EQ(parts->Commands().OwnerOf(CommandId::Insert1), "PhraseMenu");
    // An empty slot's command (a key bound to it) does nothing.
    Run(CommandId::Command2);
    EXPECT_TRUE(fp.launcher.started.empty());
}

// --- external commands ------------------------------------------------------------------------

TEST_F(DeskToolsTest, CommandWithACopyOfTheMail) {
    WriteSettings("[Command]\r\nCommandMenu2=Edit\r\nCommand2=notepad.exe $16.txt\r\n");
    StartOn(kMail);
    std::string copy = dir.File("0001.txt");
    Run(CommandId::Command1);
    // Started on the copy, then the message, then the copy is gone; the mail stays.
    EXPECT_THAT(fp.log, ::testing::IsSupersetOf(
                            {"launch: notepad.exe " + copy + " ", "message: Delete " + copy}));
    EXPECT_LT(std::find(fp.log.begin(), fp.log.end(), "launch: notepad.exe " + copy + " "),
              std::find(fp.log.begin(), fp.log.end(), "message: Delete " + copy));
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Delete " + copy));
    EXPECT_FALSE(FileExists(copy));
    EXPECT_TRUE(FileExists(mailPath));
}

TEST_F(DeskToolsTest, CommandsOnTheMailAndOnTheSelection) {
    WriteSettings(
        "[Command]\r\nCommandMenu1=Tool\r\nCommand1=c:\\program files\\tool\\tool.exe -x\r\n"
        "CommandMenu2=Grep\r\nCommand2=grep.exe $select\r\n");
    StartOn(kMail);
    Run(CommandId::Command1);
    fp.editor.SetSelection(int(kMail[0].size()) + 2 + 6, 4);
    Run(CommandId::Command2);
    EXPECT_THAT(fp.launcher.started,
                ElementsAre("\"c:\\program files\\tool\\tool.exe\" -x " + mailPath + " ",
                            "grep.exe Taro "));
    EXPECT_TRUE(fp.MessageTexts().empty());
    EXPECT_TRUE(FileExists(mailPath));
}

// A program that does not start is reported; the copy made for it goes without the question
// that would wait for the program to finish.
TEST_F(DeskToolsTest, CommandWhoseProgramDoesNotStartIsReported) {
    WriteSettings("[Command]\r\nCommandMenu1=Edit\r\nCommand1=nosuch.exe $16.txt\r\n");
    StartOn(kMail);
    std::string copy = dir.File("0001.txt");
    fp.launcher.succeed = false;
    Run(CommandId::Command1);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Cannot start nosuch.exe"));
    EXPECT_FALSE(FileExists(copy));
    EXPECT_TRUE(FileExists(mailPath));
}

TEST_F(DeskToolsTest, CommandCopyThatCannotBeWrittenStartsNothing) {
    WriteSettings("[Command]\r\nCommandMenu1=Edit\r\nCommand1=notepad.exe $16.txt\r\n");
    StartOn(kMail);
    form().State().currentFile = dir.File("plover/inbox/0009.txt");  // gone from the disk
    Run(CommandId::Command1);
    EXPECT_TRUE(fp.launcher.started.empty());
    ASSERT_EQ(fp.MessageTexts().size(), 1u);
    EXPECT_THAT(fp.MessageTexts()[0], ::testing::StartsWith("Cannot save "));
}

// --- temporary files ----------------------------------------------------------------------

TEST_F(DeskToolsTest, TemporaryFileReopensTheBestCandidate) {
    WriteSettings("[Location]\r\nTempPath=" + dir.File("temp/") + "\r\n");
    MakeFile("temp/_plv0001.tmp", {"To: a", "Message-Id: <m1@example.jp>", "", "1", "2"});
    MakeFile("temp/_plv0002.tmp", {"To: b", "Message-Id: <m1@example.jp>", "", "1", "2"});
    MakeFile("temp/_plv0003.tmp",
             {"To: c", "Message-Id: <other>", "", "1", "2", "3", "4", "5", "6"});
    StartOn(kMail);
    Run(CommandId::TemporaryFile);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"To: b", "Message-Id: <m1@example.jp>", "", "1", "2"}));
    EXPECT_EQ(form().State().currentFile, dir.File("temp/_plv0002.tmp"));
    EXPECT_EQ(fp.window.title, "Kestrel32 - _plv0002.tmp");
    EXPECT_TRUE(fp.MessageTexts().empty());
}

TEST_F(DeskToolsTest, TemporaryFileNoneAndTooLarge) {
    std::string temp = dir.File("temp/");
    WriteSettings("[Location]\r\nTempPath=" + temp + "\r\n");
    StartOn(kMail);
    std::filesystem::create_directories(temp);
    Run(CommandId::TemporaryFile);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("No temporary file in " + temp));
    EXPECT_EQ(fp.editor.Lines(), kMail);

    Lines big = {"Message-Id: <m1@example.jp>", "", "--------", "first body line"};
    big.insert(big.end(), 400, std::string(100, 'x'));
    MakeFile("temp/_plv0009.tmp", big);
    Run(CommandId::TemporaryFile);
    // Read by the mail reader, not as a folder mail: shown whole up to its line limit.
    EXPECT_EQ(form().State().currentFile, dir.File("temp/_plv0009.tmp"));
    ASSERT_GE(fp.editor.LineCount(), 3);
    EXPECT_EQ(fp.editor.Line(0), "Message-Id: <m1@example.jp>");
    EXPECT_LT(fp.editor.LineCount(), 400);
    EXPECT_EQ(fp.window.title, "Kestrel32 - _plv0009.tmp");
    EXPECT_EQ(fp.MessageTexts().back(), "File is too large to display all.");
    EXPECT_TRUE(dde.plover.executed.empty());  // no Update: not a folder mail
}

TEST_F(DeskToolsTest, DeleteTempFilesInTheTemporaryFolder) {
    std::string temp = dir.File("temp/");
    fp.environment.variables["TEMP"] = temp;
    MakeFile("temp/_plv0001.tmp", {"x"});
    MakeFile("temp/keep.txt", {"x"});
    StartOn(kMail);
    Run(CommandId::DeleteTempFiles);  // Cancel
    EXPECT_TRUE(FileExists(temp + "_plv0001.tmp"));
    fp.messages.answers.push_back(MessageAnswer::Ok);
    Run(CommandId::DeleteTempFiles);
    EXPECT_FALSE(FileExists(temp + "_plv0001.tmp"));
    EXPECT_TRUE(FileExists(temp + "keep.txt"));
    EXPECT_EQ(fp.MessageTexts().back(), "File delete complete.");
}

// --- printing, help, options, About -------------------------------------------------------------

TEST_F(DeskToolsTest, PrintWithMarginAndFont) {
    WriteSettings("[Printer]\r\nLeftSpace=0\r\n");
    StartOn(kMail);
    fp.editor.SetLines({"a", "", "b", "", "", ""});
    Run(CommandId::Print);
    ASSERT_EQ(fp.printer.printed.size(), 1u);
    EXPECT_EQ(fp.printer.printed[0], (Lines{"a", "", "b"}));
    EXPECT_EQ(Setting("Printer", "LeftSpace"), "0");

    fp.dialogs.fontAnswers.push_back(FontChoice{"Courier", 12});
    Run(CommandId::PrintFont);
    EXPECT_EQ(Setting("Printer", "FontName"), "Courier");
    EXPECT_EQ(Setting("Printer", "FontSize"), "12");
    // The text is untouched by printing.
    EXPECT_EQ(fp.editor.Lines(), (Lines{"a", "", "b", "", "", ""}));
}

TEST_F(DeskToolsTest, HelpPageElseAMessage) {
    StartOn(kMail);
    Run(CommandId::Contents);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Help file not found: " + dir.File("kestrel.htm")));
    MakeFile("kestrel.htm", {"<html></html>"});
    Run(CommandId::Contents);
    EXPECT_THAT(fp.help.shown, ElementsAre(dir.File("kestrel.htm")));
    EXPECT_TRUE(fp.launcher.started.empty());
}

}  // namespace
}  // namespace kestrel::test
