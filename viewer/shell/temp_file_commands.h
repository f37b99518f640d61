// Temporary file and Delete temp files: reopening the mail client's temporary file that belongs
// to the mail on show, and deleting all of its temporary files.
#pragma once

#include <string>

#include "viewer/shell/form1.h"
#include "viewer/shell/mail_display.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

inline constexpr std::string_view kNoTempFile = "No temporary file in ";
inline constexpr std::string_view kTooLargeToDisplay = "File is too large to display all.";
inline constexpr std::string_view kDeleteTempConfirm = "Deleting all temporary files.";
inline constexpr std::string_view kDeleteTempDone = "File delete complete.";
inline constexpr std::string_view kDeleteTempFailed = "Cannot delete ";
// Files from this size on are read by MailOpen with its line limit.
inline constexpr long long kWholeLoadLimit = 32768;

class TempFileCommands {
  public:
    // Owns TemporaryFile and DeleteTempFiles. A large file is read by the display's MailOpen
    // (with the mail reader's line limit, not as a folder mail).
    TempFileCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                     MailDisplay& display);
    void TempFile1Click();
    void Deletetempfiles2Click();

  private:
    Platform p_;
    TForm1& form_;
    MailDisplay& display_;
};

}  // namespace kestrel
