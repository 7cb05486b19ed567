// Profile files and the default-profile file, read as the program reads them.
#include "FuzzSupport.h"
#include "ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    fuzz::put(dirs.profileDir() + QStringLiteral("/x.prof"), data, size);
    ProfileData p;
    readProfileFile(dirs, p, QStringLiteral("x"));
    // What was read must store and read back unchanged.
    const QByteArray bytes = profileFileBytes(p);
    fuzz::put(dirs.profileDir() + QStringLiteral("/y.prof"), reinterpret_cast<const std::uint8_t *>(bytes.constData()),
              std::size_t(bytes.size()));
    ProfileData back;
    readProfileFile(dirs, back, QStringLiteral("y"));
    if (!(back == p))
        __builtin_trap();
    return 0;
}
