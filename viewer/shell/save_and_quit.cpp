#include "viewer/shell/save_and_quit.h"

#include "common/fileio.h"
#include "viewer/mail/compose.h"
#include "viewer/shell/startup.h"

namespace kestrel {

namespace {
constexpr std::string_view kCannotSave = "Cannot save ";
}  // namespace

SaveAndQuit::SaveAndQuit(const Platform& platform, const ShellWiring& wiring, TForm1& form)
    : p_(platform), form_(form) {
    wiring.commands.Register(CommandId::SaveAndQuit, "SaveAndQuit",
                             [this] { SaveandQuit1Click(); });
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) {
        aw_ = MailMoverSettingsFrom(ini, DirectoryOf(p_.environment.ProgramPath()));
    });
    wiring.events.OnMailOpened([this](const MailView& view) {
        shownPath_ = view.path;
        // Hidden or rearranged header lines, a cut at the line limit, an attachment or HTML
        // part left out, a reformatted or unscrambled body: the display is not the file.
        shownWhole_ =
            !view.headerFiltered && !view.partialView && !view.reformatted && !view.unscrambled;
    });
}

bool SaveAndQuit::EditorHoldsWholeFile() const {
    const ViewerState& st = form_.State();
    if (st.partialView) return false;
    // A file loaded any other way (a compose file at start, Open, the settings file) is read
    // whole into the editor.
    return st.currentFile != shownPath_ || shownWhole_;
}

bool SaveAndQuit::SaveandQuit1Click() {
    SaveAndQuitRequest request;
    request.path = form_.CurrentFile();
    request.readOnly = p_.editor.ReadOnly();
    request.wholeFile = EditorHoldsWholeFile();
    request.widen.aw = aw_.aw;
    request.widen.attachPrefix = aw_.AttachPrefix();
    SaveAndQuitPlan plan = PlanSaveAndQuit(p_.editor.Lines(), request);

    switch (plan.outcome) {
        case SaveAndQuitPlan::HeaderMissing:
            form_.ShowMessage(kAddresseeMissingMessage);
            return false;
        case SaveAndQuitPlan::ReadOnly:
            form_.ShowMessage(kReadOnlyModeMessage);
            return false;
        case SaveAndQuitPlan::SaveAsFirst:
            // Under a new name only; cancelled, the window stays with the text.
            if (!form_.SaveAs1Click()) return false;
            p_.window.Close();
            return true;
        case SaveAndQuitPlan::Write:
            break;
    }

    if (!plan.widened.empty()) {
        bool modified = p_.editor.Modified();
        p_.editor.SetLines(plan.widenedLines);
        p_.editor.SetModified(modified);
    }
    if (!WriteLinesAtomic(OnDiskPath(request.path), plan.lines)) {
        p_.messages.Show(std::string(kCannotSave) + request.path, "Error", MessageButtons::Ok,
                         MessageKind::Error);
        return false;
    }
    p_.editor.SetModified(false);
    p_.window.Close();
    return true;
}

}  // namespace kestrel
