#include "viewer/text/url.h"

#include <string>

#include "common/sjis.h"

namespace kestrel {

bool IsUrlStopChar(char c) {
    switch (c) {
        case '<':
        case '>':
        case '(':
        case ')':
        case '*':
        case '\\':
        case '|':
        case ' ':
        case '\'':
            return true;
        default:
            return false;
    }
}

size_t UrlLength(std::string_view text) {
    size_t n = text.size() < 6 ? text.size() : 6;
    while (n < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[n]);
        if (b < 0x21 || b > 0x7E || IsUrlStopChar(text[n])) break;
        ++n;
    }
    while (n > 0 && text[n - 1] == '.') --n;
    return n;
}

namespace {
// Case-insensitive match of a lower-case ASCII word at byte i of s.
bool MatchesAt(std::string_view s, size_t i, std::string_view lowWord) {
    if (s.size() - i < lowWord.size()) return false;
    for (size_t k = 0; k < lowWord.size(); ++k) {
        char c = s[i + k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowWord[k]) return false;
    }
    return true;
}
}  // namespace

std::optional<UrlSpan> FindColouredUrl(std::string_view line) {
    // Nearly every line has no address: skip the walk for them.
    if (line.find("://") == std::string_view::npos) return std::nullopt;
    // One walk over the character starts (so "\x83h" + "ttp://" is no address), noting the
    // first place of each scheme; "http://" anywhere wins over "https://", which wins over
    // "ftp://".
    size_t https = std::string_view::npos, ftp = std::string_view::npos;
    for (size_t i = 0; i < line.size(); i += CharLenAt(line, i)) {
        char c = line[i];
        if (c == 'h' || c == 'H') {
            if (MatchesAt(line, i, "http://")) return UrlSpan{i, UrlLength(line.substr(i))};
            if (https == std::string_view::npos && MatchesAt(line, i, "https://")) https = i;
        } else if ((c == 'f' || c == 'F') && ftp == std::string_view::npos &&
                   MatchesAt(line, i, "ftp://")) {
            ftp = i;
        }
    }
    size_t p = https != std::string_view::npos ? https : ftp;
    if (p == std::string_view::npos) return std::nullopt;
    return UrlSpan{p, UrlLength(line.substr(p))};
}

std::optional<UrlSpan> FindUrlAtCaret(std::string_view line, size_t caret) {
    std::string low = LowerSjis(line);
    // One walk over the character starts, so that a long line with many addresses stays linear.
    for (size_t p = 0; p + 4 <= low.size();) {
        if (low.compare(p, 4, "http") != 0) {
            p += CharLenAt(low, p);
            continue;
        }
        size_t len = UrlLength(line.substr(p));
        // An address that ends before the caret is passed over; one at or after it is taken.
        if (caret > p && len < caret - p) {
            p += len;  // at least the four bytes of "http", all single-byte characters
            continue;
        }
        return UrlSpan{p, len};
    }
    return std::nullopt;
}

bool SelectionIsUrl(std::string_view selection) {
    size_t http = selection.find("http");
    size_t ftp = selection.find("ftp:");
    size_t sum = (http == std::string_view::npos ? 0 : http + 1) +
                 (ftp == std::string_view::npos ? 0 : ftp + 1);
    return sum == 1;
}

}  // namespace kestrel
