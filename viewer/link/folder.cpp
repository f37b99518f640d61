#include "viewer/link/folder.h"

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

bool Contains(std::string_view s, std::string_view part) {
    return FindDbcs(s, part) != std::string_view::npos;
}

}  // namespace

std::string FolderFileOf(std::string_view path) {
    std::string dir = LowerSjis(DirectoryOf(path));
    if (!dir.empty()) dir.pop_back();  // DirectoryOf ends with the separator
    return dir + (Contains(dir, "trash") ? ".can" : ".fld");
}

bool IsFolderMail(std::string_view path) {
    std::string name = FileNameOf(path);
    return name.size() == 8 && LowerSjis(name.substr(4)) == ".txt";
}

std::string MailNumberOf(std::string_view path) {
    return IsFolderMail(path) ? FileNameOf(path).substr(0, 4) : std::string();
}

bool InOutFolder(std::string_view path) {
    std::string folderFile = FolderFileOf(path);
    return Contains(folderFile, "\\out.fld") || Contains(folderFile, "/out.fld");
}

bool IsComposeOrOutPath(std::string_view lowerPath) {
    return (Contains(lowerPath, PathLiteral("\\_plv")) && Contains(lowerPath, ".tmp")) ||
           Contains(lowerPath, PathLiteral("\\out\\"));
}

std::string OnDiskPath(const std::string& path) {
    std::string resolved = ResolvePathCase(path);
    if (resolved != path || FileExists(path) || DirectoryExists(path)) return resolved;
    // A file still to be made: resolve its folder.
    std::string dir = DirectoryOf(path);
    if (dir.empty()) return path;
    return ResolvePathCase(dir) + FileNameOf(path);
}

}  // namespace kestrel
