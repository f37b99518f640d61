#include "common/ini.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

TEST(IniIntRule, AcceptedFormsAndDefaults) {
    struct Case {
        const char* text;
        int32_t want;
    } cases[] = {
        {"577", 577},
        {"$241", 577},
        {"$0241", 577},
        {"0x241", 577},
        {"0X241", 577},
        {"$00ff0000", 16711680},
        {"16711680", 16711680},
        {"-112", -112},
        {"+5", 5},
        {"-$10", -16},
        {"$80000005", static_cast<int32_t>(0x80000005u)},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"  12  ", 12},
        // Everything else gives the default.
        {"", -7},
        {"$", -7},
        {"0x", -7},
        {"-", -7},
        {"+-1", -7},
        {"--1", -7},
        {"12a", -7},
        {"1 2", -7},
        {"$12g", -7},
        {"abc", -7},
        {"2147483648", -7},
        {"-2147483649", -7},
        {"99999999999999999999999", -7},
        {"$100000000", -7},
        {"$0000000000241", 577},
        {"\x82\x4f", -7},  // full-width digit zero
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIniInt(c.text, -7), c.want) << c.text;
}

TEST(IniReadRule, ProfileSemantics) {
    const std::string file =
        "; comment line\r\n"
        "Orphan=before any section\r\n"
        "[View]\r\n"
        "  MaxLength =  72  \r\n"
        "quote=\"> \"\r\n"
        "Half=\"open only\r\n"
        "Lone=\"\r\n"
        "Empty=\r\n"
        "Inner= a \"b\" c \r\n"
        "MaxLength=99\r\n"
        "[ alert ]\r\n"
        "AlertString1=\x83\x5d\x83\x5c \r\n"  // Shift-JIS with trail bytes 0x5D, 0x5C
        "[\x83\x5d]\r\n"                      // a section named with a trail byte ']'
        "Name=sjis section\r\n";
    IniFile ini = IniFile::FromBytes(file);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> want;
    } cases[] = {
        {"view", "maxlength", "72"},  // names without case; first occurrence wins
        {"VIEW", "Quote", "> "},      // enclosing quotes dropped, inner blank kept
        {"View", "Half", "\"open only"},
        {"View", "Lone", "\""},
        {"View", "Empty", ""},
        {"View", "Inner", "a \"b\" c"},
        {"Alert", "AlertString1", "\x83\x5d\x83\x5c"},
        {"\x83\x5d", "Name", "sjis section"},
        {"View", "Missing", std::nullopt},
        {"Missing", "MaxLength", std::nullopt},
        {"", "Orphan", std::nullopt},
        {"View", "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.Get(c.section, c.key), c.want) << c.section << "/" << c.key;
    }
    EXPECT_EQ(ini.GetString("View", "Missing", "def"), "def");
    EXPECT_EQ(ini.GetInt("View", "MaxLength", 1), 72);
    EXPECT_EQ(ini.GetInt("View", "Half", 1), 1);
    EXPECT_EQ(ini.GetInt("View", "Empty", 3), 3);
    EXPECT_TRUE(ini.GetBool("View", "Missing", true));
    EXPECT_TRUE(ini.GetBool("View", "MaxLength", false));
}

TEST(IniReadRule, MissingFileGivesDefaultsSilently) {
    test::TempDir dir;
    std::string path = dir.File("none.ini");
    EXPECT_EQ(ReadIniString(path, "View", "FontName", "FixedSys"), "FixedSys");
    EXPECT_EQ(ReadIniInt(path, "View", "Timer", 400), 400);
    EXPECT_TRUE(IniFile::Load(path).Bytes().empty());
}

