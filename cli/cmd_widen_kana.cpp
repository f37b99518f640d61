#include <string>
#include <vector>

#include "cli/cli.h"
#include "viewer/mail/decode.h"

namespace kestrel::cli {

// kestrel-cli widen-kana [FILE]: half-width katakana runs of JIS text widened, line by line.
int CmdWidenKana(Args& args) {
    std::string path;
    bool havePath = false;
    while (!args.Done()) {
        std::string a = args.Take();
        if (a.size() > 1 && a[0] == '-') {
            return UsageError("widen-kana", "unknown option '" + a + "'");
        }
        if (havePath) return UsageError("widen-kana", "more than one FILE given");
        path = a;
        havePath = true;
    }
    std::vector<std::string> lines;
    if (!ReadInputLines(path, lines)) {
        return UsageError("widen-kana", "cannot read '" + (path.empty() ? "-" : path) + "'");
    }
    for (std::string& line : lines) line = ToFullWidthKana(line);
    WriteOutputLines(lines);
    return kExitOk;
}

}  // namespace kestrel::cli
