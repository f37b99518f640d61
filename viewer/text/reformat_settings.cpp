#include "common/ini.h"
#include "common/settings.h"
#include "viewer/text/reformat.h"

namespace kestrel {

ReformatSettings ReformatSettingsFrom(const IniFile& ini) {
    ReformatSettings s;
    s.maxLength = ViewerInt(ini, "View", "MaxLength");
    s.deleteTab = ViewerBool(ini, "View", "DeleteTab");
    s.quoteChar = ViewerString(ini, "View", "QuoteChar");
    s.endCharZenkaku = ViewerString(ini, "View", "EndCharZenkaku");
    s.endCharHankaku = ViewerString(ini, "View", "EndCharHAnkaku");
    s.avoidBeginChar = SpaceAfterDoubleByte(ViewerString(ini, "View", "AvoidBeginChar"));
    s.avoidEndChar = SpaceAfterDoubleByte(ViewerString(ini, "View", "AvoidEndChar"));
    return s;
}

}  // namespace kestrel
