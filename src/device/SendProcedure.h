#pragma once
// The send procedure behind "Apply", "Reset All" and loading a configuration
// file: store the working copy, compare it with the saved copy, write what
// changed to the mouse and record the outcome. No widgets: the window's
// progress thread and the command-line tool both call it.

#include "DeviceResult.h"
#include "ProfileData.h"
#include "StorageDirs.h"
#include "StoredFile.h"

class ApplySequence;

struct SendOutcome
{
    DeviceResult result = kResultOk; // 0, kResultAsleep, or the apply sequence's code
    ChangeMask mask = 0;             // groups handed to the apply sequence; 0 when nothing was sent
    StoreResult store;               // not ok: the configuration could not be stored (then nothing was sent)
};

// 1. asleep: stores the working copy (Config.ini header and profile files)
//    with Config/Diff = 1, since it never reached the mouse; kResultAsleep;
// 2. mask = compareConfigs(working, saved), or every group when sendAll is
//    set or Config/Diff is 1;
// 3. stores the working copy, with Config/Diff = 1 when the mask is not 0,
//    in one step: a kill or power cut at any later point leaves Diff = 1;
// 4. mask 0: result 0, nothing sent, nothing else written;
// 5. runs the apply sequence with the mask;
// 6. copies working over saved (also after a failure);
// 7. Config/Diff = 0 only after success.
// When storing fails, nothing is sent and outcome.store says why.
// Blocks for the whole transfer; run it off the GUI thread.
SendOutcome runSendProcedure(const StorageDirs &dirs, ApplySequence &apply, const AppConfig &working, AppConfig &saved,
                             bool sendAll, bool asleep);
