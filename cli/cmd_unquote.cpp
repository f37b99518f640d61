#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/ini.h"
#include "common/settings.h"
#include "viewer/text/quote.h"

namespace kestrel::cli {

// Takes the quote prefix of the first line off every line that begins with it.
int CmdUnquote(Args& args) {
    return RunLinePass(args, "unquote", [](std::vector<std::string>& lines, const IniFile& ini) {
        UnquoteLines(lines, ViewerString(ini, "View", "QuoteChar"));
    });
}

}  // namespace kestrel::cli
