// Start-up values that do not need a window: the command line, the folders and files the
// viewer derives from it and from the platform, and the trash folder of the mail client.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ini.h"
#include "viewer/link/folder.h"

namespace kestrel {

struct CommandLine {
    std::string switchText;  // the first argument, lower-cased ("" when there is none)
    bool scramble = false;   // "/s"
    bool edit = false;       // "/e"
    bool view = false;       // "/v" or "/w"
    bool announce = false;   // "/a"
    std::string file;        // the file argument, lower-cased; "" when none
    bool AnySwitch() const { return scramble || edit || view || announce; }
};

// Switches are looked for in the first argument only; several may run together ("/s/e"). On
// a platform whose path separator is '/', the first argument counts as switches only when it
// is made of nothing else, so that a path such as /home/sam/mail is never taken for "/s".
// The file is the remaining arguments joined by single blanks (a path with blanks that arrived
// unquoted is put together again), enclosing double quotes removed, lower-cased.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The folder that holds the folder directory of path ("c:\plover\" for
// c:\plover\inbox\0012.txt), ending in a separator; "" when path has no such folder.
std::string ClientDirOf(std::string_view path);

// The program path, lower-cased, with its extension replaced by ".ini".
std::string SettingsPathFor(std::string_view programPath);

// The program's file name is one of the names the viewer ships under.
bool HasOwnProgramName(std::string_view programPath);

// The temporary folder: the setting when not empty, else TEMP, else the Windows folder +
// "\temp\" (writeBack is then set: that value goes into [Location] TempPath). Always ends in a
// path separator.
std::string DeriveTempFolder(std::string_view setting, std::string_view tempVariable,
                             std::string_view windowsFolder, bool* writeBack);

// The program file named by a command text from the registry or a setting: the text between
// enclosing quotes, or the text up to and including ".exe" when it is followed by arguments.
std::string ProgramFileOf(std::string_view command);

// part occurs in s where a character starts (never inside a double-byte character).
bool ContainsText(std::string_view s, std::string_view part);

// The mail client's trash folder file found in its settings (section [Folder], keys Name0,
// Name1, ... until the first empty one); clientDir + "trash.can" when none names it.
std::string TrashPathFrom(const IniFile& ploverIni, std::string_view ploverExe,
                          std::string_view clientDir);

}  // namespace kestrel
