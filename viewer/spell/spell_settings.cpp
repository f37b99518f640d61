#include "viewer/spell/spell_settings.h"

#include "common/fileio.h"

namespace kestrel {

namespace {
constexpr std::string_view kSection = "SpellCheck";
}

SpellSettings SpellSettingsFrom(const IniFile& ini) {
    SpellSettings s;
    s.spellChecker = ini.GetBool(kSection, "SpellChecker", s.spellChecker);
    s.ignoreNumeric = ini.GetBool(kSection, "IgnoreNumeric", s.ignoreNumeric);
    s.ignoreCapital = ini.GetBool(kSection, "IgnoreCapital", s.ignoreCapital);
    s.alpha = ini.GetString(kSection, "Alpha", s.alpha);
    s.numeric = ini.GetString(kSection, "Numeric", s.numeric);
    s.basicDic = ini.GetString(kSection, "BasicDic", s.basicDic);
    s.fontSize = ini.GetInt(kSection, "SpellFontSize", s.fontSize);
    s.fontName = ini.GetString(kSection, "SpellFontName", s.fontName);
    s.left = ini.GetInt(kSection, "Left", s.left);
    s.top = ini.GetInt(kSection, "Top", s.top);
    return s;
}

std::string ResolveBasicDic(std::string_view basicDic, std::string_view programDir) {
    bool absolute = (!basicDic.empty() && (basicDic[0] == '\\' || basicDic[0] == '/')) ||
                    (basicDic.size() >= 2 && basicDic[1] == ':');
    if (absolute || basicDic.empty()) return std::string(basicDic);
    return std::string(programDir) + std::string(basicDic);
}

std::string UserDictionaryPath(std::string_view basicDic) {
    return DirectoryOf(basicDic) + "UserDic.wtr";
}

std::string AddedWordsPath(std::string_view userDictionary) {
    return ReplaceExtension(userDictionary, ".txt");
}

}  // namespace kestrel
