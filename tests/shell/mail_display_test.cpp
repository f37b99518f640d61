// Showing a mail in the main window: the editor's text and colours, the status rewrite, the
// Header button and the viewer mode chosen at an open.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "shell/mail_fixture.h"
#include "viewer/mail/mail_open.h"
#include "viewer/text/url.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MailDisplayTest : public MailShellTest {
  protected:
    MailDisplay& Display() { return parts->Display(); }
    ViewerState& State() { return parts->Form().State(); }
    size_t CountLinesWith(std::string_view part) const {
        size_t n = 0;
        for (const std::string& line : fp.editor.Lines()) {
            if (line.find(part) != std::string::npos) ++n;
        }
        return n;
    }
};

TEST_F(MailDisplayTest, RecvBecomesReadInTheFirstLineOnly) {
    std::string path = dir.File("inbox/0001.txt");
    std::filesystem::create_directories(DirectoryOf(path));
    const std::string original =
        "X-Status: RECV\r\nFrom: a\r\nSubject: s\r\n-----\r\nX-Status: RECV\r\nbody\r\n";
    ASSERT_TRUE(WriteFileAtomic(path, original));
    OpenFully({});

    // Shown as a plain file: the file stays as it is.
    Display().MailOpen(path, false);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, original);

    Display().OpenFolderMail(path);
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    std::string expected = original;
    expected.replace(10, 4, "READ");
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(fp.editor.Line(0), "X-Status: RECV");  // the display is not reread
}

TEST_F(MailDisplayTest, HeaderButtonCyclesWithElevenToAddresses) {
    std::string to = "To: a1@x";
    for (int i = 2; i <= 11; ++i) to += ", a" + std::to_string(i) + "@x";
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"body"}, {to, "Cc: c@x"});
    WriteSettings("[View]\r\nMaxTo=10\r\n");
    OpenFully({mail});
    FakeMainWindow& w = fp.window;

    // Eleven addresses are more than MaxTo: no To or Cc lines.
    EXPECT_EQ(CountLinesWith("@x"), 0u);
    EXPECT_FALSE(w.IsChecked(CommandId::Header));

    // One press shows them, one address a line.
    parts->Form().Execute(CommandId::Header);
    EXPECT_EQ(CountLinesWith("@x"), 12u);
    EXPECT_EQ(fp.editor.Line(2), "To: a1@x,");
    EXPECT_EQ(fp.editor.Line(3), "    a2@x,");
    EXPECT_FALSE(w.IsChecked(CommandId::Header));
    EXPECT_FALSE(State().headerButton);  // cleared after the open

    // The next shows every header line as it stands.
    parts->Form().Execute(CommandId::Header);
    EXPECT_TRUE(w.IsChecked(CommandId::Header));
    EXPECT_EQ(CountLinesWith("@x"), 2u);
    EXPECT_EQ(fp.editor.Line(0), "X-Status: READ");
    EXPECT_EQ(CountLinesWith("Date:"), 1u);

    // Then the filtered view without To, Cc and Bcc, then with them again.
    parts->Form().Execute(CommandId::Header);
    EXPECT_FALSE(w.IsChecked(CommandId::Header));
    EXPECT_EQ(CountLinesWith("@x"), 0u);
    parts->Form().Execute(CommandId::Header);
    EXPECT_EQ(CountLinesWith("@x"), 12u);
}

TEST_F(MailDisplayTest, HeaderSettingChecksTheMenuEntryAtTheDeferredStage) {
    WriteSettings("[View]\r\nHeader=1\r\n");
    Open({});
    EXPECT_FALSE(fp.window.IsChecked(CommandId::Header));
    Tick();
    EXPECT_TRUE(fp.window.IsChecked(CommandId::Header));
}

TEST_F(MailDisplayTest, HeaderModeHoldsForLaterMails) {
    std::string first = MakeMail("inbox/0001.txt", "READ", {"1"}, {"To: t@x"});
    std::string second = MakeMail("inbox/0002.txt", "READ", {"2"}, {"To: t@x"});
    WriteSettings("[View]\r\nHeader=1\r\n");
    OpenFully({first});
    EXPECT_TRUE(fp.window.IsChecked(CommandId::Header));
    EXPECT_EQ(fp.editor.Line(1), "From: a@example.com");  // all headers, as they stand
    parts->Form().Execute(CommandId::Header);             // filtered, without To
    Display().OpenFolderMail(second);
    EXPECT_EQ(State().currentFile, Lower(second));
    EXPECT_EQ(CountLinesWith("t@x"), 0u);
    EXPECT_EQ(CountLinesWith("From:"), 1u);
    EXPECT_FALSE(fp.window.IsChecked(CommandId::Header));
}

