#include "viewer/spell/spell_check.h"

#include <algorithm>
#include <array>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel {

namespace {

// The sorted list box orders without case, like the Windows control; equal ones by byte value.
bool ListLess(const std::string& a, const std::string& b) {
    std::string la = LowerSjis(a), lb = LowerSjis(b);
    return la != lb ? la < lb : a < b;
}

// At most max bytes, never cutting a double-byte character in two.
std::string CutToBytes(std::string_view s, size_t max) {
    size_t i = 0;
    while (i < s.size()) {
        size_t len = CharLenAt(s, i);
        if (i + len > max) break;
        i += len;
    }
    return std::string(s.substr(0, i));
}

}  // namespace

SpellCheckRun::SpellCheckRun(SpellPorts ports) : p_(std::move(ports)) {}

SpellCheckRun::~SpellCheckRun() = default;

void SpellCheckRun::Say(std::string_view text) {
    if (p_.message) p_.message(text);
}

void SpellCheckRun::Release() {
    library_.reset();
    addedWords_.Close();
}

void SpellCheckRun::ClearFields() {
    model_ = SpellDialogModel{};
    p_.dialog.Refresh(model_);
}

void SpellCheckRun::ShowDialog() {
    if (!shown_) p_.dialog.Show();
    // A view that runs no show handler still counts as showing the dialog.
    shown_ = true;
}

void SpellCheckRun::Start(const SpellSettings& settings) {
    // A run still open (the modeless dialog left showing) ends before a new one begins, and
    // gives back the word wrap it switched off, or nobody would.
    if (library_ && wrapSwitchedOff_ && !p_.text.WordWrap()) p_.text.SetWordWrap(true);
    wrapSwitchedOff_ = false;
    Release();
    scan_.previousWord.clear();
    undo_.reset();
    onShow_.reset();

    SpellText& text = p_.text;
    if (text.ReadOnly()) {
        Say(kSpellReadOnly);
        return;
    }
    const int selLength = text.SelLength();
    if (selLength >= kSpellMaxSelection) {
        Say(kSpellTooLong);
        return;
    }
    const std::string selected = selLength > 0 ? text.SelText() : std::string();
    if (selected.find(' ') != std::string::npos) {
        Say(kSpellSpaceInSelection);
        return;
    }

    settings_ = settings;
    classes_.emplace(settings_.alpha, settings_.numeric);
    if (!SetUp()) {
        Release();
        return;
    }

    shown_ = false;
    wrapSwitchedOff_ = false;
    caret_ = text.SelStart();

    if (selLength > 0) {
        // The scan state is set past the text: acting on this word ends the run, instead of
        // going on from wherever an earlier run stood.
        scan_ = ScanState{};
        scan_.line = text.LineCount();
        int start = text.SelStart();
        int result = CheckWord(selected);
        if (result == 0) {
            Say(kSpellSelectionKnown);
            Release();
        } else if (result < -1) {
            Say(kSpellSelectionError);
            Release();
        } else {
            onShow_ = WordOnShowInfo{start, selected, "", false};
        }
        return;
    }

    EnsureWrapOff();
    // After the wrap is off, so that the line is a line of the text.
    int line = text.LineFromOffset(caret_);
    if (line > 0 && text.LineOffset(line) == caret_) --line;
    StartScanAt(line);
}

bool SpellCheckRun::SetUp() {
    library_ = p_.loader.Load(kSpellLibraryName);
    if (!library_) {
        Say(kSpellUnableToLoad);
        return false;
    }
    auto locate = [this](SpellFunction f) {
        if (library_->Has(f)) return true;
        Say(std::string(kSpellCannotLocate) + std::string(SpellFunctionName(f)) + "\"");
        return false;
    };

    const std::string userDic = UserDictionaryPath(settings_.basicDic);
    if (!FileExists(userDic)) {
        if (!locate(SpellFunction::InitializeDictionary)) return false;
        if (library_->InitializeDictionary(userDic) != 0) {
            Say(std::string(kSpellEmptyDictionary) + userDic + std::string(kSpellHasBeenCreated));
        } else {
            Say(std::string(kSpellCannotCreate) + userDic);
        }
    }
    if (!addedWords_.Open(AddedWordsPath(userDic))) {
        Say(kSpellCannotOpenUserDic);
        return false;
    }
    if (!locate(SpellFunction::SetDictionary)) return false;
    if (library_->SetDictionary(settings_.basicDic, userDic) == 0) Say(kSpellInvalidDictionary);
    // Every later call goes through these two: without them there is nothing to check with.
    return locate(SpellFunction::Alt) && locate(SpellFunction::AddSpell);
}

