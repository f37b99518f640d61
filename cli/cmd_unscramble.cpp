#include "cli/cli.h"

namespace kestrel::cli {

int CmdUnscramble(Args& args) {
    (void)args;
    return UsageError("unscramble", "not available in this build yet");
}

}  // namespace kestrel::cli
