#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

struct Command {
    const char* name;
    int (*run)(kestrel::cli::Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"settings", kestrel::cli::CmdSettings, "settings [--ini FILE]"},
    {"show", kestrel::cli::CmdShow,
     "show [--ini FILE] [--header] [--show-to 0|1] [--no-fresh] [--header-button] [--plain] "
     "[--annotate | --state | --list] MAILFILE"},
    {"decode", kestrel::cli::CmdDecode, "decode [--zenkaku] [FILE]"},
    {"reformat", kestrel::cli::CmdReformat, "reformat [--ini FILE] [--start N] [FILE]"},
    {"quote", kestrel::cli::CmdQuote, "quote [--ini FILE] [FILE]"},
    {"unquote", kestrel::cli::CmdUnquote, "unquote [--ini FILE] [FILE]"},
    {"scramble", kestrel::cli::CmdScramble, "scramble --pin N [--ini FILE] [FILE]"},
    {"unscramble", kestrel::cli::CmdUnscramble, "unscramble --pin N [--ini FILE] [FILE]"},
    {"widen-kana", kestrel::cli::CmdWidenKana, "widen-kana [FILE]"},
};

void PrintUsage(FILE* out) {
    std::fputs("usage: kestrel-cli COMMAND [OPTIONS]\n\ncommands:\n", out);
    for (const Command& c : kCommands) std::fprintf(out, "  kestrel-cli %s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return kestrel::cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return kestrel::cli::kExitOk;
    }
    for (const Command& c : kCommands) {
        if (name == c.name) {
            kestrel::cli::Args args(std::vector<std::string>(argv + 2, argv + argc));
            return c.run(args);
        }
    }
    std::fprintf(stderr, "kestrel-cli: unknown command '%s'\n\n", name.c_str());
    PrintUsage(stderr);
    return kestrel::cli::kExitUsage;
}
