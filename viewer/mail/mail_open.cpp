#include "viewer/mail/mail_open.h"

#include <algorithm>
#include <cstring>

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/link/folder.h"

namespace kestrel {

const char kTooLongMarker[] = "  ***** Too long. Hit Header button to display all. *****";
const char kAttachedFileMarker[] = "  ***** Attached file *****";
const char kUuencodeMarker[] = "  ***** Attached file (uu-encode) *****";
const char kHtmlMailMarker[] = "  ***** HTML mail *****";
const char kMailOpenErrorMessage[] = "Error in mail open procedure";

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// Lines end at CR LF or a lone LF; a last line without an end counts.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}
    bool Next(std::string_view& line) {
        if (pos_ >= bytes_.size()) return false;
        const char* start = bytes_.data() + pos_;
        const void* lf = std::memchr(start, '\n', bytes_.size() - pos_);
        if (!lf) {
            line = bytes_.substr(pos_);
            pos_ = bytes_.size();
            return true;
        }
        size_t at = static_cast<size_t>(static_cast<const char*>(lf) - bytes_.data());
        size_t end = (at > pos_ && bytes_[at - 1] == '\r') ? at - 1 : at;
        line = bytes_.substr(pos_, end - pos_);
        pos_ = at + 1;
        return true;
    }
    bool Failed() const { return false; }

  private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

// The same over a file read piece by piece, so that a mail cut after its first lines is not
// read to its end. A line stays valid until the next call.
class FileLineReader {
  public:
    explicit FileLineReader(FileReader& file) : file_(file) {}
    bool Next(std::string_view& line) {
        for (;;) {
            const void* lf = std::memchr(buf_.data() + scan_, '\n', buf_.size() - scan_);
            if (lf) {
                size_t at = static_cast<size_t>(static_cast<const char*>(lf) - buf_.data());
                size_t end = (at > pos_ && buf_[at - 1] == '\r') ? at - 1 : at;
                line = std::string_view(buf_).substr(pos_, end - pos_);
                pos_ = scan_ = at + 1;
                return true;
            }
            scan_ = buf_.size();
            if (eof_) {
                if (pos_ >= buf_.size()) return false;
                line = std::string_view(buf_).substr(pos_);
                pos_ = scan_ = buf_.size();
                return true;
            }
            Fill();
        }
    }
    bool Failed() const { return failed_; }

  private:
    void Fill() {
        // Drop what was handed out; a line longer than the buffer makes it grow.
        if (pos_ > 0) {
            buf_.erase(0, pos_);
            scan_ -= pos_;
            pos_ = 0;
        }
        constexpr size_t kChunk = 1 << 16;
        size_t old = buf_.size();
        buf_.resize(old + kChunk);
        long long n = file_.Read(&buf_[old], kChunk);
        if (n <= 0) {
            eof_ = true;
            failed_ = n < 0;
            n = 0;
        }
        buf_.resize(old + static_cast<size_t>(n));
    }

    FileReader& file_;
    std::string buf_;
    size_t pos_ = 0, scan_ = 0;
    bool eof_ = false, failed_ = false;
};

// The tidy step of address splitting: shorter than 2 bytes becomes empty; otherwise the first
// character stays (a blank becoming a TAB) and the rest loses every TAB and its leading blanks.
std::string TidyAddress(std::string_view s) {
    if (s.size() < 2) return std::string();
    size_t first = CharLenAt(s, 0);
    std::string out(s.substr(0, first));
    if (out == " ") out = "\t";
    bool leading = true;
    for (size_t i = first; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\t') continue;
        if (leading && c == ' ') continue;
        leading = false;
        out += c;
    }
    return out;
}

// SplitAddresses as a stream: one pass over each line whatever its length or number of
// commas, with the same results as calling SplitAddresses until it reports no more.
class AddressSplitter {
  public:
    void Clear() {
        buf_.clear();
        begin_ = scanned_ = 0;
        tabPrefix_ = lead_ = false;
        state_ = kStart;
    }

