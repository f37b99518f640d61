// Reformat throughput: a 20 MB Japanese body broken at 76 bytes, rewrapped at 64.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/text/reformat.h"

namespace {

// Deterministic Shift-JIS text: sentences of hiragana, katakana and kanji with "、" and "。",
// some Latin words, paragraphs wrapped at 76 bytes, a tenth of them quoted, blank lines between.
std::vector<std::string> MakeBody(size_t targetBytes) {
    uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const auto appendChar = [&](std::string& s) {
        const uint32_t r = next() % 100;
        if (r < 55) {  // hiragana 82 9F-82 F1
            s.push_back('\x82');
            s.push_back(static_cast<char>(0x9f + next() % 0x53));
        } else if (r < 75) {  // katakana 83 40-83 96, no 7F
            const uint32_t t = 0x40 + next() % 0x56;
            s.push_back('\x83');
            s.push_back(static_cast<char>(t >= 0x7f ? t + 1 : t));
        } else if (r < 95) {  // kanji 88 9F-88 FC, 89 40-89 FC
            s.push_back(static_cast<char>(0x89 + next() % 8));
            s.push_back(static_cast<char>(0x9f + next() % 0x5d));
        } else {
            s += " Kestrel ";
        }
    };
    std::vector<std::string> lines;
    size_t bytes = 0;
    while (bytes < targetBytes) {
        std::string para;
        const int sentences = 2 + static_cast<int>(next() % 6);
        for (int k = 0; k < sentences; ++k) {
            const int len = 10 + static_cast<int>(next() % 40);
            for (int c = 0; c < len; ++c) {
                appendChar(para);
                if (c % 13 == 12) para += "\x81\x41";  // 、
            }
            para += "\x81\x42";  // 。
        }
        const std::string prefix = next() % 10 == 0 ? "> " : "";
        const size_t width = 76 - prefix.size();
        for (size_t i = 0; i < para.size();) {
            size_t end = i;
            while (end < para.size()) {
                const auto b = static_cast<unsigned char>(para[end]);
                const size_t len = (b >= 0x81 && b <= 0x9f) ? 2 : 1;
                if (end + len - i > width) break;
                end += len;
            }
            lines.push_back(prefix + para.substr(i, end - i));
            bytes += lines.back().size() + 2;
            i = end;
        }
        lines.emplace_back();
        bytes += 2;
    }
    return lines;
}

void BM_ReformatLines(benchmark::State& state) {
    static const std::vector<std::string> body = MakeBody(20u << 20);
    size_t bytes = 0;
    for (const std::string& l : body) bytes += l.size() + 2;
    kestrel::ReformatSettings settings;
    settings.maxLength = 64;
    std::vector<std::string> lines;
    for (auto _ : state) {
        state.PauseTiming();
        lines = body;
        // The copy leaves the heap full of freed small blocks; without this the first large
        // allocation of the pass pays for merging them, a cost of the benchmark loop.
        malloc_trim(0);
        state.ResumeTiming();
        kestrel::ReformatLines(lines, 0, settings);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["lines_out"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_ReformatLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
