#include "SendProcedure.h"

#include "ApplySequence.h"
#include "ConfigFile.h"
#include "ProfileModel.h"

#include <QDebug>

SendOutcome runSendProcedure(const StorageDirs &dirs, ApplySequence &apply, const AppConfig &working, AppConfig &saved,
                             bool sendAll, bool asleep)
{
    SendOutcome outcome;
    saveWorkingConfig(dirs, working);
    if (asleep) {
        // The working copy is stored above and becomes the saved copy at the
        // next start: only a full send can bring the mouse level with it.
        qDebug("Mouse asleep or absent: nothing sent; the next send sends everything");
        writeDiff(dirs, 1);
        outcome.result = kResultAsleep;
        return outcome;
    }

    ChangeMask mask = compareConfigs(dirs, working, saved);
    if (readDiff(dirs) == 1 || sendAll)
        mask = kChangeAll;
    if (mask == 0)
        return outcome;

    // The slot files were stored above and nothing since has changed them.
    saveConfigHeader(dirs, working);
    outcome.mask = mask;
    outcome.result = apply.ApplyToDevice(working, mask);
    saved = working;
    writeDiff(dirs, outcome.result != kResultOk ? 1 : 0);
    if (outcome.result != kResultOk)
        qDebug("Send failed with result %d (mask %d)", outcome.result, mask);
    return outcome;
}
