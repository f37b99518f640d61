// The options editor's Help button: the options page of the help shipped beside the program.
#pragma once

#include <windows.h>

namespace kestrel::win32 {

// Opens the help at its "option" topic; tells the user when there is none to open.
void ShowOptionsHelp(HWND owner);

}  // namespace kestrel::win32
