#include "common/stage_timing.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kestrel {

namespace {

struct Timing {
    std::string file;
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
    Timing() {
        if (const char* f = std::getenv("KESTREL_TIMING")) file = f;
    }
};

Timing& State() {
    static Timing timing;
    return timing;
}

}  // namespace

void StageMark(std::string_view stage) {
    Timing& t = State();
    if (t.file.empty()) return;
    auto now = std::chrono::steady_clock::now();
    double ms = std::chrono::duration<double, std::milli>(now - t.last).count();
    if (std::FILE* f = std::fopen(t.file.c_str(), "a")) {
        std::fprintf(f, "%.*s %.1f\n", static_cast<int>(stage.size()), stage.data(), ms);
        std::fclose(f);
    }
    // The file write is not part of the next stage.
    t.last = std::chrono::steady_clock::now();
}

}  // namespace kestrel
