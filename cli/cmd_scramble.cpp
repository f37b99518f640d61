#include "cli/cli.h"

namespace kestrel::cli {

int CmdScramble(Args& args) {
    (void)args;
    return UsageError("scramble", "not available in this build yet");
}

}  // namespace kestrel::cli
