// What a page hands to the history unit about one adjustment of one sensor.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tb::history {

struct SensorAdjustment {
    // Per slot (the sensor's first and second channel): whether the
    // channel's "adjust this channel" box is ticked, and its point count.
    std::array<bool, 2> ticked{};
    std::array<int, 2> pointCount{1, 1};  // 1 or 2
    // The page's block of eight encoded input values of the sensor:
    // before point 1 (first, second channel), after point 1 (first, second),
    // before point 2 (first, second), after point 2 (first, second).
    std::array<uint16_t, 8> encoded{};
    // The texts as typed per slot: point 1 before, point 1 after, point 2
    // before, point 2 after (illuminance/UV and CO2 log lines show them).
    std::array<std::array<std::string, 4>, 2> typed;
    // The newly composed slopes times 1000 of the two channels, full
    // precision; they become the record's factors.
    std::array<double, 2> newFactors{1000.0, 1000.0};
};

}  // namespace tb::history
