// Windows side of the file layer: every Shift-JIS path is converted with code page 932 (never
// the ANSI code page) and the wide-character API is used, so Japanese folder names work on any
// system locale.
#include <windows.h>

#include <algorithm>
#include <string>

#include "common/fileio.h"
#include "common/win32/cp932.h"

namespace kestrel {

char PathSeparator() {
    return '\\';
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    HANDLE h = CreateFileW(win32::WidenPath(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buf[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
            CloseHandle(h);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        bytes.append(buf, n);
    }
    CloseHandle(h);
    return true;
}

bool FileReader::Open(const std::string& path) {
    Close();
    HANDLE h = CreateFileW(win32::WidenPath(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = h;
    return true;
}

long long FileReader::Read(char* buf, size_t size) {
    if (!handle_) return -1;
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    if (!ReadFile(static_cast<HANDLE>(handle_), buf, want, &n, nullptr)) return -1;
    return static_cast<long long>(n);
}

long long FileReader::Size() const {
    LARGE_INTEGER size{};
    if (!handle_ || !GetFileSizeEx(static_cast<HANDLE>(handle_), &size)) return -1;
    return static_cast<long long>(size.QuadPart);
}

void FileReader::Close() {
    if (!handle_) return;
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    std::wstring target = win32::WidenPath(path);
    std::wstring dir = win32::WidenPath(DirectoryOf(path));
    if (dir.empty()) dir = L".";
    wchar_t tmp[MAX_PATH * 2];
    if (!GetTempFileNameW(dir.c_str(), L"kst", 0, tmp)) return false;
    HANDLE h =
        CreateFileW(tmp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DeleteFileW(tmp);
        return false;
    }
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD n = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &n, nullptr) && n == chunk;
        done += n;
    }
    if (ok) ok = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    if (ok)
        ok = MoveFileExW(tmp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
             0;
    if (!ok) DeleteFileW(tmp);
    return ok;
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(win32::WidenPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesW(win32::WidenPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileAt(const std::string& path) {
    return DeleteFileW(win32::WidenPath(path).c_str()) != 0;
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& mask) {
    std::vector<std::string> out;
    std::string base = dir;
    if (!base.empty() && !IsPathSeparator(base.back())) base += '\\';
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(win32::WidenPath(base + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = win32::NarrowCp932(fd.cFileName);
        if (MatchesMask(name, mask)) out.push_back(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(out.begin(), out.end());
    return out;
}

std::string ResolvePathCase(const std::string& path) {
    return path;
}

}  // namespace kestrel
