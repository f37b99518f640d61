#include "tools/standin/compose_file.h"

#include <cstdio>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel::standin {

namespace {

constexpr size_t kFoldWidth = 40;
// Half-width katakana, as a user of the mail client may well type them: "ﾃｽﾄ ｶﾞｲﾄﾞ ﾊﾟﾝ".
constexpr char kKanaGreeting[] = "\xc3\xbd\xc4 \xb6\xde\xb2\xc4\xde \xca\xdf\xdd";

size_t SeparatorIndex(const std::vector<std::string>& mail) {
    size_t i = 0;
    while (i < mail.size() && mail[i].compare(0, 5, "-----") != 0) ++i;
    return i;
}

// Value of the first header line starting with name (compared without case), or "".
std::string HeaderValue(const std::vector<std::string>& mail, size_t sep, const std::string& name) {
    for (size_t i = 0; i < sep; ++i) {
        const std::string& l = mail[i];
        if (l.size() >= name.size() && EqualsNoCase(l.substr(0, name.size()), name))
            return std::string(TrimBlanks(std::string_view(l).substr(name.size())));
    }
    return "";
}

std::string Prefixed(const std::string& prefix, const std::string& subject) {
    if (subject.size() >= prefix.size() && EqualsNoCase(subject.substr(0, prefix.size()), prefix))
        return subject;
    return prefix + " " + subject;
}

void Append(std::vector<std::string>& out, const std::vector<std::string>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

}  // namespace

ComposeKind ReplyKindOf(const std::vector<std::string>& mail) {
    if (!mail.empty() && mail[0].find("X-Status: SNDR") != std::string::npos)
        return ComposeKind::Reply;
    return ComposeKind::ReplyAll;
}

std::vector<std::string> FoldHeaderLine(const std::string& line, size_t width) {
    std::vector<std::string> out;
    std::string rest = line;
    while (rest.size() > width) {
        size_t cut = std::string::npos, lastStart = 0;
        // The name ("Subject: ") stays whole on the first line.
        size_t from = out.empty() ? rest.find(' ') + 1 : 1;
        for (size_t i = 0; i <= width && i < rest.size(); i += CharLenAt(rest, i)) {
            if (i >= from && rest[i] == ' ') cut = i;
            if (i >= from && i > 0) lastStart = i;
        }
        if (cut == std::string::npos || cut == 0) cut = lastStart;
        if (cut == 0) break;
        out.push_back(rest.substr(0, cut));
        rest = (rest[cut] == ' ' ? "" : " ") + rest.substr(cut);
    }
    out.push_back(rest);
    return out;
}

std::vector<std::string> ComposeLines(const std::vector<std::string>& mail, ComposeKind kind) {
    size_t sep = SeparatorIndex(mail);
    std::string from = HeaderValue(mail, sep, "From:");
    std::string subject = HeaderValue(mail, sep, "Subject:");
    std::string messageId = HeaderValue(mail, sep, "Message-Id:");
    if (messageId.empty()) messageId = "<" + std::to_string(mail.size()) + ".standin@plover>";

    std::vector<std::string> out;
    if (kind == ComposeKind::Forward) {
        out.push_back("To: ");
        Append(out, FoldHeaderLine("Subject: " + Prefixed("Fw:", subject), kFoldWidth));
    } else {
        out.push_back("To: " + from);
        if (kind == ComposeKind::ReplyAll) {
            std::string cc = HeaderValue(mail, sep, "To:");
            std::string more = HeaderValue(mail, sep, "Cc:");
            if (!more.empty()) cc += cc.empty() ? more : ", " + more;
            if (!cc.empty()) out.push_back("Cc: " + cc);
        }
        Append(out, FoldHeaderLine("Subject: " + Prefixed("Re:", subject), kFoldWidth));
    }
    out.push_back("Organization: Plover stand-in");
    out.push_back("X-Mailer: Plover stand-in");
    if (kind != ComposeKind::Forward) {
        out.push_back("In-Reply-To: " + messageId);
        out.push_back("References: " + messageId);
    }
    out.push_back(std::string(50, '-'));
    out.push_back(kKanaGreeting);
    out.push_back("");
    if (kind == ComposeKind::Forward) {
        out.push_back("----- Forwarded message -----");
        for (const char* h : {"From:", "Date:", "Subject:"}) {
            std::string v = HeaderValue(mail, sep, h);
            if (!v.empty()) out.push_back(std::string("> ") + h + " " + v);
        }
        out.push_back(">");
    }
    for (size_t i = sep + 1; i < mail.size(); ++i) out.push_back("> " + mail[i]);
    return out;
}

std::string WriteComposeFile(const std::string& tempDir, const std::vector<std::string>& lines) {
    for (int k = 0; k < 0x10000; ++k) {
        char four[8];
        std::snprintf(four, sizeof four, "%04X", k);
        std::string path = tempDir + "_plv" + four + ".tmp";
        if (FileExists(path)) continue;
        return WriteLinesAtomic(path, lines) ? path : std::string();
    }
    return "";
}

std::string SavedComposeLogLine(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return "Saved(" + path + ") missing";
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex.push_back(kHex[c >> 4]);
        hex.push_back(kHex[c & 15]);
    }
    return "Saved(" + path + ") " + hex;
}

std::string BytesOfSavedLogLine(const std::string& logLine) {
    size_t p = logLine.rfind(") ");
    if (logLine.compare(0, 6, "Saved(") != 0 || p == std::string::npos) return "";
    std::string hex = logLine.substr(p + 2), bytes;
    if (hex.size() % 2 != 0) return "";
    auto nibble = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
        if (hi < 0 || lo < 0) return "";
        bytes.push_back(static_cast<char>(hi * 16 + lo));
    }
    return bytes;
}

}  // namespace kestrel::standin
