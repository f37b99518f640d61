// Scenarios of the commands that connect the viewer with the rest of the desk: the address
// book, phrases, external commands, temporary files, printing, help, options and About.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "shell/fake_dde.h"
#include "shell/shell_fixture.h"
#include "viewer/shell/address_book.h"
#include "viewer/shell/command_menu.h"
#include "viewer/shell/help_command.h"
#include "viewer/shell/phrase_menu.h"
#include "viewer/shell/print_commands.h"
#include "viewer/shell/temp_file_commands.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

class DeskToolsTest : public ShellTest {
  protected:
    DeskToolsTest() : dde(fp.log) {}

    // A viewer past its deferred stage on a folder mail, with the glue of these commands.
    void StartOn(const Lines& mail) {
        mailPath = MakeFile("plover/inbox/0001.txt", mail);
        fp.registry.values["\\Plover.Document\\shell\\open\\command"] =
            dir.File("plover/plovermail.exe") + " %1";
        Make();
        TForm1& f = *form;
        address = std::make_unique<AddressBook>(
            f, fp.platform(), dde.finchpost,
            [this](const std::string& m) { dde.finchpost.Execute(m); },
            [this] { fp.log.push_back("finchpost link"); });
        phrases = std::make_unique<PhraseMenu>(fp.platform());
        commands = std::make_unique<CommandMenu>(f, fp.platform());
        temps = std::make_unique<TempFileCommands>(f, fp.platform(), [this](const std::string& p) {
            fp.log.push_back("mail open: " + p);
        });
        printing = std::make_unique<PrintCommands>(f, fp.platform());
        f.ShowUp({});
        f.OnTimer1();
        IniFile ini = IniFile::Load(SettingsFile());
        phrases->ReadSettings(ini);
        commands->ReadSettings(ini);
        printing->ReadSettings(ini);
        std::vector<std::string> lines;
        ReadFileLines(mailPath, lines);
        fp.editor.SetLines(lines);
        fp.editor.SetReadOnly(true);
        fp.editor.SetModified(false);
        f.State().currentFile = mailPath;
    }
    void WritePloverIni(const std::string& aliasFile) {
        MakeFile("plover/plovermail.ini", {"[Global Parameters]", "AliasFile=" + aliasFile});
    }

    FakeDde dde;
    std::string mailPath;
    std::unique_ptr<AddressBook> address;
    std::unique_ptr<PhraseMenu> phrases;
    std::unique_ptr<CommandMenu> commands;
    std::unique_ptr<TempFileCommands> temps;
    std::unique_ptr<PrintCommands> printing;
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
    address->Addressbook1Click();
    EXPECT_EQ(fp.clipboard.text, "Taro Yamada :Taro\\ Yamada\\ <taro@example.jp>");
    EXPECT_EQ(fp.editor.Lines(), Lines{"old :old\\ <o@x>"});
    EXPECT_FALSE(fp.editor.ReadOnly());
    EXPECT_EQ(form->State().currentFile, book);
    EXPECT_EQ(fp.window.title, "Kestrel32 - address.txt");
    EXPECT_TRUE(dde.finchpost.executed.empty());
}

TEST_F(DeskToolsTest, AddressBookFileMissingKeepsTheText) {
    WritePloverIni(dir.File("plover/none.txt"));
    StartOn(kMail);
    address->Addressbook1Click();
    EXPECT_EQ(fp.editor.Lines(), kMail);
    EXPECT_EQ(form->State().currentFile, mailPath);
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
    address->Addressbook1Click();
    EXPECT_EQ(fp.clipboard.text, "Yamada, Taro <t@x.jp>");
    EXPECT_THAT(fp.launcher.started, ElementsAre(tool + " " + book + " "));
    EXPECT_THAT(dde.finchpost.executed, ElementsAre("[Append(\"Yamada\\, Taro <t@x.jp>\")]"));
    EXPECT_FALSE(dde.finchpost.IsOpen());
    EXPECT_EQ(LogWith("finchpost link").size(), 1u);
    EXPECT_EQ(fp.editor.Lines(), Lines{"Yamada, Taro <t@x.jp>"});

    // The tool's window is there: not started again. Not answering: the user is told.
    fp.window.title.clear();
    fp.windows.titles.insert("address.txt - Alias");
    dde.finchpost.running.clear();
    address->Addressbook1Click();
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
    EXPECT_TRUE(phrases->Handle(CommandId::Insert1));
    EXPECT_EQ(fp.editor.Lines(), kMail);

    fp.editor.SetReadOnly(false);
    fp.editor.SetLines({"Thanks.", "x"});
    fp.editor.SetSelection(7, 0);
    phrases->Handle(CommandId::Insert1);
    EXPECT_EQ(fp.editor.Lines(), (Lines{"Thanks.Regards", "", "Name", "x"}));
    EXPECT_EQ(fp.editor.SelStart(), 7 + 15);

    // A selection is cut to the clipboard first; slot 2 is phrase 5.
    fp.editor.SetLines({"abcXYZdef"});
    fp.editor.SetSelection(3, 3);
    phrases->Handle(CommandId::Insert2);
    EXPECT_EQ(fp.editor.Lines(), Lines{"abcHello,def"});
    EXPECT_EQ(fp.clipboard.text, "XYZ");
    // An empty slot does nothing.
    phrases->Handle(CommandId::Insert3);
    EXPECT_EQ(fp.editor.Lines(), Lines{"abcHello,def"});
}

