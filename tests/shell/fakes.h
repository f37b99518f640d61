// Scriptable fakes of the platform interfaces: answers to message boxes and dialogs are
// queued; everything shown, launched or sent is recorded, in order, in one shared log.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/spell_fakes.h"
#include "viewer/shell/platform.h"

namespace kestrel::test {

// One line per observable event: "message: <text>", "launch: <line>", "plover: <macro>", ...
using EventLog = std::vector<std::string>;

class FakeClipboard : public Clipboard {
  public:
    std::string Text() const override { return text; }
    void SetText(std::string_view t) override { text = std::string(t); }
    std::string text;
};

// An in-memory editor that behaves like the rich-edit control on lines, offsets (a line end
// counts two bytes), selection, the read-only state and the modified flag.
class FakeTextControl : public TextControl {
  public:
    FakeTextControl(FakeClipboard& clipboard, EventLog& log) : clipboard_(clipboard), log_(log) {}

    std::vector<std::string> Lines() const override { return lines_; }
    int LineCount() const override { return int(lines_.size()); }
    std::string Line(int index) const override;
    void SetLines(const std::vector<std::string>& lines) override;
    void AppendLine(std::string_view line) override;
    void Clear() override;
    int LineOffset(int index) const override;
    int LineFromOffset(int offset) const override;

    int SelStart() const override { return selStart_; }
    int SelLength() const override { return selLength_; }
    void SetSelection(int start, int length) override;
    std::string SelText() const override;
    void ReplaceSelection(std::string_view text) override;

    bool ReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool readOnly) override { readOnly_ = readOnly; }
    bool Modified() const override { return modified_; }
    void SetModified(bool modified) override { modified_ = modified; }
    bool WordWrap() const override { return wordWrap_; }
    void SetWordWrap(bool wrap) override { wordWrap_ = wrap; }

    int FirstVisibleLine() const override { return firstVisible_; }
    void ScrollLines(int lines) override;
    void ScrollCaretIntoView() override {}

    void BeginUpdate() override { ++updateDepth; }
    void EndUpdate() override { --updateDepth; }
    void SetRangeColour(int start, int length, Colour colour) override {
        colourRanges.push_back({start, length, colour});
        if (updateDepth <= 0) ++attributesOutsideUpdate;
    }
    void SetRangeUnderline(int start, int length, bool underline) override {
        underlineRanges.push_back({start, length, underline ? 1u : 0u});
        if (updateDepth <= 0) ++attributesOutsideUpdate;
    }
    void SetDefaultAttributes(std::string_view name, int size, Colour colour) override;
    void SetFont(std::string_view name, int size) override;
    void SetBackground(Colour colour) override { background = colour; }

    void SelectAll() override;
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void DeleteSelection() override;
    void Undo() override;

    int HeightPixels() const override { return heightPixels; }
    void SetFocus() override { log_.push_back("editor: focus"); }
    void SetImeMode(ImeMode mode) override { ime = mode; }

    // The whole text as the control holds it (lines joined by CR LF).
    std::string Text() const;
    // What a user typing over the selection does (read-only text stays as it is).
    void Type(std::string_view text);

    int heightPixels = 300;
    Colour background = 0;
    std::string fontName;
    int fontSize = 0;
    ImeMode ime = ImeMode::Closed;
    // Attribute calls in order: colour ranges carry the colour, underline ranges 1 or 0.
    struct Range {
        int start = 0, length = 0;
        Colour value = 0;
        bool operator==(const Range& o) const {
            return start == o.start && length == o.length && value == o.value;
        }
    };
    std::vector<Range> colourRanges, underlineRanges;
    // BeginUpdate nesting, and attribute calls made outside any BeginUpdate/EndUpdate.
    int updateDepth = 0;
    int attributesOutsideUpdate = 0;

  private:
    void SetText(const std::string& text);
    void Edit(std::string_view replacement);  // a user edit: undo point, modified flag

    FakeClipboard& clipboard_;
    EventLog& log_;
    std::vector<std::string> lines_;
    int selStart_ = 0, selLength_ = 0;
    bool readOnly_ = false, modified_ = false, wordWrap_ = false;
    int firstVisible_ = 0;
    std::optional<std::string> undoText_;
};

