#include "options/options_settings.h"

#include <cstdio>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

// A text box and the string key it edits.
struct StringField {
    std::string control, section, key, readDefault, writeDefault;
};

// A box for a number.
struct NumberField {
    std::string_view control, section, key;
    int32_t readDefault, writeDefault;
};

// A check box for a boolean key.
struct CheckField {
    std::string_view control, section, key;
    bool readDefault, writeDefault, inverted;
};

// A radio group for an integer key; the last button takes every other value.
struct RadioButton {
    std::string_view control;
    int32_t value;
};

const std::vector<StringField>& StringFields() {
    static const std::vector<StringField> fields = [] {
        std::vector<StringField> f = {
            {"EditAutoScramble", "Scramble", "AutoScramble", "", ""},
            {"EditPgbrow", "Location", "PgbrowExe", "", ""},
            {"EditFinchpost", "Location", "FinchpostExe", "", ""},
            {"EHeaderList", "View", "HeaderList", "", ""},
            {"EditHeaderColor1", "Alert", "AlertString1", "", ""},
            {"EditHeaderColor2", "Alert", "AlertString2", "", ""},
            // Read with the write default, so that an untouched box is not written.
            {"EditSpellDic", "SpellCheck", "BasicDic", "", ""},
            {"EditQuoteChar", "View", "QuoteChar", ">|:# -=", ">|:# -="},
        };
        for (int n = 1; n <= 5; ++n) {
            std::string d = std::to_string(n);
            f.push_back({"EditIns" + d, "Insert", "InsertMenu" + d, "", ""});
            f.push_back({"EditInsStr" + d, "Insert", "Insert" + d, "", ""});
        }
        for (int n = 1; n <= 5; ++n) {
            std::string d = std::to_string(n);
            f.push_back({"EditCom" + d, "Command", "CommandMenu" + d, "", ""});
            f.push_back({"EditComLine" + d, "Command", "Command" + d, "", ""});
        }
        return f;
    }();
    return fields;
}

constexpr NumberField kNumberFields[] = {
    {"EditSubjectLength", "Scramble", "SubjectLength", 6, 6},
    {"EditMaxLength", "View", "MaxLength", 64, 64},
    {"EditLeftSpace", "Printer", "LeftSpace", 10, 10},
    {"EditDeleteTimer", "View", "Timer", 200, 1000},
};

constexpr CheckField kCheckFields[] = {
    {"CheckBoxHeader", "View", "Header", false, false, false},
    {"CheckBoxNextMailAtEnd", "View", "NextMailAtEnd", true, true, false},
    {"CheckBoxToolBar", "View", "HideButton", false, false, true},
    {"CheckBoxEnglishMenu", "View", "EnglishMenu", false, false, false},
    {"CheckBoxWordWrap", "View", "WordWrap", false, false, false},
    {"CBIgnoreCapital", "SpellCheck", "IgnoreCapital", false, false, false},
    {"CBReplyConfirm", "View", "ReplyConfirm", false, false, false},
};

constexpr RadioButton kReadOrder[] = {
    {"RadioPloverSort", 1}, {"RadioFinchSort", 2}, {"RadioMailNumber", 0}};
constexpr RadioButton kImeControl[] = {
    {"RadioImeON", 1}, {"RadioImeOff", 0}, {"RadioImeNoCont", -1}};

template <size_t N>
void ReadRadio(OptionsForm& form, const RadioButton (&group)[N], int32_t value) {
    size_t chosen = N - 1;
    for (size_t i = 0; i < N; ++i)
        if (group[i].value == value) chosen = i;
    for (size_t i = 0; i < N; ++i) form.checked[std::string(group[i].control)] = i == chosen;
}

template <size_t N>
int32_t RadioValue(const OptionsForm& form, const RadioButton (&group)[N]) {
    for (const RadioButton& b : group)
        if (form.Checked(b.control)) return b.value;
    return group[N - 1].value;
}

