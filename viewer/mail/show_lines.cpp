#include "viewer/mail/show_lines.h"

#include "common/sjis.h"
#include "viewer/text/url.h"

namespace kestrel {

bool IsQuotedLine(const std::string& line) {
    if (line.empty()) return false;
    if (line[0] == '>' || line[0] == '|') return true;
    return line.size() >= 2 && line[0] == '\x81' && line[1] == '\x84';
}

std::vector<ShownLine> ShowMailLines(const std::vector<std::string>& lines, bool showToThis) {
    std::vector<ShownLine> shown;
    shown.reserve(lines.size());
    bool bodyReached = false;
    bool previousShown = true;
    size_t pos = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        bool show = true;
        if (!showToThis && !bodyReached) {
            if (StartsWithNoCase(line, "to:") || StartsWithNoCase(line, "cc:") ||
                StartsWithNoCase(line, "bcc:")) {
                show = false;
            } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
                // Further addresses of a hidden line go with it. A leading TAB (TabToSpace
                // below 0 keeps it) counts as a blank here.
                show = previousShown;
            }
            if (line.empty() || line.compare(0, 4, "----") == 0) bodyReached = true;
        }
        previousShown = show;
        if (!show) continue;
        ShownLine s;
        s.index = i;
        s.quote = IsQuotedLine(line);
        if (auto url = FindColouredUrl(line)) {
            s.urlPos = url->start + 1;
            s.urlLength = url->length;
        }
        s.editorPos = pos;
        pos += line.size() + 2;
        shown.push_back(s);
    }
    return shown;
}

}  // namespace kestrel
