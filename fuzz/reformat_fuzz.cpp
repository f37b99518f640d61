// Reformat, quote and unquote over arbitrary bytes, widths and quote prefixes: no crash, no
// read out of bounds, always ends; and a text reformatted in pieces cut before its empty lines
// equals the text reformatted whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "viewer/text/quote.h"
#include "viewer/text/reformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    kestrel::ReformatSettings s;
    // Widths 1-116 mostly, sometimes far larger, now and then unusable ones.
    const uint8_t w = data[0];
    if (w < 200) {
        s.maxLength = 1 + w % 116;
    } else if (w < 250) {
        s.maxLength = 117 + (w - 200) * 37;
    } else {
        s.maxLength = static_cast<int32_t>(w) - 252;  // -2 .. 3
    }
    const uint8_t flags = data[1];
    s.deleteTab = flags & 1;
    if (flags & 2) s.quoteChar = std::string(">| \x81\x40", 5);  // a double-byte entry too
    if (flags & 4) s.avoidEndChar = kestrel::SpaceAfterDoubleByte(std::string("\x81\x75(", 3));
    if (flags & 8) s.endCharZenkaku.push_back('\x81');  // a truncated entry
    const size_t start = data[2] % 8;
    std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
    if (flags & 16) {
        // A long quote prefix in front of the first line.
        text.insert(0, std::string(data[3] * 2u, '>'));
    }
    std::vector<std::string> lines = kestrel::SplitLines(text);
    const std::vector<std::string> original = lines;

    std::vector<std::string> whole = lines;
    const bool ok = kestrel::ReformatLines(whole, start, s);
    if (!ok && whole != original) std::abort();  // a refused pass changes nothing

    if (ok && start < lines.size()) {
        // Pieces: everything before start as is, then runs of non-empty lines.
        const kestrel::ReformatPass pass(s);
        std::vector<std::string> joined(lines.begin(), lines.begin() + start), piece;
        const auto flush = [&] {
            pass.Run(piece, 0, start != 0);
            joined.insert(joined.end(), piece.begin(), piece.end());
            piece.clear();
        };
        for (size_t k = start; k < lines.size(); ++k) {
            if (lines[k].empty()) {
                flush();
                joined.push_back(lines[k]);
            } else {
                piece.push_back(lines[k]);
            }
        }
        flush();
        if (joined != whole) std::abort();
    }

    std::vector<std::string> q = lines;
    kestrel::QuoteLines(q, "> ");
    kestrel::UnquoteLines(q, s.quoteChar);
    return 0;
}
