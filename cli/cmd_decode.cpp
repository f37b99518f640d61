#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cli/cli.h"
#include "common/fileio.h"
#include "viewer/mail/decode.h"
#include "viewer/mail/decode_internal.h"

namespace kestrel::cli {

namespace {

// The input bytes: a file is mapped where that is possible (no copy), else read.
class Input {
  public:
    ~Input() {
#ifndef _WIN32
        if (map_ != nullptr) ::munmap(map_, size_);
#endif
    }

    bool Load(const std::string& path) {
        if (!path.empty() && path != "-") {
#ifndef _WIN32
            if (Map(path)) return true;
#endif
            return ReadFileBytes(path, bytes_);
        }
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        char buf[1 << 16];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, stdin)) > 0) bytes_.append(buf, n);
        return !std::ferror(stdin);
    }

    std::string_view Bytes() const {
        return map_ != nullptr ? std::string_view(static_cast<const char*>(map_), size_)
                               : std::string_view(bytes_);
    }

  private:
#ifndef _WIN32
    bool Map(const std::string& path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat st {};
        bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
        if (ok) {
            size_ = static_cast<size_t>(st.st_size);
            int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
            flags |= MAP_POPULATE;
#endif
            void* m = ::mmap(nullptr, size_, PROT_READ, flags, fd, 0);
            ok = m != MAP_FAILED;
            if (ok) map_ = m;
        }
        ::close(fd);
        return ok;
    }
#endif

    std::string bytes_;
    void* map_ = nullptr;
    size_t size_ = 0;
};

// Collects the output lines with CR LF. While the run may still fail nothing is written (a
// failed run prints nothing); after that the text goes out in large pieces.
class OutputSink : public decode_detail::DecodeSink {
  public:
    static constexpr size_t kPiece = 256 * 1024;  // small enough to stay in the cache
    OutputSink() { out_.reserve(kPiece + 4096); }
    void Line(std::string_view line) override {
        out_.append(line);
        out_.append("\r\n", 2);
        if (streaming_ && out_.size() >= kPiece) Flush();
    }
    void CannotFail() override { streaming_ = true; }
    void Flush() {
        if (!out_.empty()) WriteOutput(out_);
        out_.clear();
    }

  private:
    std::string out_;
    bool streaming_ = false;
};

}  // namespace

// kestrel-cli decode [--zenkaku] [FILE]: the Decode (or Decode Zenkaku) command on a raw
// message; the result in the mail client's form on standard output.
int CmdDecode(Args& args) {
    bool zenkaku = false;
    std::string path;
    bool havePath = false;
    while (!args.Done()) {
        std::string a = args.Take();
        if (a == "--zenkaku") {
            zenkaku = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError("decode", "unknown option '" + a + "'");
        } else if (havePath) {
            return UsageError("decode", "more than one FILE given");
        } else {
            path = a;
            havePath = true;
        }
    }
    Input input;
    if (!input.Load(path)) {
        return UsageError("decode", "cannot read '" + (path.empty() ? "-" : path) + "'");
    }
    decode_detail::DecodeOptions opt;
    opt.fullWidthKana = zenkaku;
    OutputSink sink;
    std::string error;
    if (!decode_detail::DecodeLines(decode_detail::SplitLineViews(input.Bytes()), opt, sink,
                                    error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitFailure;
    }
    sink.Flush();
    return kExitOk;
}

}  // namespace kestrel::cli
