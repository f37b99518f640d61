// TForm2, "Kestrel Spell Check": the modeless dialog of the English spell check. It owns the
// Spell check command and the check run (viewer/spell/spell_check.h), shows the run's fields in
// its window (Platform::spellWindow), forwards its buttons, and keeps its place and check boxes
// in the settings file. The library comes from Platform::libraries for each run.
//
// The Windows layer owns the real dialog and forwards its events:
//   button clicks -> IgnoreButtonClick() ... ExitButtonClick()
//   list click    -> ListBoxSelected1(index)
//   check boxes   -> CheckBoxCapitalClick(checked), CheckBoxNumericClick(checked)
//   system menu's Close, Escape -> ExitButtonClick(), which hides the dialog and runs OnClose1()
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/spell/spell_check.h"

namespace kestrel {

inline constexpr std::string_view kSpellDialogCaption = "Kestrel Spell Check";

class TForm2 : public SpellDialogView {
  public:
    TForm2(const Platform& platform, const ShellWiring& wiring, TForm1& form);
    ~TForm2() override;

    // The Spell check command: a check run when [SpellCheck] SpellChecker was on at the
    // deferred stage.
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

    Platform p_;
    TForm1& form_;
    std::unique_ptr<EditorText> text_;
    std::unique_ptr<SpellCheckRun> run_;
};

}  // namespace kestrel
