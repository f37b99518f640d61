// Web browser, Mail to and HTML mail as the main window runs them: the browser over DDE or
// through the shell, the mail client's "-mailto", and the HTML part written beside the program.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "shell/mail_fixture.h"
#include "viewer/shell/links.h"

namespace kestrel::test {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;

const std::string kUrlMacro = "\"http://a.jp/x\",,0xFFFFFFFF,0x4,,,";

class LinkCommandsTest : public MailShellTest {
  protected:
    LinkCommandsTest() {
        fp.registry.values["\\Plover.Document\\shell\\open\\command"] = "/apps/plovermail.exe";
        fp.registry.values["\\htmlfile\\shell\\open\\command"] = "\"/apps/web.exe\" \"%1\"";
        fp.registry.values["\\htmlfile\\shell\\open\\ddeexec\\application"] = "Web";
        fp.registry.values["\\htmlfile\\shell\\open\\ddeexec\\topic"] = "WWW_OpenURL";
        dde.browser.running.insert("Web|WWW_OpenURL");
    }
    void StartWith(const Lines& lines, bool readOnly = true, std::string settings = "") {
        WriteSettings(settings);
        OpenFully({});
        form = &parts->Form();
        fp.editor.SetLines(lines);
        fp.editor.SetReadOnly(readOnly);
        fp.log.clear();
    }
    // Places the caret at byte `at` of line `line`, as a click there does, and clicks.
    void ClickAt(int line, int at) {
        fp.editor.SetSelection(fp.editor.LineOffset(line) + at, 0);
        form->RichEdit1MouseDown();
    }

