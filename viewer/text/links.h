// What the link commands hand to the outside programs: the web browser's DDE macros, the
// address text of Mail to, and the browser's command line for a local file.
#pragma once

#include <string>
#include <string_view>

#include "common/ini.h"

namespace kestrel {

struct LinkSettings {
    // [View] NewBrowser: addresses and HTML files go to the shell (or the browser's command)
    // instead of to the browser over DDE.
    bool newBrowser = false;
};
LinkSettings LinkSettingsFrom(const IniFile& ini);

// The browser's open-address macro: "url",,0xFFFFFFFF,0x4,,,
std::string BrowserUrlMacro(std::string_view url);

// The browser's open-file macro: "file:path","",0xFFFFFFFF,""
std::string BrowserFileMacro(std::string_view path);

// The text Mail to passes after "-mailto": a selection without a double quote is put in double
// quotes; otherwise whatever stands between its last double quote and the first "<" after it
// is dropped, so the quoted name is followed directly by the address in angle brackets. A
// selection with a double quote and no "<" after the last one is passed as it is.
std::string MailToText(std::string_view selection);

// The browser's open command (the registry's, such as "C:\web\browser.exe" "%1") made into the
// program and argument that start it on file: every %1 becomes the file's path (put in double
// quotes unless the command already quotes it); a command without %1 gets the quoted path as
// its argument.
struct BrowserLaunch {
    std::string program;
    std::string argument;
};
BrowserLaunch BrowserLaunchForFile(std::string_view command, std::string_view file);

}  // namespace kestrel
