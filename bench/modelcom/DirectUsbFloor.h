// The protocol's own floor of the direct-USB exchanges at 19200 baud, and
// the figures the direct-USB benchmarks print. The floor of an exchange is
// its fixed settle sleep, or the wire time of request and reply where that
// is longer.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace tb::bench {

inline constexpr double kByteMs = 10.0 * 1000.0 / 19200.0;  // start, 8 data, stop bits
inline constexpr double kOpenMs = 1.0;                      // the pause before each open
inline constexpr double kSettleMs = 100.0;                  // between request and reply read
inline constexpr double kPauseMs = 100.0;                   // after calibration and history writes

inline double ExchangeFloor(int requestBytes, int replyBytes) {
    return std::max(kSettleMs, (requestBytes + replyBytes) * kByteMs);
}

inline double CalibrationReadFloor() { return kOpenMs + ExchangeFloor(7, 19) + kPauseMs; }
inline double CalibrationWriteFloor() { return kOpenMs + ExchangeFloor(19, 7) + kPauseMs; }

// The library calls of one send on an adjustment page: identification,
// history read, calibration read, calibration write, history write, and the
// history read that refreshes the list.
inline double LibrarySendFloor() {
    double floor = 0;
    floor += kOpenMs + ExchangeFloor(7, 71) + 2 * ExchangeFloor(8, 71);  // identification
    floor += kOpenMs + ExchangeFloor(7, 87);                             // history read
    floor += CalibrationReadFloor();
    floor += CalibrationWriteFloor();
    floor += kOpenMs + ExchangeFloor(87, 7) + kPauseMs;                  // history write
    floor += kOpenMs + ExchangeFloor(7, 87);                             // history read
    return floor;
}

// A send on the 870 or 875 page: the logger search opens the port once
// before the library's send sequence, the page reads the written pair back
// (a calibration read with its exchange and pause), and pauses 300 ms after
// the correction write and 200 ms after the history write.
inline constexpr double kPagePausesMs = 300.0 + 200.0;
inline double ReadBackFloor() { return kOpenMs + ExchangeFloor(7, 19) + kPauseMs; }
inline double PageSendFloor() { return kOpenMs + LibrarySendFloor() + ReadBackFloor() + kPagePausesMs; }

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class F>
double TimeMs(F&& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline void Report(const char* what, const std::vector<double>& runs, double floor) {
    const double median = Median(runs);
    std::printf("%-34s median %8.1f ms  floor %8.1f ms  ratio %.3f  (%zu runs)\n", what, median,
                floor, median / floor, runs.size());
}

}  // namespace tb::bench
