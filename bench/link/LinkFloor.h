// The link protocol's own floor against a base unit at 38400 baud: its fixed
// pauses plus the wire time of the bytes that must cross the line. Shared by
// the Linux benchmark and the Windows one under Wine.
#pragma once

#include <algorithm>

namespace tb::bench {
inline constexpr double kBaud = 38400.0;
inline constexpr double kBitsPerByte = 10.0;

inline double WireMs(int bytes) { return bytes * kBitsPerByte * 1000.0 / kBaud; }

// Fixed pauses: the port open's 10 ms, and in a kind-'2' reply header a
// 20 ms pause after each of its first three bytes.
inline constexpr double kOpenPauseMs = 10.0;
inline constexpr double kHeaderPausesMs = 3 * 20.0;
// Frame reception adds 1 ms before each of the header's four reads and the data read.
inline constexpr double kReceptionReadPausesMs = 5 * 1.0;

// The floor of one request and its reply: the open pause, the request on the
// wire, then the reply. The reply's bytes keep arriving while the receiver
// pauses between header bytes, so the reply costs its first byte plus the
// pauses, or its wire time when that is longer.
inline double ExchangeFloorMs(int requestBytes, int replyBytes, double readPausesMs) {
    const double pausedReply = WireMs(1) + kHeaderPausesMs + readPausesMs;
    return kOpenPauseMs + WireMs(requestBytes) + std::max(pausedReply, WireMs(replyBytes));
}

// The serial query and the base unit's reply to it ("RUINF:" with STATUS and SER).
constexpr int kSerialQueryBytes = 12;
constexpr int kSerialReplyBytes = 44;

}  // namespace tb::bench
