#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli.h"
#include "common/fileio.h"
#include "common/ini.h"

namespace kestrel::cli {

bool Args::TakeValue(const std::string& option, std::string& value) {
    if (Done()) return false;
    value = Take();
    (void)option;
    return true;
}

int UsageError(const std::string& cmd, const std::string& message) {
    std::fprintf(stderr, "kestrel-cli %s: %s\n", cmd.c_str(), message.c_str());
    return kExitUsage;
}

namespace {
void BinaryStdio() {
#ifdef _WIN32
    // Shift-JIS bytes and CR LF pass through unchanged.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}
}  // namespace

bool ReadInputLines(const std::string& path, std::vector<std::string>& lines) {
    BinaryStdio();
    std::string bytes;
    if (path.empty() || path == "-") {
        char buf[1 << 16];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, stdin)) > 0) bytes.append(buf, n);
        if (std::ferror(stdin)) return false;
    } else if (!ReadFileBytes(path, bytes)) {
        return false;
    }
    lines = SplitLines(bytes);
    return true;
}

bool LoadIniOption(const std::string& cmd, const std::string& path, IniFile& ini) {
    if (path.empty()) {
        ini = IniFile();
        return true;
    }
    std::string bytes;
    if (!ReadFileBytes(ResolvePathCase(path), bytes)) {
        UsageError(cmd, "cannot read settings file " + path);
        return false;
    }
    ini = IniFile::FromBytes(std::move(bytes));
    return true;
}

int RunLinePass(Args& args, const std::string& cmd,
                void (*pass)(std::vector<std::string>& lines, const IniFile& ini)) {
    std::string iniPath, input;
    bool haveInput = false;
    while (!args.Done()) {
        std::string arg = args.Take();
        if (arg == "--ini") {
            if (!args.TakeValue(arg, iniPath) || iniPath.empty())
                return UsageError(cmd, "--ini needs a file");
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
    if (!LoadIniOption(cmd, iniPath, ini)) return kExitUsage;
    std::vector<std::string> lines;
    if (!ReadInputLines(input, lines)) return UsageError(cmd, "cannot read " + input);
    pass(lines, ini);
    WriteOutputLines(lines);
    return kExitOk;
}

void WriteOutput(const std::string& bytes) {
    BinaryStdio();
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteOutputLines(const std::vector<std::string>& lines) {
    WriteOutput(JoinLinesCrLf(lines));
}

}  // namespace kestrel::cli
