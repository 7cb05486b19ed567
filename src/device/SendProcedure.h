#pragma once
// The send procedure behind "Apply", "Reset All" and loading a configuration
// file: store the working copy, compare it with the saved copy, write what
// changed to the mouse and record the outcome. No widgets: the window's
// progress thread and the command-line tool both call it.

#include "DeviceResult.h"
#include "ProfileData.h"
#include "StorageDirs.h"

class ApplySequence;

struct SendOutcome
{
    DeviceResult result = kResultOk; // 0, kResultAsleep, or the apply sequence's code
    ChangeMask mask = 0;             // groups handed to the apply sequence; 0 when nothing was sent
};

// 1. stores the working copy (Config.ini header and profile files);
// 2. asleep: kResultAsleep, nothing sent, Config/Diff = 1 (what was stored in
//    step 1 never reached the mouse);
// 3./4. mask = compareConfigs(working, saved), or every group when sendAll is
//    set or Config/Diff is 1;
// 5. mask 0: result 0, nothing sent, nothing else written;
// 6. stores the working copy again and runs the apply sequence with the mask;
// 7. copies working over saved (also after a failure);
// 8. Config/Diff = 1 after a failure, 0 after success.
// Blocks for the whole transfer; run it off the GUI thread.
SendOutcome runSendProcedure(const StorageDirs &dirs, ApplySequence &apply, const AppConfig &working, AppConfig &saved,
                             bool sendAll, bool asleep);
