// The narrow interfaces features use to reach each other instead of the whole window.
//   MailSession: the document on show (implemented by TForm1).
//   ClientLink:  the macros to the mail clients (implemented by MailLink).
#pragma once

#include <string>

namespace kestrel {

class MailSession {
  public:
    virtual ~MailSession() = default;
    // The file on show, lower case; "" is [Untitled].
    virtual const std::string& CurrentFile() const = 0;
    // Reads and shows a folder mail (MailOpen, then the mail client's follow-ups).
    virtual void OpenFolderMail(const std::string& path) = 0;
    // The "Save %s ?" question: true when the caller may go on (no changes, saved, or not to
    // be saved).
    virtual bool SaveIfModified() = 0;
    // Colours, fonts, ruler, title and input method for the current mode.
    virtual void UpdateWindowState() = 0;
};

class ClientLink {
  public:
    virtual ~ClientLink() = default;
    // One macro to Plover / Finchpost, not waited for; dropped while the conversation is closed.
    virtual void SendToPlover(const std::string& macro) = 0;
    virtual void SendToFinchpost(const std::string& macro) = 0;
    // Update for the mail on show when it is a folder mail, then the timer for its Focus.
    virtual void SendUpdate() = 0;
    // Focus for the mail on show when it is a folder mail.
    virtual void SendFocus() = 0;
};

}  // namespace kestrel
