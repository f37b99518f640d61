#include "viewer/scramble/plausibility.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "viewer/scramble/mail_scramble.h"

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
        // Upper case and digits are common enough that base64 attachments read as text.
        const std::string common = ".,-'\":/()!?>@_=+";
        for (int b = 32; b <= 126; ++b) {
            double r;
            if (b == ' ')
                r = ratio(0.12, 1, asciiNoise);
            else if (b >= 'a' && b <= 'z')
                r = ratio(0.45, 26, asciiNoise);
            else if (b >= 'A' && b <= 'Z')
                r = ratio(0.18, 26, asciiNoise);
            else if (b >= '0' && b <= '9')
                r = ratio(0.10, 10, asciiNoise);
            else if (common.find(static_cast<char>(b)) != std::string::npos)
                r = ratio(0.12, 17, asciiNoise);
            else
                r = ratio(0.03, 15, asciiNoise);  // # $ % & * ; < [ \ ] ^ ` { | } ~
            ascii[b] = r;
        }
        const double leadNoise = 1.0 / 60;
        for (int b = 0x81; b <= 0xFC; ++b) {
            if (b >= 0xA0 && b <= 0xDF) continue;
            double r;
            if (b == 0x82)
                r = ratio(0.40, 1, leadNoise);  // hiragana, full-width letters
            else if (b == 0x81)
                r = ratio(0.12, 1, leadNoise);  // punctuation, symbols
            else if (b == 0x83)
                r = ratio(0.10, 1, leadNoise);  // katakana
            else if (b >= 0x88 && b <= 0x98)
                r = ratio(0.35, 17, leadNoise);  // common kanji
            else if ((b >= 0x99 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA))
                r = ratio(0.02, 18, leadNoise);  // rarer kanji
            else if (b == 0x84 || b == 0x87 || b == 0xED || b == 0xEE || b >= 0xFA)
                r = ratio(0.007, 7, leadNoise);  // extension rows
            else
                r = ratio(0.003, 15, leadNoise);  // rows without characters
            lead[b] = r;
        }
    }
};

const Tables& ScoreTables() {
    static const Tables t;
    return t;
}

bool IsLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace

double TextScore(const std::vector<std::string>& lines) {
    const Tables& t = ScoreTables();
    double score = 0;
    for (const std::string& line : lines) {
        for (size_t i = 0; i < line.size();) {
            const auto b = static_cast<unsigned char>(line[i]);
            if (IsLead(b)) {
                score += t.lead[b];
                i += 2;
            } else {
                if (b >= 32 && b <= 126) score += t.ascii[b];
                ++i;
            }
        }
    }
    return score;
}

namespace {

const std::vector<ScrambleCipher>& DecoyCiphers() {
    static const std::vector<ScrambleCipher> decoys = [] {
        std::vector<ScrambleCipher> out;
        std::mt19937 rng(0x4b657374);  // fixed: the same decisions on every run
        for (int i = 0; i < 16; ++i) {
            ScrambleKey key{};
            for (auto& k : key) k = static_cast<uint8_t>(rng() % 251);
            out.emplace_back(key);
        }
        return out;
    }();
    return decoys;
}

size_t ChangedCharacters(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    size_t changed = 0;
    for (size_t l = 0; l < std::min(a.size(), b.size()); ++l) {
        const size_t n = std::min(a[l].size(), b[l].size());
        for (size_t i = 0; i < n; ++i) changed += a[l][i] != b[l][i];
    }
    return changed;
}

}  // namespace

bool UnscrambledReadsAsText(const std::vector<std::string>& scrambled,
                            const std::vector<std::string>& unscrambled) {
    if (scrambled.size() < 2) return false;
    std::vector<std::string> withoutMarker = scrambled;
    withoutMarker.erase(withoutMarker.begin() + 1);
    if (ChangedCharacters(withoutMarker, unscrambled) < 16) return false;
    double best = -1e300, sum = 0, squares = 0;
    const auto& decoys = DecoyCiphers();
    for (const ScrambleCipher& decoy : decoys) {
        std::vector<std::string> d = scrambled;
        UnscrambleMailText(d, decoy);
        const double s = TextScore(d);
        best = std::max(best, s);
        sum += s;
        squares += s * s;
    }
    const double n = static_cast<double>(decoys.size());
    const double mean = sum / n;
    const double sd = std::sqrt(std::max(squares / n - mean * mean, 0.0));
    return sd > 0 && TextScore(unscrambled) >= best + 3 * sd;
}

}  // namespace kestrel
