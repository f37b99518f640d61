// Fakes for the spell check run: an editor text with the rich-edit control's offsets (a line
// end counts two bytes), a scriptable dictionary library that records what it is asked, and a
// dialog view that records what it shows.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "viewer/spell/spell_check.h"

namespace kestrel::test {

class FakeSpellText : public SpellText {
  public:
    std::vector<std::string> lines;
    int selStart = 0, selLength = 0;
    bool readOnly = false, wordWrap = false;
    std::vector<std::string> log;  // "wrap on", "wrap off"

    std::string Text() const;
    void SetText(const std::string& text);

    int LineCount() const override { return int(lines.size()); }
    std::string Line(int index) const override {
        return index >= 0 && index < LineCount() ? lines[size_t(index)] : std::string();
    }
    int LineOffset(int index) const override;
    int LineFromOffset(int offset) const override;
    int SelStart() const override { return selStart; }
    int SelLength() const override { return selLength; }
    std::string SelText() const override {
        return Text().substr(size_t(selStart), size_t(selLength));
    }
    void SetSelection(int start, int length) override;
    void ReplaceSelection(std::string_view text) override;
    bool ReadOnly() const override { return readOnly; }
    bool WordWrap() const override { return wordWrap; }
    void SetWordWrap(bool wrap) override {
        wordWrap = wrap;
        log.push_back(wrap ? "wrap on" : "wrap off");
    }
};

// What the fake library knows and answers; shared by every library the loader hands out.
struct FakeLibraryScript {
    bool loadable = true;
    std::set<SpellFunction> missing;
    int initializeResult = 1;
    int setResult = 1;
    bool allKnown = false;
    std::set<std::string> known;
    std::map<std::string, std::vector<std::string>> suggestions;  // best first
    std::map<std::string, int> forcedResult;
    // Raw buffer contents for a word (bytes copied as they are, for malformed answers).
    std::map<std::string, std::string> rawBuffer;

    // Recorded.
    int loads = 0, live = 0;
    std::vector<std::string> initialized;
    std::vector<std::pair<std::string, std::string>> dictionaries;
    std::vector<std::string> lookedUp;
    std::vector<std::string> added;
};

class FakeSpellLibrary : public SpellLibrary {
  public:
    explicit FakeSpellLibrary(FakeLibraryScript& s) : s_(s) { ++s_.live; }
    ~FakeSpellLibrary() override { --s_.live; }
    bool Has(SpellFunction f) const override { return !s_.missing.count(f); }
    int InitializeDictionary(const std::string& path) override;
    int SetDictionary(const std::string& basicDic, const std::string& userDic) override;
    int Alt(char* buffer, int size, const std::string& word) override;
    int AddSpell(const std::string& word) override;

  private:
    FakeLibraryScript& s_;
};

class FakeSpellLoader : public SpellLibraryLoader {
  public:
    explicit FakeSpellLoader(FakeLibraryScript& s) : s_(s) {}
    std::unique_ptr<SpellLibrary> Load(std::string_view name) override;
    std::string lastName;

  private:
    FakeLibraryScript& s_;
};

class FakeSpellDialog : public SpellDialogView {
  public:
    void Show() override {
        ++shows;
        if (onShow) onShow();
    }
    void Refresh(const SpellDialogModel& m) override { model = m; }
    int shows = 0;
    SpellDialogModel model;
    std::function<void()> onShow;
};

}  // namespace kestrel::test
