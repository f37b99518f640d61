// The outside dictionary library "splcheck.dll" as the spell check sees it: loaded by name for one
// check run, its four functions looked up by name. On Windows the library is loaded at run time;
// natively a fake or the dictionary code linked in serves.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline constexpr std::string_view kSpellLibraryName = "splcheck.dll";
// Size of the suggestion buffer handed to SCAlt.
inline constexpr int kSuggestionBufferSize = 1024;

enum class SpellFunction { InitializeDictionary, SetDictionary, Alt, AddSpell };

// "SCInitializeDictionary", "SCSetDictionary", "SCAlt", "SCAddSpell".
std::string_view SpellFunctionName(SpellFunction f);

// One loaded library. Released (FreeLibrary) when destroyed. Calling a function that Has()
// denies is a programming error; implementations return an error result.
class SpellLibrary {
  public:
    virtual ~SpellLibrary() = default;
    virtual bool Has(SpellFunction f) const = 0;
    // Non-zero: an empty user dictionary was created at path.
    virtual int InitializeDictionary(const std::string& path) = 0;
    // Non-zero: the dictionaries are usable.
    virtual int SetDictionary(const std::string& basicDic, const std::string& userDic) = 0;
    // 0 known; -1 misspelled without suggestion; > 0 misspelled, buffer holds the suggestions
    // (each ended by a zero byte, the last followed by an empty string); < -1 an error.
    virtual int Alt(char* buffer, int size, const std::string& word) = 0;
    virtual int AddSpell(const std::string& word) = 0;
};

class SpellLibraryLoader {
  public:
    virtual ~SpellLibraryLoader() = default;
    // nullptr when the library cannot be loaded.
    virtual std::unique_ptr<SpellLibrary> Load(std::string_view name) = 0;
};

// The suggestions in an SCAlt buffer. Never reads past size bytes: a list without its closing
// empty string ends at the buffer's end, and an unterminated last string is dropped.
std::vector<std::string> ParseSuggestions(const char* buffer, int size);

}  // namespace kestrel
