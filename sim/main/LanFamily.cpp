#include "sim/main/LanFamily.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "sim/lan/LanUnitWithLogger.h"

namespace tb::sim {
namespace {

// The LAN units live beside the bench (they are no pty devices) until the
// program ends.
std::vector<lan::LanUnitWithLogger>& LanUnits() {
    static std::vector<lan::LanUnitWithLogger> units;
    return units;
}

std::string LastValue(const OptionValues& values, const std::string& name,
                      const std::string& fallback) {
    auto it = values.find(name);
    return it == values.end() || it->second.empty() ? fallback : it->second.back();
}

std::string FaultList() {
    std::string names;
    for (const auto& name : lan::LanFaultNames()) names += (names.empty() ? "" : ", ") + name;
    return names;
}

}  // namespace

Family LanFamily() {
    Family family;
    family.name = "lan";
    family.options = {
        {"--lan", "", "serve a base unit on the LAN (loopback TCP; its port is printed)"},
        {"--lan-port", "N", "its TCP port (default: a free one)"},
        {"--lan-login", "TEXT", "the login text it accepts (default \"trimbench\")"},
        {"--lan-logger", "MODEL", "the logger behind it, e.g. 820, 830, 850-tc (default 820)"},
        {"--lan-fault", "NAME", "a fault of the LAN unit: " + FaultList()},
    };
    family.build = [](const OptionValues& values, Bench&) {
        if (!HasOption(values, "--lan")) return;
        lan::LanUnitSetup setup;
        setup.port = static_cast<uint16_t>(IntOption(values, "--lan-port", 0, 0, 65535));
        setup.login = LastValue(values, "--lan-login", setup.login);
        setup.loggerModel = LastValue(values, "--lan-logger", setup.loggerModel);
        auto made = lan::MakeLanUnitWithLogger(setup);
        if (auto it = values.find("--lan-fault"); it != values.end()) {
            for (const auto& name : it->second)
                if (!lan::ArmLanFault(*made.unit, name))
                    throw std::invalid_argument("--lan-fault: unknown fault \"" + name + "\" (" +
                                                FaultList() + ")");
        }
        std::printf("LAN_BASE_UNIT=127.0.0.1:%u login=%s logger=%s\n", made.unit->Port(),
                    setup.login.c_str(), setup.loggerModel.c_str());
        std::fflush(stdout);
        LanUnits().push_back(std::move(made));
    };
    return family;
}

}  // namespace tb::sim
