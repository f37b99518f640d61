// Showing a mail in the main window: MailOpen and OpenFolderMail around the portable mail
// reader, ShowMailLines through the text control, the Header button and the automatic
// reformat. Plugged into TForm1 through its ShellHooks (openFolderMail, command).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "viewer/mail/mail_open.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/text/reformat.h"

namespace kestrel {

class MailLink;

class MailDisplay {
  public:
    MailDisplay(const Platform& platform, MailLink& link);

    // Fills the hooks the display serves; commands it does not own go on to the command hook
    // that was there before.
    void Plug(ShellHooks& hooks);
    void Attach(TForm1& form);

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

    // Work of other parts during an open; empty ones are skipped.
    // Unscrambling of a scrambled mail's display list (scramble mode only).
    std::function<void(std::vector<std::string>& lines)> unscramble;
    // Automatic scrambling of the mail just shown (scramble mode, listed folders).
    std::function<void(const MailView& view)> autoScramble;

  private:
    bool HandleCommand(CommandId id);
    ReformatSettings CurrentReformatSettings() const;

    Platform p_;
    MailLink& link_;
    TForm1* form_ = nullptr;
    struct HeaderMode {
        bool header, showTo;
    };
    std::optional<HeaderMode> headerMode_;  // set by the first press of the Header button
    bool showToThis_ = true;
};

}  // namespace kestrel
