// The main window's one-shot timer as the sequencer of deferred work. Every tick stops the timer
// and runs exactly one pending step, the first in this fixed order:
//   DeferredSettings  the second start-up stage (TForm1)
//   Mover1..Mover3    the mail mover's three steps
//   MoveToTrash       the Move macro of a pending deletion (the mail link)
//   NeedsUpdate       the Update/Focus follow-up of a deletion (the mail link)
//   Focus             nothing else pending: Focus for the mail on show (the mail link)
// A step that wants a follow-up arms a step or starts the timer again, so the macros one user
// action causes reach the mail client one timer interval apart.
//
// Each step has one owner, registered once (the Viewer wires them); a feature arms its steps
// with Arm and the deletion with SetDeletion.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "viewer/shell/platform.h"

namespace kestrel {

enum class TimerStep { DeferredSettings, Mover1, Mover2, Mover3, MoveToTrash, NeedsUpdate, Focus };

// The deletion that later ticks finish: none, a deleted mail whose Move macro is still to be
// sent, or the note that the Update and Focus of the mail on show are still due.
class PendingDeletion {
  public:
    enum class Kind { None, MoveToTrash, NeedsUpdate };

    PendingDeletion() = default;
    static PendingDeletion MoveToTrash(std::string path) {
        return PendingDeletion(Kind::MoveToTrash, std::move(path));
    }
    static PendingDeletion NeedsUpdate() { return PendingDeletion(Kind::NeedsUpdate, {}); }

    Kind kind() const { return kind_; }
    bool IsNone() const { return kind_ == Kind::None; }
    bool IsMoveToTrash() const { return kind_ == Kind::MoveToTrash; }
    bool IsNeedsUpdate() const { return kind_ == Kind::NeedsUpdate; }
    // The mail to move; "" unless IsMoveToTrash().
    const std::string& Path() const { return path_; }
    bool operator==(const PendingDeletion& o) const { return kind_ == o.kind_ && path_ == o.path_; }

  private:
    PendingDeletion(Kind kind, std::string path) : kind_(kind), path_(std::move(path)) {}
    Kind kind_ = Kind::None;
    std::string path_;
};

class TimerSequencer {
  public:
    using Step = std::function<void()>;

    explicit TimerSequencer(OneShotTimer& timer) : timer_(timer) {}

    // Makes owner the one runner of step. Throws DuplicateRegistration (command_router.h) when
    // the step has one already.
    void Register(TimerStep step, std::string_view owner, Step run);
    // Marks DeferredSettings or a mover step pending and starts the timer. The deletion steps
    // follow the pending deletion (SetDeletion); Focus runs when nothing is pending.
    void Arm(TimerStep step);
    void Disarm(TimerStep step);
    bool Armed(TimerStep step) const;

    // StartTimer: starts the timer unless it is running (a running countdown is kept). While the
    // deferred stage holds the countdown, the follow-up gets a tick of its own after it.
    void Start();
    void SetInterval(int milliseconds) { timer_.SetInterval(milliseconds); }

    const PendingDeletion& Deletion() const { return deletion_; }
    void SetDeletion(PendingDeletion deletion) { deletion_ = std::move(deletion); }

    // OnTimer1: stops the timer, runs the first pending step and says which it was.
    TimerStep Tick();

  private:
    struct Slot {
        std::string owner;
        Step run;
        bool armed = false;
    };
    Slot& SlotOf(TimerStep step) { return slots_[size_t(step)]; }
    const Slot& SlotOf(TimerStep step) const { return slots_[size_t(step)]; }
    void Run(TimerStep step);

    OneShotTimer& timer_;
    std::array<Slot, 7> slots_;
    PendingDeletion deletion_;
    bool followUpAfterDeferred_ = false;
};

}  // namespace kestrel
