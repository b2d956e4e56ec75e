// The operations that the base-unit pages call to write and read a
// logger's correction. Each finds the logger itself, reports its outcome in
// a message box where said, and answers true or false. GUI thread only.
#pragma once

#include <cstdint>
#include <span>

namespace tb::client {

// Logger kinds as the pages pass them.
inline constexpr int kKindOneChannel = 0;
inline constexpr int kKindLgr830 = 1;
inline constexpr int kKindMultiInputFine = 2;
inline constexpr int kKindLgr835 = 3;
inline constexpr int kKindLgr890 = 4;
inline constexpr int kKindMultiInputCoarse = 5;

// Encodes channel 1 (and channel 2 when the mode has two channels) and
// writes it with verification; kind 4 goes over the model-890 cable. Shows
// kMsgAdjustmentFinished on success and kMsgNotConnected on failure. Modes
// other than 0 to 5, missing channels, a zero scale or values that do not
// fit their codes are refused (kMsgNotConnected) without writing.
bool SendCorrection(int kind, std::span<const double> slopes, std::span<const double> offsets,
                    uint16_t slopeScale, uint16_t offsetScale, int mode);

// Reads and decodes channel 1 (and channel 2 for kinds 1 and 3) into the
// caller's arrays; kMsgNotConnected on failure, when the arrays are unchanged.
bool ReadCorrection(int kind, std::span<double> slopes, std::span<double> offsets,
                    uint16_t slopeScale, uint16_t offsetScale);
// The same without any message: what the journal uses to learn what a
// logger holds after a write that was not confirmed.
bool ReadCorrectionQuietly(int kind, std::span<double> slopes, std::span<double> offsets,
                           uint16_t slopeScale, uint16_t offsetScale);

// One channel through the base unit's pass-through command;
// kMsgAdjustmentFinished on success, kMsgCommunicationFailed on failure.
bool SendPassThroughCorrection(double slope, double offset, uint16_t slopeScale,
                               uint16_t offsetScale);

// Reads one channel through the pass-through command; kMsgReceiveFailed when the
// exchange fails or the logger's frame is not an accepted answer. slope and
// offset change only on success.
bool ReadPassThroughCorrection(double& slope, double& offset, uint16_t slopeScale,
                               uint16_t offsetScale);
// The same without any message.
bool ReadPassThroughCorrectionQuietly(double& slope, double& offset, uint16_t slopeScale,
                                      uint16_t offsetScale);

}  // namespace tb::client
