#include "tools/standin/plover_model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/fileio.h"
#include "common/sjis.h"
#include "tools/standin/compose_file.h"
#include "tools/standin/folder_list.h"
#include "tools/standin/mail_copy.h"

namespace kestrel::standin {

namespace {

int NumberOf(const std::string& s) {
    if (s.size() != 4) return -1;
    for (char c : s)
        if (c < '0' || c > '9') return -1;
    return std::atoi(s.c_str());
}

// The number after the highest in the folder, or the lowest free one when that would pass 9999;
// -1 when every number is taken.
int FreeNumberIn(const std::string& folderFile) {
    int highest = 0;
    for (int n : ListOrderOf(folderFile)) highest = std::max(highest, n);
    if (highest < 9999) return highest + 1;
    const std::string dir = PloverModel::FolderDirOf(folderFile);
    for (int n = 1; n <= 9999; ++n) {
        if (!FileExists(dir + FourDigits(n) + ".txt")) return n;
    }
    return -1;
}

}  // namespace

std::string PloverModel::FolderDirOf(const std::string& folderFile) {
    return ReplaceExtension(folderFile, std::string(1, PathSeparator()));
}

std::vector<std::string> PloverModel::MailsOf(const std::string& folderFile) {
    std::string dir = FolderDirOf(folderFile);
    std::vector<std::string> out;
    for (int n : ListOrderOf(folderFile)) out.push_back(dir + FourDigits(n) + ".txt");
    return out;
}

PloverAction PloverModel::Execute(const Macro& m) {
    const auto& a = m.args;
    if (EqualsNoCase(m.name, "Focus") && a.size() == 2) {
        currentFolder_ = a[0];
        currentNumber_ = NumberOf(a[1]);
        return {};
    }
    if (EqualsNoCase(m.name, "Update") && !a.empty()) {
        RefreshList(a[0]);
        return {};
    }
    if (EqualsNoCase(m.name, "View") && a.size() == 1) return View(a[0]);
    if (EqualsNoCase(m.name, "Move") && a.size() >= 3) return Move(a);
    if (EqualsNoCase(m.name, "Reply") && a.size() == 2) return Compose(a[0], a[1], false);
    if (EqualsNoCase(m.name, "Forward") && a.size() == 2) return Compose(a[0], a[1], true);
    PloverAction unknown;
    unknown.known = false;
    return unknown;
}

PloverAction PloverModel::View(const std::string& which) {
    PloverAction act;
    if (currentFolder_.empty()) return act;
    const std::string dir = FolderDirOf(currentFolder_);
    auto unread = [&](int n) { return IsUnreadMail(dir + FourDigits(n) + ".txt"); };
    int pick = PickInList(ListOrderOf(currentFolder_), currentNumber_, which, unread);
    if (pick >= 0) act.openPath = dir + FourDigits(pick) + ".txt";
    return act;
}

PloverAction PloverModel::Move(const std::vector<std::string>& a) {
    PloverAction act;
    const std::string destDir = FolderDirOf(a[0]);
    const std::string srcDir = FolderDirOf(a[1]);
    for (size_t i = 2; i < a.size(); ++i) {
        if (NumberOf(a[i]) < 0) {
            act.notes.push_back("Move: no mail number " + a[i]);
            continue;
        }
        const std::string src = srcDir + a[i] + ".txt";
        std::string bytes;
        if (!ReadFileBytes(src, bytes)) {
            act.notes.push_back("Move: no mail " + src);
            continue;
        }
        const int number = FreeNumberIn(a[0]);
        if (number < 0) {
            act.notes.push_back("Move: no free number in " + a[0]);
            continue;
        }
        const std::string dest = destDir + FourDigits(number) + ".txt";
        // The source goes only once its copy reads back whole; on any failure the mail stays
        // where it was and no second copy is left.
        MailMove moved = MoveMailFile(src, dest);
        if (moved == MailMove::NotWritten) act.notes.push_back("Move: could not write " + dest);
        if (moved == MailMove::NotDeleted) act.notes.push_back("Move: could not delete " + src);
    }
    RefreshList(a[0]);
    RefreshList(a[1]);
    return act;
}

PloverAction PloverModel::Compose(const std::string& folder, const std::string& number,
                                  bool forward) {
    PloverAction act;
    std::vector<std::string> mail;
    if (NumberOf(number) < 0 || !ReadFileLines(FolderDirOf(folder) + number + ".txt", mail))
        return act;
    ComposeKind kind = forward ? ComposeKind::Forward : ReplyKindOf(mail);
    act.startViewerOn = WriteComposeFile(tempDir_, ComposeLines(mail, kind));
    return act;
}

bool AppendLogLine(const std::string& path, const std::string& line) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    bytes += line;
    bytes += "\r\n";
    return WriteFileAtomic(path, bytes);
}

}  // namespace kestrel::standin
