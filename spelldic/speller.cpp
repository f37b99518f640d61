#include "spelldic/speller.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

namespace kestrel::spelldic {

namespace {

constexpr double kTransposition = 0.55;
constexpr double kNeighbourKey = 0.75;
constexpr double kVowelForVowel = 0.75;
constexpr double kDoubledLetter = 0.5;
constexpr double kFirstLetterChanged = 0.3;
constexpr double kNameForPlainWord = 0.2;

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsLetter(char c) {
    return IsUpper(c) || IsLower(c);
}
char ToUpper(char c) {
    return IsLower(c) ? char(c - 'a' + 'A') : c;
}
bool IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// Keys next to each other on a US keyboard, by row and column (rows shifted as typed).
struct KeyPos {
    int row = -1;
    double col = 0;
};

const std::array<KeyPos, 26>& KeyPositions() {
    static const std::array<KeyPos, 26> table = [] {
        std::array<KeyPos, 26> t{};
        const char* rows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
        const double shift[3] = {0, 0.25, 0.75};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; rows[r][c]; ++c) t[size_t(rows[r][c] - 'a')] = {r, c + shift[r]};
        }
        return t;
    }();
    return table;
}

bool AreNeighbourKeys(char a, char b) {
    if (!IsLower(a) || !IsLower(b)) return false;
    const KeyPos& pa = KeyPositions()[size_t(a - 'a')];
    const KeyPos& pb = KeyPositions()[size_t(b - 'a')];
    int dr = std::abs(pa.row - pb.row);
    double dc = std::fabs(pa.col - pb.col);
    return (dr == 0 && dc <= 1.0) || (dr == 1 && dc <= 0.75);
}

double SubstituteCost(char wanted, char typed) {
    if (wanted == typed) return 0;
    if (AreNeighbourKeys(wanted, typed)) return kNeighbourKey;
    if (IsVowel(wanted) && IsVowel(typed)) return kVowelForVowel;
    return 1.0;
}

// A letter of the dictionary word missing from what was typed (cheap when it doubles the one
// before: "adress").
double InsertCost(std::string_view word, size_t k) {
    return (k >= 2 && word[k - 1] == word[k - 2]) ? kDoubledLetter : 1.0;
}

// A typed letter that the dictionary word lacks (cheap when it doubles the one before: "untill").
double DeleteCost(std::string_view typed, size_t j) {
    return (j >= 2 && typed[j - 1] == typed[j - 2]) ? kDoubledLetter : 1.0;
}

// Rows of the distance table, one per letter of the dictionary word, kept while the words that
// follow in the sorted list share the beginning.
class DistanceTable {
  public:
    explicit DistanceTable(std::string_view typed) : typed_(typed), width_(typed.size() + 1) {
        rows_.resize(width_);
        deleteCost_.resize(width_);
        for (size_t j = 1; j < width_; ++j) {
            deleteCost_[j] = DeleteCost(typed_, j);
            rows_[j] = rows_[j - 1] + deleteCost_[j];
        }
        mins_.push_back(0);
        // Substitution costs of every byte against every typed letter, worked out once.
        substitute_.resize(256 * width_);
        for (int c = 0; c < 256; ++c) {
            for (size_t j = 1; j < width_; ++j) {
                substitute_[size_t(c) * width_ + j] = SubstituteCost(char(c), typed_[j - 1]);
            }
        }
    }

