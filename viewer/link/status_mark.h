// The status line of a folder mail ("X-Status: " and a word, the first line of the file), as
// the reply commands set it to tell the mail client what happened to the mail.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kStatusTag = "X-Status: ";
inline constexpr std::string_view kStatusRead = "X-Status: READ";
inline constexpr std::string_view kStatusSender = "X-Status: SNDR";
inline constexpr std::string_view kStatusLater = "X-Status: RPLY";

enum class StatusMarkResult {
    Written,
    NotFolderMail,  // not a four-digit ".txt" mail: nothing is read or written
    Unreadable,     // missing or unreadable file (deleted after it was opened)
    NoStatusLine,   // the first line carries no "X-Status: ": the file keeps its content
    WriteFailed,    // the file is unchanged
};

// Replaces the first line of the folder mail at path by line when that line contains
// "X-Status: ". Every byte after the first line (line ends included) stays as it was; the
// file is replaced atomically, so a failure leaves the old one whole.
StatusMarkResult SetStatusMark(const std::string& path, std::string_view line);

// The editor's first line shows the status line (the whole header is on show) and is to be
// replaced as well.
bool ShowsStatusLine(std::string_view editorFirstLine);

}  // namespace kestrel
