#include "viewer/mail/widen_kana.h"

#include "common/sjis.h"
#include "viewer/mail/kana_table.h"

namespace kestrel {

namespace {

constexpr unsigned char kVoiced = 0xDE;
constexpr unsigned char kSemiVoiced = 0xDF;

void PutSjis(std::string& out, unsigned short jis) {
    unsigned j1 = jis >> 8, j2 = jis & 0xff;
    unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5e ? 0x70 : 0xb0);
    unsigned s2 = (j1 & 1) ? j2 + (j2 >= 0x60 ? 0x20 : 0x1f) : j2 + 0x7e;
    out.push_back(static_cast<char>(s1));
    out.push_back(static_cast<char>(s2));
}

bool IsHalfWidthKana(unsigned char b) {
    return b >= 0xA0 && b <= 0xDF;
}

}  // namespace

bool WidenKanaLine(std::string& line) {
    size_t i = 0;
    while (i < line.size() && !IsHalfWidthKana(static_cast<unsigned char>(line[i]))) {
        i += CharLenAt(line, i);
    }
    if (i >= line.size()) return false;
    std::string out = line.substr(0, i);
    out.reserve(line.size() * 2);
    while (i < line.size()) {
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (!IsHalfWidthKana(b)) {
            size_t n = CharLenAt(line, i);
            out.append(line, i, n);
            i += n;
            continue;
        }
        if (b == 0xA0) {
            PutSjis(out, 0x2121);  // the full-width space
            ++i;
            continue;
        }
        unsigned char next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
        if (next == kVoiced || next == kSemiVoiced) {
            unsigned short both = JisCombinedKana(b - 0x80, next - 0x80);
            if (both != 0) {
                PutSjis(out, both);
                i += 2;
                continue;
            }
        }
        PutSjis(out, JisWideKana(b - 0x80));
        ++i;
    }
    line = std::move(out);
    return true;
}

std::vector<size_t> WidenKana(std::vector<std::string>& lines, std::string_view path,
                              const WidenKanaOptions& options) {
    std::vector<size_t> changed;
    if (LowerSjis(path).find(".ini") != std::string::npos) return changed;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (options.aw && !options.attachPrefix.empty() &&
            lines[i].compare(0, options.attachPrefix.size(), options.attachPrefix) == 0) {
            continue;
        }
        if (WidenKanaLine(lines[i])) changed.push_back(i);
    }
    return changed;
}

}  // namespace kestrel
