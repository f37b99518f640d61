#include "viewer/scramble/scramble_settings.h"

#include "common/fileio.h"
#include "common/settings.h"
#include "viewer/link/folder.h"

namespace kestrel {

ScrambleSettings ScrambleSettingsFrom(const IniFile& ini) {
    ScrambleSettings s;
    s.keptSubjectBytes = static_cast<uint8_t>(
        static_cast<uint32_t>(ViewerInt(ini, "Scramble", "SubjectLength")) + 1u);
    s.autoScramble = "," + ViewerString(ini, "Scramble", "AutoScramble") + ",";
    s.pin =
        static_cast<uint16_t>(static_cast<uint32_t>(ViewerInt(ini, "Scramble", "PIN")) & 0xFFFFu);
    return s;
}

std::string MailFolderName(std::string_view path) {
    std::string folderFile = FolderFileOf(path);  // "<dir>.fld" or "<dir>.can", lower case
    folderFile.resize(folderFile.size() - 4);
    return FileNameOf(folderFile);
}

bool IsAutoScrambleFolder(const ScrambleSettings& settings, std::string_view path) {
    const std::string name = MailFolderName(path);
    // A mail without a folder would otherwise match the ",," of an empty list.
    if (name.empty()) return false;
    return settings.autoScramble.find("," + name + ",") != std::string::npos;
}

}  // namespace kestrel
