// Scrambling and unscrambling a 20 MB mail held as lines (the editor's text or a loaded file).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "viewer/scramble/cipher.h"
#include "viewer/scramble/mail_scramble.h"

namespace {

const std::vector<std::string>& BigMailLines() {
    static std::vector<std::string> lines;
    if (!lines.empty()) return lines;
    lines = {"X-Status: READ", "From: a@example.jp", "Subject: Re: [ml 7] a very big mail",
             "Date: Tue, 8 Dec 2026", "----------------------------------------"};
    const std::string body[] = {
        "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x96\x7b\x95\xb6\x82\xc5\x82\xb7\x81"
        "B\x8e\x9f\x82\xcc"
        "\x8d\x73\x82\xe0\x93\xaf\x82\xb6\x82\xad\x93\xfa\x96\x7b\x8c\xea\x82\xc5\x82\xb7\x81"
        "B",
        "> quoted text of an earlier mail, kept for reference only",
        "Plain ASCII body line with a few words in it and nothing else at all.",
        "\xb6\xc0\xb6\xc5 half-width katakana \xb1\xb2\xb3\xb4\xb5 and a tab\there",
        "",
    };
    size_t size = 0;
    for (size_t i = 0; size < (20u << 20); ++i) {
        lines.push_back(body[i % 5]);
        size += lines.back().size() + 2;
    }
    return lines;
}

constexpr int64_t kBytes = int64_t{20} << 20;

void ScrambleBigMail(benchmark::State& state) {
    const kestrel::ScrambleCipher cipher(kestrel::KeyStreamFromPin(1234));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> lines = BigMailLines();
        state.ResumeTiming();
        kestrel::ScrambleMailText(lines, cipher, 7);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}
BENCHMARK(ScrambleBigMail)->Unit(benchmark::kMillisecond);

void UnscrambleBigMail(benchmark::State& state) {
    const kestrel::ScrambleCipher cipher(kestrel::KeyStreamFromPin(1234));
    std::vector<std::string> scrambled = BigMailLines();
    kestrel::ScrambleMailText(scrambled, cipher, 7);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> lines = scrambled;
        state.ResumeTiming();
        kestrel::UnscrambleMailText(lines, cipher);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}
BENCHMARK(UnscrambleBigMail)->Unit(benchmark::kMillisecond);

}  // namespace
