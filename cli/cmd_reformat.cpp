#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "common/fileio.h"
#include "common/ini.h"
#include "common/settings.h"
#include "viewer/text/reformat.h"

namespace kestrel::cli {

namespace {

// Lines of FILE or standard input read a block at a time, cut as SplitLines cuts them (CR LF
// or a lone LF ends a line; a last line without an end counts). Memory stays at a block plus
// the longest line.
class LineSource {
  public:
    bool Open(const std::string& path) {
        useStdin_ = path.empty() || path == "-";
        if (useStdin_) WriteOutput(std::string());  // binary standard input and output
        return useStdin_ || file_.Open(path);
    }
    bool Failed() const { return failed_; }

    // The next line, valid until the next call; false at the end (or on a read error).
    bool Next(std::string_view& line) {
        size_t scanFrom = pos_;
        for (;;) {
            const size_t nl = buf_.find('\n', scanFrom);
            if (nl != std::string::npos) {
                size_t end = nl;
                if (end > pos_ && buf_[end - 1] == '\r') --end;
                line = std::string_view(buf_).substr(pos_, end - pos_);
                pos_ = nl + 1;
                return true;
            }
            if (eof_) {
                if (pos_ >= buf_.size()) return false;
                line = std::string_view(buf_).substr(pos_);
                pos_ = buf_.size();
                return true;
            }
            buf_.erase(0, pos_);  // only the unfinished line moves
            pos_ = 0;
            scanFrom = buf_.size();
            Fill();
        }
    }

  private:
    void Fill() {
        constexpr size_t kBlock = 1 << 16;
        const size_t old = buf_.size();
        buf_.resize(old + kBlock);
        long long n;
        if (useStdin_) {
            n = static_cast<long long>(std::fread(&buf_[old], 1, kBlock, stdin));
            if (n == 0 && std::ferror(stdin)) n = -1;
        } else {
            n = file_.Read(&buf_[old], kBlock);
        }
        if (n < 0) failed_ = true;
        if (n <= 0) eof_ = true;
        buf_.resize(old + static_cast<size_t>(n > 0 ? n : 0));
    }

    FileReader file_;
    bool useStdin_ = false, eof_ = false, failed_ = false;
    std::string buf_;
    size_t pos_ = 0;
};

bool ParseIndex(const std::string& text, size_t& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    return true;
}

}  // namespace

// Justify over a whole input: from --start N, or as without a selection (one past the first
// line containing "------", else the last line).
int CmdReformat(Args& args) {
    const char* cmd = "reformat";
    std::string iniPath, startText, input;
    bool haveIni = false, haveStart = false, haveInput = false;
    while (!args.Done()) {
        std::string arg = args.Take();
        if (arg == "--ini") {
            if (!args.TakeValue(arg, iniPath)) return UsageError(cmd, "--ini needs a file");
            haveIni = true;
        } else if (arg == "--start") {
            if (!args.TakeValue(arg, startText)) return UsageError(cmd, "--start needs a number");
            haveStart = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(cmd, "unknown option " + arg);
        } else if (haveInput) {
            return UsageError(cmd, "only one input file");
        } else {
            input = arg;
            haveInput = true;
        }
    }
    size_t start = 0;
    if (haveStart && !ParseIndex(startText, start)) {
        return UsageError(cmd, "--start needs a line index (0 or more), not " + startText);
    }
    IniFile ini;
    if (haveIni && iniPath.empty()) return UsageError(cmd, "--ini needs a file");
    if (!LoadIniOption(cmd, iniPath, ini)) return kExitUsage;
    LineSource source;
    if (!source.Open(input)) return UsageError(cmd, "cannot read " + input);

    const ReformatPass pass(ReformatSettingsFrom(ini));
    if (!pass.Usable()) {
        std::fprintf(stderr, "kestrel-cli %s: Error in reformat routine\n", cmd);
        return kExitFailure;
    }
    // No line is joined across an empty line, so the text is reformatted one run of non-empty
    // lines at a time, streaming: memory stays small and every piece is hot in the cache.
    std::string out;
    std::vector<std::string> piece, pool;  // pool: strings kept for reuse, no allocation
    bool wholeBody = haveStart && start != 0;
    const auto flushPiece = [&] {
        if (piece.empty()) return;
        pass.Run(piece, 0, wholeBody);
        for (std::string& line : piece) {
            out.append(line).append("\r\n");
            pool.push_back(std::move(line));
        }
        piece.clear();
    };
    const auto addLine = [&](std::string_view line) {
        if (pool.empty()) {
            piece.emplace_back(line);
        } else {
            piece.push_back(std::move(pool.back()));
            pool.pop_back();
            piece.back().assign(line);
        }
    };
    // Without --start: lines up to the separator are left alone; the latest line waits in
    // `pending`, since without any separator the last line alone is reformatted.
    bool inBody = haveStart && start == 0;
    std::string pending;
    bool havePending = false;
    size_t index = 0;
    try {
        std::string_view line;
        while (source.Next(line)) {
            if (!inBody) {
                if (haveStart) {
                    inBody = index + 1 >= start;
                    out.append(line).append("\r\n");
                } else {
                    if (havePending) out.append(pending).append("\r\n");
                    havePending = false;
                    if (line.find("------") != std::string_view::npos) {
                        out.append(line).append("\r\n");
                        inBody = wholeBody = true;
                    } else {
                        pending.assign(line);
                        havePending = true;
                    }
                }
            } else if (line.empty()) {
                flushPiece();
                out.append("\r\n");
            } else {
                addLine(line);
            }
            ++index;
            if (out.size() >= (1u << 16)) {
                WriteOutput(out);
                out.clear();
            }
        }
        if (havePending) {
            // No separator: the last line is the start (a whole-body run unless it is the only
            // line).
            wholeBody = index > 1;
            addLine(pending);
        }
        flushPiece();
    } catch (const std::exception&) {
        WriteOutput(out);
        std::fprintf(stderr, "kestrel-cli %s: Error in reformat routine\n", cmd);
        return kExitFailure;
    }
    WriteOutput(out);
    if (source.Failed()) return UsageError(cmd, "read error in " + input);
    return kExitOk;
}

}  // namespace kestrel::cli
