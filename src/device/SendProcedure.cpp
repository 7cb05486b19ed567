#include "SendProcedure.h"

#include "ApplySequence.h"
#include "ConfigFile.h"
#include "ProfileModel.h"

#include <QDebug>

SendOutcome runSendProcedure(const StorageDirs &dirs, ApplySequence &apply, const AppConfig &working, AppConfig &saved,
                             bool sendAll, bool asleep)
{
    SendOutcome outcome;
    if (asleep) {
        // The working copy becomes the saved copy at the next start: only a
        // full send can bring the mouse level with it.
        outcome.store = saveWorkingConfig(dirs, working, 1);
        if (!outcome.store.ok) {
            qWarning("%s; nothing sent", qPrintable(outcome.store.message()));
            return outcome;
        }
        qDebug("Mouse asleep or absent: nothing sent; the next send sends everything");
        outcome.result = kResultAsleep;
        return outcome;
    }

    ChangeMask mask = compareConfigs(dirs, working, saved);
    if (readDiff(dirs) == 1 || sendAll)
        mask = kChangeAll;
    // Config/Diff = 1 is stored together with the files, before the first
    // report: a send cut short at any point makes the next one send everything.
    outcome.store = saveWorkingConfig(dirs, working, mask != 0 ? 1 : kKeepDiff);
    if (!outcome.store.ok) {
        qWarning("%s; nothing sent", qPrintable(outcome.store.message()));
        return outcome;
    }
    if (mask == 0)
        return outcome;

    outcome.mask = mask;
    outcome.result = apply.ApplyToDevice(working, mask);
    saved = working;
    if (outcome.result != kResultOk) {
        qDebug("Send failed with result %d (mask %d)", outcome.result, mask);
        return outcome;
    }
    if (!writeDiff(dirs, 0)) {
        // The mouse has it all; only the next send repeats it.
        outcome.store = StoreResult::failure(dirs.configIni(), QStringLiteral("Config/Diff could not be cleared"));
    }
    return outcome;
}
