#include "common/ini.h"

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// One physical line of the file: [start, end) is its text, next is where the following line
// starts (end plus the length of its CR LF or LF).
struct LineSpan {
    size_t start, end, next;
};

// The line that starts at pos; false at the end of the bytes.
bool LineAt(std::string_view bytes, size_t pos, LineSpan& span) {
    if (pos >= bytes.size()) return false;
    size_t lf = bytes.find('\n', pos);
    if (lf == std::string_view::npos) {
        span = {pos, bytes.size(), bytes.size()};
    } else {
        span = {pos, (lf > pos && bytes[lf - 1] == '\r') ? lf - 1 : lf, lf + 1};
    }
    return true;
}

// Last index of a ']' that starts a character (a trail byte 0x5D is not a bracket), or npos.
size_t LastCloseBracket(std::string_view s) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i)) {
        if (s[i] == ']') found = i;
    }
    return found;
}

// Section and key names are compared without case; only bytes that start a character fold.
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        size_t len = CharLenAt(a, i);
        if (len == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else {
            char x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
            if (x != y) return false;
        }
        i += len;
    }
    return true;
}

// The parsed view of one line.
struct ParsedLine {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;  // section name or key name, trimmed
    size_t valueStart = 0;  // Key: offset of the text after '=' in the file
    size_t valueEnd = 0;    // Key: end of the line text
};

ParsedLine ParseLine(std::string_view bytes, const LineSpan& span) {
    ParsedLine out;
    std::string_view line = bytes.substr(span.start, span.end - span.start);
    size_t lead = 0;
    while (lead < line.size() && IsBlank(line[lead])) ++lead;
    std::string_view body = line.substr(lead);
    if (body.empty()) return out;
    if (body[0] == '[') {
        size_t close = LastCloseBracket(body);
        if (close != std::string_view::npos && close > 0) {
            out.kind = ParsedLine::Section;
            out.name = TrimBlanks(body.substr(1, close - 1));
        }
        return out;
    }
    // '=' (0x3D) can never be a trail byte, so a plain search is safe.
    size_t eq = body.find('=');
    if (eq == std::string_view::npos) return out;
    out.kind = ParsedLine::Key;
    out.name = TrimBlanks(body.substr(0, eq));
    out.valueStart = span.start + lead + eq + 1;
    out.valueEnd = span.end;
    return out;
}

// What a profile reader returns for the raw text after '=': blanks trimmed, then one pair of
// enclosing double quotes removed.
std::string CleanValue(std::string_view raw) {
    std::string_view v = TrimBlanks(raw);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// The line end the file already uses, for lines we add: the first one found, else CR LF.
std::string_view LineEndOf(std::string_view bytes) {
    size_t lf = bytes.find('\n');
    if (lf != std::string_view::npos && (lf == 0 || bytes[lf - 1] != '\r')) return "\n";
    return "\r\n";
}

bool HasLineBreak(std::string_view s) {
    return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

}  // namespace

int32_t ParseIniInt(std::string_view text, int32_t def) {
    std::string_view s = TrimBlanks(text);
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return def;
    bool hex = false;
    if (s[0] == '$') {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty()) return def;
    uint64_t value = 0;
    if (hex) {
        // Hex texts are 32-bit patterns: $FFFFFFFF is -1, as colours like $80000005 need.
        for (char c : s) {
            if (!IsHexDigit(c)) return def;
            value = value * 16 + static_cast<uint64_t>(HexValue(c));
            if (value > 0xFFFFFFFFull) return def;
        }
        uint32_t bits = static_cast<uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    const uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    for (char c : s) {
        if (c < '0' || c > '9') return def;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > limit) return def;
    }
    if (negative) return static_cast<int32_t>(0u - static_cast<uint32_t>(value));
    return static_cast<int32_t>(value);
}

uint32_t MapColourNumber(int32_t value) {
    static constexpr uint32_t kColours[18] = {
        0x00000000, 0x00000080, 0x00008000, 0x00008080, 0x00800000, 0x00800080,
        0x00808000, 0x00808080, 0x00C0C0C0, 0x000000FF, 0x0000FF00, 0x00FF0000,
        0x00FF00FF, 0x00FFFF00, 0x00FFFFFF, 0x80000001, 0x80000005, 0x80000008,
    };
    if (value <= -101 && value >= -118) return kColours[-101 - value];
    return static_cast<uint32_t>(value);
}

IniFile IniFile::Load(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) bytes.clear();
    return FromBytes(std::move(bytes));
}