// --- external commands ------------------------------------------------------------------------

TEST_F(DeskToolsTest, CommandWithACopyOfTheMail) {
    WriteSettings("[Command]\r\nCommandMenu2=Edit\r\nCommand2=notepad.exe $16.txt\r\n");
    StartOn(kMail);
    std::string copy = dir.File("0001.txt");
    commands->Handle(CommandId::Command1);
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
    commands->RunCommand(1);
    fp.editor.SetSelection(int(kMail[0].size()) + 2 + 6, 4);
    commands->RunCommand(2);
    EXPECT_THAT(fp.launcher.started,
                ElementsAre("\"c:\\program files\\tool\\tool.exe\" -x " + mailPath + " ",
                            "grep.exe Taro "));
    EXPECT_TRUE(fp.MessageTexts().empty());
    EXPECT_TRUE(FileExists(mailPath));
}

TEST_F(DeskToolsTest, CommandCopyThatCannotBeWrittenStartsNothing) {
    WriteSettings("[Command]\r\nCommandMenu1=Edit\r\nCommand1=notepad.exe $16.txt\r\n");
    StartOn(kMail);
    form->State().currentFile = dir.File("plover/inbox/0009.txt");  // gone from the disk
    commands->RunCommand(1);
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
    temps->TempFile1Click();
    EXPECT_EQ(fp.editor.Lines(), (Lines{"To: b", "Message-Id: <m1@example.jp>", "", "1", "2"}));
    EXPECT_EQ(form->State().currentFile, dir.File("temp/_plv0002.tmp"));
    EXPECT_EQ(fp.window.title, "Kestrel32 - _plv0002.tmp");
    EXPECT_TRUE(fp.MessageTexts().empty());
}

TEST_F(DeskToolsTest, TemporaryFileNoneAndTooLarge) {
    std::string temp = dir.File("temp/");
    WriteSettings("[Location]\r\nTempPath=" + temp + "\r\n");
    StartOn(kMail);
    std::filesystem::create_directories(temp);
    temps->TempFile1Click();
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("No temporary file in " + temp));
    EXPECT_EQ(fp.editor.Lines(), kMail);

    Lines big = {"Message-Id: <m1@example.jp>", ""};
    big.insert(big.end(), 400, std::string(100, 'x'));
    MakeFile("temp/_plv0009.tmp", big);
    temps->TempFile1Click();
    EXPECT_THAT(LogWith("mail open"), ElementsAre("mail open: " + dir.File("temp/_plv0009.tmp")));
    EXPECT_EQ(fp.MessageTexts().back(), "File is too large to display all.");
}

TEST_F(DeskToolsTest, DeleteTempFilesInTheTemporaryFolder) {
    std::string temp = dir.File("temp/");
    fp.environment.variables["TEMP"] = temp;
    MakeFile("temp/_plv0001.tmp", {"x"});
    MakeFile("temp/keep.txt", {"x"});
    StartOn(kMail);
    temps->Deletetempfiles2Click();  // Cancel
    EXPECT_TRUE(FileExists(temp + "_plv0001.tmp"));
    fp.messages.answers.push_back(MessageAnswer::Ok);
    temps->Deletetempfiles2Click();
    EXPECT_FALSE(FileExists(temp + "_plv0001.tmp"));
    EXPECT_TRUE(FileExists(temp + "keep.txt"));
    EXPECT_EQ(fp.MessageTexts().back(), "File delete complete.");
}

// --- printing, help, options, About -------------------------------------------------------------

TEST_F(DeskToolsTest, PrintWithMarginAndFont) {
    WriteSettings("[Printer]\r\nLeftSpace=0\r\n");
    StartOn(kMail);
    fp.editor.SetLines({"a", "", "b", "", "", ""});
    printing->Print1Click();
    ASSERT_EQ(fp.printer.printed.size(), 1u);
    EXPECT_EQ(fp.printer.printed[0], (Lines{"a", "", "b"}));
    EXPECT_EQ(Setting("Printer", "LeftSpace"), "0");

    fp.dialogs.fontAnswers.push_back(FontChoice{"Courier", 12});
    printing->PrintFont1Click();
    EXPECT_EQ(Setting("Printer", "FontName"), "Courier");
    EXPECT_EQ(Setting("Printer", "FontSize"), "12");
    EXPECT_EQ(printing->PrinterFont().name, "Courier");
    // The text is untouched by printing.
    EXPECT_EQ(fp.editor.Lines(), (Lines{"a", "", "b", "", "", ""}));
}

TEST_F(DeskToolsTest, HelpPageElseAMessage) {
    StartOn(kMail);
    ShowHelpContents(*form, fp.platform());
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Help file not found: " + dir.File("kestrel.htm")));
    MakeFile("kestrel.htm", {"<html></html>"});
    ShowHelpContents(*form, fp.platform());
    EXPECT_THAT(fp.help.shown, ElementsAre(dir.File("kestrel.htm")));
    EXPECT_TRUE(fp.launcher.started.empty());
}

}  // namespace
}  // namespace kestrel::test
