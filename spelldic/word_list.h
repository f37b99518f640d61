// A list of words as the dictionary files (".wtr") hold them.
//
// The .wtr format: a text file of LF-ended lines. The first line is "KWTR1 " followed by the
// number of words in decimal; then exactly that many lines, one word each. A word is 1 to 255
// bytes, none of them a control byte, the blank or DEL. The words are sorted, without
// repeats, by their ASCII-lower-cased bytes and, among words equal that way, by their own
// bytes ("Bill" before "bill"), so that all case forms of a word stand together and a word can
// be found by binary search, and the list can be walked like a tree of shared beginnings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::spelldic {

inline constexpr std::string_view kWtrMagic = "KWTR1";
inline constexpr size_t kMaxWordBytes = 255;

// ASCII letters lower-cased, every other byte kept.
std::string FoldCase(std::string_view word);
// The .wtr order: folded bytes first, own bytes second.
bool WordLess(std::string_view a, std::string_view b);
// A byte string that may be stored as a word.
bool IsStorableWord(std::string_view word);

class WordList {
  public:
    // Parses .wtr bytes. False (list left empty, error set) on anything malformed.
    bool Parse(std::string_view bytes, std::string* error = nullptr);
    // The .wtr bytes of this list.
    std::string Serialize() const;
    // Builds a list from words in any order; unstorable words are left out, repeats merged.
    static WordList FromWords(std::vector<std::string> words);

    size_t Size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    std::string_view Word(size_t i) const;
    std::string_view Folded(size_t i) const;

    bool ContainsExact(std::string_view word) const;
    // Some case form of word is in the list.
    bool ContainsAnyCase(std::string_view word) const;
    // Index range [first, last) of the words whose folded form begins with foldedPrefix,
    // searched from index from on.
    size_t EndOfPrefix(size_t from, std::string_view foldedPrefix) const;

    // Index of the first word whose folded form is not below folded.
    size_t LowerBound(std::string_view folded) const { return LowerBoundFolded(folded); }

    // Inserts word at its place. False when it is unstorable or already there.
    bool Insert(std::string_view word);

  private:
    size_t LowerBoundFolded(std::string_view folded) const;
    void Rebuild(const std::vector<std::string>& sorted);

    std::string words_;             // each word followed by '\n'
    std::string folded_;            // the same, case-folded
    std::vector<uint32_t> starts_;  // start of word i; one more entry for the end
};

}  // namespace kestrel::spelldic
