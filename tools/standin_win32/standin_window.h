// Small Win32 pieces shared by the stand-in programs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrel::standin {

// Arguments after the program name, as Shift-JIS.
std::vector<std::string> CommandLineArgs();
// Folder of this program, with a trailing backslash.
std::string ModuleDir();
// TEMP with a trailing backslash ("" when unset).
std::string TempDir();

// A top-level window of the given class and title whose client area is one list box.
// WM_APP messages and WM_DESTROY are passed to handler.
using AppMessageHandler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
HWND CreateListWindow(const std::string& className, const std::string& title,
                      AppMessageHandler handler);
void SetListLines(HWND window, const std::vector<std::string>& lines);

// Starts a program with one command line, without waiting.
bool LaunchDetached(const std::string& commandLine);
// Starts a program from a Shift-JIS command line; its process handle (the caller closes it), or
// null when it could not start.
HANDLE StartProcess(const std::string& commandLine);

// The message loop; returns the exit code.
int RunMessageLoop();

}  // namespace kestrel::standin
