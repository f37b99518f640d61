#include "shell/fakes.h"

#include <algorithm>

namespace kestrel::test {

// --- FakeTextControl ---------------------------------------------------------------------

std::string FakeTextControl::Line(int index) const {
    return index >= 0 && index < LineCount() ? lines_[index] : std::string();
}

std::string FakeTextControl::Text() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines_[i];
    }
    return text;
}

void FakeTextControl::SetText(const std::string& text) {
    lines_.clear();
    if (text.empty()) return;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back(text.substr(start));
            break;
        }
        lines_.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

void FakeTextControl::SetLines(const std::vector<std::string>& lines) {
    log_.push_back("editor: set " + std::to_string(lines.size()) + " lines");
    lines_ = lines;
    colourRanges.clear();  // new text, no attributes of the old one
    underlineRanges.clear();
    selStart_ = selLength_ = 0;
    firstVisible_ = 0;
    undoText_.reset();
}

void FakeTextControl::AppendLine(std::string_view line) {
    lines_.emplace_back(line);
}

void FakeTextControl::Clear() {
    lines_.clear();
    colourRanges.clear();
    underlineRanges.clear();
    selStart_ = selLength_ = 0;
    firstVisible_ = 0;
    undoText_.reset();
}

int FakeTextControl::LineOffset(int index) const {
    int offset = 0;
    for (int i = 0; i < index && i < LineCount(); ++i) offset += int(lines_[i].size()) + 2;
    return offset;
}

int FakeTextControl::LineFromOffset(int offset) const {
    int start = 0;
    for (int i = 0; i < LineCount(); ++i) {
        int next = start + int(lines_[i].size()) + 2;
        if (offset < next) return i;
        start = next;
    }
    return std::max(0, LineCount() - 1);
}

void FakeTextControl::SetSelection(int start, int length) {
    int size = int(Text().size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
}

std::string FakeTextControl::SelText() const {
    return Text().substr(selStart_, selLength_);
}

void FakeTextControl::ReplaceSelection(std::string_view text) {
    // The control keeps CR LF line ends: a lone LF becomes one.
    std::string normal;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) normal += '\r';
        normal += text[i];
    }
    std::string all = Text();
    all.replace(selStart_, selLength_, normal);
    SetText(all);
    selStart_ += int(normal.size());
    selLength_ = 0;
}

void FakeTextControl::Edit(std::string_view replacement) {
    undoText_ = Text();
    ReplaceSelection(replacement);
    modified_ = true;
}

void FakeTextControl::Type(std::string_view text) {
    if (!readOnly_) Edit(text);
}

void FakeTextControl::ScrollLines(int lines) {
    firstVisible_ = std::clamp(firstVisible_ + lines, 0, std::max(0, LineCount() - 1));
}

void FakeTextControl::SetDefaultAttributes(std::string_view name, int size, Colour) {
    fontName = std::string(name);
    fontSize = size;
}

void FakeTextControl::SetFont(std::string_view name, int size) {
    fontName = std::string(name);
    fontSize = size;
}

void FakeTextControl::SelectAll() {
    SetSelection(0, int(Text().size()));
}

void FakeTextControl::CutToClipboard() {
    if (readOnly_ || selLength_ == 0) return;
    clipboard_.SetText(SelText());
    Edit("");
}

void FakeTextControl::CopyToClipboard() {
    if (selLength_ > 0) clipboard_.SetText(SelText());
}

void FakeTextControl::PasteFromClipboard() {
    if (!readOnly_) Edit(clipboard_.Text());
}

void FakeTextControl::DeleteSelection() {
    if (!readOnly_ && selLength_ > 0) Edit("");
}

void FakeTextControl::Undo() {
    if (readOnly_ || !undoText_) return;
    std::string before = Text();
    SetText(*undoText_);
    undoText_ = before;
    selStart_ = selLength_ = 0;
}

// --- FakeMainWindow ----------------------------------------------------------------------

void FakeMainWindow::SetRulerFont(std::string_view name, int size) {
    rulerFontName = std::string(name);
    rulerFontSize = size;
}

void FakeMainWindow::SetCoverVisible(bool v, Colour) {
    if (v && !coverVisible) ++coverShown;
    coverVisible = v;
}

void FakeMainWindow::SetMenuCaption(CommandId id, std::string_view caption) {
    captions[id] = std::string(caption);
}

bool FakeMainWindow::IsVisible(CommandId id) const {
    auto it = visible.find(id);
    return it == visible.end() || it->second;
}

bool FakeMainWindow::IsChecked(CommandId id) const {
    auto it = checked.find(id);
    return it != checked.end() && it->second;
}

// --- FakeMessageBoxes ----------------------------------------------------------------------

MessageAnswer FakeMessageBoxes::Show(std::string_view text, std::string_view caption,
                                     MessageButtons buttons, MessageKind kind) {
    log_.push_back("message: " + std::string(text));
    shown.push_back({std::string(text), std::string(caption), buttons, kind});
    if (!answers.empty()) {
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

// --- FakeDialogs ---------------------------------------------------------------------------

namespace {

bool Take(std::deque<std::optional<std::string>>& answers, std::string& chosen) {
    if (answers.empty()) return false;
    std::optional<std::string> a = answers.front();
    answers.pop_front();
    if (!a) return false;
    chosen = *a;
    return true;
}

}  // namespace

bool FakeDialogs::OpenFile(const FileDialogRequest& request, std::string& chosen) {
    log_.push_back("open dialog: " + request.initialDir);
    openRequests.push_back(request);
    return Take(openAnswers, chosen);
}

bool FakeDialogs::SaveFile(const FileDialogRequest& request, std::string& chosen) {
    log_.push_back("save dialog: " + request.initialDir);
    saveRequests.push_back(request);
    return Take(saveAnswers, chosen);
}

bool FakeDialogs::ChooseFont(FontChoice& font) {
    if (fontAnswers.empty() || !fontAnswers.front()) {
        if (!fontAnswers.empty()) fontAnswers.pop_front();
        return false;
    }
    font = *fontAnswers.front();
    fontAnswers.pop_front();
    return true;
}

// --- the rest --------------------------------------------------------------------------------

std::string FakeLookup::Value(std::string_view key) const {
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
}

std::string FakeEnvironment::Variable(std::string_view name) const {
    auto it = variables.find(name);
    return it == variables.end() ? std::string() : it->second;
}

bool FakeLauncher::Start(std::string_view commandLine) {
    log_.push_back("launch: " + std::string(commandLine));
    started.emplace_back(commandLine);
    return succeed;
}

bool FakeLauncher::ShellOpen(std::string_view target) {
    log_.push_back("shell open: " + std::string(target));
    opened.emplace_back(target);
    return succeed;
}

std::vector<std::string> FakePlatform::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages.shown) texts.push_back(m.text);
    return texts;
}

}  // namespace kestrel::test