    template <class Emit>
    void Feed(std::string_view line, Emit&& emit) {
        if (begin_ > 0) {
            buf_.erase(0, begin_);
            scanned_ -= begin_;
            begin_ = 0;
        }
        buf_.append(line.data(), line.size());
        size_t i = scanned_;
        while (i < buf_.size()) {
            if (lead_) {  // trail byte of a character split over two lines
                lead_ = false;
                ++i;
                continue;
            }
            if (IsLeadByte(static_cast<unsigned char>(buf_[i]))) {
                if (i + 1 < buf_.size()) {
                    i += 2;
                } else {
                    lead_ = true;
                    ++i;
                }
                continue;
            }
            char c = buf_[i];
            if (state_ == kStart && c == '"') {
                state_ = kInQuote;
            } else if (state_ == kInQuote && c == '"') {
                state_ = kAfterQuote;
            } else if (state_ != kInQuote && c == ',') {
                std::string piece = tabPrefix_ ? "\t" : "";
                piece.append(buf_, begin_, i + 1 - begin_);
                emit(TidyAddress(piece));
                begin_ = i + 1;
                tabPrefix_ = true;
                state_ = kStart;
            }
            ++i;
        }
        scanned_ = buf_.size();
    }

    // The address still pending, tidied; empty when there is none. A lone TAB is only the
    // start of the next address, not one of its own.
    std::string Pending() const {
        std::string piece = tabPrefix_ ? "\t" : "";
        piece.append(buf_, begin_, std::string::npos);
        std::string t = TidyAddress(piece);
        return t == "\t" ? std::string() : t;
    }

  private:
    enum State { kStart, kInQuote, kAfterQuote };
    std::string buf_;
    size_t begin_ = 0, scanned_ = 0;
    bool tabPrefix_ = false, lead_ = false;
    State state_ = kStart;
};

// "boundary=" found in the lower-cased line; the text after it as read, at most 511 bytes,
// without a leading double quote and cut before the next one.
std::string BoundaryOf(std::string_view line, std::string_view low) {
    size_t p = low.find("boundary=");
    if (p == std::string_view::npos) return std::string();
    std::string_view b = line.substr(p + 9, 511);
    if (!b.empty() && b[0] == '"') b.remove_prefix(1);
    size_t q = b.find('"');
    if (q != std::string_view::npos) b = b.substr(0, q);
    return std::string(b);
}

class MailReader {
  public:
    MailReader(const MailViewSettings& s, const MailOpenContext& c, MailView& v)
        : set_(s), ctx_(c), v_(v), out_(v.lines) {
        for (size_t i = 0; i < alerts_.size(); ++i) alerts_[i] = LowerSjis(s.alertStrings[i]);
        headerListKey_ = "," + LowerSjis(s.headerList);
    }

    // False when reading has to stop with the open error.
    template <class Reader>
    bool Read(Reader& rd) {
        std::string_view line;
        while (!v_.partialView && rd.Next(line)) {
            if (inBody_) {
                BodyLine(line, rd);
            } else if (!HeaderLine(line)) {
                FlushSecondLines();
                return false;
            }
        }
        FlushSecondLines();
        return true;
    }

  private:
    // Header-part display list: lines inserted as the second line are kept apart until the
    // separator, so that a header of a million Date lines is not a million inserts.
    size_t DisplaySize() const { return out_.size() + second_.size(); }
    void FlushSecondLines() {
        if (second_.empty()) return;
        out_.insert(out_.begin() + 1, std::make_move_iterator(second_.rbegin()),
                    std::make_move_iterator(second_.rend()));
        second_.clear();
    }

    void AddAddress(const std::string& address) {
        out_.push_back(ExpandLeadingTab(address, set_.tabToSpace));
        ++v_.addressCount;
    }

