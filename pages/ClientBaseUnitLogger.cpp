#include "pages/ClientBaseUnitLogger.h"

#include <array>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "client/AdjustmentBlock.h"
#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionCodes.h"
#include "client/LoggerClient.h"

namespace tb::pages {
namespace {

constexpr uint16_t kScale1000 = 1000;

// Logger kind and mode of each transaction a page makes.
struct Transport {
    int readKind;
    int writeKind;
    int writeMode;
    int initialiseKind;
    int initialiseMode;
};

struct Scales {
    uint16_t slope = kScale1000;
    uint16_t offset = kScale1000;
};

// The first base unit's serial, as the journal names it.
std::string FirstBaseUnitSerial() {
    const std::optional<uint32_t> key = client::FindBaseUnit();
    if (!key) return {};
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(*key));
    return text;
}

// Keeps an operation on the base unit (or the model-890 cable's port) that
// its connection check found. A pin already in force, the command line's,
// is narrowed to the same device and put back when the operation ends.
class DevicePin {
  public:
    explicit DevicePin(bool behindBaseUnit) : behindBaseUnit_(behindBaseUnit) {}

    // Pins the device that the connection check just found; false (and
    // nothing pinned) when it found none.
    bool PinLastFound() {
        Release();
        if (behindBaseUnit_) {
            const std::optional<uint32_t> key = client::LastFoundBaseUnit();
            if (!key) return false;
            savedUnit_ = client::PinnedBaseUnit();
            client::PinBaseUnit(key);
        } else {
            const std::optional<int> com = client::LastFoundSerialPort();
            if (!com) return false;
            savedPort_ = client::PinnedSerialPort();
            client::PinSerialPort(com);
        }
        pinned_ = true;
        return true;
    }

    void Release() {
        if (!pinned_) return;
        if (behindBaseUnit_) {
            client::PinBaseUnit(savedUnit_);
        } else {
            client::PinSerialPort(savedPort_);
        }
        pinned_ = false;
    }

  private:
    bool behindBaseUnit_;
    bool pinned_ = false;
    std::optional<uint32_t> savedUnit_;
    std::optional<int> savedPort_;
};

// Runs the page's connection check and pins the device it found, without
// asking the hardware again.
bool ConnectPinnedWith(DevicePin& pin, BaseUnitLogger& logger) {
    pin.Release();
    client::ForgetLastFound();
    return logger.IsConnected() && pin.PinLastFound();
}

CodeFit FitOf(const Correction& composed, Scales scales, int offsetDecimals) {
    if (!client::EncodeSlopeCode(composed.slope, scales.slope)) return CodeFit::SlopeDoesNotFit;
    if (!client::EncodeOffsetCode(composed.offset, scales.offset, offsetDecimals)) {
        return CodeFit::OffsetDoesNotFit;
    }
    return CodeFit::Fits;
}

// One or two channels in the 64-byte adjustment block, through
// ReadCorrection / SendCorrection; `connected` is the page's connection check.
class AdjustmentBlockLogger : public BaseUnitLogger {
  public:
    AdjustmentBlockLogger(Transport transport, Scales scales, std::function<bool()> connected,
                          bool behindBaseUnit = true)
        : transport_(transport),
          scales_(scales),
          connected_(std::move(connected)),
          behindBaseUnit_(behindBaseUnit),
          pin_(behindBaseUnit) {}
    ~AdjustmentBlockLogger() override { pin_.Release(); }

    bool IsConnected() override { return connected_(); }
    bool ConnectPinned() override { return ConnectPinnedWith(pin_, *this); }
    void Unpin() override { pin_.Release(); }

    bool Read(std::span<Correction> current) override {
        return ReadWith(client::ReadCorrection, current);
    }

    bool ReadQuietly(std::span<Correction> current) override {
        return ReadWith(client::ReadCorrectionQuietly, current);
    }

    std::string UnitSerial() override { return behindBaseUnit_ ? FirstBaseUnitSerial() : ""; }

