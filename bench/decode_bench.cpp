// The Decode command on large generated raw messages: an ISO-2022-JP body with damaged
// escapes, a quoted-printable body, a header of many encoded words, and a body whose every line
// ends in kanji mode (all joined into one line). Throughput is input bytes per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "viewer/mail/decode.h"
#include "viewer/mail/decode_internal.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kHeader[] = {
    "Return-Path: <a@example.jp>",
    "From: =?ISO-2022-JP?B?GyRCQ2ZCPBsoQiAbJEI3QxsoQg==?= <a@example.jp>",
    "To: =?ISO-2022-JP?B?GyRCPi5OUxsoQiAbJEI8IU86GyhC?= <b@example.jp>",
    "Subject: =?ISO-2022-JP?B?GyRCJVUlISUkJWskckojP3QkS0osM2QkOSRrGyhC?=",
    "MIME-Version: 1.0",
    "Content-Type: text/plain; charset=ISO-2022-JP",
};

std::string JisRun(std::mt19937& rng, size_t pairs) {
    std::string s = "\x1b$B";
    for (size_t k = 0; k < pairs; ++k) {
        if (rng() % 3 == 0) {
            s += '$';  // hiragana
            s += static_cast<char>(0x22 + rng() % 0x51);
        } else {
            s += static_cast<char>(0x30 + rng() % 0x20);
            s += static_cast<char>(0x21 + rng() % 0x5e);
        }
    }
    return s + "\x1b(B";
}

// A JIS body line of about 70 bytes; about 3 % of the lines carry one kind of damage.
void AddJisLine(std::mt19937& rng, Lines& out) {
    std::string line = JisRun(rng, 12 + rng() % 8) + " ASCII " + JisRun(rng, 4 + rng() % 6);
    if (rng() % 33 != 0) {
        out.push_back(line);
        return;
    }
    switch (rng() % 8) {
        case 0:
            out.push_back("\x0e\x31\x32\x5e\x0f" + line);
            break;
        case 1:
            out.push_back("\x1b(I\x36\x5e\x4a\x5f\x1b(B" + line);
            break;
        case 2:
            out.push_back("\x1b$(B" + line.substr(3));
            break;
        case 3:
            out.push_back("\x1b)I" + line);
            break;
        case 4:
            out.push_back("\x1b-A" + line);
            break;
        case 5:
            out.push_back("\x1b$B\x0f" + line.substr(3));
            break;
        case 6:
            out.push_back(line.substr(0, 13));
            out.push_back(line.substr(13));
            break;
        default:
            out.push_back(line);
            out.push_back(
                "ab\x1b(JxC\x1b$B\"$$%y(Jcd$B$\"$$\x1b(Jw\x1b$B%3ef%y$B$\"!)$B\x1b(B!)(J\x1b(Bgh");
    }
}

size_t Bytes(const Lines& lines) {
    size_t n = 0;
    for (const auto& l : lines) n += l.size() + 2;
    return n;
}

Lines Header(const char* encoding) {
    Lines h(std::begin(kHeader), std::end(kHeader));
    h.push_back(std::string("Content-Transfer-Encoding: ") + encoding);
    h.push_back("");
    return h;
}

const Lines& DamagedJisMessage() {
    static Lines lines;
    if (!lines.empty()) return lines;
    std::mt19937 rng(1);
    lines = Header("7bit");
    size_t bytes = 0;
    while (bytes < (50u << 20)) {
        size_t before = lines.size();
        AddJisLine(rng, lines);
        for (size_t k = before; k < lines.size(); ++k) bytes += lines[k].size() + 2;
    }
    return lines;
}

const Lines& QuotedPrintableMessage() {
    static Lines lines;
    if (!lines.empty()) return lines;
    std::mt19937 rng(2);
    lines = Header("quoted-printable");
    static const char* hex = "0123456789ABCDEF";
    size_t bytes = 0;
    while (bytes < (20u << 20)) {
        std::string l;
        while (l.size() < 72) {
            if (rng() % 2) {
                unsigned char b = static_cast<unsigned char>(0x81 + rng() % 0x6f);
                l += '=';
                l += hex[b >> 4];
                l += hex[b & 15];
            } else {
                l += static_cast<char>('a' + rng() % 26);
            }
        }
        if (rng() % 4 == 0) l += '=';  // soft line break
        bytes += l.size() + 2;
        lines.push_back(std::move(l));
    }
    return lines;
}