    bool HeaderLine(std::string_view line) {
        std::string low = LowerSjis(line);
        if (v_.showAllHeaders && !StartsWith(line, "-----")) {
            out_.push_back(ExpandLeadingTab(line, set_.tabToSpace));
            AlertAndMultipart(line, low);
            return true;
        }
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            if (fromOpen_) {
                from_.append(line.data(), line.size());
            } else if (subjectOpen_) {
                subject_.append(line.data(), line.size());
            } else if (toOpen_) {
                addresses_.Feed(line, [this](const std::string& a) { AddAddress(a); });
            } else if (selectedOpen_) {
                out_.push_back(ExpandLeadingTab(line, set_.tabToSpace));
            }
            AlertAndMultipart(line, low);
            return true;
        }
        fromOpen_ = subjectOpen_ = false;
        if (toOpen_) {
            std::string pending = addresses_.Pending();
            if (!pending.empty()) AddAddress(pending);
        }
        toOpen_ = selectedOpen_ = false;

        if (StartsWith(low, "from")) {
            from_.assign(line.data(), line.size());
            fromOpen_ = true;
        } else if (StartsWith(low, "subj")) {
            subject_.assign(line.data(), line.size());
            subjectOpen_ = true;
        } else if (StartsWith(low, "date")) {
            // Nowhere to put it as the second line of an empty display: the file does not
            // begin with its status line.
            if (DisplaySize() == 0) return false;
            second_.emplace_back(line);
        } else if (StartsWith(line, "X-Scramble: ")) {
            scramble_.assign(line.data(), line.size());
        } else if (StartsWith(line, "X-Status")) {
            out_.emplace_back(line);
            if (line.find("RECV") != std::string_view::npos) v_.recvMail = true;
        } else if ((StartsWith(low, "to") || StartsWith(low, "cc") || StartsWith(low, "bcc")) &&
                   set_.showTo) {
            addresses_.Clear();
            addresses_.Feed(line, [this](const std::string& a) { AddAddress(a); });
            toOpen_ = true;
        } else if (StartsWith(line, "-----")) {
            Separator(line);
        } else if (!set_.headerList.empty() && line.find(':') != std::string_view::npos) {
            std::string name = low.substr(0, low.find(':') + 1);
            if (headerListKey_.find("," + name) != std::string::npos) {
                out_.emplace_back(line);
                selectedOpen_ = true;
            }
        }
        AlertAndMultipart(line, low);
        return true;
    }

    void Separator(std::string_view line) {
        inBody_ = true;
        FlushSecondLines();
        if (!ctx_.headerButton && v_.addressCount > set_.maxTo) v_.showToThis = false;
        if (!v_.showAllHeaders) {
            v_.showAllHeaders = true;
            out_.push_back(from_);
            out_.push_back(subject_);
        }
        out_.emplace_back(line);
        if (!scramble_.empty()) out_.insert(out_.begin() + 1, scramble_);
        v_.bodyStart = out_.size();
    }

    void AlertAndMultipart(std::string_view line, const std::string& low) {
        if (set_.alertColours[0] != 0) {
            for (int i = 1; i < bestAlert_ && !alerts_[i - 1].empty(); ++i) {
                if (low.find(alerts_[i - 1]) != std::string::npos) {
                    v_.alertColour = set_.alertColours[i - 1];
                    bestAlert_ = i;
                    break;
                }
            }
        }
        if (StartsWith(low, "content-type: multipart/")) {
            multipart_ = true;
            boundary_ = BoundaryOf(line, low);
        } else if (multipart_ && boundary_.empty()) {
            boundary_ = BoundaryOf(line, low);
        }
    }

    void AddBodyLine(std::string_view line) {
        out_.emplace_back(line);
        if (line.size() > v_.longestBodyLine) v_.longestBodyLine = line.size();
    }

