// TForm2, "Kestrel Spell Check": the modeless dialog of the English spell check. It owns the
// check run (viewer/spell/spell_check.h), shows the run's fields in its window, forwards its
// buttons, and keeps its place and check boxes in the settings file.
//
// The Windows layer owns the real dialog and forwards its events:
//   button clicks -> IgnoreButtonClick() ... ExitButtonClick()
//   list click    -> ListBoxSelected1(index)
//   check boxes   -> CheckBoxCapitalClick(checked), CheckBoxNumericClick(checked)
//   closing       -> OnClose1() (also after Exit and the system menu's Close)
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/shell/platform.h"
#include "viewer/spell/spell_check.h"

namespace kestrel {

inline constexpr std::string_view kSpellDialogCaption = "Kestrel Spell Check";

// The dialog window: fields Edit2 (the word) and Edit1 (the replacement), the sorted list
// ListBox1, the two check boxes and the buttons.
class SpellDialogWindow {
  public:
    virtual ~SpellDialogWindow() = default;
    // Shows the modeless dialog (without taking it from the user if already shown).
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void MoveTo(int left, int top) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    // Font of the two fields and the list.
    virtual void SetFieldFont(std::string_view name, int size) = 0;
    virtual void SetWord(std::string_view word) = 0;
    virtual void SetReplacement(std::string_view text) = 0;
    virtual std::string Replacement() const = 0;
    // The entries in the order given (already sorted).
    virtual void SetList(const std::vector<std::string>& entries) = 0;
    virtual void SetCheckBoxes(bool capital, bool numeric) = 0;
    virtual void FocusButton(SpellButton button) = 0;
};

// What TForm2 needs from the rest of the viewer.
struct SpellDialogPorts {
    SpellDialogWindow& window;
    TextControl& editor;
    MessageBoxes& messages;
    SpellLibraryLoader& loader;
    // The settings file, read at each run's start and written on close.
    std::function<std::string()> settingsPath;
    // The viewer program's folder, ending in a separator (where a relative BasicDic lies).
    std::function<std::string()> programFolder;
    // [SpellCheck] SpellChecker as read at the deferred settings stage.
    std::function<bool()> spellCheckerOn;
    // The Word wrap command of the main window (keeps its menu check and setting in step).
    std::function<void(bool wrap)> setWordWrap;
};

class TForm2 : public SpellDialogView {
  public:
    explicit TForm2(SpellDialogPorts ports);
    ~TForm2() override;

    // The Spell check command.
    void SpellCheck1Click();

    void IgnoreButtonClick();
    void ChangeButtonClick();
    void AddButtonClick();
    void UndoButtonClick();
    void FromBeginningButtonClick();
    void ExitButtonClick();
    void ListBoxSelected1(int index);
    void CheckBoxCapitalClick(bool checked);
    void CheckBoxNumericClick(bool checked);
    void OnShow1();
    void OnClose1();

    const SpellCheckRun& Run() const { return *run_; }

    // SpellDialogView
    void Show() override;
    void Refresh(const SpellDialogModel& model) override;

  private:
    class EditorText;
    void Message(std::string_view text);

    SpellDialogPorts p_;
    std::unique_ptr<EditorText> text_;
    std::unique_ptr<SpellCheckRun> run_;
};

}  // namespace kestrel
