// A base-unit logger for page tests: it holds one or two corrections as
// the device would (three decimals, codes at scale 1000), answers as
// scripted and reports its outcomes with the messages the command client
// shows.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

#include "pages/BaseUnitLogger.h"
#include "services/MessageBox.h"

namespace tb::testing {

struct LoggerState {
    bool connected = true;
    bool readSucceeds = true;
    bool writeSucceeds = true;
    pages::Correction held{1.0, 0.0};
    pages::Correction held2{1.0, 0.0};  // channel 2 of a two-channel logger
    int connectionChecks = 0;
    int reads = 0;
    int quietReads = 0;
    int writes = 0;
    int initialises = 0;
    // Runs inside every read and write, while the page waits for the device.
    std::function<void()> duringExchange;
};

class ScriptedPageLogger final : public pages::BaseUnitLogger {
  public:
    explicit ScriptedPageLogger(LoggerState& state) : state_(state) {}

    bool IsConnected() override {
        ++state_.connectionChecks;
        return state_.connected;
    }

    bool Read(std::span<pages::Correction> current) override {
        ++state_.reads;
        if (state_.duringExchange) state_.duringExchange();
        if (!state_.readSucceeds) {
            services::ShowMessageId(1048);
            return false;
        }
        current[0] = state_.held;
        if (current.size() > 1) current[1] = state_.held2;
        return true;
    }

    // What a page asks after a write it could not confirm.
    bool ReadQuietly(std::span<pages::Correction> current) override {
        ++state_.quietReads;
        if (!state_.readSucceeds) return false;
        current[0] = state_.held;
        if (current.size() > 1) current[1] = state_.held2;
        return true;
    }

    bool Write(std::span<const pages::Correction> composed) override {
        ++state_.writes;
        if (state_.duringExchange) state_.duringExchange();
        if (!state_.writeSucceeds) {
            services::ShowMessageId(1048);
            return false;
        }
        state_.held = Stored(composed[0]);
        if (composed.size() > 1) state_.held2 = Stored(composed[1]);
        services::ShowMessageId(1050, services::MsgButtons::Ok, services::MsgIcon::Information);
        return true;
    }

    bool Initialise(std::span<const pages::Correction> identity) override {
        ++state_.initialises;
        return Write(identity);
    }

    // Codes at scale 1000: three decimals.
    pages::Correction Stored(const pages::Correction& c) const override {
        return {std::round(c.slope * 1000) / 1000, std::round(c.offset * 1000) / 1000};
    }

    pages::CodeFit Fits(const pages::Correction& composed) const override {
        const double slope = std::round(composed.slope * 1000);
        const double offset = std::round(composed.offset * 1000);
        if (slope < 0 || slope > std::numeric_limits<uint16_t>::max()) {
            return pages::CodeFit::SlopeDoesNotFit;
        }
        if (offset < std::numeric_limits<int16_t>::min() ||
            offset > std::numeric_limits<int16_t>::max()) {
            return pages::CodeFit::OffsetDoesNotFit;
        }
        return pages::CodeFit::Fits;
    }

  private:
    LoggerState& state_;
};

}  // namespace tb::testing
