// WidenKana: half-width katakana in the text of a compose file turned into full-width
// Shift-JIS katakana before it is saved, since mail must not carry half-width kana.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct WidenKanaOptions {
    // The mail mover's attach lines are left alone while it is on: they name files.
    bool aw = false;
    std::string attachPrefix;  // [AW] AttachString followed by one blank
};

// Widens every byte 0xA0..0xDF of line (0xA0 becomes the full-width space); a voiced mark
// after ｶ..ﾄ, ﾊ..ﾎ or ｳ, or a semi-voiced mark after ﾊ..ﾎ, joins the kana before it.
// Double-byte characters are copied whole. False (line untouched) when it held no such byte.
bool WidenKanaLine(std::string& line);

// WidenKanaLine over lines, skipping attach lines when options.aw is set; nothing at all when
// path names the settings file (".ini"). Returns the indexes of the lines that changed.
std::vector<size_t> WidenKana(std::vector<std::string>& lines, std::string_view path,
                              const WidenKanaOptions& options);

}  // namespace kestrel