const Lines& EncodedHeaderMessage() {
    static Lines lines;
    if (!lines.empty()) return lines;
    size_t bytes = 0;
    for (size_t k = 0; bytes < (8u << 20); ++k) {
        std::string l;
        switch (k % 5) {
            case 0:
                l = "Subject: =?ISO-2022-JP?B?GyRCJVUlISUkJWskckojP3QkS0osM2QkOSRrGyhC?=";
                break;
            case 1:
                l = " =?ISO-2022-JP?B?GyRCJVUlISUkJWskckojP3QkS0osM2QkOSRrGyhC?=";
                break;
            case 2:
                l = "To: =?ISO-2022-JP?B?GyRCPi5OUxsoQiAbJEI8IU86GyhC?= <b@example.jp>, "
                    "=?ISO-2022-JP?B?GyRCTlMbKEIgGyRCZkZCQBsoQg==?= <c@example.jp>";
                break;
            case 3:
                l = "From: =?shift_jis?B?gqCCooKkgqaCqA==?= <a@example.jp>";
                break;
            default:
                l = "X-Name: =?x-sjis?q?=82=A0=82=A2abc?= <d@example.jp>";
        }
        bytes += l.size() + 2;
        lines.push_back(std::move(l));
    }
    lines.push_back("");
    lines.push_back("body");
    return lines;
}

// 1 MB of body lines that all end in kanji mode.
const Lines& KanjiModeBody() {
    static Lines lines;
    if (!lines.empty()) return lines;
    std::mt19937 rng(3);
    lines = {"From: a@example.jp", "", "\x1b$B"};
    size_t bytes = 0;
    while (bytes < (1u << 20)) {
        std::string run = JisRun(rng, 30);
        std::string l = run.substr(3, run.size() - 6);
        bytes += l.size() + 2;
        lines.push_back(std::move(l));
    }
    return lines;
}

void Run(benchmark::State& state, const Lines& lines, bool kana) {
    for (auto _ : state) {
        kestrel::DecodeResult r = kestrel::DecodeMessage(lines, kana);
        benchmark::DoNotOptimize(r.lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Bytes(lines)));
}

void DecodeDamagedJis50MB(benchmark::State& state) {
    Run(state, DamagedJisMessage(), false);
}
void DecodeZenkakuDamagedJis50MB(benchmark::State& state) {
    Run(state, DamagedJisMessage(), true);
}
void DecodeQuotedPrintable20MB(benchmark::State& state) {
    Run(state, QuotedPrintableMessage(), false);
}
void DecodeEncodedHeader8MB(benchmark::State& state) {
    Run(state, EncodedHeaderMessage(), false);
}
void DecodeKanjiModeJoin1MB(benchmark::State& state) {
    Run(state, KanjiModeBody(), false);
}

// The same work as the command line tool does: lines as views into the bytes, the output
// collected with CR LF.
void DecodeBytesDamagedJis50MB(benchmark::State& state) {
    class StringSink : public kestrel::decode_detail::DecodeSink {
      public:
        void Line(std::string_view line) override {
            out.append(line);
            out.append("\r\n", 2);
        }
        std::string out;
    };
    static const std::string bytes = kestrel::JoinLinesCrLf(DamagedJisMessage());
    for (auto _ : state) {
        StringSink sink;
        std::string error;
        kestrel::decode_detail::DecodeLines(kestrel::decode_detail::SplitLineViews(bytes), {}, sink,
                                            error);
        benchmark::DoNotOptimize(sink.out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK(DecodeDamagedJis50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeZenkakuDamagedJis50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeBytesDamagedJis50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeQuotedPrintable20MB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeEncodedHeader8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeKanjiModeJoin1MB)->Unit(benchmark::kMillisecond);