TEST(IniColourRule, CodesMapAndOtherValuesPass) {
    struct Case {
        const char* value;
        uint32_t want;
    } cases[] = {
        {"-101", 0x00000000},     {"-102", 0x00000080},      {"-103", 0x00008000},
        {"-104", 0x00008080},     {"-105", 0x00800000},      {"-106", 0x00800080},
        {"-107", 0x00808000},     {"-108", 0x00808080},      {"-109", 0x00C0C0C0},
        {"-110", 0x000000FF},     {"-111", 0x0000FF00},      {"-112", 0x00FF0000},
        {"-113", 0x00FF00FF},     {"-114", 0x00FFFF00},      {"-115", 0x00FFFFFF},
        {"-116", 0x80000001},     {"-117", 0x80000005},      {"-118", 0x80000008},
        {"-100", 0xFFFFFF9C},     {"-119", 0xFFFFFF89},      {"$00ff0000", 0x00FF0000},
        {"16711680", 0x00FF0000}, {"$80000005", 0x80000005}, {"junk", 0x00123456},
    };
    for (const Case& c : cases) {
        IniFile ini = IniFile::FromBytes(std::string("[View]\nC=") + c.value + "\n");
        EXPECT_EQ(ini.GetColour("View", "C", 0x00123456), c.want) << c.value;
    }
    EXPECT_EQ(IniFile().GetColour("View", "C", 0x80000005), 0x80000005u);
}

TEST(IniWriteRule, ChangesOnlyTheOneKey) {
    const std::string before =
        "; settings\r\n"
        "[View]\r\n"
        "FontName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
        "  maxlength = 64\r\n"
        "Unknown=keep me\r\n"
        "MaxLength=80\r\n"
        "\r\n"
        "[Key]\r\n"
        "SelectAll=$241\r\n";
    struct Case {
        const char* name;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"replace first occurrence in place", "VIEW", "MaxLength", "72",
         "; settings\r\n[View]\r\nFontName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
         "  maxlength =72\r\nUnknown=keep me\r\nMaxLength=80\r\n\r\n[Key]\r\nSelectAll=$241\r\n"},
        {"append after last non-blank line of the section", "View", "Timer", "200",
         "; settings\r\n[View]\r\nFontName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
         "  maxlength = 64\r\nUnknown=keep me\r\nMaxLength=80\r\nTimer=200\r\n\r\n[Key]\r\n"
         "SelectAll=$241\r\n"},
        {"append missing section", "Printer", "LeftSpace", "10",
         before + "[Printer]\r\nLeftSpace=10\r\n"},
        {"last section", "Key", "ReplyAll", "$00D",
         "; settings\r\n[View]\r\nFontName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
         "  maxlength = 64\r\nUnknown=keep me\r\nMaxLength=80\r\n\r\n[Key]\r\nSelectAll=$241\r\n"
         "ReplyAll=$00D\r\n"},
    };
    for (const Case& c : cases) {
        IniFile ini = IniFile::FromBytes(before);
        EXPECT_TRUE(ini.Set(c.section, c.key, c.value));
        EXPECT_EQ(ini.Bytes(), c.after) << c.name;
        EXPECT_EQ(ini.Get(c.section, c.key), std::string(c.value)) << c.name;
    }
}

TEST(IniWriteRule, LineEndsAndUnterminatedLastLine) {
    struct Case {
        std::string before, section, key, value, after;
    } cases[] = {
        {"[View]\nA=1\n", "View", "B", "2", "[View]\nA=1\nB=2\n"},  // LF file stays LF
        {"[View]\nA=1", "View", "B", "2", "[View]\nA=1\nB=2\n"},
        {"[View]\r\nA=1", "View", "B", "2", "[View]\r\nA=1\r\nB=2\r\n"},
        {"[View]", "View", "B", "2", "[View]\r\nB=2\r\n"},
        {"[View]\nA=1", "Key", "B", "2", "[View]\nA=1\n[Key]\nB=2\n"},
        {"", "View", "A", "1", "[View]\r\nA=1\r\n"},
        {"[View]\r\nA=1\r\n[View]\r\nA=2\r\n", "view", "A", "3",
         "[View]\r\nA=3\r\n[View]\r\nA=2\r\n"},
        // A key only in a repeated section: added to the first one, which then wins.
        {"[View]\r\nA=1\r\n[View]\r\nB=2\r\n", "View", "B", "3",
         "[View]\r\nA=1\r\nB=3\r\n[View]\r\nB=2\r\n"},
        {"[View]\r\nA=1\r\n", "View", "A", " padded ", "[View]\r\nA= padded \r\n"},
    };
    for (const Case& c : cases) {
        IniFile ini = IniFile::FromBytes(c.before);
        ASSERT_TRUE(ini.Set(c.section, c.key, c.value));
        EXPECT_EQ(ini.Bytes(), c.after) << c.before;
    }
    // Blanks around a written value come back trimmed, as from the profile functions; quotes
    // protect them.
    IniFile ini;
    ini.Set("View", "Quote", "> ");
    EXPECT_EQ(ini.GetString("View", "Quote", "x"), ">");
    ini.Set("View", "Quote", "\"> \"");
    EXPECT_EQ(ini.GetString("View", "Quote", "x"), "> ");
}

