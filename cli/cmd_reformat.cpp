#include "cli/cli.h"

namespace kestrel::cli {

int CmdReformat(Args& args) {
    (void)args;
    return UsageError("reformat", "not available in this build yet");
}

}  // namespace kestrel::cli
