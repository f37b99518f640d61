// The command channel to the mail clients: the macros sent to Plover and Finchpost, the
// incoming [open("...")] request, and the Update and Focus follow-ups of an open. Owns the timer
// steps MoveToTrash, NeedsUpdate and Focus; other features reach it as a ClientLink.
#pragma once

#include <string>
#include <string_view>

#include "viewer/shell/dde.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/mail_session.h"
#include "viewer/shell/platform.h"

namespace kestrel {

inline constexpr std::string_view kPloverService = "Plover";
inline constexpr std::string_view kFinchpostService = "Finchpost";
inline constexpr std::string_view kCommandTopic = "Command";
inline constexpr std::string_view kServerTopic = "system";
inline constexpr std::string_view kFinchpostWindowClass = "TfrmFINCHPOSTMain";
inline constexpr std::string_view kServerNotRegistered =
    "The mail client cannot ask this viewer to show mails: the DDE service %s (topic system) "
    "could not be registered.";

class MailLink : public ClientLink {
  public:
    // Registers the timer steps it owns.
    MailLink(const Platform& platform, const DdeChannels& dde, const ShellWiring& wiring,
             TForm1& form);

    // While the main window is created: connects to Plover; when no server answers, runs the
    // command line "Plover Command" once and, when that starts, tries once more. Never retried
    // later: with the conversation closed every macro to Plover is dropped silently.
    void OpenPloverConversation();
    // Registers topic "system" under the program's file name without extension. A failure (no
    // DDE at all included) is told to the user once: no [open] request would ever arrive.
    bool RegisterServer();
    // The service name RegisterServer uses.
    std::string ServerName() const;

    // "PloverDde: " + macro when [View] DebugPloverDde is set; then one execute on the Plover
    // conversation, not waited for.
    void SendToPlover(const std::string& macro) override;
    // "FinchDDE: " + macro when [View] DebugMode is set; then one execute on the Finchpost
    // conversation.
    void SendToFinchpost(const std::string& macro) override;
    // The Finchpost read order's link: open the conversation (starting the program when its
    // window is not there) and focus the mail on show.
    void OpenFinchpostLink();
    // The execute handler of topic "system".
    void DdeOpenMail(const std::string& macroLines);

    // Update for the mail on show when it is a folder mail, and the timer for the Focus.
    void SendUpdate() override;
    // Focus for the mail on show when it is a folder mail.
    void SendFocus() override;
    // The Move macro of the pending deletion, then Update and Focus through the timer.
    void SendMoveToTrash();
    // The timer's NeedsUpdate step: Focus in the mail client's order, else Update (and Focus on
    // the next tick).
    void SendDeletionFollowUp();
    // After a folder mail is shown: finds the neighbouring mails and tells the mail client.
    void AfterFolderMailOpened();

    // The neighbours found when the mail on show was opened ("" when none).
    const std::string& NextMail() const { return nextMail_; }
    const std::string& PreviousMail() const { return previousMail_; }

    // Set by a [View(...)] request to the mail client: its answering [open] asks no question
    // about unsaved changes, as that was asked when the view was requested.
    void SetViewRequestOutstanding(bool outstanding) { viewRequestOutstanding_ = outstanding; }
    bool ViewRequestOutstanding() const { return viewRequestOutstanding_; }

  private:
    bool DebugMode() const;

    Platform p_;
    DdeChannels dde_;
    TimerSequencer& timer_;
    TForm1& form_;
    std::string nextMail_, previousMail_;
    bool viewRequestOutstanding_ = false;
};

}  // namespace kestrel
