#include "viewer/scramble/mail_scramble.h"

#include <algorithm>
#include <array>

#include "common/ini.h"

namespace kestrel {

namespace {

constexpr std::string_view kSeparator = "------";
constexpr std::string_view kSubject = "Subject:";

bool Contains(std::string_view line, std::string_view what) {
    return line.find(what) != std::string_view::npos;
}
bool StartsWith(std::string_view line, std::string_view what) {
    return line.substr(0, what.size()) == what;
}

// Where the header walk stops: the first line holding the separator, but not beyond the
// second-last line, so that a text without a separator has its last line scrambled as its body.
// A separator on the last line is reached all the same: a header-only mail keeps its separator
// readable and has its Subject scrambled like any other.
size_t WalkStop(const std::vector<std::string>& lines) {
    const size_t count = lines.size();
    for (size_t i = 0; i + 2 < count; ++i)
        if (Contains(lines[i], kSeparator)) return i;
    if (count >= 2 && !Contains(lines[count - 2], kSeparator) &&
        Contains(lines[count - 1], kSeparator))
        return count - 1;
    return count >= 2 ? count - 2 : 0;
}

std::vector<size_t> SubjectLinesBefore(const std::vector<std::string>& lines, size_t stop) {
    std::vector<size_t> out;
    for (size_t i = 0; i < stop; ++i)
        if (StartsWith(lines[i], kSubject)) out.push_back(i);
    return out;
}

size_t LongestLine(const std::vector<std::string>& lines, const std::vector<size_t>& which) {
    size_t longest = 0;
    for (size_t i : which) longest = std::max(longest, lines[i].size());
    return longest;
}

// The text after the marker converts like a settings value: two different fallbacks giving the
// same result means it converted.
bool MarkerNumber(std::string_view line, long long& n) {
    std::string_view text = line.size() > 11 ? line.substr(11) : std::string_view();
    int32_t a = ParseIniInt(text, 0), b = ParseIniInt(text, 1);
    if (a != b) return false;
    n = a;
    return true;
}

}  // namespace

size_t SubjectClearCount(std::string_view line, uint8_t keptSubjectBytes) {
    size_t clear = std::min<size_t>(9, line.size());
    if (keptSubjectBytes != 0) {
        struct Rule {
            std::string_view marker;
            size_t limit;
        };
        static constexpr std::array<Rule, 5> kRules = {
            {{"] ", 24}, {"E:", 6}, {"e:", 6}, {": ", 6}, {"\x81\x7a", 12}}};  // 】
        for (const Rule& r : kRules) {
            size_t at = line.substr(clear).find(r.marker);
            // 1-based position q of the marker in the rest; q + 1 bytes move into the clear part.
            if (at != std::string_view::npos && at + 1 <= r.limit)
                clear = std::min(line.size(), clear + at + 2);
        }
        clear += std::min<size_t>(keptSubjectBytes, line.size() - clear);
    }
    return clear;
}

bool ScrambleMailText(std::vector<std::string>& lines, const ScrambleCipher& cipher,
                      uint8_t keptSubjectBytes) {
    if (lines.size() < 2 || Contains(lines[1], kScrambleMarker)) return false;
    const size_t stop = WalkStop(lines);
    const std::vector<size_t> subjects = SubjectLinesBefore(lines, stop);

    // One clear count for every Subject line (the marker has room for one number); the last
    // Subject line's, as the marker always recorded. Should a scrambled Subject come out holding
    // the separator, it would end the header early when unscrambled: the count then grows until
    // none does (at worst the whole subject stays readable).
    size_t n = subjects.empty() ? 0 : SubjectClearCount(lines[subjects.back()], keptSubjectBytes);
    std::vector<std::string> scrambled, original;
    for (size_t i : subjects) original.push_back(lines[i]);
    size_t position = 0;
    for (;; ++n) {
        scrambled.clear();
        position = 0;
        bool holdsSeparator = false;
        for (size_t i : subjects) {
            std::string s = lines[i];
            if (n < s.size()) cipher.Scramble(s, n, position);
            holdsSeparator = holdsSeparator || Contains(s, kSeparator);
            scrambled.push_back(std::move(s));
        }
        if (!holdsSeparator) break;
    }

    for (size_t k = 0; k < subjects.size(); ++k) lines[subjects[k]] = std::move(scrambled[k]);
    if (Contains(lines[stop], kSeparator)) {
        for (size_t i = stop + 1; i < lines.size(); ++i) cipher.Scramble(lines[i], 0, position);
    } else {
        // No separator: the walk stopped at the second-last line and the body is the last one.
        // Should it come out holding a separator, the text would read as a header-only mail. A
        // count above every Subject line's length marks it: the subjects stay readable and the
        // last line is scrambled from the key's start.
        std::string last = lines.back();
        cipher.Scramble(last, 0, position);
        if (Contains(last, kSeparator)) {
            for (size_t k = 0; k < subjects.size(); ++k) lines[subjects[k]] = original[k];
            // Measured over every line the unscramble may take for a Subject of the header.
            n = LongestLine(lines, SubjectLinesBefore(lines, lines.size() - 1)) + 1;
            last = lines.back();
            position = 0;
            cipher.Scramble(last, 0, position);
        }
        lines.back() = std::move(last);
    }
    lines.insert(lines.begin() + 1, std::string(kScrambleMarker) + std::to_string(n));
    return true;
}

UnscrambleOutcome UnscrambleMailText(std::vector<std::string>& lines,
                                     const ScrambleCipher& cipher) {
    if (lines.size() < 2 || !StartsWith(lines[1], kScrambleMarker))
        return UnscrambleOutcome::NotScrambled;
    long long n = 0;
    if (!MarkerNumber(lines[1], n)) return UnscrambleOutcome::BadMarker;
    lines.erase(lines.begin() + 1);
    if (lines.size() < 2) return UnscrambleOutcome::Done;

    // The same walk as the scramble's, on the text without its marker line.
    size_t stop = WalkStop(lines);
    std::vector<size_t> subjects = SubjectLinesBefore(lines, stop);
    if (stop == lines.size() - 1 &&
        static_cast<unsigned long long>(std::max(n, 0LL)) > LongestLine(lines, subjects)) {
        stop = lines.size() - 2;  // the marked text without a separator (see the scramble)
        subjects = SubjectLinesBefore(lines, stop);
    }
    const size_t clear = static_cast<size_t>(std::max(n, 0LL));
    size_t position = 0;
    for (size_t i : subjects)
        if (clear < lines[i].size()) cipher.Unscramble(lines[i], clear, position);
    for (size_t i = stop + 1; i < lines.size(); ++i) cipher.Unscramble(lines[i], 0, position);
    return UnscrambleOutcome::Done;
}

}  // namespace kestrel
