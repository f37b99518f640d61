// Scrambling or unscrambling a run of stored mails: from one mail of a folder forward in number
// order. Stored mails must never turn into garbage, so the run
// - writes each mail with an atomic replace (an interrupted run leaves every mail whole: either
//   as it was or fully done),
// - keeps a backup of a mail's original bytes beside it (MailBackupPathOf) from before the mail
//   is replaced until the run ends, and leaves alone any mail that still has a backup from an
//   interrupted run (its backup may be the only readable copy),
// - writes an unscrambled mail only when it reads as text (plausibility.h): with a wrong PIN the
//   mails stay scrambled,
// - stops at the first mail it cannot write and says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "viewer/scramble/cipher.h"

namespace kestrel {

enum class FolderRunKind { Scramble, Unscramble };

struct FolderRunReport {
    size_t visited = 0;         // mails the run went through
    size_t changed = 0;         // mails written
    size_t notText = 0;         // unscrambled text did not read as text: left scrambled
    size_t badMarker = 0;       // marker number did not convert: left as it was
    size_t backupInTheWay = 0;  // a backup of an interrupted run lies beside it: left alone
    std::string failedPath;     // the mail (or its backup) that could not be written; run stopped
};

// Where the run keeps a mail's original bytes while it runs: the mail's path + ".kestrel-backup".
// The mail client lists only "????.txt" files, so it never sees these.
std::string MailBackupPathOf(const std::string& mailPath);

// Runs over start and the mails after it (NeighbourOf, +1) up to the end of the folder; a run
// never wraps round to lower numbers. visit is called with each mail's path after it is done
// (the viewer sends the mail client its Update there). Nothing happens when start is empty.
FolderRunReport RunFolderScramble(const std::string& start, FolderRunKind kind,
                                  const ScrambleCipher& cipher, uint8_t keptSubjectBytes,
                                  const std::function<void(const std::string&)>& visit);

// The short message for the user about what the run left alone or where it stopped; "" when
// every mail was done.
std::string FolderRunMessage(const FolderRunReport& report);

}  // namespace kestrel
