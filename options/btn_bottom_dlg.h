// The key assignment dialog's behaviour (TBtnBottomDlg): 60 key boxes, two per action, on the
// options editor's one key table. Nothing is written here; OK of the options dialog does it.
#pragma once

#include <array>
#include <string>

#include "options/key_assign.h"

namespace kestrel {

class TBtnBottomDlg {
  public:
    static constexpr int kBoxCount = 60;

    TBtnBottomDlg(KeyTable& keys, OptionsPlatform& platform) : keys_(keys), platform_(platform) {}

    // Box Edit<m> (1-60) belongs to the key table's entry 15 + m (1-based): the primary key
    // of action n in box 2n-1, its second key in box 2n.
    static size_t EntryOfBox(int m) { return KeyTable::kActionFirst + static_cast<size_t>(m - 1); }

    // Every box filled from the table, so the dialog always shows the current bindings.
    void FormShow();
    // Box m's text: hexadecimal digits without "$", "" for no key.
    const std::string& BoxText(int m) const { return boxes_[static_cast<size_t>(m - 1)]; }
    void KeyDown(int m, const KeyPress& key);

  private:
    KeyTable& keys_;
    OptionsPlatform& platform_;
    std::array<std::string, kBoxCount> boxes_;
};

}  // namespace kestrel
