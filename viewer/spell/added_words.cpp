#include "viewer/spell/added_words.h"

#include "common/fileio.h"

namespace kestrel {

bool AddedWordsList::Open(const std::string& path) {
    Close();
    std::string bytes;
    if (FileExists(path)) {
        if (!ReadFileBytes(path, bytes)) return false;
    } else if (DirectoryExists(path) || !WriteFileAtomic(path, "")) {
        return false;
    }
    path_ = path;
    open_ = true;
    return true;
}

bool AddedWordsList::Append(std::string_view word) {
    if (!open_) return false;
    // Read again: another viewer may have added words since this run began.
    std::string next;
    if (!ReadFileBytes(path_, next)) {
        if (FileExists(path_)) return false;
        next.clear();
    }
    // A list last edited by hand may lack its final line end; the new word gets a line of its own.
    if (!next.empty() && next.back() != '\n') next += "\r\n";
    next.append(word);
    next += "\r\n";
    return WriteFileAtomic(path_, next);
}

void AddedWordsList::Close() {
    open_ = false;
    path_.clear();
}

}  // namespace kestrel
