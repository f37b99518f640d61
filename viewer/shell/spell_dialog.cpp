#include "viewer/shell/spell_dialog.h"

#include <string>

#include "common/ini.h"

namespace kestrel {

namespace {
constexpr std::string_view kSection = "SpellCheck";
constexpr std::string_view kMessageCaption = "Kestrel32";
}  // namespace

// The editor as the check run sees it; word wrap goes through the main window's command.
class TForm2::EditorText : public SpellText {
  public:
    EditorText(TextControl& editor, std::function<void(bool)> setWrap)
        : e_(editor), setWrap_(std::move(setWrap)) {}
    int LineCount() const override { return e_.LineCount(); }
    std::string Line(int index) const override { return e_.Line(index); }
    int LineOffset(int index) const override { return e_.LineOffset(index); }
    int LineFromOffset(int offset) const override { return e_.LineFromOffset(offset); }
    int SelStart() const override { return e_.SelStart(); }
    int SelLength() const override { return e_.SelLength(); }
    std::string SelText() const override { return e_.SelText(); }
    void SetSelection(int start, int length) override { e_.SetSelection(start, length); }
    void ReplaceSelection(std::string_view text) override {
        e_.ReplaceSelection(text);
        e_.SetModified(true);
    }
    bool ReadOnly() const override { return e_.ReadOnly(); }
    bool WordWrap() const override { return e_.WordWrap(); }
    void SetWordWrap(bool wrap) override {
        if (setWrap_) {
            setWrap_(wrap);
        } else {
            e_.SetWordWrap(wrap);
        }
    }

  private:
    TextControl& e_;
    std::function<void(bool)> setWrap_;
};

TForm2::TForm2(SpellDialogPorts ports)
    : p_(std::move(ports)), text_(std::make_unique<EditorText>(p_.editor, p_.setWordWrap)) {
    run_ = std::make_unique<SpellCheckRun>(
        SpellPorts{*text_, p_.loader, *this, [this](std::string_view m) { Message(m); }});
}

TForm2::~TForm2() = default;

void TForm2::Message(std::string_view text) {
    p_.messages.Show(text, kMessageCaption, MessageButtons::Ok, MessageKind::Plain);
}

void TForm2::SpellCheck1Click() {
    if (p_.spellCheckerOn && !p_.spellCheckerOn()) return;
    SpellSettings settings = SpellSettingsFrom(IniFile::Load(p_.settingsPath()));
    settings.basicDic =
        ResolveBasicDic(settings.basicDic, p_.programFolder ? p_.programFolder() : "");
    p_.window.SetFieldFont(settings.fontName, settings.fontSize);
    run_->Start(settings);
}

void TForm2::Show() {
    p_.window.Show();
    OnShow1();
}

void TForm2::OnShow1() {
    run_->DialogShown();
    const SpellSettings& s = run_->Settings();
    p_.window.MoveTo(s.left, s.top);
    p_.window.SetCheckBoxes(s.ignoreCapital, s.ignoreNumeric);
}

void TForm2::Refresh(const SpellDialogModel& model) {
    p_.window.SetWord(model.word);
    p_.window.SetReplacement(model.replacement);
    p_.window.SetList(model.list);
    if (model.focus != SpellButton::None) p_.window.FocusButton(model.focus);
}

void TForm2::IgnoreButtonClick() {
    run_->Ignore();
}

void TForm2::ChangeButtonClick() {
    run_->Change(p_.window.Replacement());
}

void TForm2::AddButtonClick() {
    run_->Add();
}

void TForm2::UndoButtonClick() {
    run_->Undo();
}

void TForm2::FromBeginningButtonClick() {
    run_->FromBeginning();
}

void TForm2::ExitButtonClick() {
    p_.window.Hide();
    OnClose1();
}

void TForm2::ListBoxSelected1(int index) {
    run_->ListSelected(index);
}

void TForm2::CheckBoxCapitalClick(bool checked) {
    run_->SetIgnoreCapital(checked);
}

void TForm2::CheckBoxNumericClick(bool checked) {
    run_->SetIgnoreNumeric(checked);
}

void TForm2::OnClose1() {
    if (run_->DialogCountsShown()) {
        const std::string path = p_.settingsPath();
        const SpellSettings& s = run_->Settings();
        bool ok = WriteIniString(path, kSection, "Left", std::to_string(p_.window.Left()));
        ok = WriteIniString(path, kSection, "Top", std::to_string(p_.window.Top())) && ok;
        ok = WriteIniString(path, kSection, "IgnoreNumeric", s.ignoreNumeric ? "1" : "0") && ok;
        ok = WriteIniString(path, kSection, "IgnoreCapital", s.ignoreCapital ? "1" : "0") && ok;
        if (!ok) Message(std::string(kSpellCannotSave) + path);
    }
    run_->DialogClosed();
}

}  // namespace kestrel
