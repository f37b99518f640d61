// Find, Find Next and Replace: the main window's commands around the modeless Find and Replace
// dialogs. Each dialog keeps its own search text and options; Find Next in either dialog runs
// Find with that dialog's, Replace and Replace All run the character-aware replace loops of
// viewer/text/find.h on the editor.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "viewer/shell/commands.h"
#include "viewer/shell/find_dialogs.h"
#include "viewer/shell/platform.h"
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
    // showMessage: a plain message box with the program's title.
    FindReplace(TextControl& editor, MainWindow& window, FindReplaceDialogs& dialogs,
                std::function<void(std::string_view)> showMessage);

    // Find, FindNext and Replace; true when id was one of them.
    bool Handle(CommandId id);
    void Find1Click();
    void FindNext1Click();
    void Replace1Click();
    // A button of either dialog.
    void OnDialog(const FindDialogEvent& event);

    // The Find dialog's search text (cleared when the settings are read at start-up).
    const std::string& FindText() const { return find_.text; }
    void ClearFindText() { find_.text.clear(); }

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
    std::function<void(std::string_view)> showMessage_;
    DialogState find_, replace_;
};

}  // namespace kestrel
