#include "viewer/link/status_mark.h"

#include "common/fileio.h"
#include "viewer/link/folder.h"

namespace kestrel {

StatusMarkResult SetStatusMark(const std::string& path, std::string_view line) {
    if (!IsFolderMail(path)) return StatusMarkResult::NotFolderMail;
    std::string real = ResolvePathCase(path);
    std::string bytes;
    if (!ReadFileBytes(real, bytes)) return StatusMarkResult::Unreadable;
    size_t lf = bytes.find('\n');
    size_t end = lf == std::string::npos ? bytes.size() : lf;
    if (lf != std::string::npos && end > 0 && bytes[end - 1] == '\r') --end;
    if (std::string_view(bytes).substr(0, end).find(kStatusTag) == std::string_view::npos) {
        return StatusMarkResult::NoStatusLine;
    }
    // A line end inside the new line would turn it into several lines of the header.
    std::string_view mark = line.substr(0, line.find_first_of("\r\n"));
    bytes.replace(0, end, mark);
    return WriteFileAtomic(real, bytes) ? StatusMarkResult::Written : StatusMarkResult::WriteFailed;
}

bool ShowsStatusLine(std::string_view editorFirstLine) {
    return editorFirstLine.find(kStatusTag) != std::string_view::npos;
}

}  // namespace kestrel