    template <class Reader>
    void BodyLine(std::string_view line, Reader& rd) {
        if (multipart_ && skip_ != kShowing) {
            // The preamble, the first boundary line and the first part's header are skipped.
            if (skip_ == kBeforeBoundary) {
                if (!boundary_.empty() &&
                    line.substr(0, 2 + boundary_.size()).find(boundary_) == 2) {
                    skip_ = kInPartHeader;
                }
            } else if (line.empty()) {
                skip_ = kShowing;
            }
            return;
        }
        // Everything needed from line is taken before a following line is read.
        bool encoded = StartsWithNoCase(line, "content-transfer-encoding: base64") ||
                       StartsWithNoCase(line, "content-transfer-encoding: quoted");
        bool uuencode = StartsWithNoCase(line, "begin 664 ");
        bool htmlStart = false;
        if (StartsWithNoCase(line, "<html>")) {
            htmlStart = LowerSjis(line).find("content-type: text/html;") == std::string::npos;
        } else if (StartsWithNoCase(line, "content-type: text/html;")) {
            htmlStart = LowerSjis(line).find("<html>") == std::string::npos;
        }
        AddBodyLine(line);
        if (out_.size() == static_cast<size_t>(set_.maxLines) && ctx_.freshOpen && !v_.recvMail) {
            out_.emplace_back();
            out_.emplace_back(kTooLongMarker);
            v_.truncatedView = v_.partialView = true;
        }
        if (encoded) {
            v_.partialView = true;
            out_.emplace_back(kAttachedFileMarker);
        }
        std::string_view next;
        if (uuencode && rd.Next(next)) {
            AddBodyLine(next);
            if (next.size() > 60 && next.find(' ') == std::string_view::npos) {
                v_.partialView = true;
                out_.emplace_back(kUuencodeMarker);
            }
        }
        if (htmlStart) {
            if (rd.Next(next)) AddBodyLine(next);
            v_.partialView = true;
            out_.emplace_back(kHtmlMailMarker);
            v_.htmlMail = true;
        }
    }

    const MailViewSettings& set_;
    const MailOpenContext& ctx_;
    MailView& v_;
    std::vector<std::string>& out_;
    std::vector<std::string> second_;
    std::array<std::string, 5> alerts_;
    std::string headerListKey_;
    bool inBody_ = false;
    bool fromOpen_ = false, subjectOpen_ = false, toOpen_ = false, selectedOpen_ = false;
    std::string from_, subject_, scramble_;
    AddressSplitter addresses_;
    int bestAlert_ = 6;
    bool multipart_ = false;
    std::string boundary_;
    enum Skip { kBeforeBoundary, kInPartHeader, kShowing } skip_ = kBeforeBoundary;
};

}  // namespace

std::string ExpandLeadingTab(std::string_view line, int32_t tabToSpace) {
    if (tabToSpace < 0 || line.empty() || line[0] != '\t') return std::string(line);
    std::string out(static_cast<size_t>(tabToSpace > 12 ? 12 : tabToSpace), ' ');
    out.append(line.data() + 1, line.size() - 1);
    return out;
}

bool SplitAddresses(std::string& line, std::string& pending) {
    line = pending + line;
    size_t q = FindCharDbcs('"', line);
    size_t c = FindCharDbcs(',', line);
    bool more = false;
    if (c == 0) {
        pending = line;
        line.clear();
    } else if (q == 0 || q > c) {
        pending = line.substr(0, c);
        line.erase(0, c);
        more = true;
    } else {
        pending = line.substr(0, q);
        std::string rest = line.substr(q);
        line.clear();
        size_t close = FindCharDbcs('"', rest);
        if (close == 0) {
            line = rest;
        } else {
            pending += rest.substr(0, close);
            rest.erase(0, close);
            size_t comma = FindCharDbcs(',', rest);
            if (comma != 0) {
                pending += rest.substr(0, comma);
                rest.erase(0, comma);
                more = true;
            }
            line = rest;
        }
    }
    if (!more) {
        pending += line;
        line.clear();
    }
    pending = TidyAddress(pending);
    return more;
}

