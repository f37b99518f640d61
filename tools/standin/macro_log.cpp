#include "tools/standin/macro_log.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "common/fileio.h"

namespace kestrel::standin {

std::string LogLine(long long msOfDay, const std::string& text) {
    if (msOfDay < 0) msOfDay = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d ", int(msOfDay / 3600000 % 24),
                  int(msOfDay / 60000 % 60), int(msOfDay / 1000 % 60), int(msOfDay % 1000));
    return buf + text;
}

std::string LogLineNow(const std::string& text) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return LogLine(((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 + ms, text);
}

std::vector<LogEntry> ParseLog(const std::string& bytes) {
    std::vector<LogEntry> out;
    for (const std::string& line : SplitLines(bytes)) {
        int h = 0, m = 0, s = 0, ms = 0, used = 0;
        if (line.size() < 13 || line[2] != ':' || line[5] != ':' || line[8] != '.' ||
            line[12] != ' ' ||
            std::sscanf(line.c_str(), "%2d:%2d:%2d.%3d%n", &h, &m, &s, &ms, &used) != 4 ||
            used != 12) {
            continue;
        }
        out.push_back({((h * 60LL + m) * 60 + s) * 1000 + ms, line.substr(13)});
    }
    return out;
}

}  // namespace kestrel::standin
