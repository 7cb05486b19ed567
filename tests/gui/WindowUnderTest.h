#pragma once
// The main window with the session and the interface state it is handed, as
// the application builds them, in a private copy of the application directory.

#include "AppDirCopy.h"
#include "MouseSession.h"
#include "MousecfgWidget.h"
#include "TarnUi.h"

#include <memory>

struct WindowUnderTest
{
    // Members end in reverse order: the window before the session.
    std::unique_ptr<MouseSession> session;
    std::unique_ptr<TarnUi> ui;
    std::unique_ptr<MousecfgWidget> window;

    WindowUnderTest(const AppDirCopy &dir, DeviceClock *clock, const MousecfgOptions &options = {})
    {
        const StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
        session = std::make_unique<MouseSession>(dirs, clock);
        ui = std::make_unique<TarnUi>(dirs);
        window = std::make_unique<MousecfgWidget>(*session, *ui, options);
    }
    MousecfgWidget *operator->() const { return window.get(); }
    MousecfgWidget &operator*() const { return *window; }
    MousecfgWidget *get() const { return window.get(); }
};
