// A LAN base unit as the bench serves it: the USB base unit's frame handling
// behind the LAN port, a simulated logger behind the unit.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/lan/LanBaseUnit.h"
#include "sim/loggers/SimulatedLogger.h"

namespace tb::sim::lan {

inline constexpr int kSlowPeerMs = 300;

struct LanUnitSetup {
    std::string loggerModel = "820";  // as the simulator's command line names models
    std::string login = kDefaultLogin;
    uint16_t port = 0;  // 0: a free port
    uint32_t serial = 0x00012345;
};

struct LanUnitWithLogger {
    std::shared_ptr<loggers::SimulatedLogger> logger;
    std::unique_ptr<LanBaseUnit> unit;
};

// Throws std::invalid_argument for an unknown logger model, std::system_error
// when the port cannot be had.
LanUnitWithLogger MakeLanUnitWithLogger(const LanUnitSetup& setup);

// Arms the fault of that name: "no-prompt", "refuse-login",
// "refuse-connections", "close-mid-frame" or "slow-peer" (kSlowPeerMs).
// False for an unknown name.
bool ArmLanFault(LanBaseUnit& unit, const std::string& name);
std::vector<std::string> LanFaultNames();

}  // namespace tb::sim::lan
