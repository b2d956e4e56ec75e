// Common ground of the command-client tests that run on the fake link:
// virtual time, recorded message boxes, and the texts they should show.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "platform/Clock.h"
#include "platform/DeviceIds.h"
#include "tests/client/FakeLink.h"

namespace tb::client::test {

class ClientFixture : public ::testing::Test {
  protected:
    ClientFixture() : scopedClock_(clock_) {}

    static uint16_t Product(int n) { return platform::DeviceIds{}.Product(n); }
    static sim::loggers::LoggerModel Model(uint8_t code, bool noise = false) {
        return *sim::loggers::ModelForDeviceCode(code, noise);
    }
    std::vector<std::string> Messages() const { return boxes_.Texts(); }
    static std::string Text(int id) { return services::LoadResString(id); }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_;
    services::ScriptedMessageBoxes boxes_;
    FakeLink link_;
};

}  // namespace tb::client::test
