// What the stand-in web browser makes of the ways it is asked to show something: its command
// line, and the open macro a program sends to its DDE topic ("target","file",window,flags,...
// as web browsers have long taken it). The log lines it writes are the test's view of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::standin {

struct BrowserOpen {
    std::string target;  // address or "file:" path, quotes removed
    std::string window;  // window id text ("0xFFFFFFFF": a new window)
    std::string flags;
};

// The fields of an open macro: comma-separated, a field in double quotes may hold commas.
// Nothing when the first field is not a non-empty quoted text, when a quote is left open, or
// when the window or flags field is not a number.
std::optional<BrowserOpen> ParseBrowserOpen(std::string_view macro);

// A target that names a local file: a "file:" address, or anything that is no address with a
// scheme. The path, or "" for an address.
std::string LocalFileOf(std::string_view target);

// The log line for one target shown: "open <target>", or "missing <target>" when it names a
// local file that does not exist (a real browser shows an error page then).
std::string OpenLogLine(std::string_view target, bool fileExists);

}  // namespace kestrel::standin
