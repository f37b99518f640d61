#include <gtest/gtest.h>

#include "support/run_cli.h"

namespace kestrel::test {
namespace {

TEST(CliFrame, UnknownCommandAndHelp) {
    CliResult r = RunCli({"frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos);
    r = RunCli({});
    EXPECT_EQ(r.status, 2);
    r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("kestrel-cli decode"), std::string::npos);
}

}  // namespace
}  // namespace kestrel::test
