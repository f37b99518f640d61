#include "viewer/mail/temp_files.h"

#include <functional>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

bool IsSeparator(std::string_view line) {
    return line.compare(0, 5, "-----") == 0;
}

// Reads a file's lines from its start until more(lines) says enough. The lines read so far
// are kept in lines; false when the file cannot be opened or read.
bool ReadLinesWhile(const std::string& path, std::vector<std::string>& lines,
                    const std::function<bool(const std::vector<std::string>&)>& more) {
    lines.clear();
    FileReader reader;
    if (!reader.Open(path)) return false;
    std::string pending;
    char buf[16384];
    while (more(lines)) {
        long long n = reader.Read(buf, sizeof buf);
        if (n < 0) return false;
        if (n == 0) {
            if (!pending.empty()) lines.push_back(pending);  // a last line without an end
            return true;
        }
        pending.append(buf, static_cast<size_t>(n));
        size_t start = 0;
        for (size_t nl = pending.find('\n'); nl != std::string::npos;
             nl = pending.find('\n', start)) {
            size_t end = nl > start && pending[nl - 1] == '\r' ? nl - 1 : nl;
            lines.emplace_back(pending, start, end - start);
            start = nl + 1;
        }
        pending.erase(0, start);
    }
    return true;
}

size_t HeaderEnd(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) return i;
    }
    return lines.size();
}

}  // namespace

std::string IdLineOf(const std::vector<std::string>& mailLines) {
    const std::string* date = nullptr;
    for (const std::string& line : mailLines) {
        if (IsSeparator(line)) break;
        std::string lower = LowerSjis(line);
        if (lower.find("message-id: ") != std::string::npos) return line;
        if (lower.find("date: ") != std::string::npos) date = &line;
    }
    return date ? *date : std::string();
}

bool ReadIdLine(const std::string& mailPath, std::string& idLine) {
    std::vector<std::string> lines;
    bool ok = ReadLinesWhile(mailPath, lines, [](const std::vector<std::string>& l) {
        return l.empty() || !IsSeparator(l.back());
    });
    idLine = ok ? IdLineOf(lines) : std::string();
    return ok;
}

int TempFileScore(const std::vector<std::string>& fileLines, std::string_view idLine) {
    if (idLine.empty()) return 0;
    size_t end = HeaderEnd(fileLines);
    bool match = false;
    for (size_t i = 0; i < end && !match; ++i) match = fileLines[i] == idLine;
    if (!match) return 0;
    size_t after = end < fileLines.size() ? fileLines.size() - end - 1 : 0;
    return 1 + static_cast<int>(after < 6 ? after : 6);
}

TempFilePick PickTempFile(const std::string& folder, std::string_view idLine) {
    TempFilePick pick;
    if (idLine.empty()) return pick;
    for (const std::string& name : ListFiles(folder, std::string(kTempFileMask))) {
        std::string path = folder + name;
        std::vector<std::string> lines;
        // Enough lines: the header, its empty end line and six more.
        bool ok = ReadLinesWhile(path, lines, [](const std::vector<std::string>& l) {
            size_t end = HeaderEnd(l);
            return end == l.size() || l.size() - end - 1 < 6;
        });
        if (!ok) {
            pick.unreadable.push_back(path);
            continue;
        }
        int score = TempFileScore(lines, idLine);
        if (score == 0) continue;
        pick.path = path;
        pick.score = score;
        if (score == kBestTempFileScore) break;
    }
    return pick;
}

TempFileDeletion DeleteTempFiles(const std::string& folder) {
    TempFileDeletion result;
    for (const std::string& name : ListFiles(folder, std::string(kTempFileMask))) {
        std::string path = folder + name;
        if (DeleteFileAt(path))
            ++result.deleted;
        else
            result.failed.push_back(path);
    }
    return result;
}

}  // namespace kestrel
