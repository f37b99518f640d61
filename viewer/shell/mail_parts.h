// The main window with the mail display and the mail-client link plugged in: what the Windows
// layer creates as "the main window" at process start.
#pragma once

#include <memory>

#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/mail_display.h"
#include "viewer/shell/mail_link.h"

namespace kestrel {

class MailParts {
  public:
    // Builds the window with hooks (other parts' hooks are kept; the command hook is chained
    // behind the display's), connects to Plover and registers the viewer's topic "system".
    MailParts(const Platform& platform, const DdeChannels& dde, ShellHooks hooks = {});
    // The window's hooks point into this object: it stays where it was made.
    MailParts(const MailParts&) = delete;
    MailParts& operator=(const MailParts&) = delete;

    TForm1& Form() { return *form_; }
    MailDisplay& Display() { return display_; }
    MailLink& Link() { return link_; }

  private:
    MailLink link_;
    MailDisplay display_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace kestrel
