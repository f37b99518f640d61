// POSIX side of the file layer: paths are used as the bytes they are.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

char PathSeparator() {
    return '/';
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool FileReader::Open(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(fd) + 1);
    return true;
}

long long FileReader::Read(char* buf, size_t size) {
    if (!handle_) return -1;
    int fd = static_cast<int>(reinterpret_cast<intptr_t>(handle_) - 1);
    for (;;) {
        ssize_t n = ::read(fd, buf, size);
        if (n < 0 && errno == EINTR) continue;
        return n < 0 ? -1 : static_cast<long long>(n);
    }
}

long long FileReader::Size() const {
    struct stat st {};
    if (!handle_ || ::fstat(static_cast<int>(reinterpret_cast<intptr_t>(handle_) - 1), &st) != 0)
        return -1;
    return static_cast<long long>(st.st_size);
}

void FileReader::Close() {
    if (!handle_) return;
    ::close(static_cast<int>(reinterpret_cast<intptr_t>(handle_) - 1));
    handle_ = nullptr;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    std::string dir = DirectoryOf(path);
    std::string tmpl = (dir.empty() ? std::string("./") : dir) + ".kestrel-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    const char* p = bytes.data();
    size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    // Keep the old file's permissions where there is one.
    struct stat st {};
    if (ok && ::stat(path.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    else if (ok)
        ::fchmod(fd, 0644);
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(name.data(), path.c_str()) != 0) ok = false;
    if (!ok) ::unlink(name.data());
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFileAt(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& mask) {
    std::vector<std::string> out;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return out;
    std::string base = dir;
    if (!base.empty() && !IsPathSeparator(base.back())) base += '/';
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || !MatchesMask(name, mask)) continue;
        if (FileExists(base + name)) out.push_back(name);
    }
    ::closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

std::string ResolvePathCase(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) == 0) return path;
    // Walk the components; at each one that does not exist as written, look for a directory
    // entry that equals it without regard to ASCII case.
    std::string resolved = path[0] == '/' ? "/" : "";
    size_t pos = path[0] == '/' ? 1 : 0;
    while (pos <= path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        std::string part = path.substr(pos, next - pos);
        if (!part.empty()) {
            std::string candidate = resolved + part;
            if (::lstat(candidate.c_str(), &st) != 0) {
                DIR* d = ::opendir(resolved.empty() ? "." : resolved.c_str());
                if (!d) return path;
                std::string found;
                while (dirent* e = ::readdir(d)) {
                    if (EqualsNoCase(e->d_name, part)) {
                        found = e->d_name;
                        break;
                    }
                }
                ::closedir(d);
                if (found.empty()) return path;
                candidate = resolved + found;
            }
            resolved = candidate;
            if (next < path.size()) resolved += '/';
        }
        pos = next + 1;
    }
    return resolved;
}

}  // namespace kestrel