class FakeMainWindow : public MainWindow {
  public:
    explicit FakeMainWindow(EventLog& log) : log_(log) {}

    void SetTitle(std::string_view t) override { title = std::string(t); }
    void SetIcon(IconKind kind) override { icon = kind; }
    WindowBounds Bounds() const override { return bounds; }
    void SetBounds(const WindowBounds& b) override { bounds = b; }
    WindowState State() const override { return state; }
    void Restore() override { state = WindowState::Normal; }
    void Show() override {}
    void SetFocus() override {}
    void Close() override { log_.push_back("window: close"); }

    void SetToolbarVisible(bool visible) override { toolbarVisible = visible; }
    void FocusToolbar() override {}
    void SetToolbarHeight(int pixels) override { toolbarHeight = pixels; }
    void SetRulerFont(std::string_view name, int size) override;
    void SetCoverVisible(bool visible, Colour colour) override;

    void SetMenuCaption(CommandId id, std::string_view caption) override;
    void SetMenuVisible(CommandId id, bool visible) override { this->visible[id] = visible; }
    void SetMenuChecked(CommandId id, bool checked) override { this->checked[id] = checked; }
    void SetMenuEnabled(CommandId id, bool enabled) override { this->enabled[id] = enabled; }
    void SetDynamicMenu(CommandId menuId, const std::vector<DynamicMenuEntry>& entries) override {
        dynamicMenus[menuId] = entries;
    }

    bool IsVisible(CommandId id) const;  // entries never hidden count as visible
    bool IsChecked(CommandId id) const;

    std::string title;
    IconKind icon = IconKind::Normal;
    WindowBounds bounds{49, 52, 611, 342};
    WindowState state = WindowState::Normal;
    bool toolbarVisible = true;
    int toolbarHeight = 44;
    std::string rulerFontName;
    int rulerFontSize = 0;
    int coverShown = 0;  // times the cover panel went up
    bool coverVisible = false;
    std::map<CommandId, std::string> captions;
    std::map<CommandId, bool> visible, checked, enabled;
    std::map<CommandId, std::vector<DynamicMenuEntry>> dynamicMenus;

  private:
    EventLog& log_;
};

class FakeMessageBoxes : public MessageBoxes {
  public:
    explicit FakeMessageBoxes(EventLog& log) : log_(log) {}
    // Logs "message: <text>" and answers from the queue; with the queue empty, OK for an
    // OK box and Cancel for a question.
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageKind kind) override;

    std::deque<MessageAnswer> answers;
    struct Shown {
        std::string text, caption;
        MessageButtons buttons;
        MessageKind kind;
    };
    std::vector<Shown> shown;

  private:
    EventLog& log_;
};

class FakeDialogs : public StandardDialogs {
  public:
    explicit FakeDialogs(EventLog& log) : log_(log) {}
    // Each call takes the next queued answer: a path, or nullopt for Cancel (also when empty).
    bool OpenFile(const FileDialogRequest& request, std::string& chosen) override;
    bool SaveFile(const FileDialogRequest& request, std::string& chosen) override;
    bool ChooseFont(FontChoice& font) override;

    std::deque<std::optional<std::string>> openAnswers, saveAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::vector<FileDialogRequest> openRequests, saveRequests;

  private:
    EventLog& log_;
};

class FakeLookup : public StringLookup {
  public:
    std::string Value(std::string_view key) const override;
    std::map<std::string, std::string, std::less<>> values;
};

class FakeEnvironment : public Environment {
  public:
    std::string Variable(std::string_view name) const override;
    std::string WindowsFolder() const override { return windowsFolder; }
    std::string ProgramPath() const override { return programPath; }
    std::map<std::string, std::string, std::less<>> variables;
    std::string windowsFolder = "/windows";
    std::string programPath;
};

class FakeLauncher : public ProcessLauncher {
  public:
    explicit FakeLauncher(EventLog& log) : log_(log) {}
    bool Start(std::string_view commandLine) override;
    bool ShellOpen(std::string_view target) override;
    std::vector<std::string> started, opened;
    bool succeed = true;

  private:
    EventLog& log_;
};

