#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/fileio.h"
#include "common/ini.h"
#include "common/settings.h"
#include "viewer/text/quote.h"

namespace kestrel::cli {

// Puts the quote mark ([View] Quote) in front of every input line.
int CmdQuote(Args& args) {
    const char* cmd = "quote";
    std::string iniPath, input;
    bool haveIni = false, haveInput = false;
    while (!args.Done()) {
        std::string arg = args.Take();
        if (arg == "--ini") {
            if (!args.TakeValue(arg, iniPath)) return UsageError(cmd, "--ini needs a file");
            haveIni = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(cmd, "unknown option " + arg);
        } else if (haveInput) {
            return UsageError(cmd, "only one input file");
        } else {
            input = arg;
            haveInput = true;
        }
    }
    IniFile ini;
    if (haveIni) {
        std::string bytes;
        if (!ReadFileBytes(iniPath, bytes)) {
            return UsageError(cmd, "cannot read settings file " + iniPath);
        }
        ini = IniFile::FromBytes(std::move(bytes));
    }
    std::vector<std::string> lines;
    if (!ReadInputLines(input, lines)) return UsageError(cmd, "cannot read " + input);
    QuoteLines(lines, ViewerString(ini, "View", "Quote"));
    WriteOutputLines(lines);
    return kExitOk;
}

}  // namespace kestrel::cli
