// The command line with which the viewer starts every outside program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

// The longest command line the viewer hands to the system.
constexpr size_t kMaxCommandLine = 255;

// program, one blank, argument, one blank, extra. A program path that holds a blank is put in
// double quotes (lower-cased), its own arguments following unchanged; a program text that
// already holds a double quote, or names no ".exe", ".com" or ".bat", is used unchanged.
std::string BuildCommandLine(std::string_view program, std::string_view argument,
                             std::string_view extra);

}  // namespace kestrel
