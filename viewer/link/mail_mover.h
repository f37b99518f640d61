// The mail mover (AW): which received mails go to the "In" or the meeting folder and which
// sent mails leave the out folder, the macros that ask the mail client to move them, and the
// attach line that names a file for the mail client to attach. The mail client moves the
// files; the viewer only reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class IniFile;

struct MailMoverSettings {
    bool aw = false;
    bool autoMove = false;  // only when aw is on
    std::string attachString = "$$AttachFile:";
    std::string attachDir;  // the program folder when not set
    std::string receive = "Recv", in = "In", netMtg = "In", mtgString = "Reply-To:";
    std::string out = "Out", sent = "Sent";
    // The attach prefix: AttachString and one blank.
    std::string AttachPrefix() const { return attachString + " "; }
};

// [AW]; programDir (ending in a separator) is AttachDir when the key is missing or empty.
MailMoverSettings MailMoverSettingsFrom(const IniFile& ini, std::string_view programDir);

// Mails the mover looks at in one run, and the first number it never visits.
inline constexpr size_t kMoverBatch = 30;
inline constexpr int kMoverNumberLimit = 200;
inline constexpr std::string_view kNoNextMailNumber = "9999";

// The next existing mail of folderDir (no trailing separator) after number, as four digits;
// "9999" when none below 0200 exists. "9999" as number starts from 0000.
std::string NextMailNumber(const std::string& folderDir, std::string_view number);

// A mail that may be filed away: its first line holds no "WRIT" (still being written) and no
// header line before the "----" line begins with headerText. False when the file cannot be
// read; an empty headerText matches no line.
bool IsOrdinaryMail(const std::string& path, std::string_view headerText);

// The receive folder's mails sorted into the two mover lists (at most kMoverBatch mails).
// A mail that cannot be read (gone since it was found) is in neither list.
struct MoverLists {
    std::vector<std::string> meeting, ordinary;  // four-digit numbers, in number order
};
MoverLists SortReceivedMails(const std::string& receiveDir, std::string_view mtgString);

// The out folder's mails that are sent and may go to the Sent folder: not "WRIT", no
// Reply-To: header (at most kMoverBatch looked at).
std::vector<std::string> SentMails(const std::string& outDir);

// One run of the mover: Start, then the three steps one timer interval apart. Each returns
// the macros to send to the mail client, in order.
class MailMover {
  public:
    // clientDir ends in a separator. Reads the receive folder and fills the lists.
    std::vector<std::string> Start(const std::string& clientDir, const MailMoverSettings& s);
    std::vector<std::string> Step1();
    std::vector<std::string> Step2();
    // closingByAw: the window is being closed by the mover; currentFile: the mail on show
    // (lower case). The out folder is left alone while the mail on show lies in it and the
    // window closes, so that the mail the user just wrote is not filed away before it is sent.
    std::vector<std::string> Step3(bool closingByAw, std::string_view currentFile);

    const MoverLists& Lists() const { return lists_; }

  private:
    std::string clientDir_;
    MailMoverSettings s_;
    MoverLists lists_;
};

// Where the attach line goes: lines are added up (length + 2 for the line end) from the first
// while the sum is below the caret offset; the count added is the insertion index. The caret
// inside a line puts the new line below it, at the very start of a line above it.
size_t AttachInsertIndex(const std::vector<std::string>& lines, size_t caret);

// The attach line for a chosen file: the prefix and the full path, lower-cased.
std::string AttachLine(const MailMoverSettings& s, std::string_view chosenPath);

inline constexpr std::string_view kAttachFilter =
    "Office files|*.doc;*.x*;*.ppt;*.j?w;*.w*|WWW files|*.lzh;*.zip;*.exe;*.htm?;*.txt;*.jp*|"
    "All files|*.*";

}  // namespace kestrel
