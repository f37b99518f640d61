// The stand-in mail client's side of a compose file: it starts the viewer on the file, and
// when that viewer has exited, the window gets a message to log what was saved.
#pragma once

#include <windows.h>

#include <string>

namespace kestrel::standin {

// Starts commandLine and, on a thread of its own, waits for the process to end; then posts
// doneMessage to window with LPARAM a new std::string holding composePath, which the receiver
// takes over (TakeWatchedPath). False when the program could not be started.
bool StartAndWatch(const std::string& commandLine, const std::string& composePath, HWND window,
                   UINT doneMessage);

// The path carried by a doneMessage's LPARAM; frees it.
std::string TakeWatchedPath(LPARAM lp);

}  // namespace kestrel::standin
