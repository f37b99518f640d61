// Web browser, Mail to and HTML mail: the main window's commands that hand an address in the
// text, or the mail's HTML part, to the web browser or the mail client.
//
// The browser is reached over DDE when the registry names its service and topic (and [View]
// NewBrowser is off), otherwise through the shell (addresses) or its open command (files).
#pragma once

#include <string>

#include "viewer/shell/commands.h"
#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"

namespace kestrel {

inline constexpr std::string_view kCannotReadMail = "Cannot open ";
inline constexpr std::string_view kCannotWriteHtml = "Cannot save ";

class Links {
  public:
    Links(TForm1& form, const Platform& platform, DdeClient& browser);

    // WebBrowser, PopupWebBrowser, MailTo and HtmlMail; true when id was one of them.
    bool Handle(CommandId id);
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

    TForm1& form_;
    Platform p_;
    DdeClient& browser_;
};

}  // namespace kestrel
