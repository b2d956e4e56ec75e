#include <stdexcept>

#include "sim/main/BaseUnitFamily.h"
#include "sim/main/EchoFamily.h"
#include "sim/main/Family.h"
#include "sim/main/LanFamily.h"
#include "sim/main/Lgr87xFamily.h"
#include "sim/main/LoggersFamily.h"

namespace tb::sim {

std::vector<Family> AllFamilies() {
    return {
        BaseUnitFamily(),
        EchoFamily(),
        Lgr87xFamily(),
        LoggersFamily(),
        LanFamily(),
    };
}

bool HasOption(const OptionValues& values, const std::string& name) {
    return values.count(name) != 0;
}

int IntOption(const OptionValues& values, const std::string& name, int fallback, int low,
              int high) {
    auto it = values.find(name);
    if (it == values.end() || it->second.empty()) return fallback;
    const std::string& text = it->second.back();
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < low || value > high)
        throw std::invalid_argument(name + ": expected a number from " + std::to_string(low) +
                                    " to " + std::to_string(high) + ", got \"" + text + "\"");
    return value;
}

FaultOption ParseFaultOption(const std::string& option, const std::string& text) {
    FaultOption fault{text, 1};
    if (const auto colon = text.find(':'); colon != std::string::npos) {
        fault.name = text.substr(0, colon);
        fault.count = IntOption({{option, {text.substr(colon + 1)}}}, option, 1, -1, 1000000);
    }
    return fault;
}

}  // namespace tb::sim
