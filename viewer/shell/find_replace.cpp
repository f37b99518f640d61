#include "viewer/shell/find_replace.h"

namespace kestrel {

namespace {
std::string Format(std::string_view pattern, std::string_view text) {
    std::string out(pattern);
    size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, text);
    return out;
}
}  // namespace

std::string EditorFindTarget::Text() const {
    std::string text;
    std::vector<std::string> lines = editor_.Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

size_t EditorFindTarget::SelStart() const {
    int s = editor_.SelStart();
    return s > 0 ? static_cast<size_t>(s) : 0;
}

size_t EditorFindTarget::SelLength() const {
    int n = editor_.SelLength();
    return n > 0 ? static_cast<size_t>(n) : 0;
}

void EditorFindTarget::SetSelection(size_t start, size_t length) {
    editor_.SetSelection(static_cast<int>(start), static_cast<int>(length));
}

FindReplace::FindReplace(const Platform& platform, const ShellWiring& wiring, TForm1& form)
    : editor_(platform.editor),
      window_(platform.window),
      dialogs_(platform.findDialogs),
      form_(form) {
    constexpr std::string_view kOwner = "FindReplace";
    wiring.commands.Register(CommandId::Find, kOwner, [this] { Find1Click(); });
    wiring.commands.Register(CommandId::FindNext, kOwner, [this] { FindNext1Click(); });
    wiring.commands.Register(CommandId::Replace, kOwner, [this] { Replace1Click(); });
    wiring.events.OnDeferredStage([this](const IniFile&) { find_.text.clear(); });
}

void FindReplace::Find1Click() {
    if (editor_.SelLength() > 0) find_.text = editor_.SelText();
    dialogs_.Show(FindDialogKind::Find, find_.text);
    window_.SetMenuEnabled(CommandId::FindNext, true);
}

void FindReplace::FindNext1Click() {
    if (find_.text.empty()) {
        Find1Click();
        return;
    }
    Find(find_);
}

void FindReplace::Replace1Click() {
    if (editor_.ReadOnly()) {
        form_.ShowMessage(kReadOnlyMessage);
        return;
    }
    if (editor_.SelLength() > 0) replace_.text = editor_.SelText();
    dialogs_.Show(FindDialogKind::Replace, replace_.text);
}

void FindReplace::OnDialog(const FindDialogEvent& event) {
    DialogState& dialog = event.dialog == FindDialogKind::Find ? find_ : replace_;
    dialog.text = event.findText;
    dialog.options = FindOptions{event.matchCase, event.wholeWord};
    if (event.action == FindDialogAction::FindNext) {
        Find(dialog);
        return;
    }
    // Replacing is the Replace dialog's only; the editor may have turned read-only meanwhile.
    if (event.dialog != FindDialogKind::Replace) return;
    if (editor_.ReadOnly()) {
        form_.ShowMessage(kReadOnlyMessage);
        return;
    }
    Replace(ReplaceRequest{event.findText, event.replaceText, dialog.options},
            event.action == FindDialogAction::ReplaceAll);
}

void FindReplace::Find(const DialogState& dialog) {
    EditorFindTarget target(editor_);
    if (SearchSelect(target, dialog.text, dialog.options)) {
        editor_.SetFocus();
        return;
    }
    // The selection collapses to the caret, which stands at its end.
    editor_.SetSelection(editor_.SelStart() + editor_.SelLength(), 0);
    form_.ShowMessage(Format(kNotFoundMessage, dialog.text));
}

void FindReplace::Replace(const ReplaceRequest& request, bool all) {
    EditorFindTarget target(editor_);
    bool replaced = false;
    bool found = true;
    if (all) {
        replaced = ReplaceAll(target, request) > 0;
    } else {
        found = ReplaceNext(target, request, &replaced);
    }
    // Replacing is an edit of the user's, as if typed.
    if (replaced) editor_.SetModified(true);
    if (!found) form_.ShowMessage(Format(kCannotFindMessage, request.what));
}

}  // namespace kestrel
