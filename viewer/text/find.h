// Searching and replacing in the editor's text, by characters: a match starts and ends where a
// Shift-JIS character does, and case folding (ASCII letters only) never touches the trail byte of
// a double-byte character, so a search for "A" never lands inside a kanji or katakana.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// Whole-word matching: a character is part of a word when it is an ASCII letter or digit; every
// other byte (punctuation, blanks, line ends, half-width katakana, double-byte characters) is a
// delimiter.
bool IsWordDelimiter(std::string_view text, size_t charStart);

// One text prepared for repeated forward searches (the character starts are found once).
class TextSearcher {
  public:
    TextSearcher(std::string_view text, std::string_view what, const FindOptions& options);

    // 0-based start of the first match at or after from, or npos. An empty search text finds
    // nothing. A from inside a double-byte character starts at the next character.
    // delimiterBeforeFrom: for whole-word searches, whether the character just before from
    // counts as a delimiter (-1: look at the text; 0/1: as told, when the text before from was
    // replaced by other text).
    size_t Next(size_t from, int delimiterBeforeFrom = -1) const;

    bool IsCharStart(size_t i) const { return i >= starts_.size() || starts_[i]; }
    // Delimiter class of the character that ends just before byte end (end > 0).
    bool DelimiterBefore(size_t end) const;

  private:
    bool MatchesAt(size_t p) const;

    std::string_view text_;
    std::string what_;  // folded unless case matters
    FindOptions options_;
    std::vector<bool> starts_;
};

// Folded comparison used by the selection check of Replace: equal bytes, or with matchCase off,
// equal after upper-casing the ASCII letters that start a character.
bool SameSearchText(std::string_view a, std::string_view b, bool matchCase);

// The editor as searching and replacing see it: its whole text as bytes and its selection, in
// the same byte offsets.
class FindTarget {
  public:
    virtual ~FindTarget() = default;
    virtual std::string Text() const = 0;
    virtual size_t SelStart() const = 0;
    virtual size_t SelLength() const = 0;
    virtual std::string SelText() const = 0;
    virtual void SetSelection(size_t start, size_t length) = 0;
    // Replaces the selection; the caret ends up just after the new text.
    virtual void ReplaceSelection(std::string_view text) = 0;
};

// Searches forward from just after the selection; on success selects the match and returns
// true, otherwise leaves the selection as it was.
bool SearchSelect(FindTarget& target, std::string_view what, const FindOptions& options);

struct ReplaceRequest {
    std::string what;
    std::string with;
    FindOptions options;
};

// Replace: the selection is replaced when it is the search text (Match case as the dialog
// says), then the next match is selected. False when there is none. replaced, when given,
// tells whether the selection was replaced.
bool ReplaceNext(FindTarget& target, const ReplaceRequest& request, bool* replaced = nullptr);

// Replace All: as ReplaceNext, then every further match up to the end of the text, each search
// starting after the text just put in, so a replacement that holds the search text still ends.
// Returns the number of replacements made.
size_t ReplaceAll(FindTarget& target, const ReplaceRequest& request);

// A FindTarget over a string (tests, and the portable command-line tools).
class StringFindTarget : public FindTarget {
  public:
    explicit StringFindTarget(std::string text, size_t selStart = 0, size_t selLength = 0)
        : text_(std::move(text)), start_(selStart), length_(selLength) {}
    std::string Text() const override { return text_; }
    size_t SelStart() const override { return start_; }
    size_t SelLength() const override { return length_; }
    void SetSelection(size_t start, size_t length) override;
    void ReplaceSelection(std::string_view text) override;
    std::string SelText() const override { return text_.substr(start_, length_); }
    int edits = 0;  // ReplaceSelection calls

  private:
    std::string text_;
    size_t start_, length_;
};

}  // namespace kestrel
