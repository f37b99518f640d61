// Moving one mail file between folder directories for the stand-in mail client, so that a
// failure anywhere leaves the mail where it was rather than nowhere.
#pragma once

#include <string>

namespace kestrel::standin {

enum class MailMove { Moved, Unreadable, NotWritten, NotDeleted };

// Writes src's bytes to dest (atomically), reads dest back and compares, and only then deletes
// src. On any failure src is still there and dest is not (an existing dest is never
// overwritten): there is always exactly one copy of the mail.
MailMove MoveMailFile(const std::string& src, const std::string& dest);

}  // namespace kestrel::standin
