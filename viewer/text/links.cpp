#include "viewer/text/links.h"

#include "common/settings.h"

namespace kestrel {

LinkSettings LinkSettingsFrom(const IniFile& ini) {
    LinkSettings s;
    s.newBrowser = ViewerBool(ini, "View", "NewBrowser");
    return s;
}

std::string BrowserUrlMacro(std::string_view url) {
    return "\"" + std::string(url) + "\",,0xFFFFFFFF,0x4,,,";
}

std::string BrowserFileMacro(std::string_view path) {
    return "\"file:" + std::string(path) + "\",\"\",0xFFFFFFFF,\"\"";
}

// The double quote and "<" are below 0x40, the smallest trail byte of a double-byte character,
// so a plain byte search cannot land inside one.
std::string MailToText(std::string_view selection) {
    size_t quote = selection.rfind('"');
    if (quote == std::string_view::npos) return "\"" + std::string(selection) + "\"";
    size_t angle = selection.find('<', quote + 1);
    if (angle == std::string_view::npos) return std::string(selection);
    return std::string(selection.substr(0, quote + 1)) + std::string(selection.substr(angle));
}

BrowserLaunch BrowserLaunchForFile(std::string_view command, std::string_view file) {
    const std::string quoted = "\"" + std::string(file) + "\"";
    std::string out;
    bool substituted = false;
    for (size_t i = 0; i < command.size();) {
        if (command.compare(i, 2, "%1") == 0) {
            bool alreadyQuoted =
                i > 0 && command[i - 1] == '"' && i + 2 < command.size() && command[i + 2] == '"';
            out += alreadyQuoted ? std::string(file) : quoted;
            substituted = true;
            i += 2;
        } else {
            out += command[i++];
        }
    }
    if (!substituted) return {out, quoted};
    return {out, ""};
}

}  // namespace kestrel
