// The main window with the mail display, the mail-client link, folder navigation and key
// dispatch plugged in: what the Windows layer creates as "the main window" at process start.
#pragma once

#include <memory>

#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/key_dispatch.h"
#include "viewer/shell/mail_display.h"
#include "viewer/shell/mail_link.h"
#include "viewer/shell/navigation.h"

namespace kestrel {

class MailParts;

// What navigation and key dispatch reach of the window, the display and the link.
class ReadingHost : public NavigationHost, public KeyDispatchHost, public ScrollView {
  public:
    explicit ReadingHost(MailParts& parts, const Platform& platform);

    // NavigationHost.
    std::string CurrentFile() const override;
    Neighbours OpenedNeighbours() const override;
    bool SaveIfModified() override;
    void OpenFolderMail(const std::string& path) override;
    void ForgetMail() override;
    void RestoreViewerMode() override;
    void ShowMessage(std::string_view text) override;
    void CheckReadOrder(ReadOrder order) override;
    void SetPendingDeletion(const std::string& path) override;
    void SetViewRequestOutstanding() override;
    void StartTimer() override;
    void SendToPlover(const std::string& macro) override;
    void SendToFinchpost(const std::string& macro) override;
    void SendUpdate() override;
    void SendMoveToTrash() override;
    void OpenFinchpostLink() override;
    ScrollView& Scroller() override { return *this; }
    int VisibleLines() const override;

    // KeyDispatchHost.
    bool KeyNumberMode() const override;
    void SetKeyNumberMode(bool on) override;
    void Execute(CommandId id) override;
    void ResetAlertColourAndUpdate() override;
    void SetTitle(std::string_view title) override;

    // ScrollView.
    int FirstVisibleLine() const override;
    void ScrollLines(int lines) override;
    int TextLineCount() const override;

  private:
    MailParts& parts_;
    Platform p_;
};

class MailParts {
  public:
    // Builds the window with hooks (other parts' hooks are kept; the command hook is chained
    // behind the display's), connects to Plover and registers the viewer's topic "system".
    MailParts(const Platform& platform, const DdeChannels& dde, ShellHooks hooks = {});
    // The window's hooks point into this object: it stays where it was made.
    MailParts(const MailParts&) = delete;
    MailParts& operator=(const MailParts&) = delete;

    TForm1& Form() { return *form_; }
    MailDisplay& Display() { return display_; }
    MailLink& Link() { return link_; }
    Navigation& Reading() { return navigation_; }
    KeyDispatch& Keys() { return keys_; }

  private:
    MailLink link_;
    MailDisplay display_;
    ReadingHost host_;
    Navigation navigation_;
    KeyDispatch keys_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace kestrel
