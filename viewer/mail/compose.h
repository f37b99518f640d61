// Save and Quit of a compose file: the check of the header the user wrote, and the rebuild of
// header lines that the editor's word wrap split, before the mail client takes the file over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/mail/widen_kana.h"

namespace kestrel {

inline constexpr std::string_view kAddresseeMissingMessage = "Addressee or Subject may be missing.";
inline constexpr std::string_view kReadOnlyModeMessage = "Read only mode.";

// The line that ends the header of a compose file.
inline constexpr std::string_view kComposeSeparator = "-------";

// A compose file in the temporary folder: the lower-cased path holds ".tmp".
bool IsComposeTmpPath(std::string_view path);
// A compose file or a mail of the out folder: ".tmp" or "\out\" in the lower-cased path.
bool IsComposePath(std::string_view path);

// True when a header line before the first line holding "-------" begins with "To:" or
// "Subject:" (in that case exactly) and is shorter than 10 bytes: nothing after the name.
bool HeaderLooksIncomplete(const std::vector<std::string>& lines);

// The header put together again: a line whose first eight bytes, lower-cased, begin with
// "to:", "cc:", "bcc:", "date:", "from:", "subject:", "in-reply", "referenc" or "x-", or with a
// blank or a TAB, starts a header line; any other line is appended to the one before it with
// nothing in between. From the first line holding "-------" (or the last line) on, every line
// is kept as it is.
std::vector<std::string> RebuildComposeHeader(const std::vector<std::string>& lines);

// What Save and Quit is to do with the editor's text.
struct SaveAndQuitRequest {
    std::string path;  // the file on show, lower case
    bool readOnly = false;
    // The editor holds the file's own lines. False for a folder mail shown through the
    // reader's filter (hidden or rearranged headers) or cut short (line limit, attachment,
    // HTML): its lines are a display, and writing them would replace the mail by it.
    bool wholeFile = true;
    WidenKanaOptions widen;
};

struct SaveAndQuitPlan {
    enum Outcome {
        HeaderMissing,  // show kAddresseeMissingMessage; nothing saved
        ReadOnly,       // show kReadOnlyModeMessage; nothing saved
        SaveAsFirst,    // no file, or the text is not the whole file: Save As, never over it
        Write,          // write `lines` to the file, then close
    };
    Outcome outcome = Write;
    std::vector<std::string> lines;  // the text to write
    // Lines whose kana were widened, to be put back into the editor (indexes of the editor's
    // lines, before any rebuild).
    std::vector<size_t> widened;
    std::vector<std::string> widenedLines;  // the editor's lines after widening
};

SaveAndQuitPlan PlanSaveAndQuit(const std::vector<std::string>& editorLines,
                                const SaveAndQuitRequest& request);

}  // namespace kestrel
