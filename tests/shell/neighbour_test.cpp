// The next and previous mail in number order.
#include "viewer/link/neighbour.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "common/sjis.h"
#include "support/testutil.h"

namespace kestrel::test {
namespace {

class NeighbourRule : public ::testing::Test {
  protected:
    void Make(std::initializer_list<int> numbers) {
        std::filesystem::create_directories(dir.File("inbox"));
        for (int n : numbers) WriteFileAtomic(Mail(n), "X-Status: READ\r\n");
    }
    std::string Mail(int n) {
        std::string digits = std::to_string(10000 + n).substr(1);
        return dir.File("inbox") + PathSeparator() + digits + ".txt";
    }
    TempDir dir;
};

TEST_F(NeighbourRule, NearestExistingNumberWithinFiftyOneSteps) {
    Make({1, 2, 5, 56, 108, 9999});
    struct Case {
        int from, step;
        int expected;  // -1: none
    };
    const Case cases[] = {
        {1, +1, 2},    {2, +1, 5},  {5, +1, 56},  // a gap of 50 missing numbers is jumped
        {56, +1, -1},                             // 57..107 is a gap of 51: end of folder
        {108, -1, -1}, {56, -1, 5}, {2, -1, 1},  {1, -1, 9999},  // wraps below 0000
        {9999, +1, 1},                                           // and past 9999
        {3, +1, 5},                                              // the path itself need not exist
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " step " + std::to_string(c.step));
        EXPECT_EQ(NeighbourOf(Mail(c.from), c.step), c.expected < 0 ? "" : Mail(c.expected));
    }
}

TEST_F(NeighbourRule, PathsWithoutAFourDigitNumberHaveNoNeighbour) {
    Make({1, 2});
    std::string base = dir.File("inbox") + PathSeparator();
    for (std::string name :
         {"readme.txt", "0001.eml", "00a1.txt", "-001.txt", " 001.txt", "0001.txt.bak", ""}) {
        EXPECT_EQ(NeighbourOf(base + name, +1), "") << name;
    }
    EXPECT_EQ(NeighbourOf(Mail(1), 0), "");
    EXPECT_EQ(NeighbourOf("", -1), "");
}

TEST_F(NeighbourRule, LowerCasedPathFindsFilesUnderTheirRealCase) {
    std::filesystem::create_directories(dir.File("InBox"));
    WriteFileAtomic(dir.File("InBox") + PathSeparator() + "0002.TXT", "x");
    std::string lower = LowerSjis(dir.File("InBox") + PathSeparator() + "0001.txt");
    EXPECT_EQ(NeighbourOf(lower, +1), LowerSjis(dir.File("inbox") + PathSeparator() + "0002.txt"));
}

}  // namespace
}  // namespace kestrel::test
