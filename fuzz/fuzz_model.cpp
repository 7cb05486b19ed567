// The model description DefaultProfile.bin, and the default profile built from it.
#include "FuzzSupport.h"
#include "IniReader.h"
#include "ModelDescription.h"
#include "ProfileModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::scratch();
    const IniReader model = IniReader::fromText(fuzz::bytes(data, size));
    (void)model.value(QStringLiteral("PROFILE/ProductName")).toString();
    (void)readButtonCount(model);
    (void)readDpiCount(model);
    ButtonPositions positions{};
    readButtonPositions(model, positions);
    ButtonTable table{};
    readButtonTable2(model, table);
    ModelDefaults defaults;
    readModelDefaults(model, defaults);
    ProfileData p;
    makeDefaultProfile(&defaults, p);
    return 0;
}
