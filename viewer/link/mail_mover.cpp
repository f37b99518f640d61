#include "viewer/link/mail_mover.h"

#include <cstdio>

#include "common/fileio.h"
#include "common/ini.h"
#include "common/settings.h"
#include "common/sjis.h"
#include "viewer/link/macros.h"

namespace kestrel {

namespace {

std::string FourDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", n);
    return buf;
}

// Reads lines one at a time without taking in the whole file: a mail with a large body is
// classified by its header alone.
class HeaderLineReader {
  public:
    bool Open(const std::string& path) { return file_.Open(path); }
    bool Next(std::string& line) {
        for (;;) {
            size_t lf = buf_.find('\n', pos_);
            if (lf != std::string::npos) {
                size_t end = lf > pos_ && buf_[lf - 1] == '\r' ? lf - 1 : lf;
                line.assign(buf_, pos_, end - pos_);
                pos_ = lf + 1;
                return true;
            }
            buf_.erase(0, pos_);
            pos_ = 0;
            char chunk[8192];
            long long got = eof_ ? 0 : file_.Read(chunk, sizeof chunk);
            if (got <= 0) {
                eof_ = true;
                if (buf_.empty()) return false;
                line.swap(buf_);
                buf_.clear();
                return true;
            }
            buf_.append(chunk, size_t(got));
        }
    }

  private:
    FileReader file_;
    std::string buf_;
    size_t pos_ = 0;
    bool eof_ = false;
};

enum class MailKind { Ordinary, Marked, Unreadable };

MailKind ClassifyMail(const std::string& path, std::string_view headerText) {
    HeaderLineReader rd;
    std::string line;
    if (!rd.Open(path) || !rd.Next(line)) return MailKind::Unreadable;
    if (line.find("WRIT") != std::string::npos) return MailKind::Marked;
    while (rd.Next(line)) {
        if (line.compare(0, 4, "----") == 0) return MailKind::Ordinary;
        if (!headerText.empty() && line.compare(0, headerText.size(), headerText) == 0) {
            return MailKind::Marked;
        }
    }
    return MailKind::Ordinary;
}

std::string MailPath(const std::string& folderDir, std::string_view number) {
    return folderDir + PathSeparator() + std::string(number) + ".txt";
}

// The mails of a folder the mover looks at: at most kMoverBatch, numbers below 0200.
template <typename Visit>
void ForEachMoverMail(const std::string& folderDir, Visit visit) {
    std::string dir = ResolvePathCase(folderDir);
    std::string number = NextMailNumber(dir, kNoNextMailNumber);
    for (size_t looked = 0; number != kNoNextMailNumber && looked < kMoverBatch; ++looked) {
        visit(number, MailPath(dir, number));
        number = NextMailNumber(dir, number);
    }
}

}  // namespace

MailMoverSettings MailMoverSettingsFrom(const IniFile& ini, std::string_view programDir) {
    MailMoverSettings s;
    s.aw = ViewerBool(ini, "AW", "AW");
    s.autoMove = s.aw && ViewerBool(ini, "AW", "AutoMove");
    s.attachString = ViewerString(ini, "AW", "AttachString");
    s.attachDir = ViewerString(ini, "AW", "AttachDir");
    if (s.attachDir.empty()) s.attachDir = std::string(programDir);
    s.receive = ViewerString(ini, "AW", "Receive");
    s.in = ViewerString(ini, "AW", "In");
    s.netMtg = ViewerString(ini, "AW", "NetMtg");
    s.mtgString = ViewerString(ini, "AW", "MtgString");
    s.out = ViewerString(ini, "AW", "Out");
    s.sent = ViewerString(ini, "AW", "Sent");
    return s;
}

std::string NextMailNumber(const std::string& folderDir, std::string_view number) {
    int n = 0;
    if (number != kNoNextMailNumber) {
        for (char c : number) {
            if (c < '0' || c > '9') return std::string(kNoNextMailNumber);
            n = n * 10 + (c - '0');
            if (n >= kMoverNumberLimit) return std::string(kNoNextMailNumber);
        }
        ++n;
    }
    for (; n < kMoverNumberLimit; ++n) {
        if (FileExists(MailPath(folderDir, FourDigits(n)))) return FourDigits(n);
    }
    return std::string(kNoNextMailNumber);
}

bool IsOrdinaryMail(const std::string& path, std::string_view headerText) {
    return ClassifyMail(path, headerText) == MailKind::Ordinary;
}

MoverLists SortReceivedMails(const std::string& receiveDir, std::string_view mtgString) {
    MoverLists lists;
    ForEachMoverMail(receiveDir, [&](const std::string& number, const std::string& path) {
        switch (ClassifyMail(path, mtgString)) {
            case MailKind::Ordinary:
                lists.ordinary.push_back(number);
                break;
            case MailKind::Marked:
                lists.meeting.push_back(number);
                break;
            case MailKind::Unreadable:
                break;
        }
    });
    return lists;
}

std::vector<std::string> SentMails(const std::string& outDir) {
    std::vector<std::string> sent;
    ForEachMoverMail(outDir, [&](const std::string& number, const std::string& path) {
        if (ClassifyMail(path, "Reply-To:") == MailKind::Ordinary) sent.push_back(number);
    });
    return sent;
}

std::vector<std::string> MailMover::Start(const std::string& clientDir,
                                          const MailMoverSettings& s) {
    clientDir_ = clientDir;
    s_ = s;
    std::string receiveDir = clientDir_ + s_.receive;
    lists_ = SortReceivedMails(receiveDir, s_.mtgString);
    return {UpdateFolderMacro(receiveDir)};
}

std::vector<std::string> MailMover::Step1() {
    if (lists_.meeting.empty()) return {};
    return {MoveManyMacro(clientDir_ + s_.netMtg, clientDir_ + s_.receive, lists_.meeting)};
}

std::vector<std::string> MailMover::Step2() {
    if (lists_.ordinary.empty()) return {};
    return {MoveManyMacro(clientDir_ + s_.in, clientDir_ + s_.receive, lists_.ordinary)};
}

std::vector<std::string> MailMover::Step3(bool closingByAw, std::string_view currentFile) {
    std::vector<std::string> macros;
    std::string outDir = LowerSjis(clientDir_ + s_.out);
    bool editingOutMail = closingByAw && LowerSjis(currentFile).find(outDir) != std::string::npos;
    if (!editingOutMail) {
        std::vector<std::string> sent = SentMails(outDir);
        if (!sent.empty()) macros.push_back(MoveManyMacro(clientDir_ + s_.sent, outDir, sent));
    }
    macros.push_back(UpdateFolderMacro(outDir));
    return macros;
}

size_t AttachInsertIndex(const std::vector<std::string>& lines, size_t caret) {
    size_t sum = 0, count = 0;
    while (count < lines.size() && sum < caret) {
        sum += lines[count].size() + 2;
        ++count;
    }
    return count;
}

std::string AttachLine(const MailMoverSettings& s, std::string_view chosenPath) {
    return s.AttachPrefix() + LowerSjis(chosenPath);
}

}  // namespace kestrel
