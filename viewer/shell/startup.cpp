#include "viewer/shell/startup.h"

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

// Matched only where a character starts, so that a trail byte ("\x95\x5c") never passes for
// the path separator or a letter of a name.
bool Contains(std::string_view s, std::string_view part) {
    return FindDbcs(s, part) != std::string_view::npos;
}

// True when text consists of switches only ("/s", "/s/e", "/A").
bool OnlySwitches(std::string_view text) {
    if (text.empty() || text.size() % 2 != 0) return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        if (text[i] != '/') return false;
        char c = text[i + 1];
        if (c != 's' && c != 'e' && c != 'v' && c != 'w' && c != 'a') return false;
    }
    return true;
}

bool EndsWithSeparator(std::string_view s) {
    return !s.empty() && IsPathSeparator(s.back()) && StartsCharAt(s, s.size() - 1);
}

std::string WithoutTrailingSeparator(std::string_view dir) {
    if (EndsWithSeparator(dir)) dir.remove_suffix(1);
    return std::string(dir);
}

std::string WithTrailingSeparator(std::string_view dir) {
    std::string out(dir);
    if (!out.empty() && !EndsWithSeparator(out)) out += PathSeparator();
    return out;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    if (!args.empty()) cl.switchText = LowerSjis(args[0]);
    const std::string& sw = cl.switchText;
    if (PathSeparator() == '\\' || OnlySwitches(sw)) {
        cl.scramble = Contains(sw, "/s");
        cl.edit = Contains(sw, "/e");
        cl.view = Contains(sw, "/v") || Contains(sw, "/w");
        cl.announce = Contains(sw, "/a");
    }
    size_t first = cl.AnySwitch() ? 1 : 0;
    std::string file;
    for (size_t i = first; i < args.size(); ++i) {
        if (i > first) file += ' ';
        file += args[i];
    }
    if (!file.empty() && file.front() == '"') {
        file.erase(0, 1);
        // Only a closing quote goes; a missing one must not cost the path its last character.
        if (!file.empty() && file.back() == '"') file.pop_back();
    }
    cl.file = LowerSjis(file);
    return cl;
}

std::string ClientDirOf(std::string_view path) {
    std::string dir = WithoutTrailingSeparator(DirectoryOf(path));
    size_t sep = LastSeparator(dir);
    if (sep == std::string_view::npos) return {};
    return std::string(path.substr(0, sep + 1));
}

std::string SettingsPathFor(std::string_view programPath) {
    return ReplaceExtension(LowerSjis(programPath), ".ini");
}

bool HasOwnProgramName(std::string_view programPath) {
    std::string lower = LowerSjis(programPath);
    for (std::string_view name : {"\\kestrel.exe", "\\kstview32.exe", "\\kstv32.exe"}) {
        if (Contains(lower, PathLiteral(name))) return true;
    }
    return false;
}

std::string DeriveTempFolder(std::string_view setting, std::string_view tempVariable,
                             std::string_view windowsFolder, bool* writeBack) {
    if (writeBack) *writeBack = false;
    if (!setting.empty()) return WithTrailingSeparator(setting);
    if (!tempVariable.empty()) return WithTrailingSeparator(tempVariable);
    if (writeBack) *writeBack = true;
    return WithoutTrailingSeparator(windowsFolder) + PathLiteral("\\temp\\");
}

std::string ProgramFileOf(std::string_view command) {
    command = TrimBlanks(command);
    if (!command.empty() && command.front() == '"') {
        size_t close = command.find('"', 1);
        return std::string(command.substr(
            1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    }
    std::string lower = LowerSjis(command);
    size_t exe = lower.find(".exe");
    if (exe != std::string::npos) return std::string(command.substr(0, exe + 4));
    return std::string(command);
}

bool ContainsText(std::string_view s, std::string_view part) {
    return Contains(s, part);
}

std::string TrashPathFrom(const IniFile& ploverIni, std::string_view ploverExe,
                          std::string_view clientDir) {
    std::string found;
    std::string ploverFolder = DirectoryOf(ProgramFileOf(ploverExe));
    for (int i = 0;; ++i) {
        std::string value = ploverIni.GetString("Folder", "Name" + std::to_string(i), "");
        if (value.empty()) break;
        std::string lower = LowerSjis(value);
        if (lower.rfind("trash.can", 0) == 0) {
            found = ploverFolder + "trash.can";
        } else if (Contains(lower, "trash.can") && Contains(value, ":")) {
            found = value;
        }
    }
    if (found.empty()) found = std::string(clientDir) + "trash.can";
    return found;
}

}  // namespace kestrel