TEST_F(MailDisplayTest, FontAndTextColourFollowTheMode) {
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"x"});
    WriteSettings(
        "[View]\r\nViewerFontName=Vf\r\nViewerFontSize=12\r\nEditorFontName=Ef\r\n"
        "EditorFontSize=16\r\nViewerFontColor=$00000001\r\nEditorFontColor=$00000002\r\n");
    OpenFully({});
    for (bool readOnly : {true, false}) {
        if (fp.editor.ReadOnly() != readOnly) parts->Form().Execute(CommandId::ViewerMode);
        Display().OpenFolderMail(mail);
        ASSERT_FALSE(fp.editor.colourRanges.empty());
        EXPECT_EQ(fp.editor.colourRanges[0].value, readOnly ? 1u : 2u);
        EXPECT_EQ(fp.editor.fontName, readOnly ? "Vf" : "Ef");
        EXPECT_EQ(fp.editor.fontSize, readOnly ? 12 : 16);
    }
}

TEST_F(MailDisplayTest, HeaderButtonReopensATruncatedMailInFull) {
    std::vector<std::string> body;
    for (int i = 0; i < 40; ++i) body.push_back("line " + std::to_string(i));
    std::string mail = MakeMail("inbox/0001.txt", "READ", body);
    WriteSettings("[View]\r\nMaxLines=10\r\n");
    OpenFully({mail});  // a fresh open: cut at MaxLines
    EXPECT_EQ(CountLinesWith("***** Too long."), 1u);
    EXPECT_TRUE(State().truncatedView);
    EXPECT_TRUE(State().partialView);

    parts->Form().Execute(CommandId::Header);
    EXPECT_EQ(CountLinesWith("***** Too long."), 0u);
    EXPECT_EQ(fp.editor.Line(fp.editor.LineCount() - 1), "line 39");
    EXPECT_FALSE(State().truncatedView);
    EXPECT_FALSE(fp.window.IsChecked(CommandId::Header));  // the mode stays
}

TEST_F(MailDisplayTest, HeaderButtonWorksOnFolderMailsOnly) {
    std::string file = MakeMail("inbox/readme.txt", "READ", {"x"});
    OpenFully({});
    Display().OpenFolderMail(file);
    size_t sets = LogWith("editor: set").size();
    parts->Form().Execute(CommandId::Header);
    EXPECT_EQ(LogWith("editor: set").size(), sets);
    EXPECT_FALSE(fp.window.IsChecked(CommandId::Header));
}

TEST_F(MailDisplayTest, QuoteColourAndAddressesReachTheEditorAtTheirOffsets) {
    std::string mail =
        MakeMail("inbox/0001.txt", "READ",
                 {"plain", "> quoted", "> again", "see http://example.com/a. and ftp://x.org",
                  "\x82\xa0 https://s.example/ \x82\xa0", "| bar quote"},
                 {"To: hidden@x"});
    WriteSettings(
        "[View]\r\nShowTo=0\r\nQuoteFontColor=$000000FF\r\nUrlFontColor=$00FF0000\r\n"
        "ViewerFontColor=$00111111\r\n");
    OpenFully({mail});
    std::string text = fp.editor.Text();
    ASSERT_EQ(text.find("hidden"), std::string::npos);
    auto at = [&](std::string_view s) { return int(text.find(s)); };
    using R = FakeTextControl::Range;
    const Colour plain = 0x111111, quote = 0x0000FF, url = 0xFF0000;

    // Runs of one colour: the header and "plain", the two quoted lines, the lines with
    // addresses, the last quoted line.
    int quoted = at("> quoted");
    int quotedEnd = at("> again") + 7;
    int see = at("see ");
    int last = at("| bar quote");
    std::vector<R> colours(fp.editor.colourRanges.begin(), fp.editor.colourRanges.end());
    ASSERT_GE(colours.size(), 4u);
    EXPECT_EQ(colours[0], (R{0, quoted - 2, plain}));
    EXPECT_EQ(colours[1], (R{quoted, quotedEnd - quoted, quote}));
    EXPECT_EQ(colours[2], (R{see, last - 2 - see, plain}));
    EXPECT_EQ(colours[3], (R{last, 11, quote}));

    // One address a line, the first "http://" before any "https://" or "ftp://".
    int http = at("http://");
    int https = at("https://");
    EXPECT_THAT(std::vector<R>(colours.begin() + 4, colours.end()),
                ElementsAre(R{http, 20, url}, R{https, 18, url}));
    EXPECT_THAT(fp.editor.underlineRanges, ElementsAre(R{http, 20, 1}, R{https, 18, 1}));
    EXPECT_EQ(UrlLength(text.substr(http)), 20u);

    // Every colour went in within one update batch, and the batch was closed again: a long
    // mail is coloured without a redraw per range, and the control redraws afterwards.
    EXPECT_EQ(fp.editor.attributesOutsideUpdate, 0);
    EXPECT_EQ(fp.editor.updateDepth, 0);
}

