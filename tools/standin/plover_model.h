// What the stand-in mail client does with the macros it receives, on real folder directories:
// a folder "c:\data\inbox.fld" (or "...\trash.can") is the directory "c:\data\inbox\", its mails
// the files ????.txt in it, listed in the client's own order kept in the folder file
// (folder_list.h).
#pragma once

#include <string>
#include <vector>

#include "tools/standin/macro.h"

namespace kestrel::standin {

// What the window program must do after a macro.
struct PloverAction {
    std::string openPath;            // answer on the viewer's topic: [open("<openPath>")]
    std::string startViewerOn;       // start the viewer on this compose file
    bool known = true;               // false for a macro the mail client does not know
    std::vector<std::string> notes;  // what went wrong, for the log
};

class PloverModel {
  public:
    // tempDir ends with a path separator; compose files are written there.
    explicit PloverModel(std::string tempDir) : tempDir_(std::move(tempDir)) {}

    PloverAction Execute(const Macro& macro);

    // Directory of a folder file, with its trailing separator.
    static std::string FolderDirOf(const std::string& folderFile);
    // Full paths of the folder's mails in the client's list order.
    static std::vector<std::string> MailsOf(const std::string& folderFile);

    const std::string& currentFolder() const { return currentFolder_; }
    int currentNumber() const { return currentNumber_; }

  private:
    PloverAction View(const std::string& which);
    PloverAction Move(const std::vector<std::string>& args);
    PloverAction Compose(const std::string& folder, const std::string& number, bool forward);

    std::string tempDir_;
    std::string currentFolder_;
    int currentNumber_ = -1;
};

// Appends one line (CR LF) to a log file, creating it when missing.
bool AppendLogLine(const std::string& path, const std::string& line);

}  // namespace kestrel::standin
