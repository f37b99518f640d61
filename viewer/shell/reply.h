// Reply, Reply to all, Reply with a configured status, Reply later and Forward on the mail on
// show: the status line is marked in the mail file (and in the editor when the header is on
// show), and the mail client is asked to prepare the reply or the forward.
//
// Owns the commands Reply, ReplyAll, ReplyLater, Forward and ReplyStatus1..5 (the entries of
// the "&Reply" menu, which the main window builds from the same packed statuses).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "viewer/link/reply_status.h"
#include "viewer/link/status_mark.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/mail_session.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

inline constexpr std::string_view kReplyingMessage = "Replying....";
inline constexpr std::string_view kForwardingMessage = "Forwarding....";

// While scramble mode shows a scrambled mail unscrambled, the mail client must quote what the
// user sees: before the macro the shown text goes into the mail file, and once the user has
// dismissed "Replying...." (the mail client reads the file meanwhile) the file's own bytes go
// back. The scramble feature does both; the Viewer hands it to ReplyCommands through this.
class ReplyTextSwap {
  public:
    virtual ~ReplyTextSwap() = default;
    // Before the macro. False when the shown text could not be put in the file (the user has
    // been told): no macro may go then, the mail client would quote the scrambled bytes.
    virtual bool PutShownText() = 0;
    // After the message: the file's own bytes back; a failure is reported to the user.
    virtual void RestoreFile() = 0;
};

class ReplyCommands {
  public:
    ReplyCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                  ClientLink& link, ReplyTextSwap& scrambleSwap);

    void Reply1Click();
    void ReplyAllClick();
    // k = 1..5: the k-th configured status; nothing when fewer are configured.
    void ReplyStatusClick(int k);
    void ReplyLater1Click();
    void Forward1Click();

    // Marks the mail on show: the file's first line, and the editor's when it shows the status
    // line, without making the text count as changed. Nothing for a file that is not a folder
    // mail or has no status line; the editor is left alone when the file could not be written.
    StatusMarkResult SetStatusMark(std::string_view line);
    // The Reply macro for the mail on show with the scramble-mode swap around it.
    void SendReply();

    const ReplyStatusSettings& Statuses() const { return statuses_; }

  private:
    // Runs send with the scramble-mode swap around it while scramble mode is on; nothing at all
    // (no macro, no message) when the shown text could not be put in the file.
    void WithShownText(std::string_view message, const std::function<void()>& send);

    Platform p_;
    TForm1& form_;
    ClientLink& link_;
    ReplyStatusSettings statuses_;
    ReplyTextSwap& swap_;
};

}  // namespace kestrel