    // Row k (1-based letter count) for word, from rows 0..k-1 already there.
    void ComputeRow(std::string_view word, size_t k) {
        if (rows_.size() < (k + 1) * width_) rows_.resize((k + 1) * width_);
        if (mins_.size() < k + 1) mins_.resize(k + 1);
        double* cur = &rows_[k * width_];
        const double* up = &rows_[(k - 1) * width_];
        const double* up2 = k >= 2 ? &rows_[(k - 2) * width_] : nullptr;
        const char w = word[k - 1];
        const char wBefore = k >= 2 ? word[k - 2] : '\0';
        const double* sub = &substitute_[size_t(static_cast<unsigned char>(w)) * width_];
        const double ins = InsertCost(word, k);
        cur[0] = up[0] + ins;
        double rowMin = cur[0];
        for (size_t j = 1; j < width_; ++j) {
            double best = up[j] + ins;
            best = std::min(best, cur[j - 1] + deleteCost_[j]);
            best = std::min(best, up[j - 1] + sub[j]);
            if (up2 && j >= 2 && w == typed_[j - 2] && wBefore == typed_[j - 1] && w != wBefore) {
                best = std::min(best, up2[j - 2] + kTransposition);
            }
            cur[j] = best;
            rowMin = std::min(rowMin, best);
        }
        mins_[k] = rowMin;
    }

    double Final(size_t k) const { return rows_[k * width_ + width_ - 1]; }
    // No word continuing these k letters can come within limit: row k is beyond it, and so is
    // row k-1 plus a swap (the one step that reaches back two rows).
    bool DeadEnd(size_t k, double limit) const {
        return mins_[k] > limit && (k == 0 || mins_[k - 1] + kTransposition > limit);
    }

  private:
    std::string_view typed_;
    size_t width_;
    std::vector<double> rows_;
    std::vector<double> mins_;
    std::vector<double> deleteCost_;
    std::vector<double> substitute_;
};

struct Candidate {
    std::string word;
    double score = 0;
};

// Every word of list[begin, end) within limit of typed (lower case), scored.
void Collect(const WordList& list, size_t begin, size_t end, std::string_view typed, double limit,
             bool allowFragments, std::vector<Candidate>& out) {
    DistanceTable table(typed);
    std::string_view previous;
    size_t i = begin;
    while (i < end) {
        std::string_view folded = list.Folded(i);
        if (folded.size() > kMaxSuggestWord + 2 ||
            (!allowFragments && !folded.empty() && folded[0] == '\'')) {
            ++i;
            continue;
        }
        // Rows for the shared beginning with the previous word are still valid.
        size_t common = 0;
        while (common < previous.size() && common < folded.size() &&
               previous[common] == folded[common]) {
            ++common;
        }
        size_t k = common;
        bool dead = false;
        while (k < folded.size()) {
            ++k;
            table.ComputeRow(folded, k);
            if (table.DeadEnd(k, limit)) {
                dead = true;
                break;
            }
        }
        if (dead) {
            // Skip every word beginning with these k letters.
            size_t next = list.EndOfPrefix(i, folded.substr(0, k));
            i = std::max(next, i + 1);
            // The rows up to k-1 stay valid for whatever comes next.
            previous = folded.substr(0, k - 1);
            continue;
        }
        double cost = table.Final(folded.size());
        if (cost <= limit) {
            std::string_view word = list.Word(i);
            double score = cost;
            if (!typed.empty() && folded[0] != typed[0]) score += kFirstLetterChanged;
            if (IsUpper(word[0])) score += kNameForPlainWord;
            out.push_back({std::string(word), score});
        }
        previous = folded;
        ++i;
    }
}

enum class CasePattern { Lower, Capitalised, AllCaps, Mixed };

CasePattern PatternOf(std::string_view word) {
    bool anyUpper = false, anyLower = false, firstUpper = false, restLower = true;
    bool seenLetter = false;
    for (char c : word) {
        if (!IsLetter(c)) continue;
        if (!seenLetter) {
            firstUpper = IsUpper(c);
        } else if (IsUpper(c)) {
            restLower = false;
        }
        seenLetter = true;
        anyUpper |= IsUpper(c);
        anyLower |= IsLower(c);
    }
    if (!anyUpper) return CasePattern::Lower;
    if (!anyLower) return CasePattern::AllCaps;
    if (firstUpper && restLower) return CasePattern::Capitalised;
    return CasePattern::Mixed;
}

