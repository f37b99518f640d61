#include "tools/standin/macro.h"

#include "common/sjis.h"

namespace kestrel::standin {

namespace {
std::string Unquote(std::string_view a) {
    a = TrimBlanks(a);
    if (a.size() >= 2 && a.front() == '"' && a.back() == '"') a = a.substr(1, a.size() - 2);
    return std::string(a);
}

// Splits at commas outside double quotes, at character starts only.
std::vector<std::string> SplitArgs(std::string_view s) {
    std::vector<std::string> out;
    if (TrimBlanks(s).empty()) return out;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i)) {
        if (s[i] == '"') quoted = !quoted;
        if (s[i] == ',' && !quoted) {
            out.push_back(Unquote(s.substr(start, i - start)));
            start = i + 1;
        }
    }
    out.push_back(Unquote(s.substr(start)));
    return out;
}
}  // namespace

std::vector<Macro> ParseMacros(std::string_view text) {
    std::vector<Macro> out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '[') {
            i += CharLenAt(text, i);
            continue;
        }
        // The closing "]" of a group is the one after its ")", so paths may hold brackets.
        size_t close = text.find(")]", i);
        size_t open = text.find('(', i);
        if (close == std::string_view::npos || open == std::string_view::npos || open > close) {
            size_t end = text.find(']', i);
            if (end == std::string_view::npos) break;
            i = end + 1;
            continue;
        }
        Macro m;
        m.name = std::string(TrimBlanks(text.substr(i + 1, open - i - 1)));
        m.args = SplitArgs(text.substr(open + 1, close - open - 1));
        if (!m.name.empty()) out.push_back(std::move(m));
        i = close + 2;
    }
    return out;
}

}  // namespace kestrel::standin
