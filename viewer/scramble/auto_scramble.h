// Scrambling one stored mail in its file: the automatic scramble of mails of listed folders when
// they are opened in scramble mode.
#pragma once

#include <cstdint>
#include <string>

#include "viewer/scramble/cipher.h"

namespace kestrel {

enum class StoredScramble {
    Unchanged,  // scrambled already (or too short to scramble): the file is not rewritten
    Written,
    Failed,  // unreadable or not writable: the file is as it was
};

StoredScramble ScrambleStoredMail(const std::string& path, const ScrambleCipher& cipher,
                                  uint8_t keptSubjectBytes);

}  // namespace kestrel
