// While scramble mode shows a scrambled mail in clear, a reply or forward must let the mail
// client quote what the user sees: the shown lines stand in the mail file while the mail client
// reads it, and the file's own bytes come back afterwards.
#pragma once

#include <string>
#include <vector>

namespace kestrel {

class ShownTextInFile {
  public:
    // Keeps the file's bytes and writes the shown lines in their place. False, with the file
    // untouched and nothing to restore, when the file cannot be read or written.
    bool Put(const std::string& path, const std::vector<std::string>& shownLines);
    // Writes the kept bytes back, byte for byte. False when that fails: the file then still
    // holds the shown text, which the caller must report.
    bool Restore();
    bool Active() const { return active_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_, kept_;
    bool active_ = false;
};

}  // namespace kestrel
