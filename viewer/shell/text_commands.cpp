#include "viewer/shell/text_commands.h"

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/mail/decode.h"
#include "viewer/shell/mail_display.h"
#include "viewer/text/quote.h"
#include "viewer/text/text_command.h"

namespace kestrel {

namespace {

constexpr std::string_view kCannotSave = "Cannot save ";

// The editor's text as its offsets count it: lines joined by CR LF.
std::string EditorText(const TextControl& editor) {
    std::string text;
    std::vector<std::string> lines = editor.Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

bool EndsWithLineBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

TextCommands::TextCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                           MailDisplay& display)
    : p_(platform), form_(form), display_(display) {
    constexpr std::string_view kOwner = "TextCommands";
    CommandRouter& c = wiring.commands;
    c.Register(CommandId::Decode, kOwner, [this] { Decode1Click(); });
    c.Register(CommandId::DecodeZenkaku, kOwner, [this] { DecodeZenkaku1Click(); });
    c.Register(CommandId::Quote, kOwner, [this] { Quote1Click(); });
    c.Register(CommandId::PopupQuote, kOwner, [this] { Quote1Click(); });
    c.Register(CommandId::Unquote, kOwner, [this] { Unquote1Click(); });
    c.Register(CommandId::Justify, kOwner, [this] { Justify1Click(); });
    wiring.events.OnSettingsLoaded(
        [this](const IniFile& ini) { settings_ = TextCommandSettingsFrom(ini); });
}

// --- Decode -------------------------------------------------------------------------------

void TextCommands::Decode1Click() {
    DecodeMessage(false);
}

void TextCommands::DecodeZenkaku1Click() {
    if (p_.editor.SelLength() > 0) return;
    DecodeMessage(true);
}

void TextCommands::DecodeMessage(bool fullWidthKana) {
    DecodeResult result = kestrel::DecodeMessage(p_.editor.Lines(), fullWidthKana);
    if (!result.ok) {
        p_.messages.Show(result.error, kAppTitle, MessageButtons::Ok, MessageKind::Error);
        return;
    }
    bool modified = p_.editor.Modified();
    p_.editor.SetLines(result.lines);
    p_.editor.SetModified(modified);

    std::string path = DirectoryOf(p_.environment.ProgramPath()) + kDecodeViewFileName;
    if (!WriteFileAtomic(path, DecodeViewFileText(result.lines))) {
        // The browser would show whatever an earlier run left in the file.
        p_.messages.Show(std::string(kCannotSave) + path, kAppTitle, MessageButtons::Ok,
                         MessageKind::Error);
        return;
    }
    const std::string& browser = form_.Settings().pgbrowExe;
    // No page browser set: there is nothing to start (the command line would name the file).
    if (TrimBlanks(browser).empty()) return;
    form_.LaunchProgram(browser, path, "");
}

// --- Quote, Unquote, Justify -------------------------------------------------------------

void TextCommands::Quote1Click() {
    RunTextCommand(TextCommandKind::Quote);
}

void TextCommands::Unquote1Click() {
    RunTextCommand(TextCommandKind::Unquote);
}

void TextCommands::Justify1Click() {
    RunTextCommand(TextCommandKind::Reformat);
}

bool TextCommands::RunPass(TextCommandKind kind, std::vector<std::string>& lines, size_t start) {
    return RunOnCopy(lines, [&](std::vector<std::string>& copy) {
        switch (kind) {
            case TextCommandKind::Quote:
                QuoteLines(copy, settings_.quote);
                return true;
            case TextCommandKind::Unquote:
                UnquoteLines(copy, settings_.reformat.quoteChar);
                return true;
            case TextCommandKind::Reformat:
                return ReformatLines(copy, start, settings_.reformat);
        }
        return false;
    });
}

void TextCommands::RunTextCommand(TextCommandKind kind) {
    TextControl& ed = p_.editor;
    if (ed.WordWrap()) {
        form_.WordWrap1Click();
        form_.ShowMessage(kWordWrapRefusal);
        return;
    }

    bool modified = ed.Modified();
    bool readOnly = ed.ReadOnly();
    // Asked while the read-only state still stands, so that Yes on a mail in viewer mode (a
    // filtered or cut-short display) saves under a new name instead of over the mail file.
    if (!form_.SaveIfModified() && kind != TextCommandKind::Quote) return;
    ed.SetReadOnly(false);

    std::vector<std::string> lines;
    size_t start = 0;
    bool selection = ed.SelLength() > 0;
    bool lineBreakAtEnd = false;
    if (selection) {
        std::string text = EditorText(ed);
        TextRange range = WidenToWholeLines(text, size_t(ed.SelStart()), size_t(ed.SelLength()));
        ed.SetSelection(int(range.begin), int(range.end - range.begin));
        ed.CopyToClipboard();
        std::string_view selected =
            std::string_view(text).substr(range.begin, range.end - range.begin);
        lineBreakAtEnd = EndsWithLineBreak(selected);
        lines = SplitLines(selected);
    } else if (kind == TextCommandKind::Reformat) {
        lines = ed.Lines();
        start = JustifyStartIndex(lines);
    }

    if (!RunPass(kind, lines, start)) {
        // Nothing is put into the editor: its text, undo history and modified flag stay.
        ed.SetReadOnly(readOnly);
        form_.ShowMessage(kReformatError);
        return;
    }

    if (selection) {
        std::string replacement = JoinLinesCrLf(lines);
        if (!lineBreakAtEnd && !replacement.empty()) replacement.resize(replacement.size() - 2);
        ed.ReplaceSelection(replacement);
    } else if (kind == TextCommandKind::Reformat) {
        display_.ShowMailLines(lines);
    }

    ed.SetModified(modified);
    ed.SetReadOnly(readOnly);
    form_.UpdateWindowState();
    form_.PlaceCaret(CaretTarget::OneScreenDown);
}

}  // namespace kestrel
