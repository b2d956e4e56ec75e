// The simulator bench that scripts/wine-test.sh serves to the tests under
// Wine: trimbench-sim runs on the host, its device map names the ports
// (each COM number mapped to its pseudo-terminal in the Wine prefix), its
// console takes fault commands, and its LAN base unit listens on loopback.
//
//   TRIMBENCH_DEVICE_MAP     the device map (a Windows path)
//   TRIMBENCH_SIM_CONSOLE    the simulator's console FIFO (a Windows path)
//   TRIMBENCH_SIM_LAN_PORT   the LAN base unit's TCP port on 127.0.0.1
//
// The bench the script starts: base units 00E4A3B1 and 0000FA17, one
// model-870 and one model-875 logger, and the LAN base unit (login
// "trimbench"), bytes sent without pacing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tb::wine {

inline constexpr uint32_t kFirstUnit = 0x00E4A3B1;
inline constexpr uint32_t kFaultUnit = 0x0000FA17;
inline constexpr const char* kLanLogin = "trimbench";

// True when the script has set the bench up (the tests skip otherwise).
bool BenchServed();

// The COM numbers of the map's devices with this USB id, in map order.
std::vector<int> ComsOf(uint16_t vendor, uint16_t product);

// Sends one command line to the simulator's console and gives it time to
// act; false when the console cannot be reached.
bool SimCommand(const std::string& line);

int LanPort();

}  // namespace tb::wine
