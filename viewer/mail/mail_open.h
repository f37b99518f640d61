// Reading one mail file for display: header filtering and rearranging, cutting the body at
// attachments, HTML, uuencoded data and the line limit, the alert colour, and marking a new
// mail as read. No user interface here: the shell shows the result.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class IniFile;

// The marker lines put into the display list.
extern const char kTooLongMarker[];
extern const char kAttachedFileMarker[];
extern const char kUuencodeMarker[];
extern const char kHtmlMailMarker[];
// The message the shell shows when MailView::openError is set.
extern const char kMailOpenErrorMessage[];

// Settings that shape the display. header and showTo are the current header mode of the
// process: they start from the settings of the same names and the Header button steps them.
struct MailViewSettings {
    bool header = false;                      // [View] Header: every header line shown
    bool showTo = true;                       // [View] ShowTo: To, Cc and Bcc in the filtered view
    int32_t maxTo = 10;                       // [View] MaxTo
    std::string headerList;                   // [View] HeaderList: "reply-to:,organization:"
    int32_t tabToSpace = 4;                   // [View] TabToSpace; below 0 no replacement
    int32_t maxLines = 300;                   // [View] MaxLines
    int32_t autoReformat = 0;                 // [View] AutoReformat; 0 (or 255) is off
    std::array<std::string, 5> alertStrings;  // [Alert] AlertString1..5
    std::array<uint32_t, 5> alertColours{};   // [Alert] AlertColor1..5; all off while [0] is 0
};

// The [View] and [Alert] values above as the viewer reads them.
MailViewSettings MailViewSettingsFrom(const IniFile& ini);

// Process state at the moment of the open.
struct MailOpenContext {
    bool fromFolder = true;     // a mail of a folder (filtered view, status update)
    bool freshOpen = false;     // opened afresh: the MaxLines cut applies
    bool headerButton = false;  // reopened by the Header button: MaxTo does not hide
    bool startupStage = false;  // first stage of start-up: the viewer mode is chosen here
    bool editSwitch = false;    // "/e" given at start
    bool scrambleMode = false;  // a PIN is set: scrambled mails are shown unscrambled
};

// Work done by other parts of the viewer while a mail is opened. Empty hooks are skipped.
struct MailOpenHooks {
    // Automatic reformat (ReformatLines) of the display list from bodyStart on.
    std::function<void(std::vector<std::string>& lines, size_t bodyStart)> reformat;
    // Unscrambling of a scrambled mail's display list for display.
    std::function<void(std::vector<std::string>& lines)> unscramble;
};

// Everything one open produces.
struct MailView {
    bool found = false;              // false: no such file; nothing is to change on screen
    std::string path;                // the path, lower-cased (currentFile)
    std::vector<std::string> lines;  // the display list
    bool showAllHeaders = false;
    bool headerFiltered = false;  // the header lines were filtered and rearranged for display
    bool showToThis = false;
    int addressCount = 0;        // To, Cc and Bcc address lines put into the display list
    size_t longestBodyLine = 0;  // bytes
    size_t bodyStart = 0;        // display lines up to and including the separator
    bool recvMail = false;
    bool partialView = false;    // the display does not hold the whole file
    bool truncatedView = false;  // cut at MaxLines; the Header button reopens in full
    bool htmlMail = false;
    uint32_t alertColour = 0;      // viewer background for this mail, 0 when none
    std::string scrambleLine;      // the "X-Scramble: " line kept in the filtered view
    bool openError = false;        // show kMailOpenErrorMessage; lines hold what was read
    bool reformatted = false;      // the reformat hook ran
    bool unscrambled = false;      // the unscramble hook ran
    bool markRead = false;         // the file's "X-Status: RECV" must become READ (MarkMailRead)
    std::optional<bool> readOnly;  // set during the start-up stage only: the viewer mode
};

// Reads the file at path (opened as given, or under its case-insensitive match on a file
// system that tells case) and builds the display.
MailView MailOpen(const std::string& path, const MailViewSettings& settings,
                  const MailOpenContext& context, const MailOpenHooks& hooks = {});

// The same on bytes already read: path is only used for its lower-cased form and the out
// folder test. readError marks bytes that end where reading failed.
MailView MailOpenBytes(std::string_view bytes, const std::string& path,
                       const MailViewSettings& settings, const MailOpenContext& context,
                       const MailOpenHooks& hooks = {}, bool readError = false);

// The line as displayed: a leading TAB becomes tabToSpace blanks (at most 12) when tabToSpace
// is 0 or more.
std::string ExpandLeadingTab(std::string_view line, int32_t tabToSpace);

// One step of splitting a To, Cc or Bcc line into one display line per address: line becomes
// pending + line, and pending receives the next address (with its comma) while the result is
// true, or everything left when it is false. A comma inside double quotes does not split.
// MailOpen uses an equivalent splitter that stays linear on huge lines.
bool SplitAddresses(std::string& line, std::string& pending);

// The Header button on a folder mail: what the reopen needs. When truncatedView is set the mail
// is reopened in full with the mode unchanged; otherwise the header mode steps (Header on ->
// filtered without To; filtered without To -> with To; filtered with To -> all headers, unless
// MaxTo hid the To lines of this mail, which the reopen then shows).
struct HeaderPress {
    bool headerButton = false;  // reopen with MailOpenContext::headerButton
};
HeaderPress PressHeaderButton(MailViewSettings& settings, const MailView& shown);

// Outcome of MarkMailRead.
enum class MarkReadResult { Marked, NotRecv, Unreadable, WriteFailed };

// Rewrites the first line "X-Status: RECV" of the file to "X-Status: READ", leaving every other
// byte (and the line ends) as they are. Nothing is written unless the first line is exactly
// that status line.
MarkReadResult MarkMailRead(const std::string& path);

}  // namespace kestrel
