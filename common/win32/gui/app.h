// Process-level pieces of a Windows program: resources of the executable, the common controls
// and the message loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrel::wingui {

// Registers the common control classes (tab, tool bar, tool tips, ...) once.
void InitCommonControlsOnce();

// An icon resource of the program at the system's large or small icon size; null if missing.
HICON LoadIconResource(int id, bool small);

// A string of the program's string table; empty if missing.
std::wstring LoadStringResource(int id);

// The program's command-line arguments after the program name.
std::vector<std::wstring> CommandLineArguments();

// Runs the message loop until WM_QUIT; returns its exit code. Keyboard messages for a modeless
// dialog registered here go through IsDialogMessage first.
int RunMessageLoop();
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

}  // namespace kestrel::wingui
