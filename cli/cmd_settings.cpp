#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "common/fileio.h"
#include "common/ini.h"
#include "common/keys.h"
#include "common/settings.h"

namespace kestrel::cli {

namespace {

std::string FormatValue(const IniFile& ini, const SettingDef& d) {
    switch (d.kind) {
        case SettingKind::Int:
            return std::to_string(ViewerInt(ini, d.section, d.key));
        case SettingKind::Bool:
            return ViewerBool(ini, d.section, d.key) ? "1" : "0";
        case SettingKind::Colour: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "$%08X",
                          static_cast<unsigned>(ViewerColour(ini, d.section, d.key)));
            return buf;
        }
        case SettingKind::Key:
            return FormatKeyNumber(ViewerInt(ini, d.section, d.key));
        case SettingKind::String:
            break;
    }
    return ViewerString(ini, d.section, d.key);
}

}  // namespace

// Prints every setting with the value the viewer would use: "[Section] Key = value".
int CmdSettings(Args& args) {
    std::string iniPath;
    bool haveIni = false;
    while (!args.Done()) {
        std::string arg = args.Take();
        if (arg == "--ini") {
            if (!args.TakeValue(arg, iniPath)) return UsageError("settings", "--ini needs a file");
            haveIni = true;
        } else {
            return UsageError("settings", "unknown option " + arg);
        }
    }
    IniFile ini;
    if (haveIni && iniPath.empty()) return UsageError("settings", "--ini needs a file");
    if (!LoadIniOption("settings", iniPath, ini)) return kExitUsage;
    std::string out;
    for (const SettingDef& d : SettingsTable()) {
        out.append("[").append(d.section).append("] ").append(d.key).append(" = ");
        out.append(FormatValue(ini, d)).append("\r\n");
    }
    WriteOutput(out);
    return kExitOk;
}

}  // namespace kestrel::cli
