// How a device family joins trimbench-sim.
//
// To add a family: write a function `Family MyFamily()` in a file of this
// folder (see EchoFamily.cpp), list it in AllFamilies() (Families.cpp) and
// link the family's library in CMakeLists.txt. The family declares its
// command-line options; trimbench-sim checks and collects them and hands
// them to `build`. When no family has added a device, every family's
// `addDefault` runs: that is the bench the program's run command expects.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/core/Bench.h"

namespace tb::sim {

struct FamilyOption {
    std::string name;       // "--base-units"
    std::string valueName;  // "N"; empty for a flag without value
    std::string help;
};

// Every value given for each option, in command-line order (flags map to "").
using OptionValues = std::map<std::string, std::vector<std::string>>;

struct Family {
    std::string name;
    std::vector<FamilyOption> options;
    // Adds the devices the options ask for. Throws std::invalid_argument
    // with a message for the user on a bad value.
    std::function<void(const OptionValues&, Bench&)> build;
    // Adds the family's share of the default bench; may be empty.
    std::function<void(Bench&)> addDefault;
};

// All families, in the order their devices are numbered.
std::vector<Family> AllFamilies();

// Helpers for option values.
int IntOption(const OptionValues& values, const std::string& name, int fallback, int low, int high);
bool HasOption(const OptionValues& values, const std::string& name);

// One value of a fault option: "NAME" or "NAME:COUNT", COUNT the number of
// replies it spoils (1 when absent, -1 for every reply, at most 1000000).
struct FaultOption {
    std::string name;
    int count = 1;
};
// Throws std::invalid_argument naming the option on a bad count.
FaultOption ParseFaultOption(const std::string& option, const std::string& text);

}  // namespace tb::sim
