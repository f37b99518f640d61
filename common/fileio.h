// The project's own small file layer. Paths are Shift-JIS byte strings; on Windows they are
// converted with code page 932 to UTF-16, so folders with Japanese names work whatever the
// system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Splits bytes into lines: a line ends at CR LF or a lone LF (the end is not kept); a last line
// without an end counts; an empty input gives no lines. A lone CR stays inside its line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Each line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Whole file into bytes. False (and bytes cleared) when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// ReadFileBytes + SplitLines.
bool ReadFileLines(const std::string& path, std::vector<std::string>& lines);

// Reads a file piece by piece, for readers that may stop long before its end (a long mail cut
// at its first lines). Closed by the destructor.
class FileReader {
  public:
    FileReader() = default;
    ~FileReader() { Close(); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    // False when the file cannot be opened for reading (or is a directory).
    bool Open(const std::string& path);
    // Up to size bytes into buf: the count read, 0 at the end of the file, -1 on a read error.
    long long Read(char* buf, size_t size);
    // Size of the open file in bytes, -1 when unknown.
    long long Size() const;
    void Close();

  private:
    void* handle_ = nullptr;  // a HANDLE on Windows, the descriptor + 1 elsewhere
};

// Writes bytes to a temporary file in the same folder and moves it over path, so that a
// failure never leaves half a file. False when any step fails (path is then unchanged).
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// WriteFileAtomic of the lines, each followed by CR LF.
bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool DeleteFileAt(const std::string& path);

// Names (not paths) of the regular files in dir whose names match mask ('?' one character,
// '*' any run; compared without case), sorted by byte value.
std::vector<std::string> ListFiles(const std::string& dir, const std::string& mask);

// Wildcard match used by ListFiles: '?' is one Shift-JIS character, '*' any run; ASCII letters
// compared without case.
bool MatchesMask(std::string_view name, std::string_view mask);

// The platform's path separator ('\\' on Windows, '/' elsewhere).
char PathSeparator();
bool IsPathSeparator(char c);

// Folder part of path including its final separator ("" when there is none).
std::string DirectoryOf(std::string_view path);
// File name part of path.
std::string FileNameOf(std::string_view path);
// path with its extension (from the last '.' of the file name) replaced by ext (".ini").
std::string ReplaceExtension(std::string_view path, std::string_view ext);

// On a file system that tells upper from lower case, finds the existing path that equals
// path when compared without case (each component in turn). Returns path itself when it
// exists as given or nothing matches; on Windows it always returns path.
std::string ResolvePathCase(const std::string& path);

}  // namespace kestrel
