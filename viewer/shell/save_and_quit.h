// Save and Quit: the end of writing a mail. The header of a compose file is checked, half-width
// katakana are widened, header lines split by the word wrap are joined again, the file is
// written and the window closes so that the mail client can take the file over.
//
// The user's text is never lost: a write that fails leaves the old file, the window, the text
// and its modified flag as they were. A folder mail shown through the reader's filter or cut
// short is never written over: its lines are a display, so they go through Save As.
//
// Owns the command SaveAndQuit.
#pragma once

#include <string>

#include "viewer/link/mail_mover.h"
#include "viewer/mail/mail_open.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

class SaveAndQuit {
  public:
    SaveAndQuit(const Platform& platform, const ShellWiring& wiring, TForm1& form);

    // True when the text was written (or saved under a new name) and the window asked to close.
    bool SaveandQuit1Click();

  private:
    // The editor holds the whole of the file on show, not a display of it.
    bool EditorHoldsWholeFile() const;

    Platform p_;
    TForm1& form_;
    MailMoverSettings aw_;
    // The last mail MailOpen put on screen, and whether its display is the whole file.
    std::string shownPath_;
    bool shownWhole_ = true;
};

}  // namespace kestrel
