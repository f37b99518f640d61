#include "cli/cli.h"

namespace kestrel::cli {

int CmdQuote(Args& args) {
    (void)args;
    return UsageError("quote", "not available in this build yet");
}

}  // namespace kestrel::cli
