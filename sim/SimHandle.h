#pragma once

#include "MouseSim.h"

#include <deque>
#include <optional>
#include <string>

namespace mousesim {

// One open collection, as hid_open_path hands it out.
struct SimHandle
{
    int id = 0;
    std::optional<Identity> identity; // none for a collection of a decoy
    bool command = false;             // the mouse's command collection: takes writes, gets its reports
    bool dead = false;                // its device was pulled, or it was closed
    bool nonBlocking = false;
    MouseSim::DeviceRecord record;
    std::deque<Report> queue;
    std::wstring error;
};

} // namespace mousesim
