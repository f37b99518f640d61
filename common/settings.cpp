#include "common/settings.h"

#include "common/keys.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

using K = SettingKind;

void AddNumbered(std::vector<SettingDef>& t, std::string_view section, const char* const* names,
                 K kind) {
    for (size_t i = 0; names[i]; ++i)
        t.push_back({section, names[i], kind, kind == K::String ? "" : "0"});
}

std::vector<SettingDef> BuildTable() {
    std::vector<SettingDef> t = {
        {"View", "WordWrap", K::Bool, "0"},
        {"View", "ReplyConfirm", K::Bool, "0"},
        {"View", "Ruler", K::Int, "0"},
        {"View", "ShowTo", K::Bool, "1"},
        {"View", "MaxTo", K::Int, "10"},
        {"View", "IMEcontrol", K::Int, "1"},
        {"View", "EnglishMenu", K::Bool, "0"},
        {"View", "TabToSpace", K::Int, "4"},
        {"View", "Header", K::Bool, "0"},
        {"View", "HeaderList", K::String, ""},
        {"View", "AutoReformat", K::Int, "0"},
        {"View", "HideButton", K::Bool, "0"},
        {"View", "FontName", K::String, "FixedSys"},
        {"View", "FontSize", K::Int, "14"},
        {"View", "EditorFontName", K::String, "", true},
        {"View", "EditorFontSize", K::Int, "", true},
        {"View", "ViewerFontName", K::String, "", true},
        {"View", "ViewerFontSize", K::Int, "", true},
        {"View", "NextMailMode", K::Int, "0"},
        {"View", "QuoteChar", K::String, ">|:# -="},
        // Full-width period, full stop, question mark, semicolon, closing parenthesis.
        {"View", "EndCharZenkaku", K::String, "\x81\x42\x81\x44\x81\x48\x81\x47\x81\x6a"},
        {"View", "EndCharHAnkaku", K::String, ".;)!?"},
        {"View", "MaxLength", K::Int, "64"},
        {"View", "MaxLines", K::Int, "300"},
        {"View", "QuoteFontColor", K::Colour, "$00008000"},
        {"View", "UrlFontColor", K::Colour, "$00FF0000"},
        {"View", "ViewerColor", K::Colour, "$00C0C0C0"},
        {"View", "EditorColor", K::Colour, "$80000005"},
        {"View", "ViewerFontColor", K::Colour, "0"},
        {"View", "EditorFontColor", K::Colour, "$80000008"},
        {"View", "Timer", K::Int, "400"},
        {"View", "DeleteTab", K::Bool, "1"},
        {"View", "Text2Speech", K::Bool, "0"},
        {"View", "NewBrowser", K::Bool, "0"},
        // Ideographic space, then full-width punctuation and closing brackets.
        {"View", "AvoidBeginChar", K::String,
         "\x81\x40\x81\x44\x81\x43\x81\x42\x81\x41\x81\x45\x81\x48\x81\x49\x81\x6a\x81\x6c"
         "\x81\x6e\x81\x70\x81\x72\x81\x74\x81\x76\x81\x78\x81\x7a"},
        // Full-width opening brackets.
        {"View", "AvoidEndChar", K::String,
         "\x81\x69\x81\x6b\x81\x6d\x81\x6f\x81\x71\x81\x73\x81\x75\x81\x77\x81\x79"},
        {"View", "DebugMode", K::Bool, "0"},
        {"View", "DebugPloverDde", K::Bool, "0"},
        {"View", "AlertDialog", K::Bool, "1"},
        {"View", "ScrollPercent", K::Int, "100"},
        {"View", "NextMailAtEnd", K::Bool, "1"},
        {"View", "QuoteDefault", K::String, "> ."},
        {"View", "Quote", K::String, "", true},
        // Left from older versions: never read, but the options editor may write "".
        {"View", "PloverPath", K::String, ""},
        {"View", "PloverPathDos", K::String, ""},

        {"Window", "Left", K::Int, "49"},
        {"Window", "Top", K::Int, "52"},
        {"Window", "Width", K::Int, "611"},
        {"Window", "Height", K::Int, "342"},
        {"Window", "EditWidth", K::Int, "400"},
        {"Window", "InvokeCount", K::Int, "0"},

        {"Location", "PgbrowExe", K::String, ""},
        {"Location", "FinchpostExe", K::String, ""},
        {"Location", "TrashCan", K::String, "", true},
        {"Location", "SaveAsDir", K::String, ""},
        {"Location", "TempPath", K::String, "", true},

        {"Scramble", "SubjectLength", K::Int, "6"},
        {"Scramble", "AutoScramble", K::String, ""},
        {"Scramble", "PIN", K::Int, "0"},
    };
    static const char* const kAlertStrings[] = {"AlertString1", "AlertString2", "AlertString3",
                                                "AlertString4", "AlertString5", nullptr};
    static const char* const kAlertColours[] = {"AlertColor1", "AlertColor2", "AlertColor3",
                                                "AlertColor4", "AlertColor5", nullptr};
    AddNumbered(t, "Alert", kAlertStrings, K::String);
    AddNumbered(t, "Alert", kAlertColours, K::Colour);

    const std::vector<SettingDef> more = {
        {"AW", "AW", K::Bool, "0"},
        {"AW", "AutoMove", K::Bool, "1", true},
        {"AW", "AttachString", K::String, "$$AttachFile:"},
        {"AW", "Receive", K::String, "Recv"},
        {"AW", "In", K::String, "In"},
        {"AW", "NetMtg", K::String, "In"},
        {"AW", "Out", K::String, "Out"},
        {"AW", "Sent", K::String, "Sent"},
        {"AW", "MtgString", K::String, "Reply-To:"},
        {"AW", "AttachDir", K::String, "", true},

        {"SpellCheck", "SpellChecker", K::Bool, "0"},
        {"SpellCheck", "IgnoreNumeric", K::Bool, "0"},
        {"SpellCheck", "IgnoreCapital", K::Bool, "0"},
        {"SpellCheck", "Alpha", K::String, "!?,.:;\"-()"},
        {"SpellCheck", "Numeric", K::String, "01234567890#$%&*+<=>@`[\\]^_{|}~"},
        {"SpellCheck", "BasicDic", K::String, "C:\\Program Files\\SpellChecker\\Basic.wtr"},
        {"SpellCheck", "SpellFontSize", K::Int, "8"},
        {"SpellCheck", "SpellFontName", K::String, "Arial"},
        {"SpellCheck", "Left", K::Int, "200"},
        {"SpellCheck", "Top", K::Int, "100"},

        // Full-width "MS", a blank, katakana "Gothic".
        {"Printer", "FontName", K::String, "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"},
        {"Printer", "FontSize", K::Int, "10"},
        {"Printer", "LeftSpace", K::Int, "10"},
    };
    t.insert(t.end(), more.begin(), more.end());

    // Key numbers: the names live in the action table; the default texts must outlive the
    // table, so they are kept in static storage.
    static const std::vector<std::string> keyDefaults = [] {
        std::vector<std::string> v;
        for (const KeyAction& a : KeyActions()) {
            v.push_back(std::to_string(a.viewerPrimary));
            v.push_back(std::to_string(a.viewerSecond));
        }
        return v;
    }();
    static const std::vector<std::string> secondNames = [] {
        std::vector<std::string> v;
        for (const KeyAction& a : KeyActions()) v.push_back(std::string(a.name) + "2");
        return v;
    }();
    for (size_t i = 0; i < kKeyActionCount; ++i) {
        t.push_back({"Key", KeyActions()[i].name, K::Key, keyDefaults[2 * i]});
        t.push_back({"Key", secondNames[i], K::Key, keyDefaults[2 * i + 1]});
    }
    static const char* const kReplyWithStatus[] = {"ReplyWithStatus1", "ReplyWithStatus2",
                                                   "ReplyWithStatus3", "ReplyWithStatus4",
                                                   "ReplyWithStatus5", nullptr};
    AddNumbered(t, "Key", kReplyWithStatus, K::Key);

    static const char* const kStatus[] = {"Status1", "Status2", "Status3",
                                          "Status4", "Status5", nullptr};
    AddNumbered(t, "ReplyStatus", kStatus, K::String);

    static const char* const kCommandMenu[] = {"CommandMenu1", "CommandMenu2", "CommandMenu3",
                                               "CommandMenu4", "CommandMenu5", nullptr};
    static const char* const kCommand[] = {"Command1", "Command2", "Command3",
                                           "Command4", "Command5", nullptr};
    static const char* const kKeyCommand[] = {"KeyCommand1", "KeyCommand2", "KeyCommand3",
                                              "KeyCommand4", "KeyCommand5", nullptr};
    AddNumbered(t, "Command", kCommandMenu, K::String);
    AddNumbered(t, "Command", kCommand, K::String);
    AddNumbered(t, "Command", kKeyCommand, K::Key);

    static const char* const kInsertMenu[] = {"InsertMenu1", "InsertMenu2", "InsertMenu3",
                                              "InsertMenu4", "InsertMenu5", nullptr};
    static const char* const kInsert[] = {"Insert1", "Insert2", "Insert3",
                                          "Insert4", "Insert5", nullptr};
    static const char* const kKeyInsert[] = {"KeyInsert1", "KeyInsert2", "KeyInsert3",
                                             "KeyInsert4", "KeyInsert5", nullptr};
    AddNumbered(t, "Insert", kInsertMenu, K::String);
    AddNumbered(t, "Insert", kInsert, K::String);
    AddNumbered(t, "Insert", kKeyInsert, K::Key);
    return t;
}

