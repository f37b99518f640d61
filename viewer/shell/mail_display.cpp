#include "viewer/shell/mail_display.h"

#include "common/ini.h"
#include "common/sjis.h"
#include "common/stage_timing.h"
#include "viewer/link/folder.h"
#include "viewer/mail/show_lines.h"
#include "viewer/shell/mail_link.h"
#include "viewer/shell/startup.h"

namespace kestrel {

MailDisplay::MailDisplay(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                         MailLink& link, MailScrambling& scrambling)
    : p_(platform), events_(wiring.events), form_(form), link_(link), scrambling_(scrambling) {
    wiring.commands.Register(CommandId::Header, "MailDisplay", [this] { Header1Click(); });
    // Read with the first stage: the first mail is shown before the deferred stage.
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) {
        settings_ = MailViewSettingsFrom(ini);
        reformat_ = ReformatSettingsFrom(ini);
    });
    wiring.events.OnDeferredStage([this](const IniFile&) {
        if (settings_.header) p_.window.SetMenuChecked(CommandId::Header, true);
    });
}

MailViewSettings MailDisplay::ViewSettings() const {
    MailViewSettings v = settings_;
    // Once the Header button has been pressed its mode holds for the rest of the process.
    if (headerMode_) {
        v.header = headerMode_->header;
        v.showTo = headerMode_->showTo;
    }
    return v;
}

void MailDisplay::MailOpen(const std::string& rawPath, bool fromFolder) {
    ViewerState& st = form_.State();
    const StartSettings& start = form_.Settings();
    std::string path = LowerSjis(rawPath);
    if (start.debugMode) form_.ShowMessage("MailOpen: " + path);

    MailOpenContext context;
    context.fromFolder = fromFolder;
    context.freshOpen = st.freshOpen;
    context.headerButton = st.headerButton;
    context.startupStage = form_.StartupStage();
    context.editSwitch = st.editSwitch;
    context.scrambleMode = st.scrambleMode;

    MailOpenHooks hooks;
    hooks.reformat = [this](std::vector<std::string>& lines, size_t bodyStart) {
        ReformatLines(lines, bodyStart, reformat_);
    };
    hooks.unscramble = [this](std::vector<std::string>& lines) {
        scrambling_.UnscrambleForDisplay(lines);
    };

    StageMark("open");
    MailView view = kestrel::MailOpen(path, ViewSettings(), context, hooks);
    StageMark("read and filter");
    if (view.found) {
        st.partialView = view.partialView;
        st.truncatedView = view.truncatedView;
        st.htmlMail = view.htmlMail;
        st.alertColour = view.alertColour;
        showToThis_ = view.showToThis;
        if (view.openError) form_.ShowMessage(kMailOpenErrorMessage);

        p_.editor.SetReadOnly(view.readOnly ? *view.readOnly : st.viewerModeSetting);
        st.currentFile = view.path;
        // Fonts, tool bar and title before the text goes in: a taller tool bar afterwards
        // would resize the editor and so make it lay out a long mail a second time.
        form_.UpdateWindowState();
        ShowMailLines(view.lines);

        if (fromFolder) {
            // A mail whose status line cannot be rewritten stays new; nothing else depends on it.
            if (view.markRead) MarkMailRead(OnDiskPath(view.path));
            link_.AfterFolderMailOpened();
        }
        events_.MailOpened(view);

        if (p_.window.State() == WindowState::Minimized) p_.window.Restore();
        p_.window.Show();
        form_.UpdateWindowState();
        StageMark("shown");
    }
    st.keyNumberMode = false;
    st.freshOpen = false;
}

void MailDisplay::OpenFolderMail(const std::string& path) {
    MailOpen(path, true);
    form_.State().headerButton = false;
}

void MailDisplay::ShowMailLines(const std::vector<std::string>& lines) {
    ViewerState& st = form_.State();
    const StartSettings& start = form_.Settings();
    TextControl& ed = p_.editor;
    bool readOnly = ed.ReadOnly();

    Colour cover =
        readOnly ? (st.alertColour != 0 ? st.alertColour : start.viewerColor) : start.editorColor;
    p_.window.SetCoverVisible(true, cover);
    ed.Clear();

    const FontSetting& font = readOnly ? start.viewerFont : start.editorFont;
    Colour textColour = readOnly ? start.viewerFontColor : start.editorFontColor;
    ed.SetFont(font.name, font.size);
    ed.SetDefaultAttributes(font.name, font.size, textColour);

    // One batch: a long mail is filled and coloured without a redraw per colour range.
    ed.BeginUpdate();
    std::vector<ShownLine> shown = kestrel::ShowMailLines(lines, showToThis_);
    std::vector<std::string> text;
    text.reserve(shown.size());
    for (const ShownLine& s : shown) text.push_back(lines[s.index]);
    ed.SetLines(text);

    StageMark("fill");
    // Colours in runs of lines of one colour, so that a long mail takes few calls.
    size_t runStart = 0;
    for (size_t i = 1; i <= shown.size(); ++i) {
        if (i < shown.size() && shown[i].quote == shown[runStart].quote) continue;
        size_t from = shown[runStart].editorPos;
        size_t to = shown[i - 1].editorPos + lines[shown[i - 1].index].size();
        ed.SetRangeColour(int(from), int(to - from),
                          shown[runStart].quote ? start.quoteFontColor : textColour);
        runStart = i;
    }
    for (const ShownLine& s : shown) {
        if (s.urlLength == 0) continue;
        int at = int(s.editorPos + s.urlPos - 1);
        ed.SetRangeColour(at, int(s.urlLength), start.urlFontColor);
        ed.SetRangeUnderline(at, int(s.urlLength), true);
    }
    // Text typed later takes the plain attributes, not those of the last address.
    ed.SetDefaultAttributes(font.name, font.size, textColour);
    StageMark("colour");
    ed.EndUpdate();
    StageMark("end of batch");

    ed.SetModified(false);
    if (p_.window.State() == WindowState::Minimized) p_.window.Restore();
    if (st.text2Speech) {
        ed.SelectAll();
        ed.CopyToClipboard();
    }
    ed.SetSelection(0, 0);
    p_.window.SetCoverVisible(false, cover);
    ed.SetFocus();
}

void MailDisplay::Header1Click() {
    ViewerState& st = form_.State();
    std::string current = st.currentFile;
    if (!IsFolderMail(current) || !form_.SaveIfModified()) return;
    MailViewSettings settings = ViewSettings();
    MailView shown;
    shown.truncatedView = st.truncatedView;
    shown.showToThis = showToThis_;
    HeaderPress press = PressHeaderButton(settings, shown);
    headerMode_ = HeaderMode{settings.header, settings.showTo};
    st.truncatedView = false;
    st.headerButton = press.headerButton;
    p_.window.SetMenuChecked(CommandId::Header, settings.header);
    OpenFolderMail(current);
}

}  // namespace kestrel
