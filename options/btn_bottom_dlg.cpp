#include "options/btn_bottom_dlg.h"

namespace kestrel {

void TBtnBottomDlg::FormShow() {
    for (int m = 1; m <= kBoxCount; ++m)
        boxes_[static_cast<size_t>(m - 1)] = keys_.BoxText(EntryOfBox(m));
}

void TBtnBottomDlg::KeyDown(int m, const KeyPress& key) {
    if (m < 1 || m > kBoxCount) return;
    if (AssignKeyInBox(keys_, EntryOfBox(m), key, platform_))
        boxes_[static_cast<size_t>(m - 1)] = keys_.BoxText(EntryOfBox(m));
}

}  // namespace kestrel