// text less its last character; a double-byte character goes whole, so no lead byte is left.
std::string WithoutLastChar(std::string_view text) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += CharLenAt(text, i)) last = i;
    return std::string(text.substr(0, text.empty() ? 0 : last));
}

bool Is(std::string_view section, std::string_view key, std::string_view s, std::string_view k) {
    return EqualsNoCase(section, s) && EqualsNoCase(key, k);
}

// The font name the viewer uses in one mode: the key, else the common FontName.
std::string FontNameFor(const IniFile& ini, std::string_view key) {
    return ini.GetString("View", key, ini.GetString("View", "FontName", "FixedSys"));
}

}  // namespace

const std::vector<SettingDef>& SettingsTable() {
    static const std::vector<SettingDef> table = BuildTable();
    return table;
}

const SettingDef* FindSetting(std::string_view section, std::string_view key) {
    for (const SettingDef& d : SettingsTable()) {
        if (EqualsNoCase(d.section, section) && EqualsNoCase(d.key, key)) return &d;
    }
    return nullptr;
}

std::string ViewerString(const IniFile& ini, std::string_view section, std::string_view key) {
    if (Is(section, key, "View", "EditorFontName") || Is(section, key, "View", "ViewerFontName")) {
        return FontNameFor(ini, key);
    }
    if (Is(section, key, "View", "Quote")) {
        // QuoteDefault ends in a character that protects the blank before it from trimming.
        return ini.GetString("View", "Quote",
                             WithoutLastChar(ini.GetString("View", "QuoteDefault", "> .")));
    }
    const SettingDef* d = FindSetting(section, key);
    if (d && d->kind != SettingKind::String) {
        // Numbers come back in the form the viewer's reader yields, decimal.
        if (d->kind == SettingKind::Colour) return std::to_string(ViewerColour(ini, section, key));
        return std::to_string(ViewerInt(ini, section, key));
    }
    return ini.GetString(section, key, d ? d->viewerDefault : std::string_view());
}

