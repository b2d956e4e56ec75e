// The wire figures of the base-unit link that the benchmarks' protocol
// floors are built from (on Linux and under Wine alike).
//
// The floor of an operation is what it cannot do without: the waits the
// client and the link library make by design, plus the time the bytes that
// are not hidden behind a wait take on the wire.
#pragma once

#include <algorithm>

namespace tb::bench {

inline constexpr double kBaseUnitBaud = 38400;
inline constexpr double kCableBaud = 2400;
inline constexpr int kBitsPerByte = 10;

inline double WireMs(double bytes, double baud) { return bytes * kBitsPerByte * 1000.0 / baud; }

// Frames of the base-unit exchanges, in bytes on the wire.
inline constexpr double kSerialQuery = 12, kSerialAnswer = 44;
inline constexpr double kWriteFrame = 90, kWriteAnswer = 30;
inline constexpr double kReadFrame = 19, kReadAnswer = 101;
// The link library's own pauses: 10 ms before each port open, 20 ms after
// each reply header byte but the last (three for a kind-'2' frame and for
// the serial answer), and in frame reception 1 ms before each of the
// header's four reads and the data read.
inline constexpr double kOpenPauseMs = 10, kHeaderPausesMs = 60, kReceptionReadPausesMs = 5;

// One exchange over the link: the open pause, the request on the wire, then
// the reply. The reply's bytes keep arriving while the receiver pauses
// between header bytes, so the reply costs its first byte plus the pauses,
// or its whole wire time when that is longer; counting both would put the
// floor above what the line allows. The simulated unit answers as soon as a
// request is in, so no answer time of its own is added.
inline double ExchangeFloorMs(double requestBytes, double answerBytes, double readPausesMs) {
    const double pausedReply = WireMs(1, kBaseUnitBaud) + kHeaderPausesMs + readPausesMs;
    return kOpenPauseMs + WireMs(requestBytes, kBaseUnitBaud) +
           std::max(pausedReply, WireMs(answerBytes, kBaseUnitBaud));
}
inline double SerialQueryFloorMs() { return ExchangeFloorMs(kSerialQuery, kSerialAnswer, 0); }
inline double BlockReadFloorMs() {
    return ExchangeFloorMs(kReadFrame, kReadAnswer, kReceptionReadPausesMs);
}
inline double BlockWriteFloorMs() {
    return ExchangeFloorMs(kWriteFrame, kWriteAnswer, kReceptionReadPausesMs);
}

// A technician's send on a base-unit page: model check (discovery, EISET
// read), current correction (discovery, EIADJ read), write (discovery,
// EIADJ write, the mode's wait, EIADJ read-back).
inline double PageSendFloorMs(double writeWaitMs) {
    return 3 * SerialQueryFloorMs() + 3 * BlockReadFloorMs() + BlockWriteFloorMs() + writeWaitMs;
}

}  // namespace tb::bench
