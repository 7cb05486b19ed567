#pragma once
// The start-up and main loop shared by mousecfg and mousecfg-sim.

#include <functional>

class MousecfgWidget;

// Runs the utility: one instance per mouse model, the main window, the event
// loop. extra (may be null) runs once the window exists, before the loop.
// Returns the event loop's result, or 1 when the model's utility already runs.
int runMousecfg(int argc, char **argv, const std::function<void(MousecfgWidget &)> &extra = {});
