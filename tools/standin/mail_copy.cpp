#include "tools/standin/mail_copy.h"

#include "common/fileio.h"

namespace kestrel::standin {

MailMove MoveMailFile(const std::string& src, const std::string& dest) {
    std::string bytes;
    if (!ReadFileBytes(src, bytes)) return MailMove::Unreadable;
    if (FileExists(dest) || !WriteFileAtomic(dest, bytes)) return MailMove::NotWritten;
    std::string back;
    if (!ReadFileBytes(dest, back) || back != bytes) {
        DeleteFileAt(dest);
        return MailMove::NotWritten;
    }
    if (!DeleteFileAt(src)) {
        DeleteFileAt(dest);
        return MailMove::NotDeleted;
    }
    return MailMove::Moved;
}

}  // namespace kestrel::standin
