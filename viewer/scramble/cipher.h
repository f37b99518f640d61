// The scramble cipher: a 59-byte key drawn from the PIN, and the line cipher that moves each
// character to another of its own kind (ASCII printable, half-width katakana, double-byte lead
// byte) so that line lengths and the Shift-JIS structure survive.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

constexpr size_t kScrambleKeyLength = 59;
using ScrambleKey = std::array<uint8_t, kScrambleKeyLength>;

// The key-stream recurrence: state := (state * multiplier + increment) mod modulus, and each
// step emits state mod outputRange. Scrambled mails on disk depend on these numbers: they can
// never change. Why these:
// - modulus 62208 = 2^8 * 3^5, multiplier - 1 = 43008 = 2^11 * 3 * 7 (divisible by 2, 3 and 4)
//   and an increment prime to 6 give the full period (every state is reached); the multiplier's
//   potency is 5, so the sequence does not fall into the visible steps of a low-potency one;
// - the output range 251 is prime and shares no factor with the modulus, so its residues do
//   not repeat with the short periods of the state's low digits, and the 59-byte streams of the
//   PINs below the modulus are all different;
// - every character class moves unless the key byte is a multiple of its class size (95, 63,
//   60): on average 1.2% of ASCII and 2% of kana or double-byte characters stay as they are,
//   and no PIN leaves more than 5 of its 59 key positions without effect on a class.
// PINs from 62208 up share their key with the PIN 62208 lower.
struct KeyRecurrence {
    uint32_t multiplier, increment, modulus, outputRange;
};
constexpr KeyRecurrence kKeyRecurrence = {43009, 47641, 62208, 251};

ScrambleKey KeyStreamFromPin(uint16_t pin);

// The line cipher for one key. The position (0..58) is the index of the next key byte; it runs
// on from line to line and is owned by the caller, who starts it at 0 for each mail.
class ScrambleCipher {
public:
    explicit ScrambleCipher(const ScrambleKey& key);
    const ScrambleKey& Key() const { return key_; }

    // Scrambles (or unscrambles) line from byte index from to its end. A lead byte takes its
    // trail byte along unchanged; a lead byte at the very end is changed alone.
    void Scramble(std::string& line, size_t from, size_t& position) const;
    void Unscramble(std::string& line, size_t from, size_t& position) const;

private:
    void Apply(const std::array<std::array<uint8_t, 256>, kScrambleKeyLength>& table,
               std::string& line, size_t from, size_t& position) const;

    ScrambleKey key_;
    // Byte maps per key position; both directions keep each byte's class.
    std::array<std::array<uint8_t, 256>, kScrambleKeyLength> forward_, inverse_;
};

}  // namespace kestrel
