// Web browser, Mail to and HTML mail: the main window's commands that hand an address in the
// text, or the mail's HTML part, to the web browser or the mail client.
//
// The browser is reached over DDE when the registry names its service and topic (and [View]
// NewBrowser is off), otherwise through the shell (addresses) or its open command (files).
//
// Owns the commands WebBrowser, PopupWebBrowser, MailTo and HtmlMail (a click in the read-only
// editor and a double click outside it run WebBrowser).
#pragma once

#include <string>

#include "viewer/shell/commands.h"
#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/links.h"

namespace kestrel {

inline constexpr std::string_view kCannotReadMail = "Cannot open ";
inline constexpr std::string_view kCannotWriteHtml = "Cannot save ";

class Links {
  public:
    // browser: the conversation the browser is reached on (opened on demand).
    Links(const Platform& platform, const ShellWiring& wiring, TForm1& form, DdeClient& browser);

    // The selected address, or the address on the caret's line that does not end before it.
    void Webbrowser1Click();
    // In viewer mode: the mail client with "-mailto" and the selection; in editor mode the
    // input method switch.
    void MailTo2Click();
    // Writes the mail's HTML part to "_plvview.htm" beside the program and shows it.
    void HTMLmail1Click();

    void OpenUrl(const std::string& url);

  private:
    // Opens the browser's DDE conversation; false (and closed) when the registry names no
    // service or nobody answers.
    bool OpenBrowserConversation();
    void LaunchBrowserOn(const std::string& file);

    Platform p_;
    TForm1& form_;
    DdeClient& browser_;
    LinkSettings settings_;
};

}  // namespace kestrel