IniFile IniFile::FromBytes(std::string bytes) {
    IniFile ini;
    ini.bytes_ = std::move(bytes);
    return ini;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (section.empty() || key.empty()) return std::nullopt;
    bool inSection = false;
    LineSpan span;
    for (size_t pos = 0; LineAt(bytes_, pos, span); pos = span.next) {
        ParsedLine p = ParseLine(bytes_, span);
        if (p.kind == ParsedLine::Section) {
            inSection = NamesEqual(p.name, section);
        } else if (p.kind == ParsedLine::Key && inSection && NamesEqual(p.name, key)) {
            return CleanValue(
                std::string_view(bytes_).substr(p.valueStart, p.valueEnd - p.valueStart));
        }
    }
    return std::nullopt;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view def) const {
    std::optional<std::string> v = Get(section, key);
    return v ? *v : std::string(def);
}

int32_t IniFile::GetInt(std::string_view section, std::string_view key, int32_t def) const {
    std::optional<std::string> v = Get(section, key);
    return v ? ParseIniInt(*v, def) : def;
}

bool IniFile::GetBool(std::string_view section, std::string_view key, bool def) const {
    return GetInt(section, key, def ? 1 : 0) != 0;
}

uint32_t IniFile::GetColour(std::string_view section, std::string_view key, uint32_t def) const {
    return MapColourNumber(GetInt(section, key, static_cast<int32_t>(def)));
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    // A name or value that would split or restructure the line is refused rather than
    // written: it would corrupt the neighbouring settings.
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        LastCloseBracket(section) != std::string_view::npos) {
        return false;
    }
    const std::string eol(LineEndOf(bytes_));

    bool inSection = false;
    bool sectionFound = false;
    size_t insertAt = 0;  // end of the last non-blank line of the first matching section
    bool insertNeedsEol = false;
    LineSpan span;
    for (size_t pos = 0; LineAt(bytes_, pos, span); pos = span.next) {
        ParsedLine p = ParseLine(bytes_, span);
        if (p.kind == ParsedLine::Section) {
            if (inSection) sectionFound = true;  // the first matching section has ended
            inSection = !sectionFound && NamesEqual(p.name, section);
            if (inSection) {
                insertAt = span.next;
                insertNeedsEol = span.next == span.end;
            }
            continue;
        }
        if (!inSection) continue;
        if (p.kind == ParsedLine::Key && NamesEqual(p.name, key)) {
            bytes_.replace(p.valueStart, p.valueEnd - p.valueStart, value);
            return true;
        }
        if (!TrimBlanks(std::string_view(bytes_).substr(span.start, span.end - span.start))
                 .empty()) {
            insertAt = span.next;
            insertNeedsEol = span.next == span.end;
        }
    }
    if (inSection) sectionFound = true;

    std::string line;
    line.reserve(key.size() + value.size() + 4);
    line.append(key).append("=").append(value).append(eol);
    if (sectionFound) {
        if (insertNeedsEol) line.insert(0, eol);
        bytes_.insert(insertAt, line);
        return true;
    }
    std::string block;
    if (!bytes_.empty() && bytes_.back() != '\n') block.append(eol);
    block.append("[").append(section).append("]").append(eol).append(line);
    bytes_.append(block);
    return true;
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        // A file that exists but cannot be read must not be replaced by a one-key file.
        if (FileExists(path)) return false;
        bytes.clear();
    }
    IniFile ini = IniFile::FromBytes(std::move(bytes));
    if (!ini.Set(section, key, value)) return false;
    return WriteFileAtomic(path, ini.Bytes());
}

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view def) {
    return IniFile::Load(path).GetString(section, key, def);
}

int32_t ReadIniInt(const std::string& path, std::string_view section, std::string_view key,
                   int32_t def) {
    return IniFile::Load(path).GetInt(section, key, def);
}

}  // namespace kestrel