std::string ApplyPattern(std::string word, CasePattern pattern) {
    if (pattern == CasePattern::AllCaps) {
        for (char& c : word) c = ToUpper(c);
    } else if (pattern == CasePattern::Capitalised) {
        for (char& c : word) {
            if (IsLetter(c)) {
                c = ToUpper(c);
                break;
            }
        }
    }
    return word;
}

}  // namespace

double EditCost(std::string_view typed, std::string_view dictionaryWord) {
    DistanceTable table(typed);
    for (size_t k = 1; k <= dictionaryWord.size(); ++k) table.ComputeRow(dictionaryWord, k);
    return table.Final(dictionaryWord.size());
}

bool Speller::InLists(std::string_view word) const {
    return basic_.ContainsExact(word) || user_.ContainsExact(word);
}

bool Speller::InListsAnyCase(std::string_view word) const {
    return basic_.ContainsAnyCase(word) || user_.ContainsAnyCase(word);
}

bool Speller::KnowsLetters(std::string_view word) const {
    if (word.empty()) return true;
    if (word == "'") return true;
    if (InLists(word)) return true;
    switch (PatternOf(word)) {
        case CasePattern::Capitalised:
            if (InLists(FoldCase(word))) return true;
            break;
        case CasePattern::AllCaps:
            if (InListsAnyCase(word)) return true;
            break;
        default:
            break;
    }
    if (word[0] == '\'') return KnowsLetters(word.substr(1));
    return false;
}

bool Speller::Knows(std::string_view word) const {
    bool anyLetter = false;
    for (char c : word) {
        if (IsLetter(c)) {
            anyLetter = true;
        } else if (c != '\'' && c != '-') {
            return true;  // a code, a number or another script: nothing to spell
        }
    }
    if (!anyLetter) return true;
    if (word.find('-') != std::string_view::npos && !InLists(word)) {
        size_t start = 0;
        while (start <= word.size()) {
            size_t end = word.find('-', start);
            if (end == std::string_view::npos) end = word.size();
            if (!KnowsLetters(word.substr(start, end - start))) return false;
            start = end + 1;
        }
        return true;
    }
    return KnowsLetters(word);
}

std::vector<std::string> Speller::Suggest(std::string_view word, size_t max) const {
    std::vector<std::string> out;
    if (word.empty() || word.size() > kMaxSuggestWord || max == 0) return out;
    for (char c : word) {
        if (!IsLetter(c) && c != '\'') return out;
    }
    const std::string typed = FoldCase(word);
    // Short words allow fewer edits, or everything of their length would come back.
    const double limit = std::min(2.0, std::max(1.0, double(typed.size()) * 0.4));
    const bool fragments = typed[0] == '\'';
    std::vector<Candidate> found;
    for (const WordList* list : {&basic_, &user_}) {
        // One edit anywhere; up to the full limit only among words that begin with the typed
        // first letter, or its second (swapped first letters): a wrong first letter is rare, and
        // searching everything that far costs ten times as much.
        Collect(*list, 0, list->Size(), typed, std::min(limit, 1.0), fragments, found);
        if (limit > 1.0) {
            for (size_t n = 0; n < 2 && n < typed.size(); ++n) {
                if (n == 1 && typed[1] == typed[0]) break;
                std::string_view first = std::string_view(typed).substr(n, 1);
                size_t begin = list->LowerBound(first);
                Collect(*list, begin, list->EndOfPrefix(begin, first), typed, limit, fragments,
                        found);
            }
        }
    }
    const CasePattern pattern = PatternOf(word);
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        if (a.score != b.score) return a.score < b.score;
        return WordLess(a.word, b.word);
    });
    std::set<std::string> seen;
    for (const Candidate& c : found) {
        std::string shown = ApplyPattern(c.word, pattern);
        if (shown == word || !seen.insert(shown).second) continue;
        out.push_back(std::move(shown));
        if (out.size() >= max) break;
    }
    return out;
}

}  // namespace kestrel::spelldic
