// Moving one mail file between folder directories for the stand-in mail client, so that a
// failure anywhere leaves the mail where it was rather than nowhere.
#pragma once

#include <string>

namespace kestrel::standin {

// Writes src's bytes to dest (atomically), reads dest back and compares, and only then deletes
// src. False when any step fails: src is then still there; a dest that does not hold the mail
// whole is removed again. An existing dest is never overwritten.
bool MoveMailFile(const std::string& src, const std::string& dest);

}  // namespace kestrel::standin
