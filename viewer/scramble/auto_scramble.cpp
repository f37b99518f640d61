#include "viewer/scramble/auto_scramble.h"

#include <vector>

#include "common/fileio.h"
#include "viewer/scramble/mail_scramble.h"

namespace kestrel {

StoredScramble ScrambleStoredMail(const std::string& path, const ScrambleCipher& cipher,
                                  uint8_t keptSubjectBytes) {
    std::vector<std::string> lines;
    if (!ReadFileLines(path, lines)) return StoredScramble::Failed;
    if (!ScrambleMailText(lines, cipher, keptSubjectBytes)) return StoredScramble::Unchanged;
    return WriteLinesAtomic(path, lines) ? StoredScramble::Written : StoredScramble::Failed;
}

}  // namespace kestrel
