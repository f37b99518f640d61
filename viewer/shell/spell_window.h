// The spell check dialog's window as TForm2 drives it: fields Edit2 (the word) and Edit1 (the
// replacement), the sorted list ListBox1, the two check boxes and the buttons. The Windows layer
// makes it a modeless dialog and hands its events to TForm2.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/spell/spell_check.h"

namespace kestrel {

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

}  // namespace kestrel
