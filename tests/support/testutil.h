// Small helpers shared by the test programs.
#pragma once

#include <string>

namespace kestrel::test {

// The path with the platform's separator for each '/'.
std::string NativePath(std::string path);

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Folder path with a trailing separator (in lower case on Windows, where the viewer keeps
    // every path it takes in lower case).
    const std::string& path() const { return path_; }
    // A path below the folder; '/' in name stands for the platform's separator.
    std::string File(const std::string& name) const;

  private:
    std::string path_;
};

// Makes folder (ending in a separator) unwritable for this process, so that no file can be
// created or replaced in it: a permission for a user, the immutable attribute for root. False
// when neither works here (the caller then skips). UnlockFolder undoes it.
bool LockFolder(const std::string& folder);
void UnlockFolder(const std::string& folder);

// Folder of the checked-in fixtures, with a trailing separator.
std::string DataDir();

}  // namespace kestrel::test