TEST(IniWriteRule, RefusesValuesThatWouldBreakTheFile) {
    const std::string before = "[View]\r\nA=1\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"View", "A", "1\r\n[Key]\r\nSelectAll=$256"},
        {"View", "A", "line\nbreak"},
        {"View", "New\nKey", "1"},
        {"View", "A=B", "1"},
        {"View", "[X", "1"},
        {"Vi]ew", "A", "1"},
        {"", "A", "1"},
        {"View", "", "1"},
    };
    for (const Case& c : cases) {
        IniFile ini = IniFile::FromBytes(before);
        EXPECT_FALSE(ini.Set(c.section, c.key, c.value)) << c.key << c.value;
        EXPECT_EQ(ini.Bytes(), before);
    }
}

TEST(IniFileWrite, CreatesFileAndKeepsOtherWritersKeys) {
    test::TempDir dir;
    std::string path = dir.File("kestrel.ini");
    ASSERT_TRUE(WriteIniString(path, "Window", "InvokeCount", "1"));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "[Window]\r\nInvokeCount=1\r\n");
    // Two programs writing different keys one after the other: both values survive.
    ASSERT_TRUE(WriteIniString(path, "Printer", "LeftSpace", "10"));
    ASSERT_TRUE(WriteIniString(path, "SpellCheck", "IgnoreCapital", "1"));
    ASSERT_TRUE(WriteIniString(path, "Window", "InvokeCount", "2"));
    ASSERT_TRUE(WriteIniString(path, "Printer", "LeftSpace", "12"));
    EXPECT_EQ(ReadIniInt(path, "Window", "InvokeCount", 0), 2);
    EXPECT_EQ(ReadIniInt(path, "Printer", "LeftSpace", 0), 12);
    EXPECT_EQ(ReadIniInt(path, "SpellCheck", "IgnoreCapital", 0), 1);
    EXPECT_FALSE(WriteIniString(dir.File("no/such/folder.ini"), "View", "A", "1"));
}

TEST(IniGarbage, NeverCrashesAndReadsWhatItCan) {
    std::string huge(1 << 20, 'x');
    const std::string inputs[] = {
        std::string("\0\0[View]\0\nA=1\0\n", 15),
        "[View]\nA=" + huge,
        huge,
        "[" + huge,
        "[View]\nA=\x82",  // lead byte at the end
        "[\x82]",          // lead byte swallowing the bracket
        "\r\r\r\n\n\n=\n=\r\n[]\n[",
        "[View]\r\nA=\"",
    };
    for (const std::string& in : inputs) {
        IniFile ini = IniFile::FromBytes(in);
        (void)ini.Get("View", "A");
        (void)ini.GetInt("View", "A", 0);
        ini.Set("View", "B", "2");
        EXPECT_EQ(ini.Get("View", "B"), std::string("2"));
        EXPECT_EQ(ini.Bytes().substr(0, std::min(in.size(), size_t{64})),
                  in.substr(0, std::min(in.size(), size_t{64})));
    }
    EXPECT_EQ(IniFile::FromBytes("[View]\nA=" + huge).Get("View", "A")->size(), huge.size());
    EXPECT_EQ(IniFile::FromBytes("[View]\nA=\x82").Get("View", "A"), std::string("\x82"));
}

}  // namespace
}  // namespace kestrel
