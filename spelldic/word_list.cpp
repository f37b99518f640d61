#include "spelldic/word_list.h"

#include <algorithm>
#include <charconv>

namespace kestrel::spelldic {

namespace {

char FoldByte(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

}  // namespace

std::string FoldCase(std::string_view word) {
    std::string out(word);
    for (char& c : out) c = FoldByte(c);
    return out;
}

bool WordLess(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char fa = static_cast<unsigned char>(FoldByte(a[i]));
        unsigned char fb = static_cast<unsigned char>(FoldByte(b[i]));
        if (fa != fb) return fa < fb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool IsStorableWord(std::string_view word) {
    if (word.empty() || word.size() > kMaxWordBytes) return false;
    for (char c : word) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b == 0x7F) return false;
    }
    return true;
}

bool WordList::Parse(std::string_view bytes, std::string* error) {
    *this = WordList{};
    size_t eol = bytes.find('\n');
    if (eol == std::string_view::npos) {
        SetError(error, "no header line");
        return false;
    }
    std::string_view header = bytes.substr(0, eol);
    if (header.substr(0, kWtrMagic.size()) != kWtrMagic || header.size() <= kWtrMagic.size() ||
        header[kWtrMagic.size()] != ' ') {
        SetError(error, "not a word list");
        return false;
    }
    std::string_view countText = header.substr(kWtrMagic.size() + 1);
    size_t count = 0;
    auto [ptr, ec] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (ec != std::errc() || ptr != countText.data() + countText.size()) {
        SetError(error, "bad word count");
        return false;
    }
    std::string_view body = bytes.substr(eol + 1);
    // Each word takes at least two bytes: a count beyond that is a lie, not a reason to reserve.
    if (count > body.size() / 2) {
        SetError(error, "word count larger than the file");
        return false;
    }
    WordList list;
    list.words_.assign(body);
    list.starts_.reserve(count + 1);
    size_t pos = 0;
    std::string_view previous;
    for (size_t i = 0; i < count; ++i) {
        size_t end = body.find('\n', pos);
        if (end == std::string_view::npos) {
            SetError(error, "file ends inside the list");
            return false;
        }
        std::string_view word = body.substr(pos, end - pos);
        if (!IsStorableWord(word)) {
            SetError(error, "bad word at line " + std::to_string(i + 2));
            return false;
        }
        if (i > 0 && !WordLess(previous, word)) {
            SetError(error, "words out of order at line " + std::to_string(i + 2));
            return false;
        }
        list.starts_.push_back(uint32_t(pos));
        previous = word;
        pos = end + 1;
    }
    if (pos != body.size()) {
        SetError(error, "bytes after the last word");
        return false;
    }
    list.starts_.push_back(uint32_t(pos));
    list.folded_ = FoldCase(list.words_);
    *this = std::move(list);
    return true;
}

std::string WordList::Serialize() const {
    std::string out(kWtrMagic);
    out += ' ';
    out += std::to_string(Size());
    out += '\n';
    out += words_;
    return out;
}

WordList WordList::FromWords(std::vector<std::string> words) {
    words.erase(std::remove_if(words.begin(), words.end(),
                               [](const std::string& w) { return !IsStorableWord(w); }),
                words.end());
    std::sort(words.begin(), words.end(),
              [](const std::string& a, const std::string& b) { return WordLess(a, b); });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    WordList list;
    list.Rebuild(words);
    return list;
}

void WordList::Rebuild(const std::vector<std::string>& sorted) {
    words_.clear();
    starts_.clear();
    for (const std::string& w : sorted) {
        starts_.push_back(uint32_t(words_.size()));
        words_ += w;
        words_ += '\n';
    }
    starts_.push_back(uint32_t(words_.size()));
    folded_ = FoldCase(words_);
}

std::string_view WordList::Word(size_t i) const {
    return std::string_view(words_).substr(starts_[i], starts_[i + 1] - starts_[i] - 1);
}

std::string_view WordList::Folded(size_t i) const {
    return std::string_view(folded_).substr(starts_[i], starts_[i + 1] - starts_[i] - 1);
}

size_t WordList::LowerBoundFolded(std::string_view folded) const {
    size_t lo = 0, hi = Size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (Folded(mid) < folded) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

bool WordList::ContainsExact(std::string_view word) const {
    std::string folded = FoldCase(word);
    for (size_t i = LowerBoundFolded(folded); i < Size() && Folded(i) == folded; ++i) {
        if (Word(i) == word) return true;
    }
    return false;
}

bool WordList::ContainsAnyCase(std::string_view word) const {
    std::string folded = FoldCase(word);
    size_t i = LowerBoundFolded(folded);
    return i < Size() && Folded(i) == folded;
}

size_t WordList::EndOfPrefix(size_t from, std::string_view foldedPrefix) const {
    size_t lo = from, hi = Size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (Folded(mid).substr(0, foldedPrefix.size()) <= foldedPrefix) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

bool WordList::Insert(std::string_view word) {
    if (!IsStorableWord(word) || ContainsExact(word)) return false;
    std::vector<std::string> words;
    words.reserve(Size() + 1);
    for (size_t i = 0; i < Size(); ++i) words.emplace_back(Word(i));
    words.emplace_back(word);
    std::sort(words.begin(), words.end(),
              [](const std::string& a, const std::string& b) { return WordLess(a, b); });
    Rebuild(words);
    return true;
}

}  // namespace kestrel::spelldic
