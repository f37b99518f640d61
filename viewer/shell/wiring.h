// What every feature of the main window is built with: the command router, the timer
// sequencer and the viewer's events. The Viewer owns them; a feature keeps the references.
#pragma once

#include "viewer/shell/command_router.h"
#include "viewer/shell/timer_sequencer.h"
#include "viewer/shell/viewer_events.h"

namespace kestrel {

struct ShellWiring {
    CommandRouter& commands;
    TimerSequencer& timer;
    ViewerEvents& events;
};

}  // namespace kestrel