// The writer: each key is set only when its new value differs from what the file yields for
// it read with the write default.
class Writer {
  public:
    explicit Writer(IniFile& ini) : ini_(ini) {}

    void String(std::string_view section, std::string_view key, std::string_view value,
                std::string_view writeDefault) {
        if (ini_.GetString(section, key, writeDefault) != value)
            Set(section, key, QuotedIfNeeded(value));
    }
    void Int(std::string_view section, std::string_view key, int32_t value, int32_t writeDefault) {
        if (ini_.GetInt(section, key, writeDefault) != value)
            Set(section, key, std::to_string(value));
    }
    void Bool(std::string_view section, std::string_view key, bool value, bool writeDefault) {
        if (ini_.GetBool(section, key, writeDefault) != value) Set(section, key, value ? "1" : "0");
    }
    void Colour(std::string_view section, std::string_view key, kestrel::Colour value,
                kestrel::Colour writeDefault) {
        if (ini_.GetColour(section, key, writeDefault) != value)
            Set(section, key, FormatColour(value));
    }
    void Set(std::string_view section, std::string_view key, std::string_view value) {
        if (!ini_.Set(section, key, value)) ok_ = false;
    }
    IniFile& ini() { return ini_; }
    bool ok() const { return ok_; }

  private:
    IniFile& ini_;
    bool ok_ = true;
};

// A number box: its text, or the write default when it is not an integer.
int32_t NumberOf(const OptionsForm& form, std::string_view control, int32_t writeDefault) {
    return ParseIniInt(form.Text(control), writeDefault);
}

std::string WithoutLastChar(std::string_view text) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += CharLenAt(text, i)) last = i;
    return std::string(text.substr(0, text.empty() ? 0 : last));
}

void ReadSamples(const IniFile& ini, OptionsForm& form) {
    // The common font: FixedSys is a bitmap font of one size, so its size is always 14.
    std::string fontName = ini.GetString("View", "FontName", "FixedSys");
    int32_t fontSize = fontName == "FixedSys" ? 14 : ini.GetInt("View", "FontSize", 14);

    SampleBox& viewer = form.Sample("EditViewerColor");
    viewer.font.name = ini.GetString("View", "ViewerFontName", fontName);
    viewer.font.size = ini.GetInt("View", "ViewerFontSize", fontSize);
    viewer.font.colour = ini.GetColour("View", "ViewerFontColor", kBlack);
    viewer.back = ini.GetColour("View", "ViewerColor", kSilver);

    SampleBox& editor = form.Sample("EditEditorColor");
    editor.font.name = ini.GetString("View", "EditorFontName", fontName);
    editor.font.size = ini.GetInt("View", "EditorFontSize", fontSize);
    editor.font.colour = ini.GetColour("View", "EditorFontColor", kSystemWindowText);
    editor.back = ini.GetColour("View", "EditorColor", kSystemWindow);

    // The quote and address samples show their colours on the viewer's background.
    SampleBox& quote = form.Sample("EditQuoteColor");
    quote.font.colour = ini.GetColour("View", "QuoteFontColor", 0x00008000);
    quote.back = viewer.back;
    SampleBox& url = form.Sample("EditUrlColor");
    url.font.colour = ini.GetColour("View", "UrlFontColor", 0x00FF0000);
    url.back = viewer.back;

    for (int n = 1; n <= 2; ++n) {
        std::string d = std::to_string(n);
        SampleBox& alert = form.Sample("EditHeaderColor" + d);
        alert.font.colour = viewer.font.colour;
        if (!form.Text("EditHeaderColor" + d).empty())
            alert.back = ini.GetColour("Alert", "AlertColor" + d, kBlack);
    }

    SampleBox& spell = form.Sample("EditSpellDic");
    spell.font.name = ini.GetString("SpellCheck", "SpellFontName", "Arial");
    spell.font.size = ini.GetInt("SpellCheck", "SpellFontSize", 8);
}

}  // namespace

