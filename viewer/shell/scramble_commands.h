// Scramble mode and its commands in the main window: the mode switch with the PIN dialog, the
// Scramble menu (Scramble, Unscramble, Scramble Folder, Unscramble Folder, Erase PIN),
// unscrambled display of scrambled mails, automatic scramble of mails of listed folders when
// they are opened, and the PIN dialog at start ("/s"). Owns the [Scramble] settings, the PIN in
// memory and the key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "viewer/mail/mail_open.h"
#include "viewer/scramble/cipher.h"
#include "viewer/scramble/reply_swap.h"
#include "viewer/scramble/scramble_settings.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/mail_session.h"
#include "viewer/shell/password_dlg.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

inline constexpr std::string_view kErrorInOriginal = "Error in Original.";
inline constexpr std::string_view kCannotRestore = "Cannot restore ";

class ScrambleCommands {
  public:
    ScrambleCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                     ClientLink& link);

    void ScrambleMode1Click();
    void Scramble2Click();
    void Unscramble1Click();
    void ScrambleFolder1Click();
    void UnscrambleFolder1Click();
    void ErasePIN1Click();

    // The PIN dialog; on OK the key is built and scramble mode is on. False on Cancel (scramble
    // mode off).
    bool AskForPin();
    // MailOpen's display list of a scrambled mail, unscrambled ("Error in Original." when its
    // marker has no number).
    void UnscrambleForDisplay(std::vector<std::string>& lines);

    // For Reply and Forward: while scramble mode is on, the mail file must hold the text on
    // show while the mail client reads it. PutShownTextInFile writes the editor's lines into
    // the mail file and keeps the file's bytes; RestoreMailFile writes them back (call it once
    // the user has dismissed "Replying...." or "Forwarding...."). Outside scramble mode, or
    // without a mail on show, both do nothing. A failure is reported to the user here; Put then
    // returns false and the file is as it was.
    bool PutShownTextInFile();
    void RestoreMailFile();

    bool Mode() const { return form_.State().scrambleMode; }
    uint16_t Pin() const { return pin_; }

  private:
    void SetMode(bool on);
    void BuildKey(uint16_t pin);
    void AutoScrambleOnOpen(const MailView& view);
    void RunFolder(bool scramble);
    void PutCaretAfterScreen();
    std::string SettingsFile() const;

    Platform p_;
    TForm1& form_;
    ClientLink& link_;
    TPasswordDlg passwordDlg_;
    ScrambleSettings settings_;
    uint16_t pin_ = 0;
    std::unique_ptr<ScrambleCipher> cipher_;
    ShownTextInFile shownText_;
};

}  // namespace kestrel
