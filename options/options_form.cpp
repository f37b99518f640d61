#include "options/options_form.h"

namespace kestrel {

namespace {

std::vector<ControlDef> BuildControls() {
    using K = ControlKind;
    std::vector<ControlDef> c = {
        // 基本
        {"RadioPloverSort", 0, K::Radio},
        {"RadioFinchSort", 0, K::Radio},
        {"RadioMailNumber", 0, K::Radio},
        {"EditSubjectLength", 0, K::Number, 3},
        {"EditAutoScramble", 0, K::Edit},
        {"EditPgbrow", 0, K::Edit},
        {"ButtonPgbrow", 0, K::Button},
        {"EditFinchpost", 0, K::Edit},
        {"ButtonFinchpost", 0, K::Button},
        // 表示
        {"CheckBoxHeader", 1, K::Check},
        {"EHeaderList", 1, K::Edit},
        {"EditViewerColor", 1, K::Sample},
        {"ButtonViewerFont", 1, K::Button},
        {"ButtonViewerColor", 1, K::Button},
        {"EditEditorColor", 1, K::Sample},
        {"ButtonEditorFont", 1, K::Button},
        {"ButtonEditorColor", 1, K::Button},
        {"EditHeaderColor1", 1, K::Edit},
        {"ButtonHeaderColor1", 1, K::Button},
        {"EditHeaderColor2", 1, K::Edit},
        {"ButtonHeaderColor2", 1, K::Button},
        {"RadioScrollPercent", 1, K::Radio},
        {"RadioScrollLine", 1, K::Radio},
        {"EditScrollPercent", 1, K::Number, 3},
        {"LabelScrollUnit", 1, K::Label},
        {"CheckBoxNextMailAtEnd", 1, K::Check},
        {"EditQuoteColor", 1, K::Sample},
        {"ButtonQuoteColor", 1, K::Button},
        {"EditUrlColor", 1, K::Sample},
        {"ButtonUrlColor", 1, K::Button},
        {"ButtonReservedColor", 1, K::Button},  // beside the "（将来用）" box
        {"CheckBoxToolBar", 1, K::Check},
        {"CheckBoxEnglishMenu", 1, K::Check},
        {"CheckBoxWordWrap", 1, K::Check},
        // エディタ
        {"RadioImeON", 2, K::Radio},
        {"RadioImeOff", 2, K::Radio},
        {"RadioImeNoCont", 2, K::Radio},
        {"RadioSpellCheck", 2, K::Radio},
        {"RadioNoSpellCheck", 2, K::Radio},
        {"CBIgnoreCapital", 2, K::Check},
        {"EditSpellDic", 2, K::Edit},
        {"ButtonSpellDic", 2, K::Button},
        {"SpellFontButton", 2, K::Button},
        {"EditMaxLength", 2, K::Number, 3},
        {"CBAutoReform", 2, K::Check},
        {"EditAutoReform", 2, K::Number, 3},
        {"CBTabToSpace", 2, K::Check},
        {"EditTabToSpace", 2, K::Number, 2},
        {"EditQuote", 2, K::Edit},
        {"EditQuoteChar", 2, K::Edit},
    };
    for (int n = 1; n <= 5; ++n) {
        std::string d = std::to_string(n);
        c.push_back({"EditIns" + d, 3, K::Edit});
        c.push_back({"EditInsStr" + d, 3, K::Edit});
        c.push_back({"EditInsKey" + d, 3, K::KeyBox});
    }
    for (int n = 1; n <= 5; ++n) {
        std::string d = std::to_string(n);
        c.push_back({"EditCom" + d, 4, K::Edit});
        c.push_back({"EditComLine" + d, 4, K::Edit});
        c.push_back({"ButtonCom" + d, 4, K::Button});
        c.push_back({"EditComKey" + d, 4, K::KeyBox});
    }
    c.push_back({"EditLeftSpace", 5, K::Number, 2});
    c.push_back({"EditDeleteTimer", 5, K::Number, 4});
    c.push_back({"CBDeletePloverPath", 5, K::Check});
    c.push_back({"CBReplyConfirm", 5, K::Check});
    return c;
}

}  // namespace

const std::vector<ControlDef>& OptionControls() {
    static const std::vector<ControlDef> controls = BuildControls();
    return controls;
}

const ControlDef* FindOptionControl(std::string_view name) {
    for (const ControlDef& c : OptionControls())
        if (c.name == name) return &c;
    return nullptr;
}

const std::string& OptionsForm::Text(std::string_view name) const {
    static const std::string empty;
    auto it = text.find(name);
    return it == text.end() ? empty : it->second;
}

bool OptionsForm::Checked(std::string_view name) const {
    auto it = checked.find(name);
    return it != checked.end() && it->second;
}

bool OptionsForm::Enabled(std::string_view name) const {
    auto it = enabled.find(name);
    return it == enabled.end() || it->second;
}

SampleBox& OptionsForm::Sample(std::string_view name) {
    auto it = samples.find(name);
    if (it == samples.end()) it = samples.emplace(std::string(name), SampleBox{}).first;
    return it->second;
}

const SampleBox& OptionsForm::Sample(std::string_view name) const {
    static const SampleBox none;
    auto it = samples.find(name);
    return it == samples.end() ? none : it->second;
}

}  // namespace kestrel
