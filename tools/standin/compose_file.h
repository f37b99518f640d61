// The compose files the stand-in mail client prepares for a reply or a forward, shaped like the
// real mail client's: a header with the lines the viewer's Save and Quit has to put together
// again (a folded Subject, "X-", "In-Reply-To", "References", "Organization:"), the separator,
// and a body with half-width katakana above the quoted original.
#pragma once

#include <string>
#include <vector>

namespace kestrel::standin {

enum class ComposeKind {
    Reply,     // to the sender only
    ReplyAll,  // to the sender, with the other addressees as Cc
    Forward,   // to nobody yet, the original quoted
};

// The reply the viewer asked for by the status line it wrote before [Reply(...)]: "SNDR" is
// Reply to sender; anything else (READ from Reply to all, a configured status) is Reply to all.
ComposeKind ReplyKindOf(const std::vector<std::string>& mail);

// The compose file's lines for a mail (status line, header, separator, body).
std::vector<std::string> ComposeLines(const std::vector<std::string>& mail, ComposeKind kind);

// A header line folded for the mail: longer than width bytes, it is cut at the last blank at
// or before width (or, with no blank, at the last character start) and the rest goes on a
// line of its own that begins with a blank.
std::vector<std::string> FoldHeaderLine(const std::string& line, size_t width);

// Writes lines to the first free "_plv" + four hex digits + ".tmp" in tempDir (ending in a
// separator). The path, or "" when it could not be written.
std::string WriteComposeFile(const std::string& tempDir, const std::vector<std::string>& lines);

// What the log records once the viewer on a compose file has closed:
// "Saved(<path>) <the file's bytes in hexadecimal>", or "Saved(<path>) missing".
std::string SavedComposeLogLine(const std::string& path);

// The bytes back from the hexadecimal of SavedComposeLogLine ("" on anything else).
std::string BytesOfSavedLogLine(const std::string& logLine);

}  // namespace kestrel::standin
