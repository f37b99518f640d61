#include "viewer/scramble/reply_swap.h"

#include "common/fileio.h"

namespace kestrel {

bool ShownTextInFile::Put(const std::string& path, const std::vector<std::string>& shownLines) {
    active_ = false;
    if (!ReadFileBytes(path, kept_)) return false;
    if (!WriteLinesAtomic(path, shownLines)) return false;
    path_ = path;
    active_ = true;
    return true;
}

bool ShownTextInFile::Restore() {
    if (!active_) return true;
    if (!WriteFileAtomic(path_, kept_)) return false;
    active_ = false;
    kept_.clear();
    return true;
}

}  // namespace kestrel
