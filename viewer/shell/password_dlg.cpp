#include "viewer/shell/password_dlg.h"

#include "common/ini.h"
#include "viewer/scramble/pin.h"
#include "viewer/shell/form1.h"

namespace kestrel {

bool TPasswordDlg::Ask(const std::string& settingsPath, uint16_t& pin) {
    for (;;) {
        std::string entry;
        if (!dialog_.ShowModal(entry)) return false;
        if (std::optional<uint16_t> p = PinFromEntry(entry)) {
            pin = *p;
            WriteIniString(settingsPath, "Scramble", "PIN", std::to_string(pin));
            return true;
        }
        pin = 0;
        messages_.Show(kInvalidEntry, kAppTitle, MessageButtons::Ok, MessageKind::Plain);
    }
}

}  // namespace kestrel
