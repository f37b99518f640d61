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

namespace {

// A path the wide file functions take at any length: one of MAX_PATH characters or more gets
// the "\\?\" form (drive paths and UNC paths; other paths are left as they are).
std::wstring AnyLengthPath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

// A new, empty file beside target for the atomic write: target's name with a suffix unique in
// this process. Built by hand rather than by GetTempFileNameW, which fails in a folder whose
// path is near MAX_PATH characters.
HANDLE CreateTempBeside(const std::wstring& target, std::wstring& tmp) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = AnyLengthPath(target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(++counter) + L".kst");
        HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    std::wstring target = AnyLengthPath(win32::WidenPath(path));
    std::wstring tmp;
    HANDLE h = CreateTempBeside(win32::WidenPath(path), tmp);
    if (h == INVALID_HANDLE_VALUE) return false;
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
    // The new file takes the old one's attributes (hidden, system, archive...): a replace must
    // not change more than the text.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (ok)
        ok = MoveFileExW(tmp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileW(tmp.c_str());
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        SetFileAttributesW(target.c_str(), attributes);
    return true;
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
