#include "cli/cli.h"

namespace kestrel::cli {

int CmdWidenKana(Args& args) {
    (void)args;
    return UsageError("widen-kana", "not available in this build yet");
}

}  // namespace kestrel::cli
