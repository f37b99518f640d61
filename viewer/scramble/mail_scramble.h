// Scrambling and unscrambling a whole mail text: the "X-Scramble: " marker line, the Subject
// lines with their readable start, and the body after the separator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/scramble/cipher.h"

namespace kestrel {

// The marker line inserted as the second line of a scrambled text.
constexpr std::string_view kScrambleMarker = "X-Scramble: ";

// How many bytes of a Subject line stay readable: "Subject: ", then a list tag "] ", a reply
// prefix ending in "E:" or "e:", a forward prefix ": " and a title in "【...】" when they lie
// near the start, then keptSubjectBytes more bytes. keptSubjectBytes 0 keeps "Subject: " only.
size_t SubjectClearCount(std::string_view line, uint8_t keptSubjectBytes);

// Scrambles lines in place: inserts the marker line, scrambles the Subject lines of the header
// after their readable start and every line after the separator ("------"). False, and lines
// unchanged, when the text has fewer than two lines or its second line holds the marker already.
// UnscrambleMailText restores every text this changes, byte for byte.
bool ScrambleMailText(std::vector<std::string>& lines, const ScrambleCipher& cipher,
                      uint8_t keptSubjectBytes);

enum class UnscrambleOutcome {
    Done,
    NotScrambled,  // no marker on the second line: unchanged
    BadMarker,     // the marker's number does not convert: unchanged ("Error in Original.")
};
UnscrambleOutcome UnscrambleMailText(std::vector<std::string>& lines, const ScrambleCipher& cipher);

}  // namespace kestrel
