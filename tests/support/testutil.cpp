#include "support/testutil.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "common/fileio.h"

namespace kestrel::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path p = fs::temp_directory_path() /
                 ("kestrel-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(p);
    path_ = p.string() + PathSeparator();
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(fs::path(path_), ec);
}

std::string DataDir() {
#ifdef KESTREL_TEST_DATA
    std::string dir = KESTREL_TEST_DATA;
#ifdef _WIN32
    // Under Wine the build tree's Unix paths are reached through drive Z:.
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
#endif
    return dir + "/";
#else
    return "tests/data/";
#endif
}

}  // namespace kestrel::test
