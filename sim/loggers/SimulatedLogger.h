// A logger behind a simulated base unit. It holds its 64-byte adjustment
// block, its 64-byte settings block (device code at byte 62, input flags at
// byte 28) and, on the multi-input logger's noise/vibration input, the
// correction reached through the pass-through command. It answers the
// command texts EIADJ, EISET and EISOH with STATUS and, where asked, DATA.
//
// Not thread-safe by itself: the bench calls it under its state lock, and
// other threads take that lock too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/baseunit/LoggerBehindUnit.h"
#include "sim/loggers/LoggerFaults.h"
#include "sim/loggers/LoggerModels.h"

namespace tb::sim::loggers {

struct TextCommand;

using Block64 = std::array<uint8_t, 64>;

inline constexpr std::size_t kDeviceCodeByte = 62;
inline constexpr std::size_t kInputFlagsByte = 28;
inline constexpr uint8_t kNoiseInputFlag = 0x08;

struct PassThroughCorrection {
    int16_t offsetCode = 0;
    uint16_t slopeCode = 1000;
};

class SimulatedLogger final : public LoggerBehindUnit {
  public:
    explicit SimulatedLogger(LoggerModel model);

    // LoggerBehindUnit: an empty reply is silence.
    std::vector<uint8_t> OnCommand(std::span<const uint8_t> text) override;

    // The reply body to one command body; nothing when the logger stays silent.
    std::optional<std::vector<uint8_t>> Answer(std::span<const uint8_t> commandBody);

    const LoggerModel& Model() const { return model_; }
    const Block64& Adjustment() const { return adjustment_; }
    void SetAdjustment(const Block64& block) { adjustment_ = block; }
    const Block64& Settings() const { return settings_; }
    Block64& MutableSettings() { return settings_; }
    const PassThroughCorrection& PassThrough() const { return passThrough_; }
    void SetPassThrough(const PassThroughCorrection& correction) { passThrough_ = correction; }
    // The factory state: slope 1.0 and offset 0 on every channel.
    void Reset();

    LoggerFaults& Faults() { return faults_; }
    int AdjustmentWrites() const { return adjustmentWrites_; }
    int AdjustmentReads() const { return adjustmentReads_; }

    // "key: value" lines of what the logger holds.
    std::string DumpState() const override;

  private:
    std::vector<uint8_t> AnswerAdjust(const TextCommand& command);
    std::vector<uint8_t> AnswerSettings(const TextCommand& command);
    std::vector<uint8_t> AnswerPassThrough(const TextCommand& command);
    std::vector<uint8_t> Reply(const std::string& word, bool ok,
                               std::optional<std::span<const uint8_t>> data);

    LoggerModel model_;
    Block64 adjustment_{};
    Block64 settings_{};
    PassThroughCorrection passThrough_;
    LoggerFaults faults_;
    int adjustmentWrites_ = 0;
    int adjustmentReads_ = 0;
};

}  // namespace tb::sim::loggers
