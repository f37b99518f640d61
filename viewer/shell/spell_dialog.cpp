#include "viewer/shell/spell_dialog.h"

#include <string>

#include "common/fileio.h"
#include "common/ini.h"

namespace kestrel {

namespace {
constexpr std::string_view kSection = "SpellCheck";
}  // namespace

// The editor as the check run sees it; word wrap goes through the main window's Word wrap
// command, which keeps its menu check in step.
class TForm2::EditorText : public SpellText {
  public:
    EditorText(TextControl& editor, TForm1& form) : e_(editor), form_(form) {}
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
        if (e_.WordWrap() != wrap) form_.WordWrap1Click();
    }

  private:
    TextControl& e_;
    TForm1& form_;
};

TForm2::TForm2(const Platform& platform, const ShellWiring& wiring, TForm1& form)
    : p_(platform), form_(form), text_(std::make_unique<EditorText>(p_.editor, form)) {
    run_ = std::make_unique<SpellCheckRun>(
        SpellPorts{*text_, p_.libraries, *this, [this](std::string_view m) { Message(m); }});
    wiring.commands.Register(CommandId::SpellCheck, "SpellDialog", [this] { SpellCheck1Click(); });
}

TForm2::~TForm2() = default;

void TForm2::Message(std::string_view text) {
    p_.messages.Show(text, kAppTitle, MessageButtons::Ok, MessageKind::Plain);
}

void TForm2::SpellCheck1Click() {
    if (!form_.Deferred().spellChecker) return;
    SpellSettings settings = SpellSettingsFrom(IniFile::Load(form_.SettingsPath()));
    settings.basicDic =
        ResolveBasicDic(settings.basicDic, DirectoryOf(p_.environment.ProgramPath()));
    p_.spellWindow.SetFieldFont(settings.fontName, settings.fontSize);
    run_->Start(settings);
}

void TForm2::Show() {
    p_.spellWindow.Show();
    OnShow1();
}

void TForm2::OnShow1() {
    run_->DialogShown();
    const SpellSettings& s = run_->Settings();
    p_.spellWindow.MoveTo(s.left, s.top);
    p_.spellWindow.SetCheckBoxes(s.ignoreCapital, s.ignoreNumeric);
}

void TForm2::Refresh(const SpellDialogModel& model) {
    p_.spellWindow.SetWord(model.word);
    p_.spellWindow.SetReplacement(model.replacement);
    p_.spellWindow.SetList(model.list);
    if (model.focus != SpellButton::None) p_.spellWindow.FocusButton(model.focus);
}

void TForm2::IgnoreButtonClick() {
    run_->Ignore();
}

void TForm2::ChangeButtonClick() {
    run_->Change(p_.spellWindow.Replacement());
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
    p_.spellWindow.Hide();
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
        const std::string path = form_.SettingsPath();
        const SpellSettings& s = run_->Settings();
        bool ok = WriteIniString(path, kSection, "Left", std::to_string(p_.spellWindow.Left()));
        ok = WriteIniString(path, kSection, "Top", std::to_string(p_.spellWindow.Top())) && ok;
        ok = WriteIniString(path, kSection, "IgnoreNumeric", s.ignoreNumeric ? "1" : "0") && ok;
        ok = WriteIniString(path, kSection, "IgnoreCapital", s.ignoreCapital ? "1" : "0") && ok;
        if (!ok) Message(std::string(kSpellCannotSave) + path);
    }
    run_->DialogClosed();
}

}  // namespace kestrel
