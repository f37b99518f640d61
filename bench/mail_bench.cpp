// MailOpen on large generated mails with every header shown and not opened afresh (so nothing
// is cut), against reading the same file line by line.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/fileio.h"
#include "viewer/mail/mail_open.h"
#include "viewer/mail/show_lines.h"

namespace {

// A folder mail of about size bytes: a header, then Shift-JIS and ASCII body lines, quotes and
// addresses now and then.
const std::string& BigMailFile(size_t size) {
    static std::string paths[2];
    std::string& path = paths[size > (4u << 20)];
    if (!path.empty()) return path;
    std::string m =
        "X-Status: READ\r\nFrom: a@example.jp\r\nTo: b@example.jp, c@example.jp\r\n"
        "Subject: big\r\nDate: Tue, 1 Dec 2026\r\n----------------------------------------\r\n";
    const std::string lines[] = {
        "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x96\x7b\x95\xb6\x82\xc5\x82\xb7\x81B\x8e\x9f\x82\xcc"
        "\x8d\x73\x82\xe0\x93\xaf\x82\xb6\x82\xad\x93\xfa\x96\x7b\x8c\xea\x82\xc5\x82\xb7\x81B",
        "> quoted text of an earlier mail, kept for reference only",
        "See http://example.jp/some/page.html for the details of the meeting.",
        "Plain ASCII body line with a few words in it and nothing else at all.",
        "",
    };
    for (size_t i = 0; m.size() < size; ++i) {
        m += lines[i % 5];
        m += "\r\n";
    }
    path =
        "/tmp/kestrel-mail-bench-" + std::to_string(getpid()) + "-" + std::to_string(size) + ".txt";
    kestrel::WriteFileAtomic(path, m);
    return path;
}

void MailOpenAllHeaders(benchmark::State& state) {
    const std::string& path = BigMailFile(static_cast<size_t>(state.range(0)) << 20);
    kestrel::MailViewSettings s;
    s.header = true;
    kestrel::MailOpenContext c;  // freshOpen clear: no MaxLines cut
    size_t bytes = 0;
    for (auto _ : state) {
        kestrel::MailView v = kestrel::MailOpen(path, s, c);
        auto shown = kestrel::ShowMailLines(v.lines, v.showToThis);
        benchmark::DoNotOptimize(shown.data());
        bytes += static_cast<size_t>(state.range(0)) << 20;
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(MailOpenAllHeaders)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

// The floor: the same file read and split into lines.
void ReadLinesOnly(benchmark::State& state) {
    const std::string& path = BigMailFile(static_cast<size_t>(state.range(0)) << 20);
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::string> lines;
        kestrel::ReadFileLines(path, lines);
        benchmark::DoNotOptimize(lines.data());
        bytes += static_cast<size_t>(state.range(0)) << 20;
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(ReadLinesOnly)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
