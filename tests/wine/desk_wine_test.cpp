// The real kestrel.exe under Wine: the desk commands. The address book through the stand-in of
// the address book tool and without it, a phrase of the Insert menu, a user's command on a copy
// of the mail, the reopened temporary file, printing without a printer, the help page in the
// browser and About. One viewer serves the cases that leave its file on show.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/wine/viewer_driver.h"

namespace {

using namespace kestrel::winetest;

// A folder mail: its sender with a Japanese name in brackets (the first character's trail byte
// is 0x5C, and the name holds a comma the tool's macro must escape), and its ID line.
const char kFrom[] = "From: taro@Example.JP (\x95\x5c\x81\x40\x91\xbe\x98\x59, Kestrel)";
const char kIdLine[] = "Message-ID: <20261208.desk@example.jp>";

std::string FolderMail() {
    return std::string("X-Status: READ\r\n") + kFrom + "\r\n" +
           "To: hanako@example.co.jp\r\n"
           "Subject: desk commands\r\n" +
           kIdLine +
           "\r\n"
           "--------------------------------------------------\r\n"
           "first line of the mail\r\n"
           "second line of the mail\r\n";
}

// The entry made from the sender: the name (full-width space made a blank) and the address,
// lower-cased, in angle brackets.
const char kEntry[] = "\x95\x5c \x91\xbe\x98\x59, Kestrel <taro@example.jp>";

// One viewer on a folder mail, shared by the cases that keep it on show. The mail client's
// program is registered in the sandbox, where its settings file names the address book file
// and its address book tool is put.
class DeskOnFolderMail : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        box_ = new Sandbox;
        // A sandbox folder name can come back in a later run: none of that run's files.
        for (const wchar_t* f : {L"record.log", L"webbrowser.log", L"0001.txt", L"alias.exe"})
            DeleteFileW(box_->File(f).c_str());
        wintool_ = CopyIntoSandbox(*box_, WINTOOL_EXE, L"wintool.exe");
        std::string record = Narrow(box_->File(L"record.log"));
        box_->WriteSettings(
            "[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n"
            "[Command]\r\nCommandMenu1=Record\r\nCommand1=" +
            Narrow(wintool_) + " record-file $16.txt " + record + "\r\n");
        client_ = std::make_unique<ClassesRootValue>(L"Plover.Document\\shell\\open\\command",
                                                     box_->File(L"plovermail.exe").c_str());
        WriteBytes(box_->File(L"plovermail.ini"),
                   "[Global Parameters]\r\nAliasFile=" + Narrow(Book()) + "\r\n");
        WriteBytes(Book(), "first entry <first@example.jp>\r\n");
        CreateDirectoryW(box_->File(L"recv").c_str(), nullptr);
        WriteBytes(box_->File(L"recv\\0001.txt"), FolderMail());
        viewer_ = new Viewer(*box_, box_->File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
        WaitForStartup(*box_);
    }
    static void TearDownTestSuite() {
        delete viewer_;
        client_.reset();
        delete box_;
    }
    void SetUp() override {
        ASSERT_NE(viewer_->Editor(), nullptr);
        // An earlier case's message box (gone once its answer is taken) would answer for
        // this one.
        ASSERT_TRUE(WaitFor([] { return FindMessageBox(*viewer_, 0) == nullptr; }, 5000));
    }
    static std::wstring Book() { return box_->File(L"address.txt"); }
    const Viewer& V() const { return *viewer_; }
    const Sandbox& Box() const { return *box_; }

    inline static Sandbox* box_ = nullptr;
    inline static Viewer* viewer_ = nullptr;
    inline static std::wstring wintool_;
    inline static std::unique_ptr<ClassesRootValue> client_;
};

TEST_F(DeskOnFolderMail, AboutNamesTheProgramAndItsVersion) {
    PostCommand(V(), CommandId::About);
    EXPECT_EQ(V().AnswerMessageBox(IDOK), L"Kestrel32      Ver. 3.01");
}

