#pragma once
// The start-up and main loop shared by mousecfg and mousecfg-sim.

#include <QObject>

#include <functional>
#include <memory>

class MousecfgWidget;

// Builds companions of the window (may return null); they are destroyed when
// the event loop has ended, before the window and the application object.
using CompanionFactory = std::function<std::unique_ptr<QObject>(MousecfgWidget &)>;

// Runs the utility: one instance per mouse model, the main window, the event
// loop. companions (may be null) runs once the window exists, before the loop.
// Returns the event loop's result, or 1 when the model's utility already runs.
int runMousecfg(int argc, char **argv, const CompanionFactory &companions = {});
