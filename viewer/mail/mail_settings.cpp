#include "common/ini.h"
#include "common/settings.h"
#include "common/sjis.h"
#include "viewer/mail/mail_open.h"

namespace kestrel {

MailViewSettings MailViewSettingsFrom(const IniFile& ini) {
    MailViewSettings s;
    s.header = ViewerBool(ini, "View", "Header");
    s.showTo = ViewerBool(ini, "View", "ShowTo");
    s.maxTo = ViewerInt(ini, "View", "MaxTo");
    s.headerList = ViewerString(ini, "View", "HeaderList");
    s.tabToSpace = ViewerInt(ini, "View", "TabToSpace");
    s.maxLines = ViewerInt(ini, "View", "MaxLines");
    s.autoReformat = ViewerInt(ini, "View", "AutoReformat");
    // The options editor stores 255 for its unticked box: off, like 0, not "lines over 255".
    if (s.autoReformat == 255) s.autoReformat = 0;
    for (int i = 0; i < 5; ++i) {
        std::string n = std::to_string(i + 1);
        // Compared in lower case: stored that way once.
        s.alertStrings[i] = LowerSjis(ViewerString(ini, "Alert", "AlertString" + n));
        s.alertColours[i] = ViewerColour(ini, "Alert", "AlertColor" + n);
    }
    return s;
}

}  // namespace kestrel