TEST_F(DeskOnFolderMail, HelpOpensTheShippedPageInTheBrowser) {
    // No kestrel.hlp beside the program, so whatever help viewer Wine has is not used.
    ASSERT_EQ(GetFileAttributesW(Box().File(L"kestrel.hlp").c_str()), INVALID_FILE_ATTRIBUTES);
    std::wstring page = CopyShippedHelpPage(Box());
    ASSERT_NE(GetFileAttributesW(page.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(page);
    // HTML files open in the stand-in browser, started on the file (no DDE). This prefix has
    // no browser of its own, so ".htm" is given its usual class too.
    ClassesRootValue h(L".htm", L"htmlfile");
    std::wstring browser = CopyIntoSandbox(Box(), WEBBROWSER_EXE, L"webbrowser.exe");
    std::wstring command = L"\"" + browser + L"\" \"%1\"";
    ClassesRootValue c(L"htmlfile\\shell\\open\\command", command.c_str());
    ClassesRootValue s(L"htmlfile\\shell\\open\\ddeexec\\application", nullptr);
    ClassesRootValue t(L"htmlfile\\shell\\open\\ddeexec\\topic", nullptr);
    ClassesRootValue d(L"htmlfile\\shell\\open\\ddeexec", nullptr);

    PostCommand(V(), CommandId::Contents);
    const std::wstring log = Box().File(L"webbrowser.log");
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(log).find("\nopen ") != std::string::npos; }))
        << ReadBytes(log);
    // "open", not "missing": the browser got the page that is there.
    EXPECT_NE(Lower(Widen(ReadBytes(log))).find(L"\nopen " + Lower(page) + L"\r\n"),
              std::wstring::npos)
        << ReadBytes(log);
    // No message when the page opened.
    if (FindMessageBox(V(), 500)) ADD_FAILURE() << Narrow(V().AnswerMessageBox(IDOK));
}

TEST_F(DeskOnFolderMail, HelpSaysSoWhenThePageCannotBeOpened) {
    std::wstring page = CopyShippedHelpPage(Box());
    // HTML files are given to a program that is not there.
    ClassesRootValue h(L".htm", L"htmlfile");
    std::wstring command = L"\"" + Box().File(L"nobrowser.exe") + L"\" \"%1\"";
    ClassesRootValue c(L"htmlfile\\shell\\open\\command", command.c_str());
    ClassesRootValue s(L"htmlfile\\shell\\open\\ddeexec\\application", nullptr);
    ClassesRootValue t(L"htmlfile\\shell\\open\\ddeexec\\topic", nullptr);
    ClassesRootValue d(L"htmlfile\\shell\\open\\ddeexec", nullptr);
    PostCommand(V(), CommandId::Contents);
    EXPECT_EQ(Lower(V().AnswerMessageBox(IDOK)), Lower(L"Cannot open the help file: " + page));
}

TEST_F(DeskOnFolderMail, CommandRunsOnACopyOfTheMailDeletedOnceTheUserSaysSo) {
    const std::wstring copy = Box().File(L"0001.txt");
    const std::wstring record = Box().File(L"record.log");
    PostCommand(V(), CommandId::Command1);
    // The program is started on the copy beside the viewer, while the viewer asks.
    ASSERT_TRUE(WaitFor([&] { return !ReadBytes(record).empty(); })) << "the command did not run";
    EXPECT_EQ(Lower(Widen(ReadBytes(record))),
              Lower(L"file " + copy + L"\r\n" + Widen(FolderMail())));
    EXPECT_EQ(Lower(V().AnswerMessageBox(IDOK)), Lower(L"Delete " + copy));
    EXPECT_TRUE(WaitFor([&] {
        return GetFileAttributesW(copy.c_str()) == INVALID_FILE_ATTRIBUTES;
    })) << "the copy is left";
    EXPECT_EQ(ReadBytes(Box().File(L"recv\\0001.txt")), FolderMail()) << "the mail is kept";
}

