#include "viewer/text/phrases.h"

#include "common/sjis.h"

namespace kestrel {

namespace {

constexpr std::string_view kBreak = "\\n";

std::vector<std::string_view> SplitPhrase(std::string_view phrase) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t p = FindDbcs(phrase, kBreak); p != std::string_view::npos;
         p = FindDbcs(phrase, kBreak, start)) {
        parts.push_back(phrase.substr(start, p - start));
        start = p + kBreak.size();
    }
    parts.push_back(phrase.substr(start));
    return parts;
}

}  // namespace

std::string PhraseText(std::string_view phrase) {
    std::string out;
    bool first = true;
    for (std::string_view part : SplitPhrase(phrase)) {
        if (!first) out += "\r\n";
        out.append(part);
        first = false;
    }
    return out;
}

LinePos InsertPhrase(std::vector<std::string>& lines, LinePos at, std::string_view phrase) {
    if (lines.empty()) lines.emplace_back();
    if (at.line >= lines.size()) {
        at.line = lines.size() - 1;
        at.offset = lines[at.line].size();
    }
    std::string& line = lines[at.line];
    if (at.offset > line.size()) at.offset = line.size();
    std::string rest = line.substr(at.offset);
    line.resize(at.offset);

    std::vector<std::string_view> parts = SplitPhrase(phrase);
    line.append(parts[0]);
    std::vector<std::string> added;
    for (size_t i = 1; i < parts.size(); ++i) added.emplace_back(parts[i]);
    LinePos caret;
    if (added.empty()) {
        caret = {at.line, line.size()};
        line += rest;
    } else {
        caret = {at.line + added.size(), added.back().size()};
        added.back() += rest;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at.line + 1), added.begin(),
                     added.end());
    }
    return caret;
}

}  // namespace kestrel