int32_t ViewerInt(const IniFile& ini, std::string_view section, std::string_view key) {
    for (std::string_view mode : {"Editor", "Viewer"}) {
        std::string sizeKey = std::string(mode) + "FontSize";
        if (Is(section, key, "View", sizeKey)) {
            // FixedSys is a bitmap font of one size; the name is compared exactly.
            std::string nameKey = std::string(mode) + "FontName";
            if (FontNameFor(ini, nameKey) == "FixedSys") return 14;
            return ini.GetInt("View", sizeKey, ini.GetInt("View", "FontSize", 14));
        }
    }
    if (Is(section, key, "AW", "AutoMove")) {
        // Read only while the mail mover is on; otherwise taken as false.
        return ViewerBool(ini, "AW", "AW") ? ini.GetInt("AW", "AutoMove", 1) : 0;
    }
    const SettingDef* d = FindSetting(section, key);
    int32_t def = d ? ParseIniInt(d->viewerDefault, 0) : 0;
    return ini.GetInt(section, key, def);
}

bool ViewerBool(const IniFile& ini, std::string_view section, std::string_view key) {
    return ViewerInt(ini, section, key) != 0;
}

uint32_t ViewerColour(const IniFile& ini, std::string_view section, std::string_view key) {
    return MapColourNumber(ViewerInt(ini, section, key));
}

}  // namespace kestrel
