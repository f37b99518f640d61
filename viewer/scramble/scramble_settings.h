// The [Scramble] settings and the automatic-scramble folder list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

class IniFile;

struct ScrambleSettings {
    // (SubjectLength + 1) mod 256: 7 with the default 6.
    uint8_t keptSubjectBytes = 7;
    // AutoScramble enclosed in commas, so that every entry is too: ",private,diary,".
    std::string autoScramble = ",,";
    // The stored PIN, its low 16 bits; 0 means none.
    uint16_t pin = 0;
};

ScrambleSettings ScrambleSettingsFrom(const IniFile& ini);

// The lower-case name of the folder directory that holds a mail ("c:\plover\diary\0001.txt" ->
// "diary"); "" when the path has no directory.
std::string MailFolderName(std::string_view path);

// True when the mail's folder is listed in AutoScramble. The list is compared as written, so
// only entries in lower case can match, and only whole entries: "ary" does not match "diary".
bool IsAutoScrambleFolder(const ScrambleSettings& settings, std::string_view path);

}  // namespace kestrel
