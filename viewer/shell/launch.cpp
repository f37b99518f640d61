#include "viewer/shell/launch.h"

#include "common/sjis.h"

namespace kestrel {

namespace {

// End (exclusive) of the program path in lower: just after the first ".exe", ".com" or ".bat"
// that ends the text or is followed by a blank; 0 when there is none. Taking the first such
// extension keeps a folder named like "www.example.com" from ending the path early.
size_t ProgramPathEnd(std::string_view lower) {
    size_t best = std::string_view::npos;
    for (std::string_view ext : {".exe", ".com", ".bat"}) {
        for (size_t at = lower.find(ext); at != std::string_view::npos;
             at = lower.find(ext, at + 1)) {
            size_t end = at + ext.size();
            if (end == lower.size() || lower[end] == ' ') {
                if (end < best) best = end;
                break;
            }
        }
    }
    return best == std::string_view::npos ? 0 : best;
}

}  // namespace

std::string BuildCommandLine(std::string_view program, std::string_view argument,
                             std::string_view extra) {
    std::string lower = LowerSjis(program);
    size_t end = ProgramPathEnd(lower);
    std::string line;
    if (program.find('"') == std::string_view::npos && end > 0 &&
        lower.substr(0, end).find(' ') != std::string::npos) {
        line = "\"" + lower.substr(0, end) + "\"" + std::string(program.substr(end));
    } else {
        line = std::string(program);
    }
    line += ' ';
    line += argument;
    line += ' ';
    line += extra;
    return line;
}

}  // namespace kestrel
