#include "cli/cli.h"

namespace kestrel::cli {

int CmdUnquote(Args& args) {
    (void)args;
    return UsageError("unquote", "not available in this build yet");
}

}  // namespace kestrel::cli