class FakeWindowFinder : public WindowFinder {
  public:
    bool ExistsWithClass(std::string_view c) const override {
        return classes.count(std::string(c)) > 0;
    }
    bool ExistsWithTitle(std::string_view t) const override {
        return titles.count(std::string(t)) > 0;
    }
    std::set<std::string> classes, titles;
};

class FakeTimer : public OneShotTimer {
  public:
    void SetInterval(int ms) override { interval = ms; }
    void Start() override {
        running = true;
        ++starts;
    }
    void Stop() override { running = false; }
    bool Running() const override { return running; }
    int interval = 0;
    bool running = false;
    int starts = 0;
};

class FakePrinter : public Printer {
  public:
    bool PrintText(const std::vector<std::string>& lines, const FontChoice& font) override {
        printed.push_back(lines);
        return true;
    }
    std::vector<std::vector<std::string>> printed;
};

class FakeHelp : public HelpViewer {
  public:
    void ShowContents(std::string_view file) override { shown.push_back(std::string(file)); }
    std::vector<std::string> shown;
};

// The PIN dialog: logs "pin dialog" and answers from the queue (an entry for OK, nothing for
// Cancel); with the queue empty, Cancel.
class FakePinDialog : public PinDialog {
  public:
    explicit FakePinDialog(EventLog& log) : log_(log) {}
    bool ShowModal(std::string& entry) override {
        log_.push_back("pin dialog");
        std::optional<std::string> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        entry = answer.value_or("");
        return answer.has_value();
    }
    std::deque<std::optional<std::string>> answers;

  private:
    EventLog& log_;
};

// The Find and Replace dialogs: each Show is logged as "find dialog: <text>" or "replace
// dialog: <text>"; their buttons are pressed by handing events to the viewer.
class FakeFindDialogs : public FindReplaceDialogs {
  public:
    explicit FakeFindDialogs(EventLog& log) : log_(log) {}
    void Show(FindDialogKind dialog, std::string_view text) override {
        log_.push_back(std::string(dialog == FindDialogKind::Find ? "find" : "replace") +
                       " dialog: " + std::string(text));
    }

  private:
    EventLog& log_;
};

// The spell check dialog's window: what it shows, where, and its check boxes.
class FakeSpellDialogWindow : public SpellDialogWindow {
  public:
    void Show() override {
        visible = true;
        ++shows;
    }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    void MoveTo(int l, int t) override {
        left = l;
        top = t;
    }
    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetFieldFont(std::string_view name, int size) override {
        fontName = std::string(name);
        fontSize = size;
    }
    void SetWord(std::string_view w) override { word = std::string(w); }
    void SetReplacement(std::string_view t) override { replacement = std::string(t); }
    std::string Replacement() const override { return replacement; }
    void SetList(const std::vector<std::string>& e) override { list = e; }
    void SetCheckBoxes(bool c, bool n) override {
        capital = c;
        numeric = n;
    }
    void FocusButton(SpellButton b) override { focus = b; }

    bool visible = false, capital = false, numeric = false;
    int shows = 0, left = 0, top = 0, fontSize = 0;
    std::string fontName, word, replacement;
    std::vector<std::string> list;
    SpellButton focus = SpellButton::None;
};

// All fakes together, and the Platform that refers to them.
struct FakePlatform {
    EventLog log;
    FakeClipboard clipboard;
    FakeTextControl editor{clipboard, log};
    FakeMainWindow window{log};
    FakeMessageBoxes messages{log};
    FakeDialogs dialogs{log};
    FakeLookup registry;
    FakeEnvironment environment;
    FakeLauncher launcher{log};
    FakeWindowFinder windows;
    FakeTimer timer;
    FakePrinter printer;
    FakeHelp help;
    FakePinDialog pinDialog{log};
    FakeFindDialogs findDialogs{log};

    FakeLibraryScript spellLibrary;
    FakeSpellLoader libraries{spellLibrary};
    FakeSpellDialogWindow spellWindow;

    Platform platform() {
        return Platform{editor,    window,      messages,  dialogs,    registry, environment,
                        launcher,  windows,     clipboard, timer,      printer,  help,
                        pinDialog, findDialogs, libraries, spellWindow};
    }
    // Texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts() const;
};

}  // namespace kestrel::test
