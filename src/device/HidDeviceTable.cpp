#include "HidDeviceTable.h"

#include <cctype>
#include <cstring>

void FillDefaultDeviceEntry(HidDeviceEntry &entry)
{
    std::memset(&entry, 0, sizeof entry);
    entry.vid1 = 0x248A;
    entry.vid2 = 0x248A;
    entry.pid1 = 0xFA02;
    entry.pid2 = 0xFB01;
    entry.usage1 = 2;
    entry.page1 = 1;
    entry.usage2 = 0;
    entry.page2 = 1;
    entry.usage3 = 2;
    entry.page3 = 1;
    entry.usage4 = 0;
    entry.page4 = 1;
}

bool ReleaseFilterPasses(std::uint32_t relMin, std::uint32_t relMax, std::uint32_t release)
{
    return relMax == 0 || (relMin <= release && release <= relMax);
}

bool PathHasCommandMarker(const char *path)
{
    if (!path)
        return false;
    static const char marker[] = "col04";
    const std::size_t markerLength = sizeof marker - 1;
    for (const char *p = path; *p; ++p) {
        std::size_t i = 0;
        while (i < markerLength && p[i] && std::tolower(static_cast<unsigned char>(p[i])) == marker[i])
            ++i;
        if (i == markerLength)
            return true;
    }
    return false;
}

bool StoreHidPath(char (&field)[kHidPathSize], const char *path)
{
    if (!path)
        return false;
    const std::size_t length = std::strlen(path);
    if (length >= static_cast<std::size_t>(kHidPathSize))
        return false;
    std::memcpy(field, path, length + 1);
    return true;
}