    TForm1* form = nullptr;
};

TEST_F(LinkCommandsTest, ClickOpensTheAddressOnTheCaretLineOverDde) {
    StartWith({"first line", "see http://a.jp/x. (http://b.jp/y) \x93\xfa"});
    // The caret on the first word: the address without its full stop.
    ClickAt(1, 1);
    EXPECT_THAT(fp.log, ElementsAre("browser open: Web|WWW_OpenURL", "browser: " + kUrlMacro));
    EXPECT_FALSE(dde.browser.IsOpen());  // closed after the one macro
    // The caret on the second address: it stops before the closing parenthesis.
    fp.log.clear();
    ClickAt(1, 25);
    EXPECT_EQ(fp.log.back(), "browser: \"http://b.jp/y\",,0xFFFFFFFF,0x4,,,");
    // Past every address, or on a line without one: nothing.
    fp.log.clear();
    ClickAt(1, 36);
    ClickAt(0, 2);
    EXPECT_TRUE(fp.log.empty());
    // In editor mode a click only places the caret.
    fp.editor.SetReadOnly(false);
    ClickAt(1, 1);
    EXPECT_TRUE(fp.log.empty());
}

TEST_F(LinkCommandsTest, SelectionMustBeginWithTheAddress) {
    StartWith({"ftp://a.jp/pub x", "see http://a.jp/"});
    fp.editor.SetSelection(0, 14);
    form->Execute(CommandId::PopupWebBrowser);
    EXPECT_EQ(fp.log.back(), "browser: \"ftp://a.jp/pub\",,0xFFFFFFFF,0x4,,,");
    fp.log.clear();
    fp.editor.SetSelection(fp.editor.LineOffset(1), 16);
    form->Execute(CommandId::WebBrowser);
    EXPECT_TRUE(fp.log.empty());
}

TEST_F(LinkCommandsTest, ShellWhenNoBrowserAnswersOrNewBrowserIsSet) {
    dde.browser.running.clear();
    StartWith({"http://a.jp/x"});
    form->Execute(CommandId::WebBrowser);
    EXPECT_THAT(fp.log, ElementsAre("browser open: Web|WWW_OpenURL", "shell open: http://a.jp/x"));

    dde.browser.running.insert("Web|WWW_OpenURL");
    StartWith({"http://a.jp/x"}, true, "[View]\nNewBrowser=1\n");
    form->Execute(CommandId::WebBrowser);
    EXPECT_THAT(fp.log, ElementsAre("shell open: http://a.jp/x"));

    // The registry names no DDE service: no conversation is tried (an empty name would reach
    // any server at all).
    fp.registry.values.erase("\\htmlfile\\shell\\open\\ddeexec\\application");
    StartWith({"http://a.jp/x"});
    form->Execute(CommandId::WebBrowser);
    EXPECT_THAT(fp.log, ElementsAre("shell open: http://a.jp/x"));
}

TEST_F(LinkCommandsTest, MailToPassesTheQuotedNameAndBracketedAddress) {
    StartWith({"\"Taro Yamada\" taro <taro@a.jp>", "taro@a.jp"});
    fp.editor.SetSelection(0, 30);
    form->Execute(CommandId::MailTo);
    EXPECT_THAT(fp.log,
                ElementsAre("launch: /apps/plovermail.exe -mailto \"Taro Yamada\"<taro@a.jp>"));
    fp.log.clear();
    fp.editor.SetSelection(fp.editor.LineOffset(1), 9);
    form->Execute(CommandId::MailTo);
    EXPECT_THAT(fp.log, ElementsAre("launch: /apps/plovermail.exe -mailto \"taro@a.jp\""));
    // Nothing selected: nothing.
    fp.log.clear();
    fp.editor.SetSelection(0, 0);
    form->Execute(CommandId::MailTo);
    EXPECT_TRUE(fp.log.empty());
    // In editor mode the command switches the input method instead.
    fp.editor.SetReadOnly(false);
    fp.editor.SetSelection(0, 5);
    int before = form->State().imeControl;
    form->Execute(CommandId::MailTo);
    EXPECT_NE(form->State().imeControl, before);
    EXPECT_TRUE(LogWith("launch").empty());
}

class HtmlMailTest : public LinkCommandsTest {
  protected:
    void StartOnMail(const Lines& mail, std::string settings = "") {
        std::string path = MakeFile("inbox/0001.txt", mail);
        StartWith({"shown"}, true, settings);
        form->State().currentFile = path;
        form->State().htmlMail = true;
    }
    std::string HtmFile() const { return dir.File("_plvview.htm"); }
    std::string HtmText() const {
        std::string bytes;
        ReadFileBytes(HtmFile(), bytes);
        return bytes;
    }
    const Lines kMail = {"X-Status: READ",
                         "Subject: s",
                         "-----",
                         "--b",
                         "Content-Type: text/html; charset=iso-2022-jp",
                         "Content-Transfer-Encoding: 7bit",
                         "",
                         "<p>hi</p>",
                         "</html>",
                         "--b"};
};

TEST_F(HtmlMailTest, WritesThePartAndHandsItToTheBrowserOverDde) {
    StartOnMail(kMail);
    form->Execute(CommandId::HtmlMail);
    EXPECT_EQ(HtmText(), "<html>\r\n<p>hi</p>\r\n</html>\r\n");
    EXPECT_THAT(fp.log, ElementsAre("browser open: Web|WWW_OpenURL",
                                    "browser: \"file:" + HtmFile() + "\",\"\",0xFFFFFFFF,\"\""));
}

TEST_F(HtmlMailTest, StartsTheBrowserWithTheFileInPlaceOfPercentOne) {
    StartOnMail(kMail, "[View]\nNewBrowser=1\n");
    form->Execute(CommandId::HtmlMail);
    EXPECT_THAT(fp.log, ElementsAre("launch: \"/apps/web.exe\" \"" + HtmFile() + "\"  "));

    // Without DDE answering and without a %1 in the command the file is added as an argument.
    dde.browser.running.clear();
    fp.registry.values["\\htmlfile\\shell\\open\\command"] = "/apps/web.exe";
    StartOnMail(kMail);
    form->Execute(CommandId::HtmlMail);
    EXPECT_EQ(fp.log.back(), "launch: /apps/web.exe \"" + HtmFile() + "\" ");
}

TEST_F(HtmlMailTest, NothingWithoutHtmlAndAnUnreadableMailIsReported) {
    StartOnMail(kMail);
    form->State().htmlMail = false;
    form->Execute(CommandId::HtmlMail);
    EXPECT_TRUE(fp.log.empty());
    EXPECT_FALSE(FileExists(HtmFile()));

    form->State().htmlMail = true;
    form->State().currentFile = dir.File("inbox/0099.txt");
    form->Execute(CommandId::HtmlMail);
    EXPECT_THAT(fp.MessageTexts(), ElementsAre("Cannot open " + dir.File("inbox/0099.txt")));
    EXPECT_FALSE(FileExists(HtmFile()));
    EXPECT_TRUE(LogWith("browser").empty());
}

TEST_F(HtmlMailTest, AFileThatCannotBeWrittenIsReportedAndNotShown) {
    StartOnMail(kMail);
    fp.environment.programPath = dir.File("missing-folder/kestrel.exe");
    form->Execute(CommandId::HtmlMail);
    EXPECT_THAT(fp.MessageTexts(),
                ElementsAre("Cannot save " + dir.File("missing-folder/_plvview.htm")));
    EXPECT_TRUE(LogWith("browser").empty());
    EXPECT_TRUE(LogWith("launch").empty());
}

}  // namespace
}  // namespace kestrel::test
