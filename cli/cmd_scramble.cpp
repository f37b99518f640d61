#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/ini.h"
#include "viewer/scramble/cipher.h"
#include "viewer/scramble/mail_scramble.h"
#include "viewer/scramble/scramble_settings.h"

namespace kestrel::cli {

bool ParseScrambleArgs(Args& args, const std::string& cmd, ScrambleArgs& out) {
    std::string iniPath, pinText;
    bool havePin = false, haveInput = false;
    while (!args.Done()) {
        std::string arg = args.Take();
        if (arg == "--ini") {
            if (!args.TakeValue(arg, iniPath) || iniPath.empty()) {
                UsageError(cmd, "--ini needs a file");
                return false;
            }
        } else if (arg == "--pin") {
            if (!args.TakeValue(arg, pinText)) {
                UsageError(cmd, "--pin needs a number");
                return false;
            }
            havePin = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            UsageError(cmd, "unknown option " + arg);
            return false;
        } else if (haveInput) {
            UsageError(cmd, "only one input file");
            return false;
        } else {
            out.input = arg;
            haveInput = true;
        }
    }
    // The PIN converts as the stored one does; its low 16 bits count.
    int32_t a = ParseIniInt(pinText, 0), b = ParseIniInt(pinText, 1);
    if (!havePin || a != b) {
        UsageError(cmd, "--pin needs a number");
        return false;
    }
    out.pin = static_cast<uint16_t>(static_cast<uint32_t>(a) & 0xFFFFu);
    IniFile ini;
    if (!LoadIniOption(cmd, iniPath, ini)) return false;
    out.keptSubjectBytes = ScrambleSettingsFrom(ini).keptSubjectBytes;
    if (!ReadInputLines(out.input, out.lines)) {
        UsageError(cmd, "cannot read " + (out.input.empty() ? std::string("-") : out.input));
        return false;
    }
    return true;
}

// The mail text scrambled with the PIN; a text scrambled already comes out unchanged.
int CmdScramble(Args& args) {
    ScrambleArgs a;
    if (!ParseScrambleArgs(args, "scramble", a)) return kExitUsage;
    ScrambleMailText(a.lines, ScrambleCipher(KeyStreamFromPin(a.pin)), a.keptSubjectBytes);
    WriteOutputLines(a.lines);
    return kExitOk;
}

}  // namespace kestrel::cli
