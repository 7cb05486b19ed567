// The model description DefaultProfile.bin, and the default profile built from it.
#include "FuzzSupport.h"
#include "ModelDescription.h"
#include "ProfileModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    fuzz::put(dirs.modelDescription(), data, size);
    (void)readProductName(dirs);
    (void)readButtonCount(dirs);
    (void)readDpiCount(dirs);
    ButtonPositions positions{};
    loadButtonPositions(dirs, positions);
    ButtonTable table{};
    loadButtonTable2(dirs, table);
    ProfileData p;
    makeDefaultProfile(dirs, p);
    return 0;
}
