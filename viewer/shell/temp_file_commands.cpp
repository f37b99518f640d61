#include "viewer/shell/temp_file_commands.h"

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/mail/temp_files.h"
#include "viewer/shell/startup.h"

namespace kestrel {

namespace {

long long FileSize(const std::string& path) {
    FileReader reader;
    return reader.Open(path) ? reader.Size() : -1;
}

}  // namespace

TempFileCommands::TempFileCommands(const Platform& platform, const ShellWiring& wiring,
                                   TForm1& form, MailDisplay& display)
    : p_(platform), form_(form), display_(display) {
    wiring.commands.Register(CommandId::TemporaryFile, "TempFileCommands",
                             [this] { TempFile1Click(); });
    wiring.commands.Register(CommandId::DeleteTempFiles, "TempFileCommands",
                             [this] { Deletetempfiles2Click(); });
}

void TempFileCommands::TempFile1Click() {
    if (!form_.SaveIfModified()) return;
    std::string idLine;
    ReadIdLine(OnDiskPath(form_.State().currentFile), idLine);
    if (form_.Settings().debugMode) form_.ShowMessage("IDLine: " + idLine);

    std::string folder = form_.TempFolder();
    TempFilePick pick = PickTempFile(OnDiskPath(folder), idLine);
    for (const std::string& path : pick.unreadable) form_.ShowMessage("Cannot open " + path);
    if (pick.path.empty()) {
        form_.ShowMessage(std::string(kNoTempFile) + folder);
        return;
    }

    std::string path = LowerSjis(folder + FileNameOf(pick.path));
    long long size = FileSize(pick.path);
    if (size >= 0 && size < kWholeLoadLimit) {
        std::vector<std::string> lines;
        if (!ReadFileLines(pick.path, lines)) {
            form_.ShowMessage("Cannot open " + path);
            return;
        }
        p_.editor.Clear();
        p_.editor.SetLines(lines);
        p_.editor.SetModified(false);
        form_.State().currentFile = path;
        form_.State().partialView = false;
    } else {
        p_.editor.Clear();
        form_.State().freshOpen = true;  // the reader's line limit applies
        display_.MailOpen(path, false);
        form_.State().currentFile = path;
    }
    p_.window.SetTitle(std::string(kAppTitle) + " - " + FileNameOf(path));
    if (size >= kWholeLoadLimit) form_.ShowMessage(kTooLargeToDisplay);
}

void TempFileCommands::Deletetempfiles2Click() {
    if (p_.messages.Show(kDeleteTempConfirm, kAppTitle, MessageButtons::OkCancel,
                         MessageKind::Confirmation) != MessageAnswer::Ok)
        return;
    // The same folder the mail client's compose files are looked for in (TEMP included).
    std::string folder = form_.TempFolder();
    TempFileDeletion result = DeleteTempFiles(OnDiskPath(folder));
    if (result.failed.empty()) {
        form_.ShowMessage(kDeleteTempDone);
        return;
    }
    std::string text(kDeleteTempFailed);
    for (size_t i = 0; i < result.failed.size(); ++i) {
        if (i > 0) text += ", ";
        text += FileNameOf(result.failed[i]);
    }
    p_.messages.Show(text, kAppTitle, MessageButtons::Ok, MessageKind::Warning);
}

}  // namespace kestrel
