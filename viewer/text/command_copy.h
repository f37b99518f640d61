// The Command menu's external commands: how a command text becomes the program, its argument
// and extra argument, and the text copy of the mail some commands ask for ("tool.exe $16.txt").
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// Markers a command text may hold, each with its leading blank.
inline constexpr std::string_view kSelectMarker = " $select";
inline constexpr std::string_view kMarker32 = " $32";
inline constexpr std::string_view kMarker16 = " $16";

struct CommandPlan {
    std::string program;   // the command text before its marker (all of it without one)
    std::string argument;  // the selected text, the mail's path, or the copy's path
    std::string extra;     // what follows the marker (or its extension)
    // Set when the mail is to be copied to this path before the start and deleted after it.
    std::string copyPath;
    bool usesSelection = false;
};

// Plans one command. mailPath is the file on show, programDir the viewer's folder (ending in a
// separator), selection the editor's selected text.
//   "grep.exe $select -n"   -> program "grep.exe", argument the selection, extra "-n"
//   "notepad.exe $16.txt x" -> a copy of the mail named like it with ".txt", in programDir;
//                              extra "x"
//   "tool.exe -x"           -> program "tool.exe -x", argument the mail itself
// A copy that would land on the mail itself (same path, compared without case) is no copy:
// the mail is passed as it is and is never deleted afterwards.
CommandPlan PlanCommand(std::string_view command, std::string_view mailPath,
                        std::string_view programDir, std::string_view selection);

// The program part, the file and the extra argument for one marker (" $32" or " $16").
CommandPlan CopyMailForCommand(std::string_view command, std::string_view marker,
                               std::string_view mailPath, std::string_view programDir);

// Writes the text copy of the mail (line by line, CR LF) over any older file of that name.
// False when the mail cannot be read or the copy cannot be written.
bool WriteCommandCopy(const std::string& mailPath, const std::string& copyPath);

}  // namespace kestrel
