// The mail reader on arbitrary bytes: every view, the line colouring and the address lengths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "viewer/mail/mail_open.h"
#include "viewer/mail/show_lines.h"
#include "viewer/text/url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte picks the settings; the rest is the mail file.
    uint8_t mode = data[0];
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    kestrel::MailViewSettings s;
    s.header = mode & 1;
    s.showTo = mode & 2;
    s.maxTo = (mode & 4) ? 1 : 10;
    s.maxLines = (mode & 8) ? 5 : 300;
    s.tabToSpace = (mode & 16) ? -1 : 4;
    if (mode & 32) s.headerList = "reply-to:,x-a:";
    if (mode & 64) {
        s.alertStrings = {"a", "", "b", "c", ""};
        s.alertColours = {1, 2, 3, 4, 5};
    }
    kestrel::MailOpenContext c;
    c.fromFolder = !(mode & 128);
    c.freshOpen = mode & 8;
    c.headerButton = mode & 4;
    c.scrambleMode = true;
    kestrel::MailOpenHooks hooks;
    hooks.reformat = [](std::vector<std::string>& lines, size_t start) {
        if (start > lines.size()) __builtin_trap();
    };
    hooks.unscramble = [](std::vector<std::string>& lines) {
        if (lines.size() < 2) __builtin_trap();
    };
    const char* path = (mode & 16) ? "/m/out/0001.txt" : "/m/inbox/0001.txt";
    kestrel::MailView v = kestrel::MailOpenBytes(bytes, path, s, c, hooks);
    if (v.bodyStart > v.lines.size()) __builtin_trap();
    for (const kestrel::ShownLine& l : kestrel::ShowMailLines(v.lines, v.showToThis)) {
        const std::string& line = v.lines[l.index];
        if (l.urlPos > 0 && l.urlPos - 1 + l.urlLength > line.size()) __builtin_trap();
    }
    for (size_t i = 0; i < bytes.size() && i < 64; ++i) {
        if (auto u = kestrel::FindUrlAtCaret(bytes, i)) {
            if (u->start + u->length > bytes.size()) __builtin_trap();
        }
    }
    std::string line(bytes), pending;
    for (int guard = 0; kestrel::SplitAddresses(line, pending); ++guard) {
        if (guard > static_cast<int>(bytes.size()) + 1) __builtin_trap();
        pending = "\t";
    }
    return 0;
}