TEST_F(DeskOnFolderMail, AddressBookSendsTheSenderToTheRunningTool) {
    std::wstring tool = CopyIntoSandbox(Box(), ALIAS_EXE, L"alias.exe");
    HANDLE process = StartProgram(L"\"" + tool + L"\" \"" + Book() + L"\"", Box().Dir());
    ASSERT_NE(process, nullptr);
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindWindowW(nullptr, L"address.txt - Alias")); }));
    Sleep(500);  // its DDE service is up once its window is

    PostCommand(V(), CommandId::AddressBook);
    // The stand-in appends each entry it receives to the address book file.
    const std::string expected =
        std::string("first entry <first@example.jp>\r\n") + kEntry + "\r\n";
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(Book()) == expected; })) << ReadBytes(Book());
    EXPECT_EQ(ClipboardText(), FromSjis(kEntry));
    // The mail stays on show, read-only and unchanged.
    if (FindMessageBox(V(), 500)) ADD_FAILURE() << Narrow(V().AnswerMessageBox(IDOK));
    EXPECT_EQ(TitleOf(V().Window()), L"Kestrel32 - 0001.txt");
    EXPECT_TRUE(EditorReadOnly(V().Editor()));

    EndProgram(process, window);
    ASSERT_TRUE(WaitFor([&] { return DeleteFileW(tool.c_str()) != 0; }, 5000));
}

TEST_F(DeskOnFolderMail, AddressBookStartsTheToolThatIsNotRunningAndSaysItDoesNotAnswerYet) {
    std::wstring tool = CopyIntoSandbox(Box(), ALIAS_EXE, L"alias.exe");
    SetClipboardText(L"something else");
    const std::string before = ReadBytes(Book());
    PostCommand(V(), CommandId::AddressBook);
    // Started on the address book file; not yet serving when the viewer asks.
    EXPECT_EQ(V().AnswerMessageBox(IDOK),
              L"The address book tool does not answer. The entry is on the clipboard.");
    HWND window = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (window = FindWindowW(nullptr, L"address.txt - Alias")); }));
    EXPECT_EQ(ClipboardText(), FromSjis(kEntry));
    EXPECT_EQ(ReadBytes(Book()), before);
    EXPECT_EQ(TitleOf(V().Window()), L"Kestrel32 - 0001.txt");
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    // Its program can go once it has ended.
    ASSERT_TRUE(WaitFor([&] { return DeleteFileW(tool.c_str()) != 0; }, 10000));
}

