#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/ini.h"
#include "common/settings.h"
#include "viewer/text/quote.h"

namespace kestrel::cli {

// Puts the quote mark ([View] Quote) in front of every input line.
int CmdQuote(Args& args) {
    return RunLinePass(args, "quote", [](std::vector<std::string>& lines, const IniFile& ini) {
        QuoteLines(lines, ViewerString(ini, "View", "Quote"));
    });
}

}  // namespace kestrel::cli
