// A one-channel logger for page tests: it holds a correction as the device
// would (three decimals), answers as scripted and reports its outcomes with
// the messages the command client shows.
#pragma once

#include <cmath>
#include <functional>

#include "services/MessageBox.h"
#include "pages/OneChannelLogger.h"

namespace tb::testing {

struct LoggerState {
    bool connected = true;
    bool readSucceeds = true;
    bool writeSucceeds = true;
    pages::Correction held{1.0, 0.0};
    int connectionChecks = 0;
    int reads = 0;
    int writes = 0;
    // Runs inside every read and write, while the page waits for the device.
    std::function<void()> duringExchange;
};

class ScriptedPageLogger final : public pages::OneChannelLogger {
  public:
    explicit ScriptedPageLogger(LoggerState& state) : state_(state) {}

    bool IsConnected() override {
        ++state_.connectionChecks;
        return state_.connected;
    }

    bool Read(pages::Correction& current) override {
        ++state_.reads;
        if (state_.duringExchange) state_.duringExchange();
        if (!state_.readSucceeds) {
            services::ShowMessageId(1048);
            return false;
        }
        current = state_.held;
        return true;
    }

    bool Write(const pages::Correction& composed) override {
        ++state_.writes;
        if (state_.duringExchange) state_.duringExchange();
        if (!state_.writeSucceeds) {
            services::ShowMessageId(1048);
            return false;
        }
        state_.held = {std::round(composed.slope * 1000) / 1000,
                       std::round(composed.offset * 1000) / 1000};
        services::ShowMessageId(1050, services::MsgButtons::Ok, services::MsgIcon::Information);
        return true;
    }

  private:
    LoggerState& state_;
};

}  // namespace tb::testing
