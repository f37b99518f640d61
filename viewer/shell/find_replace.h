// Find, Find Next and Replace: the main window's commands around the modeless Find and Replace
// dialogs. Each dialog keeps its own search text and options; Find Next in either dialog runs
// Find with that dialog's, Replace and Replace All run the character-aware replace loops of
// viewer/text/find.h on the editor.
//
// Owns the commands Find, FindNext and Replace; the window hands the dialogs' buttons to
// OnDialog.
#pragma once

#include <string>
#include <string_view>

#include "viewer/shell/commands.h"
#include "viewer/shell/find_dialogs.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/find.h"

namespace kestrel {

inline constexpr std::string_view kNotFoundMessage = "\"%s\" not found.";
inline constexpr std::string_view kCannotFindMessage = "Cannot find \"%s\".";
inline constexpr std::string_view kReadOnlyMessage = "Read only mode.";

// The editor as searching sees it: its lines joined by CR LF, in the control's byte offsets.
class EditorFindTarget : public FindTarget {
  public:
    explicit EditorFindTarget(TextControl& editor) : editor_(editor) {}
    std::string Text() const override;
    size_t SelStart() const override;
    size_t SelLength() const override;
    std::string SelText() const override { return editor_.SelText(); }
    void SetSelection(size_t start, size_t length) override;
    void ReplaceSelection(std::string_view text) override { editor_.ReplaceSelection(text); }

  private:
    TextControl& editor_;
};

class FindReplace {
  public:
    FindReplace(const Platform& platform, const ShellWiring& wiring, TForm1& form);

    void Find1Click();
    void FindNext1Click();
    void Replace1Click();
    // A button of either dialog.
    void OnDialog(const FindDialogEvent& event);

    // The Find dialog's search text (cleared by the deferred start-up stage).
    const std::string& FindText() const { return find_.text; }

  private:
    struct DialogState {
        std::string text;
        FindOptions options;
    };
    void Find(const DialogState& dialog);
    void Replace(const ReplaceRequest& request, bool all);

    TextControl& editor_;
    MainWindow& window_;
    FindReplaceDialogs& dialogs_;
    TForm1& form_;
    DialogState find_, replace_;
};

}  // namespace kestrel
