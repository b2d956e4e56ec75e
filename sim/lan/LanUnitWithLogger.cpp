#include "sim/lan/LanUnitWithLogger.h"

#include <stdexcept>

#include "sim/baseunit/BaseUnit.h"
#include "sim/loggers/LoggerModels.h"

namespace tb::sim::lan {
namespace {

// Hands the base unit's command texts to the simulated logger.
class LoggerBehindLanUnit final : public LoggerBehindUnit {
  public:
    explicit LoggerBehindLanUnit(std::shared_ptr<loggers::SimulatedLogger> logger)
        : logger_(std::move(logger)) {}
    std::vector<uint8_t> OnCommand(std::span<const uint8_t> text) override {
        return logger_->Answer(text).value_or(std::vector<uint8_t>{});
    }
    std::string DumpState() const override { return logger_->DumpState(); }

  private:
    std::shared_ptr<loggers::SimulatedLogger> logger_;
};

}  // namespace

LanUnitWithLogger MakeLanUnitWithLogger(const LanUnitSetup& setup) {
    auto model = loggers::ModelForName(setup.loggerModel);
    if (!model) throw std::invalid_argument("unknown logger model \"" + setup.loggerModel + "\"");
    LanUnitWithLogger made;
    made.logger = std::make_shared<loggers::SimulatedLogger>(*model);
    auto unit = std::make_unique<BaseUnit>(BaseUnitConfig{.serial = setup.serial},
                                           std::make_shared<LoggerBehindLanUnit>(made.logger));
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
