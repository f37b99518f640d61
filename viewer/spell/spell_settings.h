// The [SpellCheck] settings of the English spell check, read again at the start of every check
// run, and the places of the user's dictionary files derived from them.
#pragma once

#include <string>
#include <string_view>

#include "common/ini.h"

namespace kestrel {

struct SpellSettings {
    bool spellChecker = false;  // shows the Edit menu's "&Spell check"
    bool ignoreNumeric = false;
    bool ignoreCapital = false;
    std::string alpha = "!?,.:;\"-()";
    std::string numeric = "01234567890#$%&*+<=>@`[\\]^_{|}~";
    std::string basicDic = "C:\\Program Files\\SpellChecker\\Basic.wtr";
    int fontSize = 8;
    std::string fontName = "Arial";
    int left = 200;
    int top = 100;
};

SpellSettings SpellSettingsFrom(const IniFile& ini);

// BasicDic as a path to open. A relative one is taken from programDir (the folder of the
// viewer's program, ending in a separator), where the dictionary is shipped, rather than from
// whatever the current folder happens to be.
std::string ResolveBasicDic(std::string_view basicDic, std::string_view programDir);

// "UserDic.wtr" in the folder of the basic dictionary.
std::string UserDictionaryPath(std::string_view basicDic);
// The plain list of added words beside the user dictionary ("UserDic.txt").
std::string AddedWordsPath(std::string_view userDictionary);

}  // namespace kestrel
