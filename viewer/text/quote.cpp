#include "viewer/text/quote.h"

#include "common/sjis.h"

namespace kestrel {

QuoteCharSet::QuoteCharSet(std::string_view quoteChar) {
    // Only single-byte characters take part: a double-byte entry would otherwise let the
    // prefix end between the two bytes of a character.
    for (size_t i = 0; i < quoteChar.size(); i += CharLenAt(quoteChar, i)) {
        const auto b = static_cast<unsigned char>(quoteChar[i]);
        if (IsSingleByteChar(b)) member_[b] = true;
    }
}

size_t QuoteCharSet::PrefixLength(std::string_view line) const {
    size_t n = 0;
    while (n < line.size() && member_[static_cast<unsigned char>(line[n])]) ++n;
    // Full-width space (81 40), greater-than sign (81 84) and number sign (81 94).
    while (n + 1 < line.size() && static_cast<unsigned char>(line[n]) == 0x81) {
        const auto t = static_cast<unsigned char>(line[n + 1]);
        if (t != 0x40 && t != 0x84 && t != 0x94) break;
        n += 2;
    }
    return n;
}

std::string_view QuotePrefix(std::string_view line, std::string_view quoteChar) {
    return line.substr(0, QuoteCharSet(quoteChar).PrefixLength(line));
}

void QuoteLines(std::vector<std::string>& lines, std::string_view quoteMark) {
    for (std::string& line : lines) line.insert(0, quoteMark);
}

void UnquoteLines(std::vector<std::string>& lines, std::string_view quoteChar) {
    if (lines.empty()) return;
    const std::string prefix(QuotePrefix(lines.front(), quoteChar));
    if (prefix.empty()) return;
    for (std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) line.erase(0, prefix.size());
    }
}

}  // namespace kestrel
