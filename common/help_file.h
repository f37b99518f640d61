// Where both programs find their help. The old help viewer (winhelp.exe with kestrel.hlp) is
// used only where both still exist; current Windows has neither (or only a stub that says so),
// so the HTML page shipped beside the programs is opened in the user's web browser instead.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kHelpPageName = "kestrel.htm";
inline constexpr std::string_view kWinHelpFileName = "kestrel.hlp";
inline constexpr std::string_view kHelpMissingMessage = "Help file not found: ";
inline constexpr std::string_view kHelpOpenFailedMessage = "Cannot open the help file: ";

struct HelpRoute {
    enum class Kind {
        WinHelp,  // start program with argument (LaunchProgram)
        Browser,  // open target with the program the system associates with it
        Missing,  // nothing to open: tell the user which file is missing (target)
    };
    Kind kind = Kind::Missing;
    std::string program;   // WinHelp: "winhelp.exe"
    std::string argument;  // WinHelp: the .hlp file
    std::string target;    // Browser: the page (a file:/// address when a topic is given);
                           // Missing: the page's path
};

// programDir: the program's folder; windowsFolder: the Windows folder (either with or without a
// final separator). topic: an anchor of the page ("option" for the options editor), or "".
HelpRoute ChooseHelp(const std::string& programDir, const std::string& windowsFolder,
                     std::string_view topic);

// A file:/// address of a local path, with an optional #topic: separators become "/", blanks,
// "#", "%" and "?" are written as %XX; Shift-JIS characters stay as they are (the Windows layer
// widens the address like any other text).
std::string FileUrl(std::string_view path, std::string_view topic);

}  // namespace kestrel
