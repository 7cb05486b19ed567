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
        qDebug("Mouse asleep or absent: nothing sent");
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
