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

#include "bench/link/LinkFloor.h"
#include "link/VkLGR800Comm.h"
#include "platform/DeviceIds.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/baseunit/ScriptedLogger.h"
#include "sim/core/Bench.h"
#include "tests/support/KindTwoFrame.h"

namespace {

using namespace tb::bench;

constexpr int kRuns = 15;

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
    if (replyBytes != kSerialReplyBytes)
        std::fprintf(stderr, "the serial reply has %d bytes\n", replyBytes);
    Report("VkLGR800_GetSerial, one unit", serialMs,
           ExchangeFloorMs(kSerialQueryBytes, replyBytes, 0.0),
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