std::string QuotedIfNeeded(std::string_view value) {
    bool blankAtEnd = !value.empty() && TrimBlanks(value).size() != value.size();
    bool enclosed = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (!blankAtEnd && !enclosed) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

std::string FormatColour(Colour colour) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08x", static_cast<unsigned>(colour));
    return buf;
}

void UpdateDependentStates(OptionsForm& form) {
    bool allHeaders = form.Checked("CheckBoxHeader");
    form.enabled["EHeaderList"] = !allHeaders;
    // The header list's text is greyed while it does not apply.
    form.Sample("EHeaderList").font.colour = allHeaders ? kSilver : kBlack;
    form.text["LabelScrollUnit"] =
        form.Checked("RadioScrollLine") ? "\x8d\x73" : "\x81\x93";  // "行" / "％"
    form.enabled["EditTabToSpace"] = form.Checked("CBTabToSpace");
    form.enabled["EditAutoReform"] = form.Checked("CBAutoReform");
    form.enabled["CBIgnoreCapital"] = form.Checked("RadioSpellCheck");
}

OptionsForm OptionsFormFrom(const IniFile& ini) {
    OptionsForm form;
    for (const StringField& f : StringFields())
        form.text[f.control] = ini.GetString(f.section, f.key, f.readDefault);
    for (const NumberField& f : kNumberFields)
        form.text[std::string(f.control)] =
            std::to_string(ini.GetInt(f.section, f.key, f.readDefault));
    for (const CheckField& f : kCheckFields)
        form.checked[std::string(f.control)] =
            ini.GetBool(f.section, f.key, f.readDefault) != f.inverted;

    ReadRadio(form, kReadOrder, ini.GetInt("View", "NextMailMode", 0));
    ReadRadio(form, kImeControl, ini.GetInt("View", "IMEcontrol", -1));
    bool spell = ini.GetBool("SpellCheck", "SpellChecker", false);
    form.checked["RadioSpellCheck"] = spell;
    form.checked["RadioNoSpellCheck"] = !spell;

    // Percent mode stores the number, line mode the negated number of lines.
    int32_t scroll = ini.GetInt("View", "ScrollPercent", 100);
    form.checked["RadioScrollPercent"] = scroll >= 1;
    form.checked["RadioScrollLine"] = scroll < 1;
    form.text["EditScrollPercent"] = std::to_string(scroll >= 1 ? scroll : -scroll);

    // 0 and 255 both mean that no mail is reformatted when it is shown.
    int32_t reformat = ini.GetInt("View", "AutoReformat", 255);
    form.checked["CBAutoReform"] = reformat != 0 && reformat != 255;
    form.text["EditAutoReform"] = std::to_string(reformat);

    int32_t tab = ini.GetInt("View", "TabToSpace", 4);
    form.checked["CBTabToSpace"] = tab >= 0;
    form.text["EditTabToSpace"] = std::to_string(tab);

    std::string quote = ini.GetString("View", "Quote", "");
    if (quote.empty()) quote = WithoutLastChar(ini.GetString("View", "QuoteDefault", "> ."));
    form.text["EditQuote"] = quote;

    form.checked["CBDeletePloverPath"] = false;

    ReadSamples(ini, form);

    form.keys.Load(ini);
    for (int n = 1; n <= 5; ++n) {
        std::string d = std::to_string(n);
        form.text["EditInsKey" + d] = form.keys.BoxText(KeyTable::InsertEntry(n));
        form.text["EditComKey" + d] = form.keys.BoxText(KeyTable::CommandEntry(n));
    }

    UpdateDependentStates(form);
    return form;
}

