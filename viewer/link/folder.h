// Mail paths: every rule on the shape of a path that the viewer and the mail client share. The
// folder file and mail number are the arguments of most macros to the mail client; the out
// folder and compose files decide how a file is shown and edited. Paths are Shift-JIS; text is
// matched only where a character starts, never inside a double-byte character.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// The directory of path, lower-cased, without its final separator, followed by ".fld", or by
// ".can" when that directory contains "trash" (c:\mail\trash\0003.txt -> c:\mail\trash.can).
std::string FolderFileOf(std::string_view path);

// The first four bytes of the file name when path is a folder mail ("0012"), else "".
std::string MailNumberOf(std::string_view path);

// A file name of exactly eight bytes whose extension is ".txt" in any case.
bool IsFolderMail(std::string_view path);

// A mail of the mail client's out folder: its folder file contains "\out.fld" (either
// separator).
bool InOutFolder(std::string_view path);

// A compose file ("\_plv" and ".tmp") or a path with "\out\" in it (the platform's
// separator): such files get the editing icon and the window width [Window] EditWidth.
bool IsComposeOrOutPath(std::string_view lowerPath);

// path as it is found on disk: on a file system that tells upper from lower case, the
// lower-cased paths the viewer keeps are matched to the existing folders and file.
std::string OnDiskPath(const std::string& path);

}  // namespace kestrel
