#include "common/help_file.h"

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

std::string WithSeparator(const std::string& dir) {
    if (dir.empty() || IsPathSeparator(dir.back())) return dir;
    return dir + PathSeparator();
}

}  // namespace

HelpRoute ChooseHelp(const std::string& programDir, const std::string& windowsFolder,
                     std::string_view topic) {
    HelpRoute route;
    std::string dir = WithSeparator(programDir);
    std::string hlp = dir + std::string(kWinHelpFileName);
    if (!windowsFolder.empty() && FileExists(WithSeparator(windowsFolder) + "winhelp.exe") &&
        FileExists(hlp)) {
        route.kind = HelpRoute::Kind::WinHelp;
        route.program = "winhelp.exe";
        route.argument = hlp;
        return route;
    }
    std::string page = dir + std::string(kHelpPageName);
    if (!FileExists(page)) {
        route.target = page;
        return route;
    }
    route.kind = HelpRoute::Kind::Browser;
    route.target = topic.empty() ? page : FileUrl(page, topic);
    return route;
}

std::string FileUrl(std::string_view path, std::string_view topic) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file:///";
    if (!path.empty() && path.front() == '/') path.remove_prefix(1);
    for (size_t i = 0; i < path.size(); i += CharLenAt(path, i)) {
        if (CharLenAt(path, i) == 2) {  // kept as it is: its trail byte may be 0x5C
            url.append(path.substr(i, 2));
            continue;
        }
        char c = path[i];
        unsigned char b = static_cast<unsigned char>(c);
        if (c == '\\') {
            url += '/';
        } else if (b <= 0x20 || b == 0x7F || c == '#' || c == '%' || c == '?') {
            url += '%';
            url += kHex[b >> 4];
            url += kHex[b & 15];
        } else {
            url += c;
        }
    }
    if (!topic.empty()) {
        url += '#';
        url.append(topic);
    }
    return url;
}

}  // namespace kestrel
