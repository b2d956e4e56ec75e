// A bench of simulated base units on pseudo-terminals for the link tests,
// with the device map pointed at it for this process and its children.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/baseunit/BaseUnit.h"
#include "sim/baseunit/ScriptedLogger.h"
#include "sim/core/Bench.h"

namespace tb::link::testing {

struct UnitOnBench {
    sim::BaseUnit* unit;
    std::shared_ptr<sim::ScriptedLogger> logger;
    int com;
};

class SimBench {
  public:
    explicit SimBench(bool pacing = false) : bench_({.pacing = pacing}) {}

    UnitOnBench AddUnit(uint32_t serial, uint8_t latch = 0x08, int com = 0) {
        auto logger = std::make_shared<sim::ScriptedLogger>();
        sim::BaseUnitConfig config;
        config.serial = serial;
        config.latch = latch;
        auto unit = std::make_unique<sim::BaseUnit>(config, logger);
        sim::BaseUnit* raw = unit.get();
        const int number = bench_.Add(std::move(unit), com);
        if (bench_.DeviceMapPath().empty()) bench_.UseTemporaryDeviceMap();
        return {raw, logger, number};
    }
    // Points the port library at the bench even while it has no device.
    void Publish() {
        if (bench_.DeviceMapPath().empty()) bench_.UseTemporaryDeviceMap();
    }
    sim::Bench& Bench() { return bench_; }

  private:
    sim::Bench bench_;
};

}  // namespace tb::link::testing
