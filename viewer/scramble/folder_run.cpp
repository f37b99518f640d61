#include "viewer/scramble/folder_run.h"

#include <cstdlib>
#include <vector>

#include "common/fileio.h"
#include "viewer/link/folder.h"
#include "viewer/link/neighbour.h"
#include "viewer/scramble/mail_scramble.h"
#include "viewer/scramble/plausibility.h"

namespace kestrel {

namespace {

enum class FileStep { Unchanged, Changed, NotText, BadMarker, BackupInTheWay, WriteFailed };

FileStep RunOne(const std::string& path, FolderRunKind kind, const ScrambleCipher& cipher,
                uint8_t kept, std::vector<std::string>& backups) {
    const std::string backup = MailBackupPathOf(path);
    if (FileExists(backup)) return FileStep::BackupInTheWay;
    std::string original;
    if (!ReadFileBytes(path, original)) return FileStep::Unchanged;  // gone meanwhile
    std::vector<std::string> lines = SplitLines(original);
    if (kind == FolderRunKind::Scramble) {
        if (!ScrambleMailText(lines, cipher, kept)) return FileStep::Unchanged;
    } else {
        std::vector<std::string> scrambled = lines;
        switch (UnscrambleMailText(lines, cipher)) {
            case UnscrambleOutcome::NotScrambled:
                return FileStep::Unchanged;
            case UnscrambleOutcome::BadMarker:
                return FileStep::BadMarker;
            case UnscrambleOutcome::Done:
                break;
        }
        if (!UnscrambledReadsAsText(scrambled, lines)) return FileStep::NotText;
    }
    if (!WriteFileAtomic(backup, original)) return FileStep::WriteFailed;
    backups.push_back(backup);
    if (!WriteLinesAtomic(path, lines)) return FileStep::WriteFailed;
    return FileStep::Changed;
}

int NumberOf(const std::string& path) {
    const std::string digits = MailNumberOf(path);
    return digits.empty() ? -1 : std::atoi(digits.c_str());
}

}  // namespace

std::string MailBackupPathOf(const std::string& mailPath) {
    return mailPath + ".kestrel-backup";
}

FolderRunReport RunFolderScramble(const std::string& start, FolderRunKind kind,
                                  const ScrambleCipher& cipher, uint8_t keptSubjectBytes,
                                  const std::function<void(const std::string&)>& visit) {
    FolderRunReport report;
    std::vector<std::string> backups;
    for (std::string path = start; !path.empty();) {
        ++report.visited;
        const FileStep step = RunOne(path, kind, cipher, keptSubjectBytes, backups);
        switch (step) {
            case FileStep::Changed:
                ++report.changed;
                break;
            case FileStep::NotText:
                ++report.notText;
                break;
            case FileStep::BadMarker:
                ++report.badMarker;
                break;
            case FileStep::BackupInTheWay:
                ++report.backupInTheWay;
                break;
            case FileStep::Unchanged:
                break;
            case FileStep::WriteFailed:
                report.failedPath = path;
                break;
        }
        if (!report.failedPath.empty()) break;
        if (visit) visit(path);
        std::string next = NeighbourOf(path, +1);
        // The number order wraps from 9999 to 0000; a run that followed it would come round to
        // its start again and never end in a full folder.
        if (!next.empty() && NumberOf(next) <= NumberOf(path)) next.clear();
        path = next;
    }
    // Every mail is whole now, so the originals have done their work.
    for (const std::string& b : backups) DeleteFileAt(b);
    return report;
}

std::string FolderRunMessage(const FolderRunReport& r) {
    std::string msg;
    auto add = [&msg](size_t count, const std::string& text) {
        if (count == 0) return;
        if (!msg.empty()) msg += "\n";
        msg += std::to_string(count) + (count == 1 ? " mail " : " mails ") + text;
    };
    add(r.notText, "did not unscramble to readable text with this PIN and stayed scrambled.");
    add(r.badMarker, "had an X-Scramble line without a number and stayed as they were.");
    add(r.backupInTheWay,
        "were left alone: a backup (.kestrel-backup) of an interrupted run "
        "lies beside them.");
    if (!r.failedPath.empty()) {
        if (!msg.empty()) msg += "\n";
        msg +=
            "Could not write " + r.failedPath + ". The run stopped there; the mail is as it was.";
    }
    return msg;
}

}  // namespace kestrel
