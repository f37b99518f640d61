// The options editor's Help button: the options page of the help shipped beside the program.
#pragma once

#include <windows.h>

#include <string_view>

namespace kestrel::win32 {

// Opens the help at topic ("option"); tells the user when there is none to open.
void ShowOptionsHelp(HWND owner, std::string_view topic);

}  // namespace kestrel::win32
