// Whether an unscrambled text reads as text. The marker line carries no check of the PIN, so
// unscrambling with a wrong one gives noise; before a stored mail is overwritten with the result
// it must read clearly better than the scrambled form did.
#pragma once

#include <string>
#include <vector>

namespace kestrel {

struct PlausibilityScore {
    size_t units = 0;        // characters that differ between the two texts and tell something
    double clear = 0;        // log-likelihood of the unscrambled characters as mail text
    double scrambled = 0;    // the same for the scrambled characters
};

// Compares the unscrambled lines with the scrambled ones (marker line dropped, so both have the
// same lines and lengths). Half-width katakana tell nothing and are not counted.
PlausibilityScore ScoreUnscramble(const std::vector<std::string>& scrambledWithoutMarker,
                                  const std::vector<std::string>& unscrambled);

// At least 16 telling characters, the unscrambled ones reading as text and clearly better than
// the scrambled ones. Short mails cannot be told from noise and are refused.
bool ReadsAsText(const PlausibilityScore& score);

}  // namespace kestrel
