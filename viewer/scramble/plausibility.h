// Whether an unscrambled text reads as text. The marker line carries no check of the PIN, so
// unscrambling with a wrong one gives noise; before a stored mail is overwritten with the result
// it must be plain that the PIN was the right one.
#pragma once

#include <string>
#include <vector>

#include "viewer/scramble/cipher.h"

namespace kestrel {

// Whether the unscrambled lines (UnscrambleMailText of scrambled with cipher) read as text.
// A wrong PIN gives text that reads no better than the same mail unscrambled with any other
// key; the right one reads far better. So the text is compared with the mail unscrambled with
// 16 fixed decoy keys: it must beat the best of them by 3 standard deviations of their scores,
// and at least 16 characters must have changed. Short mails cannot be told from noise and
// are refused.
bool UnscrambledReadsAsText(const std::vector<std::string>& scrambled,
                            const std::vector<std::string>& unscrambled);

// Log-likelihood of the lines as mail text against noise, summed over the printable ASCII
// characters and double-byte lead bytes (the characters the cipher moves).
double TextScore(const std::vector<std::string>& lines);

}  // namespace kestrel
