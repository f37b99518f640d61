#include "viewer/mail/compose.h"

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

size_t HeaderEnd(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Contains(lines[i], kComposeSeparator)) return i;
    }
    return lines.size();
}

bool StartsHeaderLine(std::string_view line) {
    static constexpr std::string_view kNames[] = {"to:",   "cc:",      "bcc:",     "date:",
                                                  "from:", "subject:", "in-reply", "referenc",
                                                  "x-",    " ",        "\t"};
    std::string first = LowerSjis(line.substr(0, 8));
    for (std::string_view name : kNames) {
        if (StartsWith(first, name)) return true;
    }
    return false;
}

}  // namespace

bool IsComposeTmpPath(std::string_view path) {
    return Contains(LowerSjis(path), ".tmp");
}

bool IsComposePath(std::string_view path) {
    std::string lower = LowerSjis(path);
    std::string out = std::string(1, PathSeparator()) + "out" + PathSeparator();
    return Contains(lower, ".tmp") || Contains(lower, out) || Contains(lower, "\\out\\");
}

bool HeaderLooksIncomplete(const std::vector<std::string>& lines) {
    size_t end = HeaderEnd(lines);
    for (size_t i = 0; i < end; ++i) {
        const std::string& l = lines[i];
        if ((StartsWith(l, "To:") || StartsWith(l, "Subject:")) && l.size() < 10) return true;
    }
    return false;
}

std::vector<std::string> RebuildComposeHeader(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    if (lines.empty()) return out;
    size_t stop = HeaderEnd(lines);
    if (stop == lines.size()) stop = lines.size() - 1;
    out.reserve(lines.size());
    std::string pending;
    for (size_t i = 0; i < stop; ++i) {
        if (StartsHeaderLine(lines[i])) {
            if (!pending.empty()) out.push_back(std::move(pending));
            pending = lines[i];
        } else {
            pending += lines[i];
        }
    }
    if (!pending.empty()) out.push_back(std::move(pending));
    out.insert(out.end(), lines.begin() + stop, lines.end());
    return out;
}

SaveAndQuitPlan PlanSaveAndQuit(const std::vector<std::string>& editorLines,
                                const SaveAndQuitRequest& request) {
    SaveAndQuitPlan plan;
    if (IsComposeTmpPath(request.path) && HeaderLooksIncomplete(editorLines)) {
        plan.outcome = SaveAndQuitPlan::HeaderMissing;
        return plan;
    }
    if (request.readOnly) {
        plan.outcome = SaveAndQuitPlan::ReadOnly;
        return plan;
    }
    if (!request.wholeFile || request.path.empty()) {
        plan.outcome = SaveAndQuitPlan::SaveAsFirst;
        return plan;
    }
    plan.widenedLines = editorLines;
    plan.widened = WidenKana(plan.widenedLines, request.path, request.widen);
    plan.lines =
        IsComposePath(request.path) ? RebuildComposeHeader(plan.widenedLines) : plan.widenedLines;
    plan.outcome = SaveAndQuitPlan::Write;
    return plan;
}

}  // namespace kestrel
