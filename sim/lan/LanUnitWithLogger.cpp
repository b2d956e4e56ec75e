#include "sim/lan/LanUnitWithLogger.h"

#include <stdexcept>

#include "sim/baseunit/BaseUnit.h"
#include "sim/loggers/LoggerModels.h"

namespace tb::sim::lan {

LanUnitWithLogger MakeLanUnitWithLogger(const LanUnitSetup& setup) {
    auto model = loggers::ModelForName(setup.loggerModel);
    if (!model) throw std::invalid_argument("unknown logger model \"" + setup.loggerModel + "\"");
    LanUnitWithLogger made;
    made.logger = std::make_shared<loggers::SimulatedLogger>(*model);
    auto unit = std::make_unique<BaseUnit>(BaseUnitConfig{.serial = setup.serial}, made.logger);
    made.unit = std::make_unique<LanBaseUnit>(std::move(unit), setup.login, setup.port);
    return made;
}

bool ArmLanFault(LanBaseUnit& unit, const std::string& name) {
    if (name == "refuse-connections") {
        unit.RefuseConnections(true);
        return true;
    }
    LanFaults faults = unit.Faults();
    if (name == "no-prompt")
        faults.noPrompt = true;
    else if (name == "refuse-login")
        faults.refuseLogin = true;
    else if (name == "close-mid-frame")
        faults.closeMidFrame = true;
    else if (name == "slow-peer")
        faults.slowPeerMs = kSlowPeerMs;
    else
        return false;
    unit.SetFaults(faults);
    return true;
}

std::vector<std::string> LanFaultNames() {
    return {"no-prompt", "refuse-login", "refuse-connections", "close-mid-frame", "slow-peer"};
}

}  // namespace tb::sim::lan
