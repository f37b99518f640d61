// What the four functions of splcheck.dll do, as one object: the DLL keeps one of these, the
// native tests and tools use it directly. Results are the ones the viewer relies on.
#pragma once

#include <string>
#include <string_view>

#include "spelldic/speller.h"

namespace kestrel::spelldic {

// SCAlt results below -1.
inline constexpr int kAltNoDictionary = -2;  // no usable dictionary set
inline constexpr int kAltBadArguments = -3;  // no buffer, a buffer too small, no word
// Suggestions handed back at most.
inline constexpr size_t kMaxSuggestions = 10;

class SpellSession {
  public:
    // Creates an empty user dictionary at path. 1 when created; 0 when it cannot be written or
    // a file is already there (an existing dictionary is never emptied).
    int InitializeDictionary(const char* path);
    // paths: the basic dictionary, then the user dictionary (optional), then a null pointer.
    // 1 when the basic dictionary is loaded. A user dictionary that does not exist yet counts as
    // empty and is created by the first added word; a damaged one makes the call fail, so that
    // adding a word can never write over it.
    int SetDictionary(const char* const* paths, int flags);
    // 0 known, -1 misspelled without suggestion, n > 0 misspelled with n suggestions in buffer
    // (each ended by a zero byte, then an empty string), below -1 an error.
    int Alt(char* buffer, int size, const char* word);
    // Adds word to the user dictionary and writes it through a temporary file. 1 when written,
    // 0 when the word cannot be stored, there is no user dictionary, or the write failed (the
    // file on disk is then as it was and the word is not kept).
    int AddSpell(const char* word);

    bool Ready() const { return ready_; }
    const Speller& GetSpeller() const { return speller_; }

  private:
    Speller speller_;
    std::string userPath_;
    bool ready_ = false;
};

// Reads a .wtr file. False when missing, unreadable or malformed.
bool LoadWordList(const std::string& path, WordList& list, std::string* error = nullptr);

}  // namespace kestrel::spelldic
