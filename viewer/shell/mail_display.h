// Showing a mail in the main window: MailOpen and OpenFolderMail around the portable mail
// reader, ShowMailLines through the text control, the Header button and the automatic
// reformat. Owns the command Header and the display keys ([View] Header, ShowTo, ..., [Alert]
// and the reformat keys of the automatic reformat); raises ViewerEvents::MailOpened.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/mail/mail_open.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/reformat.h"

namespace kestrel {

class MailLink;

// What the display asks of the scramble feature while it opens a mail.
class MailScrambling {
  public:
    virtual ~MailScrambling() = default;
    // Unscrambles a scrambled mail's display list (scramble mode only).
    virtual void UnscrambleForDisplay(std::vector<std::string>& lines) = 0;
};

class MailDisplay {
  public:
    MailDisplay(const Platform& platform, const ShellWiring& wiring, TForm1& form, MailLink& link,
                MailScrambling& scrambling);

    // Reads and shows path (lower-cased first). fromFolder: a folder mail (filtered header,
    // status update, mail-client notification); false: a plain file with every header line.
    void MailOpen(const std::string& path, bool fromFolder);
    // MailOpen(path, true), then the Header-button flag is cleared.
    void OpenFolderMail(const std::string& path);
    // Fills the editor with lines: fonts and colours by mode, quoted lines in the quote colour,
    // one underlined web address per line, To/Cc/Bcc hidden unless shown for this mail.
    void ShowMailLines(const std::vector<std::string>& lines);
    // The Header button and the View menu entry "&Header".
    void Header1Click();

    // The display settings: those read at start, with the header mode (Header, ShowTo) as the
    // Header button has left it.
    MailViewSettings ViewSettings() const;
    // To, Cc and Bcc were shown for the mail on show.
    bool ShowToThis() const { return showToThis_; }

  private:
    Platform p_;
    ViewerEvents& events_;
    TForm1& form_;
    MailLink& link_;
    MailScrambling& scrambling_;
    MailViewSettings settings_;
    ReformatSettings reformat_;
    struct HeaderMode {
        bool header, showTo;
    };
    std::optional<HeaderMode> headerMode_;  // set by the first press of the Header button
    bool showToThis_ = true;
};

}  // namespace kestrel
