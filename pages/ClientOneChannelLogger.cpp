#include "pages/ClientOneChannelLogger.h"

#include <cstdio>
#include <functional>

#include "client/LoggerClient.h"

namespace tb::pages {
namespace {

constexpr uint16_t kSlopeScale = 1000;
constexpr uint16_t kOffsetScale = 1000;

// One channel through SendCorrection / ReadCorrection with the page's logger
// kind and operating mode; `connected` is the page's connection check.
class ClientOneChannelLogger final : public OneChannelLogger {
  public:
    ClientOneChannelLogger(int kind, int mode, std::function<bool()> connected, bool baseUnit)
        : kind_(kind), mode_(mode), connected_(std::move(connected)), baseUnit_(baseUnit) {}

    bool IsConnected() override { return connected_(); }

    bool Read(Correction& current) override {
        double slopes[1] = {current.slope};
        double offsets[1] = {current.offset};
        if (!client::ReadCorrection(kind_, slopes, offsets, kSlopeScale, kOffsetScale)) {
            return false;
        }
        current = {slopes[0], offsets[0]};
        return true;
    }

    bool Write(const Correction& composed) override {
        const double slopes[1] = {composed.slope};
        const double offsets[1] = {composed.offset};
        return client::SendCorrection(kind_, slopes, offsets, kSlopeScale, kOffsetScale, mode_);
    }

    std::optional<Correction> ReadQuietly() override {
        double slopes[1] = {1.0};
        double offsets[1] = {0.0};
        if (!client::ReadCorrectionQuietly(kind_, slopes, offsets, kSlopeScale, kOffsetScale)) {
            return std::nullopt;
        }
        return Correction{slopes[0], offsets[0]};
    }

    std::string UnitSerial() override {
        if (!baseUnit_) return {};
        const std::optional<uint32_t> key = client::FindBaseUnit();
        if (!key) return {};
        char text[9];
        std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(*key));
        return text;
    }

  private:
    int kind_;
    int mode_;
    std::function<bool()> connected_;
    bool baseUnit_;
};

constexpr int kOneChannelMode = 0;
constexpr int kLgr890Mode = 4;

}  // namespace

std::unique_ptr<OneChannelLogger> MakeBaseUnitLogger() {
    return std::make_unique<ClientOneChannelLogger>(client::kKindOneChannel, kOneChannelMode, [] {
        return client::CheckBaseUnitModel(client::kKindOneChannel);
    }, true);
}

std::unique_ptr<OneChannelLogger> MakeLgr890CableLogger() {
    return std::make_unique<ClientOneChannelLogger>(client::kKindLgr890, kLgr890Mode,
                                                    [] { return client::FindSerialPort() != -1; }, false);
}

}  // namespace tb::pages
