// Times of the link library against a simulated base unit on a paced pty
// (38400 baud), each beside the floor the protocol itself imposes: its fixed
// pauses plus the wire time of the bytes that must cross the line.
//
// The simulator's thread must wake within a fraction of a byte time; on a
// machine that other work keeps busy its scheduling delays add to every
// figure. There, run it with real-time priority (as root:
// `chrt -f 20 bench_link`) to see the library's own times.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "link/VkLGR800Comm.h"
#include "platform/DeviceIds.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/baseunit/ScriptedLogger.h"
#include "sim/core/Bench.h"
#include "tests/support/KindTwoFrame.h"

namespace {

constexpr int kRuns = 15;
constexpr double kBaud = 38400.0;
constexpr double kBitsPerByte = 10.0;

double WireMs(int bytes) { return bytes * kBitsPerByte * 1000.0 / kBaud; }

// Fixed pauses: the port open's 10 ms, and in a kind-'2' reply header a
// 20 ms pause after each of its first three bytes.
constexpr double kOpenPauseMs = 10.0;
constexpr double kHeaderPausesMs = 3 * 20.0;
// Frame reception adds 1 ms before each of the header's four reads and the data read.
constexpr double kReceptionReadPausesMs = 5 * 1.0;

// The floor of one request and its reply: the open pause, the request on the
// wire, then the reply. The reply's bytes keep arriving while the receiver
// pauses between header bytes, so the reply costs its first byte plus the
// pauses, or its wire time when that is longer.
double ExchangeFloorMs(int requestBytes, int replyBytes, double readPausesMs) {
    const double pausedReply = WireMs(1) + kHeaderPausesMs + readPausesMs;
    return kOpenPauseMs + WireMs(requestBytes) + std::max(pausedReply, WireMs(replyBytes));
}

template <typename Body>
double MedianMs(Body body) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        body();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, double measuredMs, double floorMs, double portLibraryMs) {
    std::printf("%-42s median %8.2f ms  floor %8.2f ms  ratio %.3f\n", what, measuredMs, floorMs,
                measuredMs / floorMs);
    std::printf("%-42s   less %8.2f ms spent inside the port library's own calls: ratio %.3f\n", "",
                portLibraryMs, (measuredMs - portLibraryMs) / floorMs);
}

// The time the port library itself takes for the calls a step makes
// (device search, open and close), measured alone.
double PortLibraryMs(int comNumber, bool withSearch, const char* vidPid) {
    return MedianMs([&] {
        uint8_t ports[256] = {};
        if (withSearch) Vk800UsbSerialEx_CheckPort(vidPid, ports);
        uint32_t handle = 0;
        if (Vk800UsbSerialEx_OpenComm(comNumber, 16384, 16384, 38400, &handle) == 0)
            Vk800UsbSerialEx_CloseComm(handle);
    });
}

}  // namespace

int main() {
    tb::sim::Bench bench({.pacing = true});
    auto logger = std::make_shared<tb::sim::ScriptedLogger>();
    logger->SetEcho(true);
    tb::sim::BaseUnitConfig config;
    config.serial = 0x00BE7C40;
    const int com = bench.Add(std::make_unique<tb::sim::BaseUnit>(config, logger));
    bench.UseTemporaryDeviceMap();
    const int product = tb::platform::DeviceIds{}.Product(1);
    const std::string vidPid =
        tb::platform::FormatVidPid(tb::platform::DeviceIds{}.primaryVendor, product);
    const double searchOpenCloseMs = PortLibraryMs(com, true, vidPid.c_str());
    const double openCloseMs = PortLibraryMs(com, false, vidPid.c_str());

    // The serial query: 12 bytes out, 44 bytes back.
    uint32_t units[256];
    const double serialMs = MedianMs([&] {
        if (VkLGR800_GetSerial(units, 256, product, 0) != 1) std::fprintf(stderr, "unit lost\n");
    });
    const int replyBytes = static_cast<int>(tb::sim::SerialAnswerText(0).size()) + 6;
    Report("VkLGR800_GetSerial, one unit", serialMs, ExchangeFloorMs(12, replyBytes, 0.0),
           searchOpenCloseMs);

    // One transaction with a 100-byte frame, echoed by the logger.
    const std::vector<uint8_t> frame = tb::testsupport::KindTwoFrame(std::string(94, 'x'));
    std::vector<uint8_t> reply(1024);
    const double roundTripMs = MedianMs([&] {
        VkLGR800_OpenUSBComm(units[0]);
        VkLGR800_ClearCommBuf(units[0], 1);
        VkLGR800_ClearCommBuf(units[0], 0);
        VkLGR800_SendComm(units[0], frame.data(), static_cast<int>(frame.size()));
        if (VkLGR800_RecvComm(units[0], reply.data(), 1024, 0) != static_cast<int>(frame.size()))
            std::fprintf(stderr, "reply lost\n");
        VkLGR800_CloseComm(units[0]);
    });
    Report("open/send/receive/close, 100-byte frame", roundTripMs,
           ExchangeFloorMs(static_cast<int>(frame.size()), static_cast<int>(frame.size()),
                           kReceptionReadPausesMs),
           openCloseMs);
    return 0;
}