namespace {

template <class Reader>
MailView OpenWith(Reader& rd, const std::string& path, const MailViewSettings& settings,
                  const MailOpenContext& context, const MailOpenHooks& hooks,
                  std::vector<std::string> reserved, bool readError) {
    MailView v;
    v.found = true;
    v.lines = std::move(reserved);
    v.path = LowerSjis(path);
    v.showToThis = settings.showTo;
    bool outFolder = InOutFolder(v.path);
    v.showAllHeaders = settings.header || !context.fromFolder || outFolder;
    v.headerFiltered = !v.showAllHeaders;

    MailReader reader(settings, context, v);
    if (!reader.Read(rd) || rd.Failed() || readError) v.openError = true;

    if (!settings.header && context.fromFolder && settings.autoReformat > 0 &&
        v.longestBodyLine > static_cast<size_t>(settings.autoReformat) && hooks.reformat) {
        hooks.reformat(v.lines, v.bodyStart);
        v.reformatted = true;
    }
    if (context.scrambleMode && v.lines.size() > 1 && StartsWith(v.lines[1], "X-Scramble: ") &&
        hooks.unscramble) {
        hooks.unscramble(v.lines);
        v.unscrambled = true;
    }
    if (context.startupStage) v.readOnly = context.editSwitch || !outFolder;
    v.markRead = context.fromFolder && !v.lines.empty() && v.lines[0] == "X-Status: RECV";
    return v;
}

}  // namespace

MailView MailOpenBytes(std::string_view bytes, const std::string& path,
                       const MailViewSettings& settings, const MailOpenContext& context,
                       const MailOpenHooks& hooks, bool readError) {
    LineReader rd(bytes);
    // One display line per line read at most, plus a few markers: no regrowth on big mails.
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 8);
    return OpenWith(rd, path, settings, context, hooks, std::move(lines), readError);
}

MailView MailOpen(const std::string& path, const MailViewSettings& settings,
                  const MailOpenContext& context, const MailOpenHooks& hooks) {
    // The viewer keeps paths in lower case; on a file system that tells case the file is
    // found under its real name.
    std::string real = ResolvePathCase(path);
    if (!FileExists(real)) {
        MailView v;
        v.path = LowerSjis(path);
        return v;
    }
    FileReader file;
    bool opened = file.Open(real);
    FileLineReader rd(file);  // a file that did not open reads as a read error
    // Room for the display list of a typical mail of this size, so that a big one is not
    // moved again and again as it grows; bounded, as a mail may be cut after a few lines.
    std::vector<std::string> lines;
    long long size = opened ? file.Size() : -1;
    if (size > 0) lines.reserve(static_cast<size_t>(std::min<long long>(size / 32, 1 << 20)) + 8);
    return OpenWith(rd, path, settings, context, hooks, std::move(lines), !opened);
}

HeaderPress PressHeaderButton(MailViewSettings& settings, const MailView& shown) {
    HeaderPress press;
    if (shown.truncatedView) return press;  // freshOpen stays clear: the mail comes in full
    if (settings.header) {
        settings.header = false;
        settings.showTo = false;
    } else if (!settings.showTo) {
        settings.showTo = true;
    } else if (shown.showToThis) {
        settings.header = true;
    }
    press.headerButton = true;
    return press;
}

MarkReadResult MarkMailRead(const std::string& path) {
    std::string real = ResolvePathCase(path);
    std::string bytes;
    if (!ReadFileBytes(real, bytes)) return MarkReadResult::Unreadable;
    size_t lf = bytes.find('\n');
    size_t end = lf == std::string::npos ? bytes.size() : lf;
    if (end > 0 && bytes[end - 1] == '\r' && lf != std::string::npos) --end;
    constexpr std::string_view kRecv = "X-Status: RECV";
    if (std::string_view(bytes).substr(0, end) != kRecv) return MarkReadResult::NotRecv;
    bytes.replace(10, 4, "READ");  // same length: every other byte stays where it was
    return WriteFileAtomic(real, bytes) ? MarkReadResult::Marked : MarkReadResult::WriteFailed;
}

}  // namespace kestrel
