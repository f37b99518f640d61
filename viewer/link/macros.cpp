#include "viewer/link/macros.h"

#include "common/sjis.h"

namespace kestrel {

OpenRequest ParseOpenMacro(std::string_view macroLines, std::string_view currentFile) {
    OpenRequest req;
    // Execute data may end in a NUL and carry further lines; only the first line is read.
    size_t end = macroLines.find_first_of(std::string_view("\r\n\0", 3));
    std::string low = LowerSjis(macroLines.substr(0, end));
    constexpr std::string_view kHead = "[open(\"";
    if (low.compare(0, kHead.size(), kHead) != 0) return req;
    if (!currentFile.empty() && low.find(currentFile) != std::string::npos) {
        req.kind = OpenRequest::AlreadyShown;
        return req;
    }
    // A line too short to hold "\")]" after the head has no path at all.
    if (low.size() <= kHead.size() + 3) return req;
    req.kind = OpenRequest::Open;
    req.path = low.substr(kHead.size(), low.size() - kHead.size() - 3);
    return req;
}

namespace {
std::string Two(std::string_view name, std::string_view a, std::string_view b) {
    std::string s = "[";
    s += name;
    s += '(';
    s += a;
    s += ',';
    s += b;
    s += ")]";
    return s;
}

std::string Quoted(std::string_view s) {
    std::string q = "\"";
    q += s;
    q += '"';
    return q;
}
}  // namespace

std::string UpdateMacro(std::string_view folder, std::string_view number) {
    return Two("Update", folder, number);
}

std::string FocusMacro(std::string_view folder, std::string_view number) {
    return Two("Focus", folder, number);
}

std::string UpdateFolderMacro(std::string_view folderDir) {
    return "[Update(" + std::string(folderDir) + ".fld)]";
}

std::string MoveMacro(std::string_view toFolder, std::string_view fromFolder,
                      std::string_view number) {
    return "[Move(" + std::string(toFolder) + "," + std::string(fromFolder) + "," +
           std::string(number) + ")]";
}

std::string MoveManyMacro(std::string_view toDir, std::string_view fromDir,
                          const std::vector<std::string>& numbers) {
    std::string s = "[Move(" + std::string(toDir) + ".fld," + std::string(fromDir) + ".fld";
    for (const std::string& n : numbers) s += "," + n;
    return s + ")]";
}

std::string ReplyMacro(std::string_view folder, std::string_view number) {
    return Two("Reply", folder, number);
}

std::string ForwardMacro(std::string_view folder, std::string_view number) {
    return Two("Forward", Quoted(folder), Quoted(number));
}

std::string ViewMacro(std::string_view which) {
    return "[View(" + Quoted(which) + ")]";
}

std::string FinchpostFocusMacro(std::string_view folder, std::string_view number) {
    return Two("Focus", Quoted(folder), number);
}

std::string AppendMacro(std::string_view escapedAddress) {
    return "[Append(" + Quoted(escapedAddress) + ")]";
}

}  // namespace kestrel
