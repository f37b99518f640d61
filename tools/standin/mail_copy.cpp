#include "tools/standin/mail_copy.h"

#include "common/fileio.h"

namespace kestrel::standin {

bool MoveMailFile(const std::string& src, const std::string& dest) {
    std::string bytes;
    if (!ReadFileBytes(src, bytes) || FileExists(dest)) return false;
    if (!WriteFileAtomic(dest, bytes)) return false;
    std::string back;
    if (!ReadFileBytes(dest, back) || back != bytes) {
        DeleteFileAt(dest);
        return false;
    }
    return DeleteFileAt(src);
}

}  // namespace kestrel::standin
