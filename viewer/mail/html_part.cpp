#include "viewer/mail/html_part.h"

#include "common/sjis.h"

namespace kestrel {

namespace {
bool BeginsNoCase(std::string_view line, std::string_view lowPrefix) {
    return line.size() >= lowPrefix.size() &&
           LowerSjis(line.substr(0, lowPrefix.size())) == lowPrefix;
}
}  // namespace

std::vector<std::string> ExtractHtmlPart(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    const size_t n = lines.size();
    size_t i = 0;
    bool started = false;
    while (i < n && !started) {
        const std::string& line = lines[i];
        if (BeginsNoCase(line, "content-type: text/html;")) {
            // The part's header lines, the empty line after them and any further empty lines.
            while (i < n && !lines[i].empty()) ++i;
            while (i < n && lines[i].empty()) ++i;
            if (i == n) break;
            const std::string& first = lines[i];
            if (LowerSjis(first).find("<html>") == std::string::npos) {
                out.emplace_back("<html>");
                out.push_back(first);
                started = true;
                // A part that is only its closing tag ends there.
                if (BeginsNoCase(first, "</html>")) return out;
                ++i;
            } else if (!BeginsNoCase(first, "<html>")) {
                ++i;  // "<html>" further on in the line: not taken as the start
            }
            continue;  // a line beginning "<html>" is taken by the rule below
        }
        if (BeginsNoCase(line, "<html>")) {
            out.push_back(line);
            started = true;
        }
        ++i;
    }
    for (; started && i < n; ++i) {
        out.push_back(lines[i]);
        if (BeginsNoCase(lines[i], "</html>")) break;
    }
    return out;
}

}  // namespace kestrel
