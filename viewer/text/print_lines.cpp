#include "viewer/text/print_lines.h"

#include "common/settings.h"

namespace kestrel {

PrintSettings PrintSettingsFrom(const IniFile& ini) {
    PrintSettings s;
    s.fontName = ViewerString(ini, "Printer", "FontName");
    s.fontSize = ViewerInt(ini, "Printer", "FontSize");
    s.leftSpace = ViewerInt(ini, "Printer", "LeftSpace");
    return s;
}

std::vector<std::string> PrintLines(const std::vector<std::string>& lines, int leftSpace) {
    if (leftSpace < 0) leftSpace = 0;
    if (leftSpace > kMaxLeftSpace) leftSpace = kMaxLeftSpace;
    const std::string margin(static_cast<size_t>(leftSpace), ' ');
    std::vector<std::string> out;
    size_t heldBack = 0;
    for (const std::string& line : lines) {
        if (line.empty()) {
            ++heldBack;
            continue;
        }
        out.insert(out.end(), heldBack, margin);
        heldBack = 0;
        out.push_back(margin + line);
    }
    return out;
}

}  // namespace kestrel
