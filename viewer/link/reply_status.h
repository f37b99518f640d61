// The configured reply statuses ([ReplyStatus] Status1 to Status5): the non-empty ones, packed
// in key order, are the entries of the "&Reply" menu and the reply statuses 1 to 5.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class IniFile;

struct ReplyStatusSettings {
    // Packed: entry k-1 is reply status k. Holds only non-empty statuses, at most five.
    std::vector<std::string> statuses;
};

// Status1 to Status5 as written, empty ones dropped and the rest moved up.
ReplyStatusSettings PackReplyStatuses(const std::array<std::string, 5>& configured);
ReplyStatusSettings ReplyStatusSettingsFrom(const IniFile& ini);

// The status line of reply status k (1-based), or nothing when fewer than k statuses are
// configured: a key bound to an unconfigured status then does nothing at all.
std::optional<std::string> ReplyStatusLine(const ReplyStatusSettings& settings, int k);

}  // namespace kestrel
