// Optional timing of the stages of opening a mail, for the window benchmark
// (scripts/bench-window.sh): when the environment variable KESTREL_TIMING names a file, each
// StageMark appends "stage milliseconds" to it, the time since the previous mark. When it is
// not set a mark costs one test of a flag.
#pragma once

#include <string_view>

namespace kestrel {

void StageMark(std::string_view stage);

}  // namespace kestrel
