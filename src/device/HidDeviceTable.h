#pragma once
#include <cstdint>

constexpr int kMaxDeviceEntries = 200;
constexpr int kHidPathSize = 255; // longest storable path is kHidPathSize - 1 characters
constexpr int kHidNameSize = 256;

// One mouse model with its two USB identities: identity 1 is the wireless
// receiver, identity 2 the mouse on its cable. Each identity has a mouse
// collection (pointer reports) and a command collection (our traffic).
struct HidDeviceEntry
{
    std::uint32_t vid1;
    std::uint32_t vid2;
    std::uint32_t pid1;
    std::uint32_t pid2;
    std::uint32_t relMin1;
    std::uint32_t relMin2;
    std::uint32_t relMax1; // 0 = no release filter
    std::uint32_t relMax2; // 0 = no release filter
    std::uint32_t usage1;  // identity 1, mouse collection
    std::uint32_t page1;
    std::uint32_t usage2; // identity 1, command collection
    std::uint32_t page2;
    std::uint32_t usage3; // identity 2, mouse collection
    std::uint32_t page3;
    std::uint32_t usage4; // identity 2, command collection
    std::uint32_t page4;
    char path1[kHidPathSize];
    char path2[kHidPathSize];
    char path3[kHidPathSize];
    char path4[kHidPathSize];
    // Flag order is mouse 1, mouse 2, command 1, command 2: the hot-plug code
    // addresses them as (found1, found3) and (found2, found4) pairs.
    std::int32_t found1;
    std::int32_t found3;
    std::int32_t found2;
    std::int32_t found4;
    char name[kHidNameSize]; // Latin-1 model name
};

struct HidDeviceTable
{
    std::uint32_t count;
    HidDeviceEntry entries[kMaxDeviceEntries];
};

// Zeroes the entry and fills in the receiver/cable identities this program looks for.
void FillDefaultDeviceEntry(HidDeviceEntry &entry);

// relMax 0 switches the filter off.
bool ReleaseFilterPasses(std::uint32_t relMin, std::uint32_t relMax, std::uint32_t release);

// Identity 1 exposes several usage-0 collections; only the one whose path
// carries "col04" (any case) takes commands.
bool PathHasCommandMarker(const char *path);

// Copies a NUL-terminated path into a path field. A path that does not fit is
// not stored and the function returns false.
bool StoreHidPath(char (&field)[kHidPathSize], const char *path);
