// Bracketed command macros as the mail clients receive them: "[Name(arg,arg)]", possibly several
// in one execute string. Used by the stand-in mail clients.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel::standin {

struct Macro {
    std::string name;               // as written ("Update", "open", ...)
    std::vector<std::string> args;  // enclosing double quotes removed
};

// Parses every "[...]" group of text. Malformed groups are skipped; never throws.
std::vector<Macro> ParseMacros(std::string_view text);

}  // namespace kestrel::standin
