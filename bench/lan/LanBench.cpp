// LAN open (connect and login) and one send/receive round trip of a 100-byte
// frame against the simulated LAN base unit on loopback, through the link
// library's exports. Prints medians and their ratio to the protocol's floor,
// the sum of the fixed pauses that the protocol itself takes:
//   open:       1 ms before the connect check, 1 ms before each of the two
//               login reads and the 100 ms pause before the login text;
//   round trip: 1 ms before the send; before each of the four header reads
//               1 ms and after each of the first three 20 ms; 1 ms before the
//               data read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "link/VkLGR800Comm.h"
#include "sim/core/EchoDevice.h"
#include "sim/lan/LanBaseUnit.h"
#include "tests/support/KindTwoFrame.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kOpenFloorMs = 1 + 2 * 1 + 100;
constexpr double kRoundTripFloorMs = 1 + 4 * 1 + 3 * 20 + 1;
constexpr int kOpens = 10;
constexpr int kRoundTrips = 30;
constexpr char kLogin[] = "kestrune";

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}


void Report(const char* what, const std::vector<double>& times, double floorMs) {
    const double median = Median(times);
    std::printf("%-22s median %7.1f ms  min %7.1f ms  floor %6.1f ms  ratio %.3f  (n=%zu)\n", what,
                median, *std::min_element(times.begin(), times.end()), floorMs, median / floorMs,
                times.size());
}

}  // namespace

int main() {
    tb::sim::lan::LanBaseUnit unit(std::make_unique<tb::sim::EchoDevice>(), kLogin);
    std::vector<double> opens;
    std::vector<double> roundTrips;
    const auto frame = tb::testsupport::KindTwoFrame(std::string(94, 'b'));
    std::vector<uint8_t> reply(1024);
    uint32_t key = 0;

    for (int i = 0; i < kOpens; ++i) {
        const auto start = Clock::now();
        if (VkLGR800_OpenLANComm("127.0.0.1", unit.Port(), kLogin, 1, &key) != 0) {
            std::fprintf(stderr, "open failed\n");
            return 1;
        }
        opens.push_back(MsSince(start));
        if (i + 1 < kOpens) VkLGR800_CloseComm(key);
    }
    for (int i = 0; i < kRoundTrips; ++i) {
        const auto start = Clock::now();
        if (VkLGR800_SendComm(key, frame.data(), static_cast<int>(frame.size())) != 0 ||
            VkLGR800_RecvComm(key, reply.data(), static_cast<int>(reply.size()), 2) !=
                static_cast<int>(frame.size())) {
            std::fprintf(stderr, "round trip failed\n");
            return 1;
        }
        roundTrips.push_back(MsSince(start));
    }
    VkLGR800_CloseComm(key);

    std::printf("LAN link to the simulated base unit on 127.0.0.1:%u\n", unit.Port());
    Report("open (connect+login)", opens, kOpenFloorMs);
    Report("100-byte round trip", roundTrips, kRoundTripFloorMs);
    return 0;
}
