// Save and Quit's text work over arbitrary bytes: the header rebuild only joins lines (no byte
// is lost, added or moved), the widening leaves no half-width katakana at a character start
// and never more than doubles a line, and nothing crashes on truncated double-byte characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/mail/compose.h"
#include "viewer/mail/widen_kana.h"

namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& l : lines) all += l;
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool aw = data[0] & 1;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> lines = kestrel::SplitLines(text);

    std::vector<std::string> rebuilt = kestrel::RebuildComposeHeader(lines);
    if (Joined(rebuilt) != Joined(lines) || rebuilt.size() > lines.size()) std::abort();

    for (std::string line : lines) {
        const std::string before = line;
        const bool changed = kestrel::WidenKanaLine(line);
        if (!changed && line != before) std::abort();
        if (line.size() > before.size() * 2) std::abort();
        for (size_t i = 0; i < line.size(); i += kestrel::CharLenAt(line, i)) {
            unsigned char b = static_cast<unsigned char>(line[i]);
            if (b >= 0xA0 && b <= 0xDF) std::abort();
        }
    }

    kestrel::SaveAndQuitRequest r;
    r.path = (data[0] & 2) ? "c:\\temp\\_plv0001.tmp" : "c:\\mail\\out\\0001.txt";
    r.widen.aw = aw;
    r.widen.attachPrefix = "$$AttachFile: ";
    kestrel::PlanSaveAndQuit(lines, r);
    return 0;
}
