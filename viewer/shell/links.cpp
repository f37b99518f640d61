#include "viewer/shell/links.h"

#include "common/fileio.h"
#include "common/sjis.h"
#include "viewer/mail/html_part.h"
#include "viewer/shell/startup.h"
#include "viewer/text/links.h"
#include "viewer/text/url.h"

namespace kestrel {

Links::Links(const Platform& platform, const ShellWiring& wiring, TForm1& form, DdeClient& browser)
    : p_(platform), form_(form), browser_(browser) {
    constexpr std::string_view kOwner = "Links";
    CommandRouter& c = wiring.commands;
    c.Register(CommandId::WebBrowser, kOwner, [this] { Webbrowser1Click(); });
    c.Register(CommandId::PopupWebBrowser, kOwner, [this] { Webbrowser1Click(); });
    c.Register(CommandId::MailTo, kOwner, [this] { MailTo2Click(); });
    c.Register(CommandId::HtmlMail, kOwner, [this] { HTMLmail1Click(); });
    wiring.events.OnSettingsLoaded(
        [this](const IniFile& ini) { settings_ = LinkSettingsFrom(ini); });
}

bool Links::OpenBrowserConversation() {
    const ViewerState& s = form_.State();
    // An empty service or topic would be a wildcard connection to any server at all.
    if (TrimBlanks(s.browserService).empty() || TrimBlanks(s.browserTopic).empty()) return false;
    if (browser_.Open(s.browserService, s.browserTopic)) return true;
    browser_.Close();
    return false;
}

void Links::OpenUrl(const std::string& url) {
    if (!settings_.newBrowser && OpenBrowserConversation()) {
        browser_.Execute(BrowserUrlMacro(url));
        browser_.Close();
        return;
    }
    p_.launcher.ShellOpen(url);
}

void Links::Webbrowser1Click() {
    TextControl& e = p_.editor;
    if (e.SelLength() > 0) {
        std::string sel = e.SelText();
        if (SelectionIsUrl(sel)) OpenUrl(sel);
        return;
    }
    int caret = e.SelStart();
    int index = e.LineFromOffset(caret);
    if (index < 0 || index >= e.LineCount()) return;
    std::string line = e.Line(index);
    int offset = caret - e.LineOffset(index);
    if (offset < 0) offset = 0;
    auto url = FindUrlAtCaret(line, static_cast<size_t>(offset));
    if (url) OpenUrl(line.substr(url->start, url->length));
}

void Links::MailTo2Click() {
    if (!p_.editor.ReadOnly()) {
        form_.ImeMode1Click();
        return;
    }
    if (p_.editor.SelLength() <= 0) return;
    form_.LaunchProgram(form_.State().ploverExe, "-mailto", MailToText(p_.editor.SelText()));
}

void Links::HTMLmail1Click() {
    const ViewerState& s = form_.State();
    if (!s.htmlMail) return;
    std::vector<std::string> lines;
    std::string mail = OnDiskPath(s.currentFile);
    if (!ReadFileLines(mail, lines)) {
        form_.ShowMessage(std::string(kCannotReadMail) + s.currentFile);
        return;
    }
    std::string path = DirectoryOf(p_.environment.ProgramPath()) + std::string(kHtmlViewFileName);
    if (!WriteLinesAtomic(path, ExtractHtmlPart(lines))) {
        // The browser would show whatever an earlier run left in the file.
        form_.ShowMessage(std::string(kCannotWriteHtml) + path);
        return;
    }
    if (!settings_.newBrowser && OpenBrowserConversation()) {
        browser_.Execute(BrowserFileMacro(path));
        browser_.Close();
        return;
    }
    LaunchBrowserOn(path);
}

void Links::LaunchBrowserOn(const std::string& file) {
    const std::string& command = form_.State().browserCommand;
    // No open command registered: the shell knows what shows an HTML file, if anything does.
    if (TrimBlanks(command).empty()) {
        p_.launcher.ShellOpen(file);
        return;
    }
    BrowserLaunch launch = BrowserLaunchForFile(command, file);
    form_.LaunchProgram(launch.program, launch.argument, "");
}

}  // namespace kestrel