    bool Write(std::span<const Correction> composed) override {
        return Send(transport_.writeKind, transport_.writeMode, composed);
    }

    bool Initialise(std::span<const Correction> identity) override {
        return Send(transport_.initialiseKind, transport_.initialiseMode, identity);
    }

    CodeFit Fits(const Correction& composed) const override {
        return FitOf(composed, scales_, client::OffsetDecimalsForKind(transport_.writeKind));
    }

    // Encoded as a write encodes it, and decoded as a read decodes it.
    Correction Stored(const Correction& composed) const override {
        const client::ChannelCorrection channel{composed.slope, composed.offset};
        const client::CorrectionScales scales{scales_.slope, scales_.offset};
        const auto block =
            client::EncodeAdjustmentBlock(std::span(&channel, 1), scales, transport_.writeKind);
        if (!block) return BaseUnitLogger::Stored(composed);
        const client::ChannelCorrection held = client::DecodeAdjustmentChannel(*block, 0, scales);
        return {held.slope, held.offset};
    }

  private:
    struct Codes {
        std::array<double, 2> slopes{};
        std::array<double, 2> offsets{};
        std::span<double> Slopes(std::size_t n) { return std::span(slopes).first(n); }
        std::span<double> Offsets(std::size_t n) { return std::span(offsets).first(n); }
    };

    template <typename ReadFunction>
    bool ReadWith(ReadFunction read, std::span<Correction> current) {
        Codes codes = Split(current);
        if (current.size() > codes.slopes.size() ||
            !read(transport_.readKind, codes.Slopes(current.size()), codes.Offsets(current.size()),
                  scales_.slope, scales_.offset)) {
            return false;
        }
        for (std::size_t i = 0; i < current.size(); ++i) {
            current[i] = {codes.slopes[i], codes.offsets[i]};
        }
        return true;
    }

    static Codes Split(std::span<const Correction> corrections) {
        Codes codes;
        for (std::size_t i = 0; i < corrections.size() && i < codes.slopes.size(); ++i) {
            codes.slopes[i] = corrections[i].slope;
            codes.offsets[i] = corrections[i].offset;
        }
        return codes;
    }

    bool Send(int kind, int mode, std::span<const Correction> corrections) {
        if (corrections.size() > 2) return false;
        Codes codes = Split(corrections);
        return client::SendCorrection(kind, codes.Slopes(corrections.size()),
                                      codes.Offsets(corrections.size()), scales_.slope,
                                      scales_.offset, mode);
    }

    Transport transport_;
    Scales scales_;
    std::function<bool()> connected_;
    bool behindBaseUnit_;
    DevicePin pin_;
};

// The multi-input logger's noise/vibration input, reached through the base
// unit's pass-through command.
class PassThroughLogger final : public BaseUnitLogger {
  public:
    PassThroughLogger(Scales scales, std::function<bool()> connected)
        : scales_(scales), connected_(std::move(connected)) {}
    ~PassThroughLogger() override { pin_.Release(); }

    bool IsConnected() override { return connected_(); }
    bool ConnectPinned() override { return ConnectPinnedWith(pin_, *this); }
    void Unpin() override { pin_.Release(); }

    bool Read(std::span<Correction> current) override {
        if (current.size() != 1) return false;
        return client::ReadPassThroughCorrection(current[0].slope, current[0].offset, scales_.slope,
                                                 scales_.offset);
    }

    bool ReadQuietly(std::span<Correction> current) override {
        if (current.size() != 1) return false;
        return client::ReadPassThroughCorrectionQuietly(current[0].slope, current[0].offset,
                                                        scales_.slope, scales_.offset);
    }

    bool Write(std::span<const Correction> composed) override {
        if (composed.size() != 1) return false;
        return client::SendPassThroughCorrection(composed[0].slope, composed[0].offset,
                                                 scales_.slope, scales_.offset);
    }

