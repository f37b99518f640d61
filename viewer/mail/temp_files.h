// The mail client's temporary files ("?plv????.tmp" in the temporary folder): finding the one
// that belongs to the mail on show, and deleting them all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline constexpr std::string_view kTempFileMask = "?plv????.tmp";

// The ID line of a mail: among the lines before its separator (the first line beginning with
// "-----"), the first containing "message-id: " (compared without case), else the last
// containing "date: "; "" when there is neither. The line keeps its own letter case.
std::string IdLineOf(const std::vector<std::string>& mailLines);

// ReadIdLine on a file: reads only up to the separator. False when the file cannot be read.
bool ReadIdLine(const std::string& mailPath, std::string& idLine);

// How well a temporary file matches: 0 when none of its header lines (the lines before its
// first empty line) equals idLine, else 1 + the number of lines after that empty line, counted
// up to 6. An empty idLine matches nothing.
int TempFileScore(const std::vector<std::string>& fileLines, std::string_view idLine);

inline constexpr int kBestTempFileScore = 7;

struct TempFilePick {
    std::string path;  // "" when no file matched
    int score = 0;
    std::vector<std::string> unreadable;  // files that could not be read while searching
};

// Examines the files of folder (ending in a separator) that match the mask in listing order;
// each match replaces the candidate before it, and the first file with the best score ends
// the search. Each file is read only as far as its score needs.
TempFilePick PickTempFile(const std::string& folder, std::string_view idLine);

struct TempFileDeletion {
    int deleted = 0;
    std::vector<std::string> failed;  // paths that could not be deleted
};

// Deletes every file of folder matching the mask; a file that cannot be deleted is passed over.
TempFileDeletion DeleteTempFiles(const std::string& folder);

}  // namespace kestrel
