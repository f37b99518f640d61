// The options dialog as the user meets it: open on a settings file, change controls, press OK
// or Cancel, and look at the file the viewer will read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "common/fileio.h"
#include "common/ini.h"
#include "common/settings.h"
#include "options/btn_bottom_dlg.h"
#include "options/mult_page_dlg.h"
#include "options/options_settings.h"
#include "support/testutil.h"
#include "tests/options/fake_options_platform.h"

namespace kestrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kVkSpace = 0x20, kVkEnter = 0x0D, kVkCtrl = 0x11, kVk1 = 0x31, kVkQ = 0x51;

// Every "section/key=value" line of an INI text, in file order.
std::vector<std::string> KeyLines(const std::string& bytes) {
    std::vector<std::string> out;
    std::string section;
    for (const std::string& line : SplitLines(bytes)) {
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (line.find('=') != std::string::npos) {
            out.push_back(section + "/" + line);
        }
    }
    return out;
}

class OptionsDialog : public ::testing::Test {
  protected:
    std::string path() const { return dir_.File("kestrel.ini"); }
    void WriteSettings(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomic(path(), bytes)); }
    std::string Settings() const {
        std::string bytes;
        ReadFileBytes(path(), bytes);
        return bytes;
    }
    TMultPageDlg& Open() {
        dialog_ = std::make_unique<TMultPageDlg>(path(), platform_);
        dialog_->FormCreate();
        return *dialog_;
    }
    // Opens, lets change() work on the dialog, presses OK; the file's bytes afterwards.
    template <typename F>
    std::string OkAfter(F change) {
        TMultPageDlg& d = Open();
        change(d);
        EXPECT_TRUE(d.OKBtnClick());
        return Settings();
    }
    std::string Ok() {
        return OkAfter([](TMultPageDlg&) {});
    }

    test::TempDir dir_;
    test::FakeOptionsPlatform platform_;
    std::unique_ptr<TMultPageDlg> dialog_;
};

TEST_F(OptionsDialog, OkOnAnEmptyFileWritesTheDefaultsTheViewerNeedsAndNothingElse) {
    std::string bytes = Ok();
    EXPECT_THAT(KeyLines(bytes),
                ElementsAre("View/Timer=200", "View/ViewerFontName=FixedSys",
                            "View/ViewerFontSize=14", "View/ViewerColor=$00c0c0c0",
                            "View/EditorFontName=FixedSys", "View/EditorFontSize=14",
                            "View/EditorFontColor=$80000008", "View/EditorColor=$80000005",
                            "View/TabToSpace=4", "View/Quote=\"> \"", "Key/SelectAll=$241",
                            "Key/PageDownNext=$020", "Key/PageUpPrev=$008", "Key/NextNewMail=$120",
                            "Key/PrevNewMail=$108", "Key/DeleteMail=$02E", "Key/ReplyAll=$00D"));
    EXPECT_THAT(platform_.log, IsEmpty());

    // A second OK changes nothing: only Quote (and a line-mode ScrollPercent) is set again, to
    // the value it holds.
    EXPECT_EQ(Ok(), bytes);
    bytes.insert(bytes.find("\r\n") + 2, "ScrollPercent=-5\r\n");
    WriteSettings(bytes);
    bytes = Settings();
    EXPECT_EQ(Ok(), bytes);
}

TEST_F(OptionsDialog, TheViewerReadsBackWhatTheDialogShowed) {
    WriteSettings("[View]\r\nFontName=Courier\r\nFontSize=12\r\nQuoteDefault=| .\r\n");
    Ok();
    IniFile ini = IniFile::Load(path());
    EXPECT_EQ(ViewerString(ini, "View", "ViewerFontName"), "Courier");
    EXPECT_EQ(ViewerInt(ini, "View", "EditorFontSize"), 12);
    EXPECT_EQ(ini.GetString("View", "FontName", "x"), "");
    EXPECT_EQ(ini.GetInt("View", "FontSize", 9), 0);
    EXPECT_EQ(ViewerString(ini, "View", "Quote"), "| ");
    EXPECT_EQ(ViewerInt(ini, "View", "Timer"), 200);
    EXPECT_EQ(ViewerColour(ini, "View", "ViewerColor"), kSilver);
}

