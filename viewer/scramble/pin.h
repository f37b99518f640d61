// The PIN as the user types it in the PIN dialog: the number twice in a row.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel {

// The PIN of an entry whose two halves are equal and convert to an integer as settings values
// do (decimal, "$" or "0x" hex); its low 16 bits. Nothing for an empty or odd-length entry,
// halves that differ or a non-number.
std::optional<uint16_t> PinFromEntry(std::string_view entry);

}  // namespace kestrel
