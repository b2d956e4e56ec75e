// Fixtures that put a simulated logger of each model on port 3 of the fake
// port library, on virtual time, with the library's logger list emptied.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "modelcom/lgr870/Lgr870Library.h"
#include "modelcom/lgr870/VkLGR870Com.h"
#include "modelcom/lgr875/Lgr875Library.h"
#include "modelcom/lgr875/VkLGR875Com.h"
#include "platform/Clock.h"
#include "platform/DeviceIds.h"
#include "sim/lgr87x/Lgr87xLogger.h"
#include "tests/modelcom/FakeLoggerPort.h"

namespace tb::modelcom::test {

inline constexpr int kLoggerPort = 3;

inline std::string Vid870() {
    auto ids = tb::platform::LoadDeviceIds();
    return tb::platform::FormatVidPid(ids.lgr870Vendor, ids.lgr870Product);
}

inline std::string Vid875() {
    auto ids = tb::platform::LoadDeviceIds();
    return tb::platform::FormatVidPid(ids.lgr875Vendor, ids.lgr875Product);
}

class Lgr870Test : public ::testing::Test {
  protected:
    void SetUp() override {
        Lgr870Library().Loggers().Clear();
        port.Attach(kLoggerPort, logger, Vid870());
    }
    // Lists the logger as the adjustment page does before any command.
    void Identify() {
        int16_t type = 0;
        char nameA[16], nameB[16];
        ASSERT_EQ(VkLGR870Com_GetConctMachInfo(kLoggerPort, &serial, &type, nameA, nameB), 0);
        port.ClearWritten();
        port.ResetCounts();
    }

    tb::platform::VirtualClock clock;
    tb::platform::ScopedClock clockScope{clock};
    tb::sim::Lgr87xLogger logger{tb::sim::Lgr87xModel::k870, 0x87001234};
    FakeLoggerPort port;
    uint32_t serial = 0;
};

class Lgr875Test : public ::testing::Test {
  protected:
    void SetUp() override {
        Lgr875Library().Loggers().Clear();
        port.Attach(kLoggerPort, logger, Vid875());
    }
    void Identify() {
        int16_t type = 0;
        char nameA[16], nameB[16];
        ASSERT_EQ(VkLGR875Com_GetConctMachInfo(kLoggerPort, &serial, &type, nameA, nameB), 0);
        port.ClearWritten();
        port.ResetCounts();
    }

    tb::platform::VirtualClock clock;
    tb::platform::ScopedClock clockScope{clock};
    tb::sim::Lgr87xLogger logger{tb::sim::Lgr87xModel::k875, 0x87505678};
    FakeLoggerPort port;
    uint32_t serial = 0;
};

}  // namespace tb::modelcom::test
