#include "client/OperatingMode.h"

#include <array>

namespace tb::client {
namespace {

constexpr std::array<OperatingMode, 6> kModes{{
    {1, 200},   // 0: one-channel temperature
    {2, 200},   // 1: model 830 temperature/humidity
    {1, 3000},  // 2: multi-input, three-decimal offset
    {2, 3000},  // 3: model 835 temperature/humidity
    {1, 1500},  // 4: model-890 cable
    {1, 3000},  // 5: multi-input temperature, one-decimal offset
}};

}  // namespace

std::optional<OperatingMode> LookupOperatingMode(int mode) {
    if (mode < 0 || mode >= static_cast<int>(kModes.size())) return std::nullopt;
    return kModes[static_cast<std::size_t>(mode)];
}

}  // namespace tb::client