    CodeFit Fits(const Correction& composed) const override {
        return FitOf(composed, scales_, client::kCoarseOffsetDecimals);
    }

    Correction Stored(const Correction& composed) const override {
        const auto slope = client::EncodeSlopeCode(composed.slope, scales_.slope);
        const auto offset = client::EncodeOffsetCode(composed.offset, scales_.offset,
                                                     client::kCoarseOffsetDecimals);
        if (!slope || !offset) return BaseUnitLogger::Stored(composed);
        return {client::DecodeSlope(*slope, scales_.slope),
                client::DecodeOffset(*offset, scales_.offset)};
    }

    std::string UnitSerial() override { return FirstBaseUnitSerial(); }

  private:
    Scales scales_;
    std::function<bool()> connected_;
    DevicePin pin_{true};
};

constexpr int kOneChannelMode = 0;
constexpr int kLgr830Mode = 1;
constexpr int kMultiInputFineMode = 2;
constexpr int kLgr835Mode = 3;
constexpr int kLgr890Mode = 4;
constexpr int kMultiInputCoarseMode = 5;

constexpr int kNoiseVibrationInput = 4;

Transport SameKindAndMode(int kind, int mode) { return {kind, kind, mode, kind, mode}; }

// A logger behind the base unit that tells its device code when found.
class BaseUnitModelLogger final : public AdjustmentBlockLogger {
  public:
    BaseUnitModelLogger(int kind, int mode)
        : AdjustmentBlockLogger(SameKindAndMode(kind, mode), Scales{}, nullptr), kind_(kind) {}

    bool IsConnected() override {
        deviceCode_ = client::ServedDeviceCode(kind_);
        return deviceCode_.has_value();
    }
    std::optional<uint8_t> DeviceCode() const override { return deviceCode_; }

  private:
    int kind_;
    std::optional<uint8_t> deviceCode_;
};

std::unique_ptr<BaseUnitLogger> BaseUnitModel(int kind, int mode) {
    return std::make_unique<BaseUnitModelLogger>(kind, mode);
}

// Temperature inputs are written with offsets of one decimal, but
// initialised, as the other inputs, with three.
Transport MultiInputTransport(int inputKind) {
    const bool temperature = inputKind == 0 || inputKind == 1;
    Transport transport = SameKindAndMode(client::kKindMultiInputFine, kMultiInputFineMode);
    transport.readKind = client::kKindOneChannel;
    if (temperature) {
        transport.writeKind = client::kKindMultiInputCoarse;
        transport.writeMode = kMultiInputCoarseMode;
    }
    return transport;
}

}  // namespace

std::unique_ptr<BaseUnitLogger> MakeBaseUnitLogger() {
    return BaseUnitModel(client::kKindOneChannel, kOneChannelMode);
}

std::unique_ptr<BaseUnitLogger> MakeLgr890CableLogger() {
    return std::make_unique<AdjustmentBlockLogger>(
        SameKindAndMode(client::kKindLgr890, kLgr890Mode), Scales{},
        [] { return client::FindSerialPort() != -1; }, false);
}

std::unique_ptr<BaseUnitLogger> MakeLgr830Logger() {
    return BaseUnitModel(client::kKindLgr830, kLgr830Mode);
}

std::unique_ptr<BaseUnitLogger> MakeLgr835Logger() {
    return BaseUnitModel(client::kKindLgr835, kLgr835Mode);
}

std::unique_ptr<BaseUnitLogger> MakeMultiInputLogger(int inputKind, uint16_t slopeScale,
                                                     uint16_t offsetScale) {
    const Scales scales{slopeScale, offsetScale};
    auto connected = [inputKind] { return client::CheckMultiInputModel(inputKind); };
    if (inputKind == kNoiseVibrationInput) {
        return std::make_unique<PassThroughLogger>(scales, connected);
    }
    return std::make_unique<AdjustmentBlockLogger>(MultiInputTransport(inputKind), scales,
                                                   connected);
}

}  // namespace tb::pages
