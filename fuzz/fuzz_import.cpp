// Importing a configuration file: either it is refused and the working copy
// stays as it was, or every slot name it brings is usable.
#include "FuzzSupport.h"
#include "IniReader.h"
#include "ProfileFile.h"
#include "ProfileModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    static const AppConfig before = [&dirs] {
        AppConfig c;
        resetAllProfiles(dirs, c);
        return c;
    }();
    const IniReader file = IniReader::fromText(fuzz::bytes(data, size));
    (void)readProductTag(file);
    AppConfig working = before;
    const QString refused = importAllProfiles(file, working, QStringLiteral("in.conf"));
    if (!refused.isEmpty() && !(working == before))
        __builtin_trap();
    if (refused.isEmpty()) {
        for (int n = 0; n < kProfileCount; ++n) {
            if (!slotNameProblem(working.profileNames, n).isEmpty() || working.ProfileID >= kProfileCount)
                __builtin_trap();
        }
    }
    return 0;
}
