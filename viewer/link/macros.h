// Macro strings exchanged with the mail clients, byte for byte, and the incoming open request.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// What DdeOpenMail makes of the lines of an incoming macro.
struct OpenRequest {
    enum Kind {
        Ignore,        // not an [open("...")] macro (or no path in it)
        AlreadyShown,  // names the mail on show
        Open,          // open path
    };
    Kind kind = Ignore;
    std::string path;  // lower-cased, for Open
};

// macroLines is the execute data as received (possibly several lines, possibly NUL-ended);
// only its first line counts. currentFile is the lower-cased path of the mail on show ("" when
// none). The test is made on the lower-cased line, so "[OPEN(..." is accepted; the path is
// the line from its eighth byte without its last three ("[open(\"" path "\")]").
OpenRequest ParseOpenMacro(std::string_view macroLines, std::string_view currentFile);

// The catalogue of macros sent. folder and number are FolderFileOf and MailNumberOf values.
std::string UpdateMacro(std::string_view folder, std::string_view number);
std::string FocusMacro(std::string_view folder, std::string_view number);
// [Update(<folderDir>.fld)]: folderDir is a folder directory path without ".fld".
std::string UpdateFolderMacro(std::string_view folderDir);
std::string MoveMacro(std::string_view toFolder, std::string_view fromFolder,
                      std::string_view number);
// [Move(<toDir>.fld,<fromDir>.fld,<number>,<number>,...)] of the mail mover.
std::string MoveManyMacro(std::string_view toDir, std::string_view fromDir,
                          const std::vector<std::string>& numbers);
std::string ReplyMacro(std::string_view folder, std::string_view number);
std::string ForwardMacro(std::string_view folder, std::string_view number);
// which: "Next", "Prev", "NextRecv" or "PrevRecv".
std::string ViewMacro(std::string_view which);
// Focus for the second mail client: folder quoted, number bare.
std::string FinchpostFocusMacro(std::string_view folder, std::string_view number);
// address already escaped by the address book.
std::string AppendMacro(std::string_view escapedAddress);

}  // namespace kestrel
