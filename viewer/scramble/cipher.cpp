#include "viewer/scramble/cipher.h"

namespace kestrel {

ScrambleKey KeyStreamFromPin(uint16_t pin) {
    const KeyRecurrence& r = kKeyRecurrence;
    ScrambleKey key{};
    uint32_t state = pin;
    for (auto& k : key) {
        state = static_cast<uint32_t>((uint64_t{state} * r.multiplier + r.increment) % r.modulus);
        k = static_cast<uint8_t>(state % r.outputRange);
    }
    return key;
}

namespace {

// Lead bytes 0x81-0x9F and 0xE0-0xFC as one run of 60 codes: 0x81-0x9F are counted as if 64
// higher, so the run is 193..252. Half-width katakana (0xA1-0xDF) are single characters.
int LeadIndex(int b) {
    if (b >= 161 && b <= 223) return -1;
    int a = (b >= 129 && b <= 159) ? b + 64 : b;
    return (a >= 193 && a <= 252) ? a - 193 : -1;
}
int LeadFromIndex(int e) {
    return e <= 30 ? e + 129 : e + 193;
}

// The byte b moved by shift within its class (shift already reduced, may be negative).
uint8_t Move(int b, int k95, int k63, int k60) {
    if (b < 32) return static_cast<uint8_t>(b);
    if (b <= 126) return static_cast<uint8_t>((b - 32 + k95 + 95) % 95 + 32);
    if (b >= 161 && b <= 223) return static_cast<uint8_t>((b - 161 + k63 + 63) % 63 + 161);
    int e = LeadIndex(b);
    if (e >= 0) return static_cast<uint8_t>(LeadFromIndex((e + k60 + 60) % 60));
    return static_cast<uint8_t>(b);  // 0x7F, 0x80, 0xA0, 0xFD-0xFF
}

}  // namespace

ScrambleCipher::ScrambleCipher(const ScrambleKey& key) : key_(key) {
    for (size_t p = 0; p < kScrambleKeyLength; ++p) {
        int k = key[p];
        for (int b = 0; b < 256; ++b) {
            forward_[p][b] = Move(b, k % 95, k % 63, k % 60);
            inverse_[p][b] = Move(b, -(k % 95), -(k % 63), -(k % 60));
        }
    }
}

void ScrambleCipher::Apply(const std::array<std::array<uint8_t, 256>, kScrambleKeyLength>& table,
                           std::string& line, size_t from, size_t& position) const {
    size_t pos = position % kScrambleKeyLength;
    const size_t n = line.size();
    for (size_t i = from; i < n;) {
        const auto b = static_cast<unsigned char>(line[i]);
        line[i] = static_cast<char>(table[pos][b]);
        // Classes are kept, so both directions skip the same trail bytes.
        i += LeadIndex(b) >= 0 ? 2 : 1;
        if (++pos == kScrambleKeyLength) pos = 0;
    }
    position = pos;
}

void ScrambleCipher::Scramble(std::string& line, size_t from, size_t& position) const {
    Apply(forward_, line, from, position);
}

void ScrambleCipher::Unscramble(std::string& line, size_t from, size_t& position) const {
    Apply(inverse_, line, from, position);
}

}  // namespace kestrel
