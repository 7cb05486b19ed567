// Importing a configuration file: either it is refused and the working copy
// stays as it was, or every slot name it brings is usable.
#include "ConfigExchange.h"
#include "FuzzSupport.h"
#include "ProfileFile.h"
#include "ProfileModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    static const bool configured = [&dirs] {
        QFile f(dirs.configIni());
        return f.open(QIODevice::WriteOnly) && f.write("[Config]\nCurrentProductName=TarnX8\n") > 0;
    }();
    (void)configured;
    const QString path = dirs.appDir + QStringLiteral("/in.conf");
    fuzz::put(path, data, size);
    AppConfig before;
    resetAllProfiles(dirs, before);
    AppConfig working = before;
    QString problem;
    const ImportStatus status = importConfigFile(dirs, path, working, &problem);
    if (status != ImportStatus::Imported && !(working == before))
        __builtin_trap();
    if (status == ImportStatus::Imported) {
        for (int n = 0; n < kProfileCount; ++n) {
            if (!slotNameProblem(working.profileNames, n).isEmpty() || working.ProfileID >= kProfileCount)
                __builtin_trap();
        }
    }
    return 0;
}
