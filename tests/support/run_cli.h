// Runs the native kestrel-cli as a child process (tests/cli only).
#pragma once

#include <string>
#include <vector>

namespace kestrel::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs kestrel-cli with args, feeding input on standard input.
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace kestrel::test
