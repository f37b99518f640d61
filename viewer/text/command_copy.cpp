#include "viewer/text/command_copy.h"

#include <vector>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

CommandPlan CopyMailForCommand(std::string_view command, std::string_view marker,
                               std::string_view mailPath, std::string_view programDir) {
    CommandPlan plan;
    size_t at = FindDbcs(command, marker);
    plan.program = std::string(at == std::string_view::npos ? command : command.substr(0, at));
    plan.argument = std::string(mailPath);
    if (at == std::string_view::npos) return plan;
    std::string_view after = command.substr(at + marker.size());
    if (after.empty() || after.front() != '.') {
        plan.extra = std::string(after);
        return plan;
    }
    size_t blank = after.find(' ');  // a blank is never a trail byte
    std::string_view ext = after.substr(0, blank);
    plan.extra =
        blank == std::string_view::npos ? std::string() : std::string(after.substr(blank + 1));
    std::string copy = std::string(programDir) + FileNameOf(ReplaceExtension(mailPath, ext));
    if (!EqualsNoCase(copy, mailPath)) {
        plan.copyPath = copy;
        plan.argument = copy;
    }
    return plan;
}

CommandPlan PlanCommand(std::string_view command, std::string_view mailPath,
                        std::string_view programDir, std::string_view selection) {
    size_t at = FindDbcs(command, kSelectMarker);
    if (at != std::string_view::npos) {
        CommandPlan plan;
        plan.program = std::string(command.substr(0, at));
        plan.argument = std::string(selection);
        plan.extra = std::string(command.substr(at + kSelectMarker.size()));
        plan.usesSelection = true;
        return plan;
    }
    std::string_view marker =
        FindDbcs(command, kMarker32) != std::string_view::npos ? kMarker32 : kMarker16;
    return CopyMailForCommand(command, marker, mailPath, programDir);
}

bool WriteCommandCopy(const std::string& mailPath, const std::string& copyPath) {
    std::vector<std::string> lines;
    if (!ReadFileLines(mailPath, lines)) return false;
    return WriteLinesAtomic(copyPath, lines);
}

}  // namespace kestrel
