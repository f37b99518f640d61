// Temporary file and Delete temp files: reopening the mail client's temporary file that belongs
// to the mail on show, and deleting all of its temporary files.
#pragma once

#include <functional>
#include <string>

#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"

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
    // mailOpen(path): reads a large file with the mail reader's line limit (not a folder mail).
    TempFileCommands(TForm1& form, const Platform& platform,
                     std::function<void(const std::string& path)> mailOpen);

    bool Handle(CommandId id);
    void TempFile1Click();
    void Deletetempfiles2Click();

  private:
    TForm1& form_;
    Platform p_;
    std::function<void(const std::string&)> mailOpen_;
};

}  // namespace kestrel
