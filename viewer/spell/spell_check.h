// One English spell check run over the editor's text: the start checks, the library set-up, the
// scan that stops at each unknown or doubled word, and what the dialog's buttons do with it.
// The dialog window itself (TForm2) shows the model this class keeps and forwards its buttons.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/spell/added_words.h"
#include "viewer/spell/spell_library.h"
#include "viewer/spell/spell_settings.h"
#include "viewer/spell/word_scanner.h"

namespace kestrel {

inline constexpr std::string_view kSpellReadOnly = "Read only mode.";
inline constexpr std::string_view kSpellTooLong = "Too long to spell-check.";
inline constexpr std::string_view kSpellSpaceInSelection = "Space exists in the selection.";
inline constexpr std::string_view kSpellUnableToLoad = "Unable to Load \"splcheck.dll\".";
inline constexpr std::string_view kSpellCannotLocate = "Cannot locate \"";  // + name + "\""
inline constexpr std::string_view kSpellEmptyDictionary = "Empty dictionary ";
inline constexpr std::string_view kSpellHasBeenCreated = " has been created.";
inline constexpr std::string_view kSpellCannotCreate = "Cannot create ";
inline constexpr std::string_view kSpellCannotOpenUserDic =
    "Cannot open user dictionary. Maybe in use.";
inline constexpr std::string_view kSpellInvalidDictionary = "Invalid dictionary.";
inline constexpr std::string_view kSpellSelectionKnown = "Spell ckeck complete.";
inline constexpr std::string_view kSpellSelectionError = "Spell ckeck error.";
inline constexpr std::string_view kSpellComplete = "Spell Check Complete.";
inline constexpr std::string_view kSpellError = "Error in spellcheck.";
inline constexpr std::string_view kSpellNoMoreUndo = "No more Undo.";
inline constexpr std::string_view kSpellNoSuggestion = "No suggestion";
inline constexpr std::string_view kSpellDuplicate = "(Duplicate words.)";
inline constexpr std::string_view kSpellCannotSave = "Cannot save ";
// A selection this long or longer is refused.
inline constexpr int kSpellMaxSelection = 21;
// Edit1 holds at most this many bytes.
inline constexpr size_t kSpellMaxReplacement = 255;

// What the check run needs of the editor. Offsets count a line end as two bytes.
class SpellText {
  public:
    virtual ~SpellText() = default;
    virtual int LineCount() const = 0;
    virtual std::string Line(int index) const = 0;
    virtual int LineOffset(int index) const = 0;
    virtual int LineFromOffset(int offset) const = 0;
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual std::string SelText() const = 0;
    virtual void SetSelection(int start, int length) = 0;
    virtual void ReplaceSelection(std::string_view text) = 0;
    virtual bool ReadOnly() const = 0;
    virtual bool WordWrap() const = 0;
    // Switches word wrap the way the Word wrap command does.
    virtual void SetWordWrap(bool wrap) = 0;
};

enum class SpellButton { None, Ignore, Change };

// What the lists holds: real suggestions can be taken into Edit1, the markers cannot.
enum class SpellListKind { Empty, Suggestions, NoSuggestion, Duplicate };

// The dialog's fields as the run fills them.
struct SpellDialogModel {
    std::string word;               // Edit2: the word not found
    std::string replacement;        // Edit1
    std::vector<std::string> list;  // ListBox1, sorted
    SpellListKind listKind = SpellListKind::Empty;
    SpellButton focus = SpellButton::None;
};

// The dialog window as the run drives it.
class SpellDialogView {
  public:
    virtual ~SpellDialogView() = default;
    // Shows the dialog (its show handler then runs).
    virtual void Show() = 0;
    // The fields, list or focus changed.
    virtual void Refresh(const SpellDialogModel& model) = 0;
};

struct SpellPorts {
    SpellText& text;
    SpellLibraryLoader& loader;
    SpellDialogView& dialog;
    std::function<void(std::string_view text)> message;
};

// Where the scan stands: line, that line's offset in the text, the cursor in the line, and the
// previous word (lower case) for the double-word test.
struct ScanState {
    int line = 0;
    int lineOffset = 0;
    ScanCursor cursor;
    std::string previousWord;
};

class SpellCheckRun {
  public:
    explicit SpellCheckRun(SpellPorts ports);
    ~SpellCheckRun();

    // The Spell check command: start checks, library set-up, then the check of the selected
    // word or the scan from the caret.
    void Start(const SpellSettings& settings);

    // Dialog buttons. Ignore, Change and Add act only while a word is on show.
    void Ignore();
    void Change(std::string_view replacement);
    void Undo();
    void Add();
    void FromBeginning();
    // A click on list entry index: a suggestion goes into Edit1.
    void ListSelected(int index);
    void SetIgnoreCapital(bool on) { settings_.ignoreCapital = on; }
    void SetIgnoreNumeric(bool on) { settings_.ignoreNumeric = on; }
    // The show handler: from now on the dialog counts as shown.
    void DialogShown() { shown_ = true; }
    // The dialog's close: word wrap and caret back, library released, list closed.
    void DialogClosed();

    bool Active() const { return library_ != nullptr; }
    bool WordOnShow() const { return onShow_.has_value(); }
    bool DialogCountsShown() const { return shown_; }
    const SpellSettings& Settings() const { return settings_; }
    const SpellDialogModel& Dialog() const { return model_; }
    const ScanState& Scan() const { return scan_; }
    bool HasUndo() const { return undo_.has_value(); }

  private:
    struct WordOnShowInfo {
        int start = 0;  // offset of the selection in the editor
        std::string selected;
        std::string previousWord;  // before this word was scanned
        bool crossedNonBlank = false;
    };
    struct UndoInfo {
        ScanState state;
        int caret = 0;
        std::string replaced;
        std::string replacement;
    };

    bool SetUp();
    int CheckWord(const std::string& word);
    void ShowDialog();
    void StartScanAt(int line);
    void EnsureWrapOff();
    void ScanOn();
    void Finish();
    void Release();
    void ClearFields();
    void Say(std::string_view text);

    SpellPorts p_;
    SpellSettings settings_;
    std::unique_ptr<SpellLibrary> library_;
    AddedWordsList addedWords_;
    std::optional<CharClasses> classes_;
    SpellDialogModel model_;
    ScanState scan_;
    std::optional<WordOnShowInfo> onShow_;
    std::optional<UndoInfo> undo_;
    bool shown_ = false;
    bool wrapSwitchedOff_ = false;
    int caret_ = 0;
};

}  // namespace kestrel
