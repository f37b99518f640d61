#include "viewer/link/folder.h"

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

std::string FolderFileOf(std::string_view path) {
    std::string dir = LowerSjis(DirectoryOf(path));
    if (!dir.empty()) dir.pop_back();  // DirectoryOf ends with the separator
    bool trash = dir.find("trash") != std::string::npos;
    return dir + (trash ? ".can" : ".fld");
}

bool IsFolderMail(std::string_view path) {
    std::string name = FileNameOf(path);
    return name.size() == 8 && LowerSjis(name.substr(4)) == ".txt";
}

std::string MailNumberOf(std::string_view path) {
    return IsFolderMail(path) ? FileNameOf(path).substr(0, 4) : std::string();
}

}  // namespace kestrel
