// The standard modeless Find and Replace dialogs as the main window sees them. Both search
// down with the direction buttons hidden; the user may change Match case and Whole word. Their
// buttons come back to the window as FindDialogEvents (the Windows layer turns the registered
// find message into one; tests make them by hand).
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

enum class FindDialogKind { Find, Replace };
enum class FindDialogAction { FindNext, Replace, ReplaceAll };

// What one press of a dialog button carries: the dialog's texts and options at that moment.
struct FindDialogEvent {
    FindDialogKind dialog = FindDialogKind::Find;
    FindDialogAction action = FindDialogAction::FindNext;
    std::string findText;
    std::string replaceText;
    bool matchCase = false;
    bool wholeWord = false;
};

class FindReplaceDialogs {
  public:
    virtual ~FindReplaceDialogs() = default;
    // Opens the dialog, or brings it forward when it is open, with findText as its search
    // text. Returns at once (the dialog is modeless).
    virtual void Show(FindDialogKind dialog, std::string_view findText) = 0;
};

}  // namespace kestrel
