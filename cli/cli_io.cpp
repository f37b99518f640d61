#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli.h"
#include "common/fileio.h"

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

void WriteOutput(const std::string& bytes) {
    BinaryStdio();
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteOutputLines(const std::vector<std::string>& lines) {
    WriteOutput(JoinLinesCrLf(lines));
}

}  // namespace kestrel::cli
