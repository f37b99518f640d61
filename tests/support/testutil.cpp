#include "support/testutil.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path p = fs::temp_directory_path() /
                 ("kestrel-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(p);
    path_ = p.string() + PathSeparator();
#ifdef _WIN32
    path_ = LowerSjis(path_);
#endif
}

bool LockFolder(const std::string& folder) {
    std::error_code ec;
    fs::permissions(folder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, ec);
    std::string probe = folder + "lock-probe";
    if (!WriteFileAtomic(probe, "x")) return true;
    DeleteFileAt(probe);
#ifndef _WIN32
    std::string cmd = "chattr +i '" + folder + "' 2>/dev/null";
    if (std::system(cmd.c_str()) == 0) {
        if (!WriteFileAtomic(probe, "x")) return true;
        DeleteFileAt(probe);
    }
#endif
    UnlockFolder(folder);
    return false;
}

void UnlockFolder(const std::string& folder) {
#ifndef _WIN32
    std::string cmd = "chattr -i '" + folder + "' 2>/dev/null";
    (void)std::system(cmd.c_str());
#endif
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
}

std::string NativePath(std::string path) {
    for (char& c : path)
        if (c == '/') c = PathSeparator();
    return path;
}

std::string TempDir::File(const std::string& name) const {
    return path_ + NativePath(name);
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