// Last on this viewer: it leaves the address book file on show.
TEST_F(DeskOnFolderMail, AddressBookWithoutTheToolOpensTheBookFileWithTheLineOnTheClipboard) {
    ASSERT_EQ(GetFileAttributesW(Box().File(L"alias.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    const std::string before = ReadBytes(Book());
    PostCommand(V(), CommandId::AddressBook);
    // The line as the book file writes it: the name, ":", the name with escaped blanks, and
    // the address.
    EXPECT_TRUE(WaitFor([&] { return TitleOf(V().Window()) == L"Kestrel32 - address.txt"; }))
        << Narrow(TitleOf(V().Window()));
    EXPECT_EQ(ClipboardText(),
              FromSjis("\x95\x5c \x91\xbe\x98\x59, Kestrel :\x95\x5c\\ \x91\xbe\x98\x59,\\ "
                       "Kestrel\\ <taro@example.jp>"));
    std::vector<std::wstring> lines = ControlLines(V().Editor());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"first entry <first@example.jp>");
    EXPECT_EQ(lines[1], FromSjis(kEntry));
    EXPECT_FALSE(EditorReadOnly(V().Editor())) << "the book file is opened for editing";
    EXPECT_EQ(SendMessageW(V().Editor(), EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(ReadBytes(Book()), before) << "opening the book changes nothing in it";
    if (FindMessageBox(V(), 300)) ADD_FAILURE() << Narrow(V().AnswerMessageBox(IDOK));
}

// A phrase with a line break and a 0x5C trail byte before an "n": the selection goes to the
// clipboard, the phrase in its place, and the caret after it. Then Print without a printer.
TEST(DeskOnComposeFile, PhraseAtTheCaretThenPrintWithoutAPrinterLosesNothing) {
    Sandbox box;
    // "yoroshiku\n ichiranhyou no.1": hyou ends in 0x5C, followed by "n".
    box.WriteSettings(
        "[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n"
        "[Insert]\r\nInsertMenu1=Greeting\r\n"
        "Insert1=\x82\xe6\x82\xeb\x82\xb5\x82\xad\\n\x88\xea\x97\x97\x95\x5cno.1\r\n");
    const std::string compose = "To: hanako@example.co.jp\r\nSubject: x\r\n\r\nHello world!\r\n";
    std::wstring file = box.File(L"_plv0009.tmp");
    WriteBytes(file, compose);
    Viewer v(box, file, L"Kestrel32 - _plv0009.tmp");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    ASSERT_FALSE(EditorReadOnly(v.Editor()));

    const std::wstring text = ControlText(v.Editor());
    const size_t world = text.find(L"world");
    ASSERT_NE(world, std::wstring::npos) << Narrow(text);
    SetClipboardText(L"something else");
    SendMessageW(v.Editor(), EM_SETSEL, world, world + 5);
    PostCommand(v, CommandId::Insert1);
    const std::wstring phrase = L"\u3088\u308d\u3057\u304f\r\u4e00\u89a7\u8868no.1";
    EXPECT_TRUE(WaitFor([&] { return ControlText(v.Editor()) != text; }, 5000));
    std::wstring expected = text;
    expected.replace(world, 5, phrase);
    EXPECT_EQ(ControlText(v.Editor()), expected);
    std::vector<std::wstring> lines = ControlLines(v.Editor());
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3], L"Hello \u3088\u308d\u3057\u304f");
    EXPECT_EQ(lines[4], L"\u4e00\u89a7\u8868no.1!");
    DWORD from = 0, to = 0;
    SendMessageW(v.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, world + phrase.size()) << "the caret ends after the phrase";
    EXPECT_EQ(to, from);
    EXPECT_EQ(ClipboardText(), L"world");
    EXPECT_NE(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), 0);

    // Printing. This Wine has no printer (no print system is installed), so the error is
    // what a user sees; the text, its modified mark and the file stay as they were.
    const std::wstring edited = ControlText(v.Editor());
    PostCommand(v, CommandId::Print);
    EXPECT_EQ(v.AnswerMessageBox(IDOK), L"There is no default printer.");
    Sleep(300);
    EXPECT_EQ(ControlText(v.Editor()), edited);
    EXPECT_NE(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(ReadBytes(file), compose);
    EXPECT_EQ(TitleOf(v.Window()), L"Kestrel32 - _plv0009.tmp");
    // LeftSpace is written back into the settings file, which keeps the rest.
    const std::string ini = ReadBytes(box.File(L"kestrel.ini"));
    EXPECT_NE(ini.find("LeftSpace="), std::string::npos) << ini;
    EXPECT_NE(ini.find("Insert1=\x82\xe6"), std::string::npos) << ini;
    if (FindMessageBox(v, 300)) ADD_FAILURE() << Narrow(v.AnswerMessageBox(IDOK));
}

// Several temporary files of the mail client: the one whose header holds the mail's ID line
// exactly and which has the most lines after its header is reopened, wherever it is listed.
TEST(DeskTemporaryFile, ReopensTheBestMatchingTemporaryFile) {
    Sandbox box;
    const std::wstring temp = box.File(L"plvtemp");
    MakeEmptyFolder(temp);
    box.WriteSettings("[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n[Location]\r\nTempPath=" +
                      Narrow(temp) + "\r\n");
    const std::string body7 = "b1\r\nb2\r\nb3\r\nb4\r\nb5\r\nb6\r\nb7\r\n";
    const std::string id = std::string(kIdLine) + "\r\n";
    // Another mail's ID line.
    WriteBytes(temp + L"\\_plv0001.tmp",
               "To: a@example.jp\r\nMessage-ID: <other@example.jp>\r\n\r\n" + body7);
    // The right one, but with fewer lines.
    WriteBytes(temp + L"\\_plv0002.tmp", "To: a@example.jp\r\n" + id + "\r\nshort\r\nreply\r\n");
    // The ID line only after the header.
    WriteBytes(temp + L"\\_plv0003.tmp", "To: a@example.jp\r\n\r\n" + id + body7);
    // The ID line in another letter case.
    WriteBytes(temp + L"\\_plv0005.tmp",
               "To: a@example.jp\r\nMessage-Id: <20261208.desk@example.jp>\r\n\r\n" + body7);
    // Not one of the mail client's names.
    WriteBytes(temp + L"\\plvnote.tmp", "To: a@example.jp\r\n" + id + "\r\n" + body7);
    // The one to reopen.
    const std::string best = "To: taro@example.jp\r\n" + id + "Subject: Re: desk\r\n\r\n" + body7;
    WriteBytes(temp + L"\\_plv0004.tmp", best);
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    WriteBytes(box.File(L"recv\\0001.txt"), FolderMail());

    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    PostCommand(v, CommandId::TemporaryFile);
    EXPECT_TRUE(WaitFor([&] { return TitleOf(v.Window()) == L"Kestrel32 - _plv0004.tmp"; }))
        << Narrow(TitleOf(v.Window()));
    std::vector<std::wstring> lines = ControlLines(v.Editor());
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], L"To: taro@example.jp");
    EXPECT_EQ(lines[2], L"Subject: Re: desk");
    EXPECT_EQ(lines[4], L"b1");
    EXPECT_EQ(SendMessageW(v.Editor(), EM_GETMODIFY, 0, 0), 0);
    if (FindMessageBox(v, 300)) ADD_FAILURE() << Narrow(v.AnswerMessageBox(IDOK));
    EXPECT_EQ(ReadBytes(temp + L"\\_plv0004.tmp"), best);
}

