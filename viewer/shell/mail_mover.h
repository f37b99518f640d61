// The AW menu: Move mails (the mover's run: a start and three timer steps one interval apart,
// each sending its macros to the mail client), Attach File, and the mover's run when the
// window closes with [AW] AutoMove, after which its last step closes the window.
//
// Owns the commands MoveMails and AttachFile and the timer steps Mover1, Mover2 and Mover3.
#pragma once

#include <string>

#include "viewer/link/mail_mover.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/mail_session.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

class MailMoverCommands {
  public:
    MailMoverCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                      ClientLink& link);

    void Movemail1Click() { StartMoveMails(); }
    void AttachFile1Click();

    // Reads [AW] afresh, sends the receive folder's Update, sorts its mails and arms step 1.
    // A run already going on starts over.
    void StartMoveMails();
    void MoveStep1();
    void MoveStep2();
    void MoveStep3();

    // The close question's part: the run at close, whose step 3 closes the window. True: the
    // run has started and this close is to be refused.
    bool StartMoveMailsAtClose();

    bool ClosingByAw() const { return closingByAw_; }
    const MailMover& Mover() const { return mover_; }

  private:
    MailMoverSettings ReadSettings() const;
    void Send(const std::vector<std::string>& macros);

    Platform p_;
    TForm1& form_;
    ClientLink& link_;
    TimerSequencer& timer_;
    MailMover mover_;
    bool closingByAw_ = false;
};

}  // namespace kestrel
