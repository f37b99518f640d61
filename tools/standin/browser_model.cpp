#include "tools/standin/browser_model.h"

#include "common/sjis.h"

namespace kestrel::standin {

namespace {
// Splits at commas outside double quotes. False when a quote is left open.
bool SplitFields(std::string_view s, std::vector<std::string>& out) {
    bool quoted = false;
    std::string field;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i)) {
        char c = s[i];
        if (c == '"') {
            quoted = !quoted;
            field += c;
        } else if (c == ',' && !quoted) {
            out.push_back(field);
            field.clear();
        } else {
            field.append(s.substr(i, CharLenAt(s, i)));
        }
    }
    out.push_back(field);
    return !quoted;
}

// A field that may be left out: empty, "" or a decimal or 0x hexadecimal number.
bool IsNumberField(std::string_view f) {
    f = TrimBlanks(f);
    if (f.empty() || f == "\"\"") return true;
    if (f.size() > 2 && f[0] == '0' && (f[1] == 'x' || f[1] == 'X')) {
        for (char c : f.substr(2))
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
                return false;
        return true;
    }
    for (char c : f)
        if (c < '0' || c > '9') return false;
    return true;
}
}  // namespace

std::optional<BrowserOpen> ParseBrowserOpen(std::string_view macro) {
    std::vector<std::string> fields;
    if (!SplitFields(macro, fields)) return std::nullopt;
    std::string_view first = TrimBlanks(fields[0]);
    if (first.size() < 3 || first.front() != '"' || first.back() != '"') return std::nullopt;
    BrowserOpen open;
    open.target = std::string(first.substr(1, first.size() - 2));
    if (fields.size() > 2) open.window = std::string(TrimBlanks(fields[2]));
    if (fields.size() > 3) open.flags = std::string(TrimBlanks(fields[3]));
    if (!IsNumberField(open.window) || !IsNumberField(open.flags)) return std::nullopt;
    return open;
}

std::string LocalFileOf(std::string_view target) {
    std::string low = LowerSjis(target.substr(0, 5));
    if (low == "file:") {
        std::string_view path = target.substr(5);
        while (path.size() > 1 && path[0] == '/' && path[1] == '/') path.remove_prefix(1);
        if (!path.empty() && path[0] == '/' && path.size() > 2 && path[2] == ':')
            path.remove_prefix(1);  // file:///C:/...
        return std::string(path);
    }
    size_t colon = target.find(':');
    // "http://...", "ftp://...", "mailto:..." are addresses; "C:\..." is a path.
    if (colon != std::string_view::npos && colon > 1) return "";
    return std::string(target);
}

std::string OpenLogLine(std::string_view target, bool fileExists) {
    bool local = !LocalFileOf(target).empty();
    return (local && !fileExists ? "missing " : "open ") + std::string(target);
}

}  // namespace kestrel::standin
