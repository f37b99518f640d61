#include "support/run_cli.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/testutil.h"

namespace kestrel::test {

namespace {
std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    CliResult r;
#ifdef KESTREL_CLI
    TempDir dir;
    const std::string in = dir.File("stdin"), out = dir.File("stdout"), err = dir.File("stderr");
    {
        std::ofstream f(in, std::ios::binary);
        f << input;
    }
    pid_t pid = fork();
    if (pid == 0) {
        int fi = open(in.c_str(), O_RDONLY);
        int fo = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fi, 0);
        dup2(fo, 1);
        dup2(fe, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(KESTREL_CLI));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(KESTREL_CLI, argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
#endif
    return r;
}

}  // namespace kestrel::test
#endif