// A large temporary file is read as the mail reader reads a mail, and the user is told that not
// all of it may be shown.
TEST(DeskTemporaryFile, ReopensALargeTemporaryFileAndSaysItIsLarge) {
    Sandbox box;
    const std::wstring temp = box.File(L"plvlarge");
    MakeEmptyFolder(temp);
    box.WriteSettings("[View]\r\nEnglishMenu=1\r\nReplyConfirm=0\r\n[Location]\r\nTempPath=" +
                      Narrow(temp) + "\r\n");
    std::string large = "To: taro@example.jp\r\n" + std::string(kIdLine) + "\r\n\r\n";
    while (large.size() < 40000) large += "a line of the long reply being written\r\n";
    WriteBytes(temp + L"\\_plv0007.tmp", large);
    CreateDirectoryW(box.File(L"recv").c_str(), nullptr);
    WriteBytes(box.File(L"recv\\0001.txt"), FolderMail());

    Viewer v(box, box.File(L"recv\\0001.txt"), L"Kestrel32 - 0001.txt");
    ASSERT_NE(v.Editor(), nullptr);
    WaitForStartup(box);
    PostCommand(v, CommandId::TemporaryFile);
    EXPECT_EQ(v.AnswerMessageBox(IDOK), L"File is too large to display all.");
    EXPECT_EQ(TitleOf(v.Window()), L"Kestrel32 - _plv0007.tmp");
    std::vector<std::wstring> lines = ControlLines(v.Editor());
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], L"To: taro@example.jp");
    EXPECT_EQ(lines[3], L"a line of the long reply being written");
    EXPECT_EQ(ReadBytes(temp + L"\\_plv0007.tmp"), large);
}

}  // namespace
