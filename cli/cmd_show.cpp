// kestrel-cli show: a mail as the viewer puts it on screen.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/fileio.h"
#include "common/ini.h"
#include "common/settings.h"
#include "viewer/mail/mail_open.h"
#include "viewer/mail/show_lines.h"
#include "viewer/text/reformat.h"

namespace kestrel::cli {

namespace {

void Append(std::string& out, std::string_view line) {
    out.append(line.data(), line.size());
    out += "\r\n";
}

}  // namespace

int CmdShow(Args& args) {
    const std::string cmd = "show";
    std::string iniPath, mailPath, output;
    bool header = false, noFresh = false, headerButton = false, plain = false;
    int showTo = -1;
    while (!args.Done()) {
        std::string a = args.Take();
        if (a == "--ini") {
            if (!args.TakeValue(a, iniPath)) return UsageError(cmd, "--ini needs a FILE");
        } else if (a == "--header") {
            header = true;
        } else if (a == "--show-to") {
            std::string v;
            if (!args.TakeValue(a, v) || (v != "0" && v != "1")) {
                return UsageError(cmd, "--show-to takes 0 or 1");
            }
            showTo = v == "1";
        } else if (a == "--no-fresh") {
            noFresh = true;
        } else if (a == "--header-button") {
            headerButton = true;
        } else if (a == "--plain") {
            plain = true;
        } else if (a == "--annotate" || a == "--state" || a == "--list") {
            if (!output.empty() && output != a) {
                return UsageError(cmd, "only one of --annotate, --state and --list");
            }
            output = a;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(cmd, "unknown option '" + a + "'");
        } else if (mailPath.empty()) {
            mailPath = a;
        } else {
            return UsageError(cmd, "more than one MAILFILE");
        }
    }
    if (mailPath.empty()) return UsageError(cmd, "no MAILFILE given");
    IniFile ini;
    if (!LoadIniOption(cmd, iniPath, ini)) return kExitUsage;
    if (!FileExists(ResolvePathCase(mailPath))) {
        return UsageError(cmd, "mail file not found: " + mailPath);
    }

    MailViewSettings settings = MailViewSettingsFrom(ini);
    if (header) settings.header = true;
    if (showTo >= 0) settings.showTo = showTo == 1;

    MailOpenContext context;
    context.fromFolder = !plain;
    context.freshOpen = !noFresh;
    context.headerButton = headerButton;

    MailOpenHooks hooks;
    ReformatSettings reformat = ReformatSettingsFrom(ini);
    hooks.reformat = [&reformat](std::vector<std::string>& lines, size_t start) {
        ReformatLines(lines, start, reformat);
    };

    // The file is only read here: the READ mark is the viewer's business.
    MailView view = MailOpen(mailPath, settings, context, hooks);
    if (!view.found) return UsageError(cmd, "mail file not found: " + mailPath);
    if (view.openError) std::fprintf(stderr, "kestrel-cli show: %s\n", kMailOpenErrorMessage);

    // Written out in pieces: a mail of many megabytes is not copied once more whole.
    std::string out;
    auto flush = [&out](bool always) {
        if (always || out.size() >= (1u << 20)) {
            WriteOutput(out);
            out.clear();
        }
    };
    if (output == "--state") {
        char buf[256];
        std::snprintf(buf, sizeof buf,
                      "partialView=%d truncatedView=%d htmlMail=%d alertColour=$%08X "
                      "bodyStart=%zu showToThis=%d recvMail=%d longestBodyLine=%zu error=%d",
                      view.partialView, view.truncatedView, view.htmlMail,
                      static_cast<unsigned>(view.alertColour), view.bodyStart, view.showToThis,
                      view.recvMail, view.longestBodyLine, view.openError);
        Append(out, buf);
    } else if (output == "--list") {
        for (const std::string& line : view.lines) {
            Append(out, line);
            flush(false);
        }
    } else {
        for (const ShownLine& s : ShowMailLines(view.lines, view.showToThis)) {
            if (output == "--annotate") {
                out += s.quote ? 'Q' : 'T';
                out += '\t';
                out += std::to_string(s.urlPos);
                out += '\t';
                out += std::to_string(s.urlLength);
                out += '\t';
            }
            Append(out, view.lines[s.index]);
            flush(false);
        }
    }
    flush(true);
    return kExitOk;
}

}  // namespace kestrel::cli
