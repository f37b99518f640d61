#include "common/fileio.h"

#include "common/sjis.h"

namespace kestrel {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        size_t end = (lf > start && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        lines.emplace_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    size_t total = 0;
    for (const auto& l : lines) total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool ReadFileLines(const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        lines.clear();
        return false;
    }
    lines = SplitLines(bytes);
    return true;
}

bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
    return WriteFileAtomic(path, JoinLinesCrLf(lines));
}

bool IsPathSeparator(char c) {
    return c == '/' || c == PathSeparator();
}

namespace {
size_t LastSeparator(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        // A '\\' can be the trail byte of a double-byte character ("\x95\x5c"): only a
        // separator that starts a character counts.
        if (IsPathSeparator(path[i - 1]) && StartsCharAt(path, i - 1)) return i - 1;
    }
    return std::string_view::npos;
}

bool MaskMatch(std::string_view n, std::string_view m) {
    if (m.empty()) return n.empty();
    if (m[0] == '*') {
        for (size_t i = 0;; i += CharLenAt(n, i)) {
            if (MaskMatch(n.substr(i), m.substr(1))) return true;
            if (i >= n.size()) return false;
        }
    }
    if (n.empty()) return false;
    size_t nl = CharLenAt(n, 0);
    if (m[0] == '?') return MaskMatch(n.substr(nl), m.substr(1));
    size_t ml = CharLenAt(m, 0);
    if (nl != ml) return false;
    if (ml == 1) {
        if (!EqualsNoCase(n.substr(0, 1), m.substr(0, 1))) return false;
    } else if (n.compare(0, 2, m.substr(0, 2)) != 0) {
        return false;
    }
    return MaskMatch(n.substr(nl), m.substr(ml));
}
}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    return MaskMatch(name, mask);
}

std::string DirectoryOf(std::string_view path) {
    size_t sep = LastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string FileNameOf(std::string_view path) {
    size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ReplaceExtension(std::string_view path, std::string_view ext) {
    size_t sep = LastSeparator(path);
    size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
    size_t dot = path.rfind('.');
    std::string out(path);
    if (dot != std::string_view::npos && dot >= nameStart) out.resize(dot);
    out += ext;
    return out;
}

}  // namespace kestrel