int SpellCheckRun::CheckWord(const std::string& word) {
    std::array<char, kSuggestionBufferSize> buffer{};
    int result = library_->Alt(buffer.data(), int(buffer.size()), word);
    if (result == 0) return 0;
    if (result < -1) {
        Say(kSpellError);
        return result;
    }
    std::vector<std::string> suggestions;
    if (result > 0) suggestions = ParseSuggestions(buffer.data(), int(buffer.size()));
    if (suggestions.empty()) result = -1;

    ShowDialog();
    model_ = SpellDialogModel{};
    model_.word = word;
    if (result == -1) {
        model_.replacement = word;
        model_.list = {std::string(kSpellNoSuggestion)};
        model_.listKind = SpellListKind::NoSuggestion;
    } else {
        // The library ranks its suggestions best first: the best one goes into the field even
        // though the list shows them in alphabetical order.
        model_.replacement = suggestions.front();
        model_.list = suggestions;
        std::stable_sort(model_.list.begin(), model_.list.end(), ListLess);
        model_.listKind = SpellListKind::Suggestions;
    }
    model_.focus = SpellButton::Ignore;
    p_.dialog.Refresh(model_);
    return result;
}

void SpellCheckRun::EnsureWrapOff() {
    // With word wrap on the editor's lines are screen lines, and the offsets the scan counts
    // (a line end is two bytes) would miss the text.
    if (p_.text.WordWrap()) {
        p_.text.SetWordWrap(false);
        wrapSwitchedOff_ = true;
    }
}

void SpellCheckRun::StartScanAt(int line) {
    scan_.line = line;
    scan_.lineOffset = p_.text.LineOffset(line);
    scan_.cursor = ScanCursor{};
    ScanOn();
}

void SpellCheckRun::ScanOn() {
    if (!library_) return;
    SpellText& text = p_.text;
    for (;;) {
        // The last line of the text is never looked at.
        if (scan_.line > text.LineCount() - 2) {
            Finish();
            return;
        }
        const std::string line = text.Line(scan_.line);
        for (;;) {
            const std::string previousBefore = scan_.previousWord;
            const bool crossedBefore = scan_.cursor.crossedNonBlank;
            ScannedWord w = ScanNext(line, scan_.cursor, *classes_, settings_.ignoreNumeric);
            if (w.step == ScanStep::LineEnd) break;
            if (w.step == ScanStep::Dropped) continue;

            const std::string lower = LowerSjis(w.text);
            const int wordOffset = scan_.lineOffset + w.start - 1;
            if (w.blanksOnlyBefore && !scan_.previousWord.empty() && lower == scan_.previousWord) {
                // The repetition and the blank before it, so that Change with an empty field
                // removes it.
                int start = w.start > 1 ? wordOffset - 1 : wordOffset;
                int length = int(w.text.size()) + (w.start > 1 ? 1 : 0);
                text.SetSelection(start, length);
                ShowDialog();
                model_ = SpellDialogModel{};
                model_.word = w.text;
                model_.list = {std::string(kSpellDuplicate)};
                model_.listKind = SpellListKind::Duplicate;
                model_.focus = SpellButton::Change;
                p_.dialog.Refresh(model_);
                onShow_ = WordOnShowInfo{start, text.SelText(), previousBefore, crossedBefore};
                return;
            }
            scan_.previousWord = lower;
            if (settings_.ignoreCapital && w.text == UpperSjis(w.text)) continue;
            int result = CheckWord(w.text);
            if (result == 0) continue;
            text.SetSelection(wordOffset, int(w.text.size()));
            if (result < -1) {
                // The scan stops at the word. A run whose dialog never appeared has no Exit to
                // end it: end it here, leaving the word selected.
                if (!shown_) {
                    if (wrapSwitchedOff_ && !text.WordWrap()) text.SetWordWrap(true);
                    Release();
                }
                return;
            }
            onShow_ = WordOnShowInfo{wordOffset, text.SelText(), previousBefore, crossedBefore};
            return;
        }
        scan_.lineOffset += int(line.size()) + 2;
        scan_.line += 1;
        scan_.cursor.position = 1;
    }
}

