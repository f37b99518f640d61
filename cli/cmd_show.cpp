#include "cli/cli.h"

namespace kestrel::cli {

int CmdShow(Args& args) {
    (void)args;
    return UsageError("show", "not available in this build yet");
}

}  // namespace kestrel::cli
