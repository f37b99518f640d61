#include "viewer/text/text_command.h"

#include <algorithm>
#include <exception>

#include "common/settings.h"

namespace kestrel {

TextCommandSettings TextCommandSettingsFrom(const IniFile& ini) {
    TextCommandSettings s;
    s.reformat = ReformatSettingsFrom(ini);
    s.quote = ViewerString(ini, "View", "Quote");
    return s;
}

bool RunOnCopy(std::vector<std::string>& lines,
               const std::function<bool(std::vector<std::string>& lines)>& pass) {
    try {
        std::vector<std::string> copy = lines;
        if (!pass(copy)) return false;
        lines.swap(copy);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

size_t JustifyStartIndex(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("------") != std::string::npos) return i + 1;
    }
    return lines.empty() ? 0 : lines.size() - 1;
}

TextRange WidenToWholeLines(std::string_view text, size_t selStart, size_t selLength) {
    // Index k holds the last byte of a line: "\n", or a "\r" not followed by "\n".
    const auto endsLine = [&](size_t k) {
        return text[k] == '\n' ||
               (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n'));
    };
    selStart = std::min(selStart, text.size());
    size_t begin = selStart;
    while (begin > 0 && !endsLine(begin - 1)) --begin;
    size_t end = selLength > 0 ? std::min(selStart + selLength - 1, text.size()) : selStart;
    while (end < text.size() && !endsLine(end)) ++end;
    if (end < text.size()) ++end;
    return {begin, end};
}

}  // namespace kestrel