bool WriteOptions(const OptionsForm& form, IniFile& ini) {
    Writer w(ini);
    // 基本
    w.Int("View", "NextMailMode", RadioValue(form, kReadOrder), 0);
    for (const NumberField& f : kNumberFields)
        w.Int(f.section, f.key, NumberOf(form, f.control, f.writeDefault), f.writeDefault);
    for (const StringField& f : StringFields()) {
        w.String(f.section, f.key, form.Text(f.control), f.writeDefault);
    }
    for (const CheckField& f : kCheckFields)
        w.Bool(f.section, f.key, form.Checked(f.control) != f.inverted, f.writeDefault);

    // 表示: the per-view fonts take over from the common font once these are cleared.
    const SampleBox& viewer = form.Sample("EditViewerColor");
    const SampleBox& editor = form.Sample("EditEditorColor");
    w.String("View", "FontName", "", "");
    w.Int("View", "FontSize", 0, 0);
    w.String("View", "ViewerFontName", viewer.font.name, "");
    w.Int("View", "ViewerFontSize", viewer.font.size, 0);
    w.Colour("View", "ViewerFontColor", viewer.font.colour, 0);
    w.Colour("View", "ViewerColor", viewer.back, 0);
    w.String("View", "EditorFontName", editor.font.name, "");
    w.Int("View", "EditorFontSize", editor.font.size, 0);
    w.Colour("View", "EditorFontColor", editor.font.colour, 0);
    w.Colour("View", "EditorColor", editor.back, 0);
    for (int n = 1; n <= 2; ++n) {
        std::string d = std::to_string(n);
        // A colour without its header text would alert on nothing.
        if (!form.Text("EditHeaderColor" + d).empty())
            w.Colour("Alert", "AlertColor" + d, form.Sample("EditHeaderColor" + d).back, 0);
    }
    if (form.Checked("RadioScrollLine")) {
        // The file holds the negated number of lines; a box that holds no number stands for
        // 80 lines. The comparison is with the number as typed, so a line-mode value is
        // written again on every OK (with the same value).
        int32_t lines = NumberOf(form, "EditScrollPercent", 80);
        if (ini.GetInt("View", "ScrollPercent", -80) != lines)
            w.Set("View", "ScrollPercent", std::to_string(-lines));
    } else {
        w.Int("View", "ScrollPercent", NumberOf(form, "EditScrollPercent", 100), 100);
    }
    w.Colour("View", "QuoteFontColor", form.Sample("EditQuoteColor").font.colour, 0x00008000);
    w.Colour("View", "UrlFontColor", form.Sample("EditUrlColor").font.colour, 0x00FF0000);

    // エディタ
    w.Int("View", "IMEcontrol", RadioValue(form, kImeControl), -1);
    w.Bool("SpellCheck", "SpellChecker", form.Checked("RadioSpellCheck"), false);
    const SampleBox& spell = form.Sample("EditSpellDic");
    w.String("SpellCheck", "SpellFontName", spell.font.name, "Arial");
    w.Int("SpellCheck", "SpellFontSize", spell.font.size, 8);
    if (form.Checked("CBAutoReform")) {
        w.Int("View", "AutoReformat", NumberOf(form, "EditAutoReform", 0), 0);
    } else {
        w.Int("View", "AutoReformat", 255, 255);
    }
    w.Int("View", "TabToSpace",
          form.Checked("CBTabToSpace") ? NumberOf(form, "EditTabToSpace", 0) : -1, 0);
    // Always in double quotes, which keep the blank at its end; the comparison is with the
    // quoted text, so Quote is written on every OK.
    std::string quote = "\"" + form.Text("EditQuote") + "\"";
    if (ini.GetString("View", "Quote", "") != quote) w.Set("View", "Quote", quote);

    // トラブル?
    if (form.Checked("CBDeletePloverPath")) {
        w.String("View", "PloverPath", "", "");
        w.String("View", "PloverPathDos", "", "");
    }

    if (!form.keys.SaveTo(ini)) return false;
    return w.ok();
}

bool SaveOptionsFile(const std::string& path, const OptionsForm& form) {
    std::string bytes;
    // A file that exists but cannot be read must not be replaced by the changed keys alone.
    if (!ReadFileBytes(path, bytes) && FileExists(path)) return false;
    IniFile ini = IniFile::FromBytes(std::move(bytes));
    if (!WriteOptions(form, ini)) return false;
    return WriteFileAtomic(path, ini.Bytes());
}

}  // namespace kestrel
