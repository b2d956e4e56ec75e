// The 11-byte start-of-header frame: 0x01, a command letter, an answer code
// (0 in a request), the data length 4, four data bytes and the 16-bit byte
// sum of bytes 0 to 8. It travels inside EISOH through the base unit and
// on its own over the model-890 cable.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "client/CommandText.h"

namespace tb::client {

using SohFrame = std::array<uint8_t, kSohFrameSize>;

inline constexpr uint8_t kSohStart = 0x01;
inline constexpr uint8_t kSohDataLength = 4;
inline constexpr std::size_t kSohDataAt = 5;
inline constexpr std::size_t kSohCheckAt = 9;

inline constexpr uint8_t kLetterReadCorrection = 0x6D;   // "m", through EISOH
inline constexpr uint8_t kLetterWriteCorrection = 0x6E;  // "n", through EISOH
inline constexpr uint8_t kLetterWriteByte = 0x56;        // "V", model-890 cable
inline constexpr uint8_t kLetterReadBlock = 0x59;        // "Y", model-890 cable

inline constexpr uint8_t kAnswerAccepted = 0x06;
inline constexpr uint8_t kAnswerRefusedNak = 0x15;
inline constexpr uint8_t kAnswerRefusedBusy = 0x13;
inline constexpr uint8_t kAnswerRefusedOther = 0x0F;

// A request with the given letter and data bytes 5 to 8.
SohFrame MakeSohRequest(uint8_t letter, std::array<uint8_t, 4> data);

// "m": read the correction, four zero data bytes.
SohFrame MakeReadCorrectionRequest();
// "n": offset code, then slope code (the reverse of the adjustment block).
SohFrame MakeWriteCorrectionRequest(int16_t offsetCode, uint16_t slopeCode);
// "V": write one adjustment byte at address 0 to 3.
SohFrame MakeWriteByteRequest(uint16_t address, uint8_t value);
// "Y": read the adjustment bytes.
SohFrame MakeReadBlockRequest();

// Checks a pass-through read reply: 0 when valid; -1 too short, -2 not the
// "m" letter, -3/-4/-5 refused with 0x15/0x13/0x0F, -6 any other answer,
// -7 data length not 4, -8 bad check. The start byte is the caller's to check.
int CheckReadCorrectionReply(std::span<const uint8_t> reply);

struct PassThroughCodes {
    int16_t offset = 0;
    uint16_t slope = 0;
};
PassThroughCodes DecodePassThroughCodes(std::span<const uint8_t, kSohFrameSize> reply);

}  // namespace tb::client