TEST_F(MailDisplayTest, EditorIsFilledBehindTheCoverAndLeftReady) {
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"one", "two"});
    WriteSettings("[View]\r\nText2Speech=1\r\n");
    OpenFully({});
    fp.editor.SetSelection(0, 0);
    State().keyNumberMode = true;
    State().freshOpen = true;
    fp.log.clear();
    Display().OpenFolderMail(mail);
    EXPECT_EQ(fp.window.coverShown, 1);
    EXPECT_FALSE(fp.window.coverVisible);
    EXPECT_EQ(fp.clipboard.text, fp.editor.Text());  // read aloud from the clipboard
    EXPECT_EQ(fp.editor.SelStart(), 0);
    EXPECT_FALSE(fp.editor.Modified());
    EXPECT_FALSE(State().keyNumberMode);
    EXPECT_FALSE(State().freshOpen);
    EXPECT_EQ(State().currentFile, Lower(mail));
    EXPECT_EQ(fp.window.title, "Kestrel32 - 0001.txt");
    EXPECT_EQ(LogWith("editor: focus").size(), 1u);
}

TEST_F(MailDisplayTest, MissingFileChangesNothing) {
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"one"});
    WriteSettings("[View]\r\nDebugMode=0\r\n");
    OpenFully({mail});
    std::string text = fp.editor.Text();
    dde.plover.executed.clear();
    Display().OpenFolderMail(dir.File("inbox/0009.txt"));
    EXPECT_EQ(fp.editor.Text(), text);
    EXPECT_EQ(State().currentFile, Lower(mail));
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_THAT(fp.MessageTexts(), IsEmpty());
}

TEST_F(MailDisplayTest, ReaderErrorIsReportedAndTheLinesReadAreShown) {
    // A file that does not begin with its status line: Date is met first.
    std::string path = MakeFile("inbox/0001.txt", {"Date: today", "From: a", "-----", "body"});
    OpenFully({});
    Display().OpenFolderMail(path);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Error in mail open procedure"));
    EXPECT_EQ(State().currentFile, Lower(path));
}

TEST_F(MailDisplayTest, DebugModeNamesTheLowerCasedPath) {
    std::string mail = MakeMail("Inbox/0001.txt", "READ", {"one"});
    WriteSettings("[View]\r\nDebugMode=1\r\n");
    OpenFully({});
    fp.messages.shown.clear();
    Display().OpenFolderMail(mail);
    ASSERT_FALSE(fp.MessageTexts().empty());
    EXPECT_EQ(fp.MessageTexts()[0], "MailOpen: " + Lower(mail));
}

TEST_F(MailDisplayTest, ViewerModeChosenDuringStartUpAndKeptAfter) {
    std::string out = MakeMail("out/0001.txt", "READ", {"draft"});
    std::string inbox = MakeMail("inbox/0002.txt", "READ", {"mail"});
    struct Case {
        std::vector<std::string> args;
        std::string path;
        bool readOnly;
    };
    const Case cases[] = {
        {{}, inbox, true},
        {{}, out, false},     // an out-folder mail before the deferred stage is editable
        {{"/e"}, out, true},  // unless "/e" was given
    };
    for (const Case& c : cases) {
        Open(c.args);  // still in the first stage
        ASSERT_TRUE(parts->Form().StartupStage());
        dde.server.Deliver("[open(\"" + c.path + "\")]");
        EXPECT_EQ(fp.editor.ReadOnly(), c.readOnly) << c.path;
    }
    // After start-up the mode recorded last applies, whatever the folder.
    OpenFully({});
    parts->Form().Execute(CommandId::ViewerMode);
    bool mode = fp.editor.ReadOnly();
    Display().OpenFolderMail(inbox);
    EXPECT_EQ(fp.editor.ReadOnly(), mode);
    parts->Form().Execute(CommandId::ViewerMode);
    Display().OpenFolderMail(out);
    EXPECT_EQ(fp.editor.ReadOnly(), !mode);
}

TEST_F(MailDisplayTest, LongLinesAreReformattedUnlessAllHeadersAreShown) {
    std::string longLine;
    for (int i = 0; i < 12; ++i) longLine += "word" + std::to_string(i) + " ";
    std::string mail = MakeMail("inbox/0001.txt", "READ", {longLine});
    for (bool header : {false, true}) {
        WriteSettings("[View]\r\nAutoReformat=40\r\nMaxLength=30\r\nHeader=" +
                      std::to_string(header) + "\r\n");
        Open({mail});  // in the first stage: the reformat keys come from the file
        size_t widest = 0;
        bool body = false;
        for (const std::string& line : fp.editor.Lines()) {
            if (body) widest = std::max(widest, line.size());
            if (line.rfind("-----", 0) == 0) body = true;
        }
        if (header) {
            EXPECT_EQ(widest, longLine.size());
        } else {
            EXPECT_LE(widest, 30u);
        }
    }
}

}  // namespace
}  // namespace kestrel::test
