// An English speller over a basic and a user word list: which words it knows (with the case
// rules a reader expects) and, for the others, suggestions best first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "spelldic/word_list.h"

namespace kestrel::spelldic {

// Longest word suggestions are looked for; longer ones get none.
inline constexpr size_t kMaxSuggestWord = 40;

class Speller {
  public:
    void SetBasic(WordList list) { basic_ = std::move(list); }
    void SetUser(WordList list) { user_ = std::move(list); }
    const WordList& Basic() const { return basic_; }
    const WordList& User() const { return user_; }
    WordList& User() { return user_; }

    // Known when it stands in a list as written, or:
    //  - Capitalised (first letter upper, the rest lower) and its lower-case form is known, as a
    //    sentence begins;
    //  - ALL CAPITALS and any case form of it is known;
    //  - a plain lower-case word is NOT known from a capitalised entry (a name stays a name);
    //  - a lone apostrophe, or an apostrophe before a known word (a quoted word);
    //  - hyphenated, and every part is known;
    //  - there is nothing to spell: no letters at all, or digits and other signs mixed in.
    bool Knows(std::string_view word) const;

    // Up to max suggestions for an unknown word, best first, in the word's own case pattern.
    // Ranked by a weighted edit distance in which swapped neighbours, neighbouring keys, vowels
    // for vowels and doubled letters cost less than other edits; a changed first letter and a
    // name offered for a lower-case word cost a little more.
    std::vector<std::string> Suggest(std::string_view word, size_t max) const;

  private:
    bool InLists(std::string_view word) const;
    bool InListsAnyCase(std::string_view word) const;
    bool KnowsLetters(std::string_view word) const;

    WordList basic_;
    WordList user_;
};

// Weighted distance between two lower-case words, as Suggest ranks them (for tests).
double EditCost(std::string_view typed, std::string_view dictionaryWord);

}  // namespace kestrel::spelldic
