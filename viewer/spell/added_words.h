// The plain list of the words the user added to the user dictionary ("UserDic.txt"), one word
// a line, kept beside the user dictionary for the user's own records. Open for one check run.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

class AddedWordsList {
  public:
    // Makes the list usable for this run, creating it empty when missing. False when it cannot
    // be read or created.
    bool Open(const std::string& path);
    // Adds word as a line. The file is rewritten through a temporary file, so a failure leaves
    // the list as it was; false then.
    bool Append(std::string_view word);
    void Close();
    bool IsOpen() const { return open_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool open_ = false;
};

}  // namespace kestrel
