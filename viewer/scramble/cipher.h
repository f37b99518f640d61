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
// - modulus 62208 = 2^8 * 3^5; multiplier - 1 = 24972 = 12 * 2081 is divisible by 2, 3 and 4,
//   and the increment is prime to 6: the full period (every state is reached). The multiplier's
//   potency is 5, so the states do not fall into the regular steps of a low-potency one.
// - multiplier - 1 shares only 12 with the modulus. Two PINs whose states differ by d keep a
//   constant difference for ever when (multiplier - 1) * d is a multiple of the modulus; with 12
//   that takes d = 5184, so only PINs that far apart get keys that are shifts of each other (a
//   larger common factor made every 81st PIN such a neighbour, and a wrong PIN of that kind
//   unscrambles to a shifted copy of the text).
// - the output range 229 is prime and shares no factor with the modulus, so its residues do not
//   repeat with the short periods of the state's low digits, and the 59-byte keys of the PINs
//   below the modulus are all different.
// - a class of characters stays unchanged where the key byte is a multiple of its size (95, 63,
//   60): on average 1.3% of ASCII and 1.7% of kana or double-byte characters, and no PIN leaves
//   more than 5 of its 59 key positions without effect on a class.
// PINs from 62208 up share their key with the PIN 62208 lower.
struct KeyRecurrence {
    uint32_t multiplier, increment, modulus, outputRange;
};
constexpr KeyRecurrence kKeyRecurrence = {24973, 35999, 62208, 229};

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
