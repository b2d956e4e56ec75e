// The command line of trimbench-sim: its own options plus those the device
// families declare.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/main/Family.h"

namespace tb::sim {

struct SimSettings {
    std::string mapPath;  // empty: the default path
    bool pacing = true;
    bool dumpOnExit = false;
    bool quiet = false;
    int firstComNumber = 1;
    std::vector<int> unplugged;  // COM numbers whose device starts pulled out
    bool help = false;
    OptionValues familyOptions;
};

// Throws std::invalid_argument with a message for the user.
SimSettings ParseCommandLine(const std::vector<std::string>& args,
                             const std::vector<Family>& families);

std::string Usage(const std::vector<Family>& families);

// $XDG_RUNTIME_DIR/trimbench-devices.map, else /tmp/trimbench-devices-<uid>.map.
std::string DefaultMapPath();

}  // namespace tb::sim
