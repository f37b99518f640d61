#include "viewer/link/reply_status.h"

#include "common/ini.h"
#include "common/settings.h"
#include "viewer/link/status_mark.h"

namespace kestrel {

ReplyStatusSettings PackReplyStatuses(const std::array<std::string, 5>& configured) {
    ReplyStatusSettings s;
    for (const std::string& status : configured) {
        if (!status.empty()) s.statuses.push_back(status);
    }
    return s;
}

ReplyStatusSettings ReplyStatusSettingsFrom(const IniFile& ini) {
    std::array<std::string, 5> configured;
    for (int i = 0; i < 5; ++i) {
        configured[i] = ViewerString(ini, "ReplyStatus", "Status" + std::to_string(i + 1));
    }
    return PackReplyStatuses(configured);
}

std::optional<std::string> ReplyStatusLine(const ReplyStatusSettings& settings, int k) {
    if (k < 1 || size_t(k) > settings.statuses.size()) return std::nullopt;
    return std::string(kStatusTag) + settings.statuses[k - 1];
}

}  // namespace kestrel
