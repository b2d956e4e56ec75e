// The direct-USB command frame: 0x01, command, sub-code (a status or a
// sequence number in replies), a 16-bit data length, the data and a 16-bit
// byte sum of everything before it. All fields little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tb::modelcom {

inline constexpr uint8_t kFrameStart = 0x01;
inline constexpr size_t kFrameOverhead = 7;     // start, command, sub, length (2), check (2)
inline constexpr size_t kFrameHeaderSize = 5;   // data starts here
inline constexpr size_t kMaxRequestData = 249;  // a request fits 256 bytes
inline constexpr uint8_t kBulkBlockCommand = 0x41;

inline constexpr uint8_t kStatusAccepted = 0x06;
inline constexpr uint8_t kStatusRefused = 0x15;
inline constexpr uint8_t kStatusRecording = 0x09;
inline constexpr uint8_t kStatus35 = 0x35;

// The request frame, or an empty vector when the data do not fit.
std::vector<uint8_t> BuildRequest(uint8_t command, uint8_t sub, std::span<const uint8_t> data);

// Checks a received reply to `command`. Returns 0 or the first failing
// check's code: -6 start byte, -7 command echo, the refusal codes (-8 for
// 0x15, -9 for 0x09, `status35Code` for 0x35, -10 for any other status; not
// for bulk data blocks, whose sub-code is a sequence number), -11 length
// field against the count, -12 byte sum. A step whose bytes never arrived
// gives -5 instead of looking at bytes that are not there.
int CheckReply(std::span<const uint8_t> received, uint8_t command, int status35Code);

// The data bytes of a reply that passed CheckReply.
inline std::span<const uint8_t> ReplyData(std::span<const uint8_t> reply) {
    return reply.subspan(kFrameHeaderSize, reply.size() - kFrameOverhead);
}

}  // namespace tb::modelcom
