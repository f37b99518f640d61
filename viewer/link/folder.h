// The folder file and mail number of a mail path: the arguments of most macros to the mail
// client.
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

}  // namespace kestrel
