#include "viewer/shell/timer_sequencer.h"

#include "viewer/shell/command_router.h"

namespace kestrel {

namespace {

bool Armable(TimerStep step) {
    return step == TimerStep::DeferredSettings || step == TimerStep::Mover1 ||
           step == TimerStep::Mover2 || step == TimerStep::Mover3;
}

}  // namespace

void TimerSequencer::Register(TimerStep step, std::string_view owner, Step run) {
    Slot& s = SlotOf(step);
    if (!s.owner.empty()) {
        throw DuplicateRegistration("timer step " + std::to_string(int(step)) + " registered by " +
                                    std::string(owner) + ", already owned by " + s.owner);
    }
    s.owner = std::string(owner);
    s.run = std::move(run);
}

void TimerSequencer::Arm(TimerStep step) {
    if (!Armable(step) || !SlotOf(step).run) {
        throw std::logic_error("timer step " + std::to_string(int(step)) +
                               " armed without a runner");
    }
    SlotOf(step).armed = true;
    Start();
}

void TimerSequencer::Disarm(TimerStep step) {
    SlotOf(step).armed = false;
}

bool TimerSequencer::Armed(TimerStep step) const {
    return SlotOf(step).armed;
}

void TimerSequencer::Start() {
    if (!timer_.Running()) {
        timer_.Start();
    } else if (Armed(TimerStep::DeferredSettings)) {
        // The running countdown belongs to the deferred stage; the step that asked for a
        // follow-up (the Focus after the first mail's Update) gets its own tick after it.
        followUpAfterDeferred_ = true;
    }
}

void TimerSequencer::Run(TimerStep step) {
    const Slot& s = SlotOf(step);
    if (s.run) s.run();
}

TimerStep TimerSequencer::Tick() {
    timer_.Stop();
    for (TimerStep step :
         {TimerStep::DeferredSettings, TimerStep::Mover1, TimerStep::Mover2, TimerStep::Mover3}) {
        if (!Armed(step)) continue;
        Disarm(step);
        Run(step);
        if (step == TimerStep::DeferredSettings && followUpAfterDeferred_) {
            followUpAfterDeferred_ = false;
            Start();
        }
        return step;
    }
    if (deletion_.IsMoveToTrash()) {
        // The runner sets NeedsUpdate once the Move is sent. Without one the deletion is
        // dropped, so that the timer does not stall on it.
        if (SlotOf(TimerStep::MoveToTrash).run) {
            Run(TimerStep::MoveToTrash);
        } else {
            deletion_ = PendingDeletion();
        }
        return TimerStep::MoveToTrash;
    }
    if (deletion_.IsNeedsUpdate()) {
        deletion_ = PendingDeletion();
        Run(TimerStep::NeedsUpdate);
        return TimerStep::NeedsUpdate;
    }
    Run(TimerStep::Focus);
    return TimerStep::Focus;
}

}  // namespace kestrel
