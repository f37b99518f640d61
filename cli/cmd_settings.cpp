#include "cli/cli.h"

namespace kestrel::cli {

int CmdSettings(Args& args) {
    (void)args;
    return UsageError("settings", "not available in this build yet");
}

}  // namespace kestrel::cli
