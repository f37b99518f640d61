#include "tools/standin/plover_model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/fileio.h"
#include "common/sjis.h"
#include "tools/standin/compose_file.h"
#include "tools/standin/mail_copy.h"

namespace kestrel::standin {

namespace {

int NumberOf(const std::string& s) {
    if (s.size() != 4) return -1;
    for (char c : s)
        if (c < '0' || c > '9') return -1;
    return std::atoi(s.c_str());
}

int NumberOfPath(const std::string& path) {
    std::string name = FileNameOf(path);
    if (name.size() != 8 || !EqualsNoCase(name.substr(4), ".txt")) return -1;
    return NumberOf(name.substr(0, 4));
}

std::string FourDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", n % 10000);
    return buf;
}

bool IsRecv(const std::string& path) {
    std::vector<std::string> lines;
    return ReadFileLines(path, lines) && !lines.empty() &&
           lines[0].find("RECV") != std::string::npos;
}

}  // namespace

std::string PloverModel::FolderDirOf(const std::string& folderFile) {
    return ReplaceExtension(folderFile, std::string(1, PathSeparator()));
}

std::vector<std::string> PloverModel::MailsOf(const std::string& folderFile) {
    std::string dir = FolderDirOf(folderFile);
    std::vector<std::string> out;
    for (const auto& name : ListFiles(dir, "????.txt"))
        if (NumberOf(name.substr(0, 4)) >= 0) out.push_back(dir + name);
    return out;  // ListFiles sorts by name: number order
}

PloverAction PloverModel::Execute(const Macro& m) {
    const auto& a = m.args;
    if (EqualsNoCase(m.name, "Focus") && a.size() == 2) {
        currentFolder_ = a[0];
        currentNumber_ = NumberOf(a[1]);
        return {};
    }
    if (EqualsNoCase(m.name, "Update") && !a.empty()) return {};  // lists are read from disk
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
    const bool forward = which == "Next" || which == "NextRecv";
    const bool unreadOnly = which == "NextRecv" || which == "PrevRecv";
    if (!forward && which != "Prev" && which != "PrevRecv") return act;
    std::vector<std::string> mails = MailsOf(currentFolder_);
    auto consider = [&](const std::string& p) {
        int n = NumberOfPath(p);
        if (forward ? n <= currentNumber_ : n >= currentNumber_) return false;
        return !unreadOnly || IsRecv(p);
    };
    if (forward) {
        for (const auto& p : mails)
            if (consider(p)) return PloverAction{p, "", true};
    } else {
        for (auto it = mails.rbegin(); it != mails.rend(); ++it)
            if (consider(*it)) return PloverAction{*it, "", true};
    }
    return act;
}

PloverAction PloverModel::Move(const std::vector<std::string>& a) {
    const std::string destDir = FolderDirOf(a[0]);
    const std::string srcDir = FolderDirOf(a[1]);
    for (size_t i = 2; i < a.size(); ++i) {
        if (NumberOf(a[i]) < 0) continue;
        std::string src = srcDir + a[i] + ".txt";
        if (!FileExists(src)) continue;
        int next = 1;
        for (const auto& p : MailsOf(a[0])) next = std::max(next, NumberOfPath(p) + 1);
        MoveMailFile(src, destDir + FourDigits(next) + ".txt");
    }
    return {};
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
