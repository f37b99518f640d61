#include "viewer/text/find.h"

#include <array>

#include "common/sjis.h"

namespace kestrel {

namespace {

constexpr size_t npos = std::string_view::npos;

// The ANSI upper-casing of the Japanese code page changes the ASCII letters only; it is
// applied to bytes that start a character, never to a trail byte.
constexpr std::array<unsigned char, 256> MakeUpperMap() {
    std::array<unsigned char, 256> m{};
    for (int i = 0; i < 256; ++i)
        m[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i);
    return m;
}
constexpr std::array<unsigned char, 256> kUpper = MakeUpperMap();

bool IsWordByte(unsigned char b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
}

// Delimiter class of the last character of s (s not empty).
bool EndsWithDelimiter(std::string_view s) {
    size_t last = 0;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i)) last = i;
    return IsWordDelimiter(s, last);
}

}  // namespace

bool IsWordDelimiter(std::string_view text, size_t charStart) {
    unsigned char b = static_cast<unsigned char>(text[charStart]);
    return IsLeadByte(b) || !IsWordByte(b);
}

TextSearcher::TextSearcher(std::string_view text, std::string_view what, const FindOptions& options)
    : text_(text),
      what_(options.matchCase ? std::string(what) : UpperSjis(what)),
      options_(options),
      starts_(text.size(), false) {
    for (size_t i = 0; i < text.size(); i += CharLenAt(text, i)) starts_[i] = true;
}

bool TextSearcher::DelimiterBefore(size_t end) const {
    if (end == 0) return true;
    if (end >= 2 && !starts_[end - 1]) return true;  // a double-byte character
    return !IsWordByte(static_cast<unsigned char>(text_[end - 1]));
}

bool TextSearcher::MatchesAt(size_t p) const {
    const size_t m = what_.size();
    for (size_t k = 0; k < m; ++k) {
        unsigned char b = static_cast<unsigned char>(text_[p + k]);
        if (!options_.matchCase && starts_[p + k]) b = kUpper[b];
        if (b != static_cast<unsigned char>(what_[k])) return false;
    }
    // A match that would end inside a double-byte character is none (a search text cut after
    // a lead byte).
    return IsCharStart(p + m);
}

size_t TextSearcher::Next(size_t from, int delimiterBeforeFrom) const {
    const size_t n = text_.size(), m = what_.size();
    if (m == 0 || m > n) return npos;
    for (size_t p = from; p + m <= n; ++p) {
        if (!starts_[p] || !MatchesAt(p)) continue;
        if (options_.wholeWord) {
            bool before = (p == from && delimiterBeforeFrom >= 0) ? delimiterBeforeFrom != 0
                                                                  : DelimiterBefore(p);
            if (!before || (p + m < n && !IsWordDelimiter(text_, p + m))) continue;
        }
        return p;
    }
    return npos;
}

bool SameSearchText(std::string_view a, std::string_view b, bool matchCase) {
    if (a.size() != b.size()) return false;
    return matchCase ? a == b : UpperSjis(a) == UpperSjis(b);
}

bool SearchSelect(FindTarget& target, std::string_view what, const FindOptions& options) {
    if (what.empty()) return false;
    std::string text = target.Text();
    TextSearcher searcher(text, what, options);
    size_t p = searcher.Next(target.SelStart() + target.SelLength());
    if (p == npos) return false;
    target.SetSelection(p, what.size());
    return true;
}

namespace {
// The first step of Replace and Replace All: a selection that is the search text is replaced.
bool ReplaceSelectedMatch(FindTarget& target, const ReplaceRequest& request) {
    if (request.what.empty() || target.SelLength() == 0) return false;
    if (!SameSearchText(target.SelText(), request.what, request.options.matchCase)) return false;
    target.ReplaceSelection(request.with);
    return true;
}
}  // namespace

bool ReplaceNext(FindTarget& target, const ReplaceRequest& request, bool* replaced) {
    bool done = ReplaceSelectedMatch(target, request);
    if (replaced) *replaced = done;
    return SearchSelect(target, request.what, request.options);
}

size_t ReplaceAll(FindTarget& target, const ReplaceRequest& request) {
    size_t count = ReplaceSelectedMatch(target, request) ? 1 : 0;
    if (request.what.empty()) return count;
    const std::string text = target.Text();
    const size_t m = request.what.size();
    TextSearcher searcher(text, request.what, request.options);
    size_t p = searcher.Next(target.SelStart() + target.SelLength());
    if (p == npos) return count;

    // The search goes on in the text as it was, just after each match: that is where the
    // edited text stands just after the replacement, so the text is read once. For whole words
    // the character before that place is then the replacement's last one. Each match is
    // replaced on its own, so the text between keeps its colours.
    const int withEndsWithDelimiter =
        request.with.empty() ? -1 : (EndsWithDelimiter(request.with) ? 1 : 0);
    long long shift = 0;  // where the edited text stands against the old one
    size_t cur = p;
    int delimiterBefore = searcher.DelimiterBefore(p) ? 1 : 0;
    while (p != npos) {
        if (p > cur) delimiterBefore = searcher.DelimiterBefore(p) ? 1 : 0;
        target.SetSelection(static_cast<size_t>(static_cast<long long>(p) + shift), m);
        target.ReplaceSelection(request.with);
        shift += static_cast<long long>(request.with.size()) - static_cast<long long>(m);
        ++count;
        cur = p + m;
        if (withEndsWithDelimiter >= 0) delimiterBefore = withEndsWithDelimiter;
        p = searcher.Next(cur, delimiterBefore);
    }
    return count;
}

void StringFindTarget::SetSelection(size_t start, size_t length) {
    start_ = start < text_.size() ? start : text_.size();
    length_ = length < text_.size() - start_ ? length : text_.size() - start_;
}

void StringFindTarget::ReplaceSelection(std::string_view text) {
    text_.replace(start_, length_, text);
    start_ += text.size();
    length_ = 0;
    ++edits;
}

}  // namespace kestrel