TEST_F(OptionsDialog, CommentsUnknownKeysAndShiftJisValuesStayByteForByte) {
    const std::string head =
        "; \x93\xfa\x96{\x8c\xea\x82\xcc\x83R\x83\x81\x83\x93\x83g\r\n"
        "[View]\r\n"
        "MaxLines=300\r\n"
        "HeaderList=X-Mailer:,\x95\xd4\x90M:\r\n"
        "; keep me\r\n"
        "Mystery = spaced   value \r\n";
    const std::string tail =
        "\r\n[Mine]\r\n\x83\x81\x83\x82=\x83"
        "e\x83X\x83g\r\nodd line\r\n";
    WriteSettings(head + tail);
    std::string bytes = OkAfter([](TMultPageDlg& d) { d.form().text["EditMaxLength"] = "70"; });
    EXPECT_EQ(bytes.compare(0, head.size(), head), 0) << bytes;
    EXPECT_NE(bytes.find("MaxLength=70\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(tail), std::string::npos) << bytes;
}

TEST_F(OptionsDialog, CancelAndClosingWriteNothing) {
    const std::string before = "[View]\r\nWordWrap=0\r\n";
    WriteSettings(before);
    TMultPageDlg& d = Open();
    d.form().checked["CheckBoxWordWrap"] = true;
    d.Click("CheckBoxWordWrap");
    d.KeyDown("EditInsKey1", {kVkQ, false, true, false});
    EXPECT_EQ(Settings(), before);  // only OK reaches the file
}

TEST_F(OptionsDialog, AutoReformatTickedStoresTheNumberUntickedStores255) {
    std::string bytes = OkAfter([](TMultPageDlg& d) {
        EXPECT_FALSE(d.form().Checked("CBAutoReform"));
        EXPECT_FALSE(d.form().Enabled("EditAutoReform"));
        d.form().checked["CBAutoReform"] = true;
        d.Click("CBAutoReform");
        EXPECT_TRUE(d.form().Enabled("EditAutoReform"));
        d.form().text["EditAutoReform"] = "80";
    });
    EXPECT_NE(bytes.find("AutoReformat=80\r\n"), std::string::npos);
    bytes = OkAfter([](TMultPageDlg& d) {
        EXPECT_TRUE(d.form().Checked("CBAutoReform"));
        EXPECT_EQ(d.form().Text("EditAutoReform"), "80");
        d.form().checked["CBAutoReform"] = false;
        d.Click("CBAutoReform");
    });
    EXPECT_NE(bytes.find("AutoReformat=255\r\n"), std::string::npos);
    Open();
    EXPECT_FALSE(dialog_->form().Checked("CBAutoReform"));
    WriteSettings("[View]\r\nAutoReformat=0\r\n");
    Open();
    EXPECT_FALSE(dialog_->form().Checked("CBAutoReform"));
}

TEST_F(OptionsDialog, ScrollLineModeIsStoredNegated) {
    WriteSettings("[View]\r\nScrollPercent=-5\r\n");
    TMultPageDlg& d = Open();
    EXPECT_TRUE(d.form().Checked("RadioScrollLine"));
    EXPECT_EQ(d.form().Text("EditScrollPercent"), "5");
    EXPECT_EQ(d.form().Text("LabelScrollUnit"), "\x8d\x73");  // 行
    ASSERT_TRUE(d.OKBtnClick());
    EXPECT_EQ(IniFile::Load(path()).GetInt("View", "ScrollPercent", 0), -5);

    OkAfter([](TMultPageDlg& d) { d.form().text["EditScrollPercent"] = "7"; });
    EXPECT_EQ(IniFile::Load(path()).GetInt("View", "ScrollPercent", 0), -7);
    // Text that is no number keeps line mode with the write default of 80 lines.
    OkAfter([](TMultPageDlg& d) { d.form().text["EditScrollPercent"] = "x"; });
    EXPECT_EQ(IniFile::Load(path()).GetInt("View", "ScrollPercent", 0), -80);

    OkAfter([](TMultPageDlg& d) {
        d.Click("RadioScrollPercent");
        EXPECT_FALSE(d.form().Checked("RadioScrollLine"));
        EXPECT_EQ(d.form().Text("LabelScrollUnit"), "\x81\x93");  // ％
        d.form().text["EditScrollPercent"] = "50";
    });
    EXPECT_EQ(IniFile::Load(path()).GetInt("View", "ScrollPercent", 0), 50);
}

TEST_F(OptionsDialog, RadioGroupsTakeOtherValuesAsTheirLastButton) {
    WriteSettings("[View]\r\nIMEcontrol=7\r\nNextMailMode=9\r\n");
    std::string bytes = OkAfter([](TMultPageDlg& d) {
        EXPECT_TRUE(d.form().Checked("RadioImeNoCont"));
        EXPECT_FALSE(d.form().Checked("RadioImeON"));
        EXPECT_TRUE(d.form().Checked("RadioMailNumber"));
    });
    EXPECT_NE(bytes.find("IMEcontrol=-1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("NextMailMode=0\r\n"), std::string::npos);
    bytes = OkAfter([](TMultPageDlg& d) {
        d.Click("RadioFinchSort");
        d.Click("RadioImeON");
        d.Click("RadioSpellCheck");
        EXPECT_TRUE(d.form().Enabled("CBIgnoreCapital"));
    });
    IniFile ini = IniFile::Load(path());
    EXPECT_EQ(ini.GetInt("View", "NextMailMode", 0), 2);
    EXPECT_EQ(ini.GetInt("View", "IMEcontrol", 0), 1);
    EXPECT_EQ(ini.GetString("SpellCheck", "SpellChecker", ""), "1");
    Open();
    dialog_->Click("RadioNoSpellCheck");
    EXPECT_FALSE(dialog_->form().Enabled("CBIgnoreCapital"));
}

TEST_F(OptionsDialog, NumbersThatAreNoNumbersAreWrittenAsTheWriteDefault) {
    WriteSettings("[View]\r\nTimer=500\r\nMaxLength=70\r\nTabToSpace=2\r\n");
    OkAfter([](TMultPageDlg& d) {
        d.form().text["EditDeleteTimer"] = "soon";
        d.form().text["EditMaxLength"] = "";
        d.form().text["EditTabToSpace"] = "?";
    });
    IniFile ini = IniFile::Load(path());
    EXPECT_EQ(ini.GetInt("View", "Timer", 0), 1000);
    EXPECT_EQ(ini.GetInt("View", "MaxLength", 0), 64);
    EXPECT_EQ(ini.GetInt("View", "TabToSpace", 9), 0);
    OkAfter([](TMultPageDlg& d) {
        d.form().checked["CBTabToSpace"] = false;
        d.Click("CBTabToSpace");
        EXPECT_FALSE(d.form().Enabled("EditTabToSpace"));
    });
    EXPECT_EQ(IniFile::Load(path()).GetInt("View", "TabToSpace", 9), -1);
    Open();
    EXPECT_FALSE(dialog_->form().Checked("CBTabToSpace"));
}

TEST_F(OptionsDialog, ValuesWithBlanksAtTheirEndsSurviveTheNextRead) {
    const std::string indent = "\x81@\x8e\x9a\x89\xba\x82\xb0";  // full-width space, then text
    std::string bytes = OkAfter([&](TMultPageDlg& d) {
        d.form().text["EditInsStr1"] = "Regards ";
        d.form().text["EditComLine2"] = " notepad.exe $16";
        d.form().text["EditHeaderColor1"] = "\"urgent\"";
        d.form().text["EditIns3"] = indent;
        d.form().text["EditQuote"] = "  >";
        d.form().text["EditAutoScramble"] = "a b";
    });
    EXPECT_NE(bytes.find("Insert1=\"Regards \"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("AutoScramble=a b\r\n"), std::string::npos);  // no quotes needed
    // The reader drops one pair of quotes: each box shows what was typed.
    TMultPageDlg& d = Open();
    EXPECT_EQ(d.form().Text("EditInsStr1"), "Regards ");
    EXPECT_EQ(d.form().Text("EditComLine2"), " notepad.exe $16");
    EXPECT_EQ(d.form().Text("EditHeaderColor1"), "\"urgent\"");
    EXPECT_EQ(d.form().Text("EditIns3"), indent);
    EXPECT_EQ(d.form().Text("EditQuote"), "  >");
    EXPECT_EQ(ViewerString(IniFile::Load(path()), "View", "Quote"), "  >");
    // Unchanged, they are not written again.
    EXPECT_EQ(Ok(), bytes);
}

TEST_F(OptionsDialog, FontsFollowTheCommonFontAndItsFixedSysRule) {
    WriteSettings("[View]\r\nFontName=FixedSys\r\nFontSize=20\r\n");
    TMultPageDlg& d = Open();
    EXPECT_EQ(d.form().Sample("EditViewerColor").font.name, "FixedSys");
    EXPECT_EQ(d.form().Sample("EditViewerColor").font.size, 14);
    WriteSettings("[View]\r\nFontName=fixedsys\r\nFontSize=20\r\nEditorFontSize=9\r\n");
    Open();
    EXPECT_EQ(dialog_->form().Sample("EditViewerColor").font.size, 20);
    EXPECT_EQ(dialog_->form().Sample("EditEditorColor").font.size, 9);
    EXPECT_EQ(dialog_->form().Sample("EditSpellDic").font.name, "Arial");
    EXPECT_EQ(dialog_->form().Sample("EditSpellDic").font.size, 8);
}

TEST_F(OptionsDialog, FontAndColourButtonsChangeTheirSamples) {
    WriteSettings("[Alert]\r\nAlertString1=urgent\r\nAlertColor1=$000000ff\r\nAlertColor2=255\r\n");
    platform_.fonts = {FontChoice{"Courier New", 11, 0x00112233},
                       FontChoice{"Tahoma", 10, 0x00445566}};
    platform_.colours = {0x00ABCDEF, 0x00010203, 0x00FEDCBA, std::nullopt};
    std::string bytes = OkAfter([](TMultPageDlg& d) {
        EXPECT_EQ(d.form().Sample("EditHeaderColor1").back, 0x000000FFu);
        EXPECT_EQ(d.form().Sample("EditHeaderColor2").back, kSystemWindow);  // no text
        d.Click("ButtonViewerFont");
        d.Click("SpellFontButton");
        d.Click("ButtonViewerColor");
        d.Click("ButtonQuoteColor");
        d.Click("ButtonHeaderColor2");  // a colour without its text is not written
        d.Click("ButtonEditorColor");   // cancelled
        const OptionsForm& f = d.form();
        EXPECT_EQ(f.Sample("EditHeaderColor1").font.colour, 0x00112233u);
        EXPECT_EQ(f.Sample("EditUrlColor").back, 0x00ABCDEFu);
        EXPECT_EQ(f.Sample("EditQuoteColor").font.colour, 0x00010203u);
        EXPECT_EQ(f.Sample("EditEditorColor").back, kSystemWindow);
    });
    // The colour dialog starts with the colour chosen last.
    EXPECT_THAT(platform_.colourStarts, ElementsAre(0u, 0x00ABCDEFu, 0x00010203u, 0x00FEDCBAu));
    EXPECT_EQ(platform_.fontStarts[0].name, "FixedSys");
    IniFile ini = IniFile::Load(path());
    EXPECT_EQ(ini.GetString("View", "ViewerFontName", ""), "Courier New");
    EXPECT_EQ(ini.GetString("View", "ViewerFontSize", ""), "11");
    EXPECT_EQ(ini.GetString("View", "ViewerFontColor", ""), "$00112233");
    EXPECT_EQ(ini.GetString("View", "ViewerColor", ""), "$00abcdef");
    EXPECT_EQ(ini.GetString("View", "QuoteFontColor", ""), "$00010203");
    EXPECT_EQ(ini.GetString("SpellCheck", "SpellFontName", ""), "Tahoma");
    EXPECT_EQ(ini.GetString("SpellCheck", "SpellFontSize", ""), "10");
    EXPECT_EQ(ini.GetString("Alert", "AlertColor2", ""), "255");  // untouched
    EXPECT_EQ(bytes.find("UrlFontColor"), std::string::npos);
}

TEST_F(OptionsDialog, BrowseButtonsPutTheLowerCasedPathOrKeepTheText) {
    WriteSettings(
        "[Location]\r\nPgbrowExe=c:\\old.exe\r\n[Command]\r\n"
        "Command1=c:\\tools\\grep.exe $1 -n\r\nCommand2=C:\\Ed.exe $8\r\n"
        "Command3=notepad.exe\r\n");
    platform_.files = {std::string("C:\\Program Files\\PGBROW.EXE"),
                       std::nullopt,
                       std::nullopt,
                       std::string("D:\\Bin\\ED2.EXE"),
                       std::nullopt,
                       std::nullopt};
    TMultPageDlg& d = Open();
    d.Click("ButtonPgbrow");
    d.Click("ButtonFinchpost");
    d.Click("ButtonCom1");
    d.Click("ButtonCom2");
    d.Click("ButtonCom3");
    d.Click("ButtonSpellDic");
    const OptionsForm& f = d.form();
    EXPECT_EQ(f.Text("EditPgbrow"), "c:\\program files\\pgbrow.exe");
    EXPECT_EQ(f.Text("EditFinchpost"), "");
    // The text before the first "$", its blank included, then " $16".
    EXPECT_EQ(f.Text("EditComLine1"), "c:\\tools\\grep.exe  $16");
    EXPECT_EQ(f.Text("EditComLine2"), "d:\\bin\\ed2.exe $16");
    // A command line without "$" is left alone by a cancelled browse.
    EXPECT_EQ(f.Text("EditComLine3"), "notepad.exe");
    EXPECT_THAT(
        platform_.filters,
        ElementsAre("Program files|*.exe|All files|*.*", "Program files|*.exe|All files|*.*",
                    "Program files|*.exe|All files|*.*", "Program files|*.exe|All files|*.*",
                    "Program files|*.exe|All files|*.*", "SpellChecker Dic.|*.wtr|All files|*.*"));
}

TEST_F(OptionsDialog, HeaderListIsGreyedWhileEveryHeaderIsShown) {
    WriteSettings("[View]\r\nHeader=1\r\n");
    TMultPageDlg& d = Open();
    EXPECT_FALSE(d.form().Enabled("EHeaderList"));
    EXPECT_EQ(d.form().Sample("EHeaderList").font.colour, kSilver);
    d.form().checked["CheckBoxHeader"] = false;
    d.Click("CheckBoxHeader");
    EXPECT_TRUE(d.form().Enabled("EHeaderList"));
    EXPECT_EQ(d.form().Sample("EHeaderList").font.colour, kBlack);
}

TEST_F(OptionsDialog, ToolBarBoxIsTheInverseOfHideButtonAndPloverPathIsClearedOnRequest) {
    WriteSettings("[View]\r\nHideButton=1\r\nPloverPath=c:\\a\r\nPloverPathDos=c:\\a~1\r\n");
    std::string bytes = OkAfter([](TMultPageDlg& d) {
        EXPECT_FALSE(d.form().Checked("CheckBoxToolBar"));
        EXPECT_FALSE(d.form().Checked("CBDeletePloverPath"));
    });
    EXPECT_NE(bytes.find("PloverPath=c:\\a\r\n"), std::string::npos);
    bytes = OkAfter([](TMultPageDlg& d) {
        d.form().checked["CheckBoxToolBar"] = true;
        d.form().checked["CBDeletePloverPath"] = true;
    });
    EXPECT_NE(bytes.find("HideButton=0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("PloverPath=\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("PloverPathDos=\r\n"), std::string::npos);
}

TEST_F(OptionsDialog, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
    // A folder where the settings file should be: nothing can replace it.
    ASSERT_TRUE(std::filesystem::create_directory(dir_.File("sub")));
    dialog_ = std::make_unique<TMultPageDlg>(dir_.File("sub"), platform_);
    dialog_->FormCreate();
    EXPECT_FALSE(dialog_->OKBtnClick());
    ASSERT_EQ(platform_.log.size(), 1u);
    EXPECT_EQ(platform_.log[0], "message: " + std::string(kCannotWriteSettings) + dir_.File("sub"));
}

TEST(OptionsStart, TheSettingsPathIsTheWholeRestOfTheCommandLine) {
    test::FakeOptionsPlatform p;
    struct Case {
        const char* line;
        const char* path;
    } cases[] = {
        {"kestrelset.exe c:\\x\\kestrel.ini", "c:\\x\\kestrel.ini"},
        // The viewer puts the path unquoted and a blank after it.
        {"\"c:\\program files\\k\\kestrelset.exe\" c:\\program files\\k\\kestrel.ini ",
         "c:\\program files\\k\\kestrel.ini"},
        {"kestrelset.exe  \"d:\\my settings\\kestrel.ini\"", "d:\\my settings\\kestrel.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsPathFromCommandLine(c.line, "c:\\prog\\", p), c.path) << c.line;
    EXPECT_THAT(p.log, IsEmpty());
    const std::string message =
        "message: \x82\xb1\x82\xcc\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82"
        "\xcdKestrel.exe\x82\xa9\x82\xe7\x8bN\x93\xae\x82\xb5\x82\xc4\x82"
        "\xad\x82\xbe\x82\xb3\x82\xa2";
    for (const char* line : {"kestrelset.exe", "\"c:\\k\\kestrelset.exe\"  ", "x.exe \"\"", ""}) {
        p.log.clear();
        EXPECT_EQ(SettingsPathFromCommandLine(line, "c:\\prog\\", p), "c:\\prog\\kestrel.ini");
        EXPECT_THAT(p.log, ElementsAre(message)) << line;
    }
}

TEST_F(OptionsDialog, HelpAndPagesCarryTheirContexts) {
    TMultPageDlg& d = Open();
    EXPECT_EQ(d.page(), 0);
    EXPECT_EQ(d.HelpContext(), 45);
    d.TabSetClick(4);
    EXPECT_EQ(d.HelpContext(), 250);
    d.TabSetClick(9);
    EXPECT_EQ(d.page(), 4);
    d.HelpBtnClick();
    EXPECT_THAT(platform_.log, ElementsAre("help: kestrel.hlp option"));
}

}  // namespace
}  // namespace kestrel

namespace kestrel {
namespace {

TEST_F(OptionsDialog, AValueThatWouldBreakTheFileIsReportedAndNothingIsWritten) {
    const std::string before = "[View]\r\nMaxLength=70\r\n";
    WriteSettings(before);
    TMultPageDlg& d = Open();
    d.form().text["EditMaxLength"] = "71";
    d.form().text["EditInsStr1"] = "two\r\nlines";
    EXPECT_FALSE(d.OKBtnClick());
    EXPECT_THAT(platform_.log,
                ElementsAre("message: " + std::string(kCannotWriteSettings) + path()));
    EXPECT_EQ(Settings(), before);
}

TEST_F(OptionsDialog, GarbageHugeLinesAndCutCharactersAreReadAndKept) {
    std::mt19937 random(14);
    std::string garbage;
    for (int i = 0; i < 20000; ++i) garbage.push_back(static_cast<char>(random() & 0xFF));
    const std::string file = "[View]\r\nHeaderList=" + std::string(100000, 'x') +
                             "\r\nQuoteChar=>\x82\r\n[Insert]\r\nInsert1=\x81" + garbage +
                             "\r\n[Key]\r\nSelectAll=$\r\nReply=0x\r\n";
    WriteSettings(file);
    TMultPageDlg& d = Open();
    EXPECT_EQ(d.form().Text("EHeaderList").size(), 100000u);
    EXPECT_EQ(d.form().Text("EditQuoteChar"), ">\x82");
    EXPECT_EQ(d.form().Text("EditInsKey1"), "");
    ASSERT_TRUE(d.OKBtnClick());
    std::string after = Settings();
    // Only keys were added; every byte that was there is still there.
    EXPECT_NE(after.find(std::string(100000, 'x')), std::string::npos);
    EXPECT_NE(after.find(garbage.substr(0, 100)), std::string::npos);
    EXPECT_EQ(Open().form().Text("EHeaderList").size(), 100000u);
}

}  // namespace
}  // namespace kestrel
