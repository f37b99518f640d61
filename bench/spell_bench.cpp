// The English spell check with our own dictionary: loading the basic dictionary, and checking a
// 10,000-word mail text (the viewer's word scanner, then a lookup of every word and suggestions
// for the misspelled ones, as a check run asks the library). Needs the basic dictionary made
// by the build (the wamerican word list).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "spelldic/session.h"
#include "viewer/spell/word_scanner.h"

namespace {

using kestrel::spelldic::SpellSession;

const char* const kParagraph[] = {
    "Dear Mr. Smith,",
    "Thank you for your message about the meeting next week. I have looked at the",
    "schedule and I think Tuesday afternoon would suit everyone. Could you please",
    "send me the documents before then, so that I can recieve comments from the team?",
    "We should also talk about the new adress for the office and the budget for the",
    "coming year. I beleive the numbers are correct, but please check them again.",
    "If anything is unclear, do not hesitate to ask. I am looking forward to seeing you.",
    "Best regards, and thank you again for all your help with teh project.",
};

std::vector<std::string> MailText(size_t words) {
    std::vector<std::string> lines;
    size_t count = 0;
    while (count < words) {
        for (const char* line : kParagraph) {
            lines.emplace_back(line);
            for (const char* p = line; *p; ++p) {
                if (*p == ' ') ++count;
            }
            ++count;
        }
    }
    return lines;
}

bool LoadSession(SpellSession& session, benchmark::State& state) {
    const char* paths[] = {KESTREL_BASIC_WTR, nullptr};
    if (session.SetDictionary(paths, 0) != 0) return true;
    state.SkipWithError("no basic dictionary (package wamerican)");
    return false;
}

void BM_LoadBasicDictionary(benchmark::State& state) {
    for (auto _ : state) {
        SpellSession session;
        if (!LoadSession(session, state)) return;
        benchmark::DoNotOptimize(session.Ready());
    }
}
BENCHMARK(BM_LoadBasicDictionary)->Unit(benchmark::kMillisecond);

void BM_Check10000WordText(benchmark::State& state) {
    SpellSession session;
    if (!LoadSession(session, state)) return;
    const std::vector<std::string> lines = MailText(10000);
    const kestrel::CharClasses classes("!?,.:;\"-()", "01234567890#$%&*+<=>@`[\\]^_{|}~");
    size_t misspelled = 0;
    char buffer[1024];
    for (auto _ : state) {
        misspelled = 0;
        for (const std::string& line : lines) {
            kestrel::ScanCursor cursor;
            for (;;) {
                kestrel::ScannedWord w = kestrel::ScanNext(line, cursor, classes, false);
                if (w.step == kestrel::ScanStep::LineEnd) break;
                if (w.step != kestrel::ScanStep::Word) continue;
                if (session.Alt(buffer, sizeof buffer, w.text.c_str()) != 0) ++misspelled;
            }
        }
    }
    state.counters["misspelled"] = double(misspelled);
}
BENCHMARK(BM_Check10000WordText)->Unit(benchmark::kMillisecond);

void BM_SuggestForOneTypo(benchmark::State& state) {
    SpellSession session;
    if (!LoadSession(session, state)) return;
    char buffer[1024];
    for (auto _ : state) benchmark::DoNotOptimize(session.Alt(buffer, sizeof buffer, "seperate"));
}
BENCHMARK(BM_SuggestForOneTypo)->Unit(benchmark::kMicrosecond);

}  // namespace
