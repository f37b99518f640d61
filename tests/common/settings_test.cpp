#include "common/settings.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrel {
namespace {

TEST(SettingsTableRule, EveryKeyOnceWithAParsableDefault) {
    std::set<std::string> seen;
    for (const SettingDef& d : SettingsTable()) {
        std::string id = std::string(d.section) + "/" + std::string(d.key);
        EXPECT_TRUE(seen.insert(id).second) << "duplicate " << id;
        if (d.kind != SettingKind::String && !d.derived) {
            EXPECT_NE(ParseIniInt(d.viewerDefault, 0x7777), 0x7777) << id;
        }
        EXPECT_EQ(FindSetting(d.section, d.key), &d);
    }
    // 45 View, 6 Window, 5 Location, 3 Scramble, 10 Alert, 10 AW, 10 SpellCheck, 3 Printer,
    // 65 Key, 5 ReplyStatus, 15 Command, 15 Insert.
    EXPECT_EQ(SettingsTable().size(), 192u);
    EXPECT_EQ(FindSetting("view", "maxlength"), FindSetting("View", "MaxLength"));
    EXPECT_EQ(FindSetting("View", "NoSuchKey"), nullptr);
}

TEST(SettingsDefaults, EmptyFileGivesTheTableDefaults) {
    const IniFile empty;
    struct IntCase {
        const char* section;
        const char* key;
        int32_t want;
    } ints[] = {
        {"View", "EditorFontSize", 14}, {"View", "ViewerFontSize", 14},
        {"View", "NextMailMode", 0},    {"View", "EnglishMenu", 0},
        {"View", "IMEcontrol", 1},      {"View", "Timer", 400},
        {"View", "MaxLength", 64},      {"View", "MaxLines", 300},
        {"View", "ShowTo", 1},          {"View", "AlertDialog", 1},
        {"Window", "Left", 49},         {"Window", "Height", 342},
        {"Window", "EditWidth", 400},   {"Scramble", "SubjectLength", 6},
        {"SpellCheck", "Left", 200},    {"Printer", "FontSize", 10},
        {"AW", "AutoMove", 0},          {"Key", "SelectAll", 577},
        {"Key", "PageDownNext2", 32},   {"Key", "PageUpPrev2", 8},
        {"Key", "NextNewMail", 288},    {"Key", "PrevNewMail", 264},
        {"Key", "DeleteMail", 46},      {"Key", "ReplyAll2", 13},
        {"Key", "SelectAll2", 0},       {"Command", "KeyCommand1", 0},
    };
    for (const IntCase& c : ints) EXPECT_EQ(ViewerInt(empty, c.section, c.key), c.want) << c.key;

    struct StrCase {
        const char* section;
        const char* key;
        std::string want;
    } strs[] = {
        {"View", "EditorFontName", "FixedSys"},
        {"View", "ViewerFontName", "FixedSys"},
        {"View", "Quote", "> "},
        {"View", "QuoteChar", ">|:# -="},
        {"View", "EndCharZenkaku", "\x81\x42\x81\x44\x81\x48\x81\x47\x81\x6a"},
        {"View", "AvoidEndChar",
         "\x81\x69\x81\x6b\x81\x6d\x81\x6f\x81\x71\x81\x73\x81\x75\x81\x77\x81\x79"},
        {"Printer", "FontName", "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"},
        {"SpellCheck", "Alpha", "!?,.:;\"-()"},
        {"SpellCheck", "Numeric", "01234567890#$%&*+<=>@`[\\]^_{|}~"},
        {"AW", "AttachString", "$$AttachFile:"},
        {"Location", "TrashCan", ""},
        {"AW", "AttachDir", ""},
    };
    for (const StrCase& c : strs) EXPECT_EQ(ViewerString(empty, c.section, c.key), c.want);
    // AvoidBeginChar starts with the ideographic space.
    EXPECT_EQ(ViewerString(empty, "View", "AvoidBeginChar").substr(0, 2), "\x81\x40");
    EXPECT_EQ(ViewerString(empty, "View", "AvoidBeginChar").size(), 34u);

    EXPECT_EQ(ViewerColour(empty, "View", "ViewerColor"), 0x00C0C0C0u);
    EXPECT_EQ(ViewerColour(empty, "View", "EditorColor"), 0x80000005u);
    EXPECT_EQ(ViewerColour(empty, "View", "EditorFontColor"), 0x80000008u);
    EXPECT_EQ(ViewerColour(empty, "View", "QuoteFontColor"), 0x00008000u);
    EXPECT_EQ(ViewerColour(empty, "View", "UrlFontColor"), 0x00FF0000u);
}

TEST(FixedSysRule, SizeFourteenOnlyForTheExactName) {
    struct Case {
        std::string file;
        const char* nameKey;
        const char* sizeKey;
        std::string name;
        int32_t size;
    } cases[] = {
        {"[View]\nViewerFontName=FixedSys\nViewerFontSize=20\n", "ViewerFontName", "ViewerFontSize",
         "FixedSys", 14},
        {"[View]\nViewerFontName=fixedsys\nViewerFontSize=20\n", "ViewerFontName", "ViewerFontSize",
         "fixedsys", 20},
        {"[View]\nEditorFontName=\" FixedSys\"\nEditorFontSize=20\n", "EditorFontName",
         "EditorFontSize", " FixedSys", 20},
        // The common keys are the defaults of the per-mode keys.
        {"[View]\nFontName=Terminal\nFontSize=12\n", "EditorFontName", "EditorFontSize", "Terminal",
         12},
        {"[View]\nFontName=Terminal\nFontSize=12\nViewerFontSize=9\n", "ViewerFontName",
         "ViewerFontSize", "Terminal", 9},
        {"[View]\nFontSize=20\n", "EditorFontName", "EditorFontSize", "FixedSys", 14},
        // After the options editor's OK the common keys are empty and 0.
        {"[View]\nFontName=\nFontSize=0\n", "ViewerFontName", "ViewerFontSize", "", 0},
        {"[View]\nFontName=\nFontSize=0\nEditorFontName=FixedSys\n", "EditorFontName",
         "EditorFontSize", "FixedSys", 14},
    };
    for (const Case& c : cases) {
        IniFile ini = IniFile::FromBytes(c.file);
        EXPECT_EQ(ViewerString(ini, "View", c.nameKey), c.name) << c.file;
        EXPECT_EQ(ViewerInt(ini, "View", c.sizeKey), c.size) << c.file;
    }
}

TEST(QuoteRule, DefaultIsQuoteDefaultLessItsLastCharacter) {
    struct Case {
        std::string file;
        std::string quote;
    } cases[] = {
        {"", "> "},
        {"[View]\nQuoteDefault=| .\n", "| "},
        {"[View]\nQuoteDefault=\"#  .\"\n", "#  "},
        {"[View]\nQuoteDefault=\n", ""},
        {"[View]\nQuoteDefault=>\x81\x40\n", ">"},  // a double-byte last character goes whole
        {"[View]\nQuote=\"> \"\n", "> "},
        {"[View]\nQuote=> \n", ">"},
        {"[View]\nQuote=\n", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ViewerString(IniFile::FromBytes(c.file), "View", "Quote"), c.quote) << c.file;
    }
}

TEST(SettingsValues, ColoursKeysAndBadNumbers) {
    IniFile ini = IniFile::FromBytes(
        "[View]\r\nQuoteFontColor=$00ff0000\r\nUrlFontColor=16711680\r\nViewerColor=-112\r\n"
        "MaxLength=wide\r\nTimer=$\r\n[Key]\r\nSelectAll=577\r\nReplyAll=$241\r\n"
        "PageDownNext2=0\r\n[Alert]\r\nAlertColor2=-110\r\n[AW]\r\nAW=1\r\nAutoMove=0\r\n");
    EXPECT_EQ(ViewerColour(ini, "View", "QuoteFontColor"), 0x00FF0000u);
    EXPECT_EQ(ViewerColour(ini, "View", "UrlFontColor"), 0x00FF0000u);
    EXPECT_EQ(ViewerColour(ini, "View", "ViewerColor"), 0x00FF0000u);
    EXPECT_EQ(ViewerColour(ini, "Alert", "AlertColor2"), 0x000000FFu);
    EXPECT_EQ(ViewerInt(ini, "View", "MaxLength"), 64);
    EXPECT_EQ(ViewerInt(ini, "View", "Timer"), 400);
    EXPECT_EQ(ViewerInt(ini, "Key", "SelectAll"), 0x241);
    EXPECT_EQ(ViewerInt(ini, "Key", "ReplyAll"), 0x241);
    EXPECT_EQ(ViewerInt(ini, "Key", "PageDownNext2"), 0);
    EXPECT_FALSE(ViewerBool(ini, "AW", "AutoMove"));
    EXPECT_TRUE(ViewerBool(IniFile::FromBytes("[AW]\nAW=1\n"), "AW", "AutoMove"));
    EXPECT_FALSE(ViewerBool(IniFile::FromBytes("[AW]\nAutoMove=1\n"), "AW", "AutoMove"));
}

}  // namespace
}  // namespace kestrel
