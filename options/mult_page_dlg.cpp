#include "options/mult_page_dlg.h"

#include "common/fileio.h"
#include "common/ini.h"
#include "common/sjis.h"
#include "options/options_settings.h"

namespace kestrel {

// このプログラムはKestrel.exeから起動してください
const char kStartFromViewer[] =
    "\x82\xb1\x82\xcc\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82\xcdKestrel."
    "exe\x82\xa9\x82\xe7\x8bN\x93\xae\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2";
// 設定ファイルに書き込めませんでした:
const char kCannotWriteSettings[] =
    "\x90\xdd\x92\xe8\x83t\x83@\x83"
    "C\x83\x8b\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82"
    "\xbd: ";

namespace {

constexpr char kProgramFilter[] = "Program files|*.exe|All files|*.*";
constexpr char kDictionaryFilter[] = "SpellChecker Dic.|*.wtr|All files|*.*";

const std::vector<std::vector<std::string_view>>& RadioGroups() {
    static const std::vector<std::vector<std::string_view>> groups = {
        {"RadioPloverSort", "RadioFinchSort", "RadioMailNumber"},
        {"RadioScrollPercent", "RadioScrollLine"},
        {"RadioImeON", "RadioImeOff", "RadioImeNoCont"},
        {"RadioSpellCheck", "RadioNoSpellCheck"},
    };
    return groups;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The digit after a numbered control name ("ButtonCom3" -> 3), or 0.
int NumberAfter(std::string_view control, std::string_view base) {
    if (!StartsWith(control, base) || control.size() != base.size() + 1) return 0;
    char d = control.back();
    return d >= '1' && d <= '5' ? d - '0' : 0;
}

}  // namespace

std::string SettingsPathFromCommandLine(std::string_view commandLine, std::string_view programDir,
                                        OptionsPlatform& platform) {
    std::string_view rest = TrimBlanks(commandLine);
    // The program's own name: quoted, or up to the first blank.
    size_t end = rest.empty() || rest[0] != '"' ? rest.find(' ') : rest.find('"', 1);
    rest = end == std::string_view::npos ? std::string_view() : TrimBlanks(rest.substr(end + 1));
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = TrimBlanks(rest.substr(1, rest.size() - 2));
    if (!rest.empty()) return std::string(rest);
    platform.ShowMessage(kStartFromViewer);
    return std::string(programDir) + "kestrel.ini";
}

TMultPageDlg::TMultPageDlg(std::string settingsPath, OptionsPlatform& platform)
    : path_(std::move(settingsPath)), platform_(platform) {}

void TMultPageDlg::FormCreate() {
    // The file is read once here; OK reads it again, so keys the viewer wrote meanwhile stay.
    form_ = OptionsFormFrom(IniFile::Load(path_));
    page_ = 0;
}

void TMultPageDlg::TabSetClick(int index) {
    if (index >= 0 && index < 6) page_ = index;
}

void TMultPageDlg::SelectRadio(std::string_view control) {
    for (const auto& group : RadioGroups()) {
        bool inGroup = false;
        for (std::string_view b : group) inGroup = inGroup || b == control;
        if (!inGroup) continue;
        for (std::string_view b : group) form_.checked[std::string(b)] = b == control;
    }
}

void TMultPageDlg::Click(std::string_view control) {
    const ControlDef* def = FindOptionControl(control);
    if (!def) return;
    if (def->kind == ControlKind::Radio) SelectRadio(control);
    if (control == "ButtonPgbrow") Browse("EditPgbrow", kProgramFilter);
    if (control == "ButtonFinchpost") Browse("EditFinchpost", kProgramFilter);
    if (control == "ButtonSpellDic") Browse("EditSpellDic", kDictionaryFilter);
    if (int n = NumberAfter(control, "ButtonCom")) BrowseCommand("EditComLine" + std::to_string(n));
    bool colour = control.size() > 5 && control.substr(control.size() - 5) == "Color";
    if (def->kind == ControlKind::Button && (colour || NumberAfter(control, "ButtonHeaderColor"))) {
        ColourButton(control);
    }
    if (control == "ButtonViewerFont" || control == "ButtonEditorFont" ||
        control == "SpellFontButton") {
        FontButton(control);
    }
    UpdateDependentStates(form_);
}

void TMultPageDlg::Browse(std::string_view box, std::string_view filter) {
    if (auto chosen = platform_.OpenFile(filter)) form_.text[std::string(box)] = LowerSjis(*chosen);
}

void TMultPageDlg::BrowseCommand(std::string_view box) {
    // The program part of the command line is the text before its first "$"; the placeholder
    // " $16" follows the program that is kept or chosen.
    std::string& line = form_.text[std::string(box)];
    size_t dollar = FindCharDbcs('$', line);  // 1-based, 0 when there is none
    auto chosen = platform_.OpenFile(kProgramFilter);
    if (chosen) {
        line = LowerSjis(*chosen) + " $16";
    } else if (dollar > 0) {
        line = line.substr(0, dollar - 1) + " $16";
    }
    // A line without "$" is left as it was when the dialog is cancelled: it holds no program
    // part that could be kept, and emptying it would lose the user's command.
}

void TMultPageDlg::ColourButton(std::string_view button) {
    auto chosen = platform_.ChooseColour(lastColour_);
    if (!chosen) return;
    lastColour_ = *chosen;
    Colour c = *chosen;
    if (button == "ButtonViewerColor") {
        for (const char* s : {"EditViewerColor", "EditQuoteColor", "EditUrlColor"})
            form_.Sample(s).back = c;
    } else if (button == "ButtonEditorColor" || button == "ButtonReservedColor") {
        form_.Sample("EditEditorColor").back = c;
    } else if (button == "ButtonQuoteColor") {
        form_.Sample("EditQuoteColor").font.colour = c;
    } else if (button == "ButtonUrlColor") {
        form_.Sample("EditUrlColor").font.colour = c;
    } else if (int n = NumberAfter(button, "ButtonHeaderColor")) {
        form_.Sample("EditHeaderColor" + std::to_string(n)).back = c;
    }
}

void TMultPageDlg::FontButton(std::string_view button) {
    std::string sample = button == "ButtonViewerFont"   ? "EditViewerColor"
                         : button == "ButtonEditorFont" ? "EditEditorColor"
                                                        : "EditSpellDic";
    SampleBox& box = form_.Sample(sample);
    auto chosen = platform_.PickFont(box.font);
    if (!chosen) return;
    box.font = *chosen;
    if (button == "ButtonViewerFont") {
        for (const char* s : {"EditHeaderColor1", "EditHeaderColor2"})
            form_.Sample(s).font.colour = chosen->colour;
    }
}

void TMultPageDlg::KeyDown(std::string_view control, const KeyPress& key) {
    size_t entry;
    if (int n = NumberAfter(control, "EditInsKey")) {
        entry = KeyTable::InsertEntry(static_cast<size_t>(n));
    } else if (int m = NumberAfter(control, "EditComKey")) {
        entry = KeyTable::CommandEntry(static_cast<size_t>(m));
    } else {
        return;
    }
    if (AssignKeyInBox(form_.keys, entry, key, platform_))
        form_.text[std::string(control)] = form_.keys.BoxText(entry);
}

bool TMultPageDlg::OKBtnClick() {
    if (SaveOptionsFile(path_, form_)) return true;
    platform_.ShowMessage(kCannotWriteSettings + path_);
    return false;
}

}  // namespace kestrel
