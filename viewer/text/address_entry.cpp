#include "viewer/text/address_entry.h"

#include <algorithm>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

constexpr std::string_view kFullWidthSpace = "\x81\x40";

// Index of the first character start at or after byte index i.
size_t CharStartAtOrAfter(std::string_view s, size_t i) {
    size_t p = 0;
    while (p < i && p < s.size()) p += CharLenAt(s, p);
    return p;
}

}  // namespace

std::string AddressSourceText(const std::vector<std::string>& lines, size_t selStart,
                              size_t selLength) {
    if (lines.empty()) return {};
    if (selLength > 0) {
        size_t start = 0;
        for (const std::string& line : lines) {
            size_t end = start + line.size();
            if (selStart <= end) {
                size_t from = selStart - start;
                return line.substr(from, std::min(selLength, line.size() - from));
            }
            start = end + 2;  // CR LF
        }
        return {};  // selection beyond the text
    }
    const std::string* chosen = &lines.back();
    for (const std::string& line : lines) {
        if (line.find("From:") != std::string::npos) {
            chosen = &line;
            break;
        }
    }
    size_t from = CharStartAtOrAfter(*chosen, 6);
    return from < chosen->size() ? chosen->substr(from) : std::string();
}

std::string AddressEntryFrom(std::string_view source) {
    if (FindCharDbcs('<', source) != 0) return std::string(source);
    size_t open = FindCharDbcs('(', source);
    if (open == 0) return std::string(source);
    size_t openIdx = open - 1;
    size_t close = FindDbcs(source, ")", open);
    // Without a closing bracket the name runs to the end of the line.
    std::string_view nameView = source.substr(
        open, close == std::string_view::npos ? std::string_view::npos : close - open);
    std::string name;
    for (size_t i = 0; i < nameView.size();) {
        size_t n = CharLenAt(nameView, i);
        if (nameView.substr(i, n) == kFullWidthSpace)
            name += ' ';
        else
            name.append(nameView.substr(i, n));
        i += n;
    }
    // The address ends one character before "(": the blank between them.
    std::string_view address = source.substr(0, openIdx);
    if (!address.empty()) {
        size_t last = 0;
        for (size_t i = 0; i < address.size(); i += CharLenAt(address, i)) last = i;
        address = address.substr(0, last);
    }
    return name + " <" + LowerSjis(address) + ">";
}

std::string AddressBookLine(std::string_view entry) {
    size_t lt = FindCharDbcs('<', entry);
    std::string_view name = lt == 0 ? std::string_view() : entry.substr(0, lt - 1);
    std::string_view rest = lt == 0 ? entry : entry.substr(lt - 1);
    std::string escaped;
    for (char c : name) {  // a space (0x20) is never a trail byte
        if (c == ' ') escaped += '\\';
        escaped += c;
    }
    return std::string(name) + ":" + escaped + std::string(rest);
}

std::string EscapeForAliasMacro(std::string_view entry) {
    std::string out;
    for (size_t i = 0; i < entry.size();) {
        size_t n = CharLenAt(entry, i);
        if (n == 1) {
            char c = entry[i];
            if (c == '"') {
                ++i;
                continue;
            }
            if (c == '\\' || c == ':' || c == ',') out += '\\';
        }
        out.append(entry.substr(i, n));
        i += n;
    }
    return out;
}

std::string AliasWindowTitle(std::string_view addressBookPath) {
    return FileNameOf(addressBookPath) + " - Alias";
}

}  // namespace kestrel
