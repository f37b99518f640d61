#include "viewer/scramble/plausibility.h"

#include <array>
#include <cmath>

namespace kestrel {

namespace {

// Log of (probability in mail text / probability in noise) per character. Noise is uniform over
// the class (95 printable ASCII codes, 60 lead-byte rows); the text figures are rough shares of
// Japanese and English mail text, good enough to tell text from noise over a few dozen
// characters.
struct Tables {
    std::array<double, 256> ascii{};
    std::array<double, 256> lead{};
    Tables() {
        auto ratio = [](double share, int members, double noise) {
            return std::log(share / members / noise);
        };
        const double asciiNoise = 1.0 / 95;
        const std::string common = ".,-'\":/()!?>@_=;";
        for (int b = 32; b <= 126; ++b) {
            double r;
            if (b == ' ') r = ratio(0.15, 1, asciiNoise);
            else if (b >= 'a' && b <= 'z') r = ratio(0.60, 26, asciiNoise);
            else if (b >= 'A' && b <= 'Z') r = ratio(0.06, 26, asciiNoise);
            else if (b >= '0' && b <= '9') r = ratio(0.06, 10, asciiNoise);
            else if (common.find(static_cast<char>(b)) != std::string::npos)
                r = ratio(0.10, 16, asciiNoise);
            else r = ratio(0.03, 16, asciiNoise);
            ascii[b] = r;
        }
        const double leadNoise = 1.0 / 60;
        for (int b = 0x81; b <= 0xFC; ++b) {
            if (b >= 0xA0 && b <= 0xDF) continue;
            double r;
            if (b == 0x82) r = ratio(0.40, 1, leadNoise);         // hiragana, full-width letters
            else if (b == 0x81) r = ratio(0.12, 1, leadNoise);    // punctuation, symbols
            else if (b == 0x83) r = ratio(0.10, 1, leadNoise);    // katakana
            else if (b >= 0x88 && b <= 0x98) r = ratio(0.35, 17, leadNoise);  // common kanji
            else if ((b >= 0x99 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA))
                r = ratio(0.02, 18, leadNoise);                   // rarer kanji
            else if (b == 0x84 || b == 0x87 || b == 0xED || b == 0xEE || b >= 0xFA)
                r = ratio(0.007, 7, leadNoise);                   // extension rows
            else r = ratio(0.003, 15, leadNoise);                 // rows without characters
            lead[b] = r;
        }
    }
};

const Tables& ScoreTables() {
    static const Tables t;
    return t;
}

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

PlausibilityScore ScoreUnscramble(const std::vector<std::string>& scrambledWithoutMarker,
                                  const std::vector<std::string>& unscrambled) {
    const Tables& t = ScoreTables();
    PlausibilityScore s;
    const size_t lines = std::min(scrambledWithoutMarker.size(), unscrambled.size());
    for (size_t l = 0; l < lines; ++l) {
        const std::string& a = scrambledWithoutMarker[l];
        const std::string& b = unscrambled[l];
        const size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n;) {
            const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            const bool lead = IsLead(x);
            if (x != y) {
                if (x >= 32 && x <= 126 && y >= 32 && y <= 126) {
                    s.scrambled += t.ascii[x];
                    s.clear += t.ascii[y];
                    ++s.units;
                } else if (lead && IsLead(y)) {
                    s.scrambled += t.lead[x];
                    s.clear += t.lead[y];
                    ++s.units;
                }
            }
            i += lead ? 2 : 1;
        }
    }
    return s;
}

bool ReadsAsText(const PlausibilityScore& score) {
    if (score.units < 16) return false;
    const double n = static_cast<double>(score.units);
    // Text scores about +0.6 (English) to +1.7 (Japanese) per character, noise about -0.6 and
    // -2.1; so the margins below leave text a wide berth and noise a small chance over 16
    // characters and none worth counting over a hundred.
    return score.clear >= 0.2 * n && score.clear - score.scrambled >= 0.5 * n;
}

}  // namespace kestrel