void SpellCheckRun::Finish() {
    onShow_.reset();
    if (!shown_) {
        if (wrapSwitchedOff_ && !p_.text.WordWrap()) p_.text.SetWordWrap(true);
        p_.text.SetSelection(caret_, 0);
        Release();
    }
    Say(kSpellComplete);
}

void SpellCheckRun::Ignore() {
    if (!onShow_ || !library_) return;
    onShow_.reset();
    ClearFields();
    p_.text.SetSelection(p_.text.SelStart(), 0);
    ScanOn();
}

void SpellCheckRun::Change(std::string_view replacement) {
    if (!onShow_ || !library_) return;
    SpellText& text = p_.text;
    const std::string newText = CutToBytes(replacement, kSpellMaxReplacement);
    // The dialog is modeless: the user may have moved the selection meanwhile. The word on
    // show is replaced, and only while it is still there.
    text.SetSelection(onShow_->start, int(onShow_->selected.size()));
    if (text.SelText() != onShow_->selected) {
        Ignore();
        return;
    }
    UndoInfo undo;
    undo.state = scan_;
    undo.state.previousWord = onShow_->previousWord;
    undo.state.cursor.crossedNonBlank = onShow_->crossedNonBlank;
    undo.caret = text.SelStart();
    undo.replaced = onShow_->selected;
    undo.replacement = newText;
    undo_ = std::move(undo);
    scan_.cursor.position += int(newText.size()) - int(onShow_->selected.size());
    text.ReplaceSelection(newText);
    Ignore();
}

void SpellCheckRun::Undo() {
    if (!library_) return;
    SpellText& text = p_.text;
    if (!undo_) {
        Say(kSpellNoMoreUndo);
        return;
    }
    UndoInfo undo = std::move(*undo_);
    undo_.reset();
    text.SetSelection(undo.caret, int(undo.replacement.size()));
    if (text.SelText() != undo.replacement) {
        // Edited since: putting the old word back here would overwrite the user's text.
        text.SetSelection(undo.caret, 0);
        Say(kSpellNoMoreUndo);
        return;
    }
    text.ReplaceSelection(undo.replaced);
    text.SetSelection(undo.caret, 0);
    scan_ = undo.state;
    // Back to the start of the restored word, with the previous word as it was before it, so
    // the word is looked up again rather than taken for its own repetition.
    scan_.cursor.position -= int(undo.replaced.size());
    onShow_.reset();
    ClearFields();
    ScanOn();
}

void SpellCheckRun::Add() {
    if (!onShow_ || !library_) return;
    library_->AddSpell(model_.word);
    if (!addedWords_.Append(model_.word)) Say(std::string(kSpellCannotSave) + addedWords_.Path());
    Ignore();
}

void SpellCheckRun::FromBeginning() {
    if (!library_) return;
    SpellText& text = p_.text;
    EnsureWrapOff();
    int start = 0;
    for (int i = 0; i <= text.LineCount() - 2; ++i) {
        if (text.Line(i).compare(0, 9, "Subject: ") == 0) {
            start = i;
            break;
        }
    }
    scan_.previousWord.clear();
    onShow_.reset();
    ClearFields();
    StartScanAt(start);
}

void SpellCheckRun::ListSelected(int index) {
    if (model_.listKind != SpellListKind::Suggestions) return;
    if (index < 0 || index >= int(model_.list.size())) return;
    model_.replacement = model_.list[size_t(index)];
    p_.dialog.Refresh(model_);
}

void SpellCheckRun::DialogClosed() {
    shown_ = false;
    onShow_.reset();
    if (!library_) return;
    if (wrapSwitchedOff_ && !p_.text.WordWrap()) p_.text.SetWordWrap(true);
    p_.text.SetSelection(caret_, 0);
    Release();
}

}  // namespace kestrel
