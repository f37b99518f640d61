#include "viewer/scramble/pin.h"

#include "common/ini.h"

namespace kestrel {

std::optional<uint16_t> PinFromEntry(std::string_view entry) {
    const size_t half = entry.size() / 2;
    std::string_view first = entry.substr(0, half), second = entry.substr(half);
    if (first != second) return std::nullopt;  // an odd length always lands here
    // Converted when two different fallbacks give the same value.
    int32_t a = ParseIniInt(second, 0), b = ParseIniInt(second, 1);
    if (a != b) return std::nullopt;
    return static_cast<uint16_t>(static_cast<uint32_t>(a) & 0xFFFFu);
}

}  // namespace kestrel
