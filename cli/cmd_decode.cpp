#include "cli/cli.h"

namespace kestrel::cli {

int CmdDecode(Args& args) {
    (void)args;
    return UsageError("decode", "not available in this build yet");
}

}  // namespace kestrel::cli
