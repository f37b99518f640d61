#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "viewer/scramble/cipher.h"
#include "viewer/scramble/mail_scramble.h"

namespace kestrel::cli {

// The mail text unscrambled with the PIN; a text without the marker line comes out unchanged.
int CmdUnscramble(Args& args) {
    ScrambleArgs a;
    if (!ParseScrambleArgs(args, "unscramble", a)) return kExitUsage;
    if (UnscrambleMailText(a.lines, ScrambleCipher(KeyStreamFromPin(a.pin))) ==
        UnscrambleOutcome::BadMarker) {
        std::fputs("Error in Original.\n", stderr);
        return kExitFailure;
    }
    WriteOutputLines(a.lines);
    return kExitOk;
}

}  // namespace kestrel::cli
