#include "sim/lgr87x/Lgr87xFaultNames.h"

#include <utility>

namespace tb::sim {

namespace {

const std::pair<const char*, Lgr87xFault> kProtocolFaults[] = {
    {"recording", Lgr87xFault::kRecording},     {"refusal", Lgr87xFault::kRefusal},
    {"status35", Lgr87xFault::kStatus35},       {"block-skip", Lgr87xFault::kBlockSkip},
    {"sensor-crc", Lgr87xFault::kSensorBadCrc}, {"over-report", Lgr87xFault::kOverReport},
    {"stores-altered", Lgr87xFault::kStoresAltered},
};

// Half of the shortest reply (a 7-byte acknowledgement) still cuts every reply short.
constexpr int kShortKeep = 3;

}  // namespace

std::optional<Lgr87xFault> Lgr87xFaultByName(const std::string& name) {
    for (const auto& [text, fault] : kProtocolFaults) {
        if (name == text) return fault;
    }
    return std::nullopt;
}

std::optional<Fault> Lgr87xLineFaultByName(const std::string& name, int count) {
    if (name == "silence") return Fault::Silence(count);
    if (name == "short") return Fault::Short(kShortKeep, count);
    if (name == "garble") return Fault::Garble(-1, 0xFF, count);
    return std::nullopt;
}

std::string Lgr87xFaultNames() {
    std::string names;
    for (const auto& [text, fault] : kProtocolFaults) {
        (void)fault;
        names += std::string(names.empty() ? "" : ", ") + text;
    }
    return names + ", silence, short, garble";
}

}  // namespace tb::sim
