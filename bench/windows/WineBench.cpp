// The device libraries' times under Wine against the paced simulator that
// `scripts/wine-test.sh --bench` serves (a base unit at 38400 baud and a
// model-870 logger at 19200 baud), each beside the same protocol floor as
// the Linux benchmarks (bench_link, bench_modelcom) print, so the two
// ratios side by side show what Wine adds.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/link/LinkFloor.h"
#include "bench/modelcom/DirectUsbFloor.h"
#include "link/VkLGR800Comm.h"
#include "modelcom/lgr870/VkLGR870Com.h"
#include "platform/DeviceIds.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"

namespace {

using namespace tb::bench;

constexpr int kRuns = 15;

void Check(int code, const char* what) {
    if (code < 0) {
        std::fprintf(stderr, "%s failed: %d\n", what, code);
        std::exit(1);
    }
}

template <class F>
std::vector<double> Runs(F&& body) {
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) runs.push_back(TimeMs(body));
    return runs;
}

// The port library's open and close of a port, outside every floor.
double OpenCloseMs(int port, int baud) {
    return Median(Runs([&] {
        uint32_t handle = 0;
        Check(Vk800UsbSerialEx_OpenComm(port, 16384, 16384, baud, &handle), "OpenComm");
        Vk800UsbSerialEx_CloseComm(handle);
    }));
}

int FirstPort(int (*isConnect)(uint8_t*, int)) {
    uint8_t flags[32] = {};
    Check(isConnect(flags, 32) - 1, "IsConnect");
    int port = 1;
    while (port <= 32 && !flags[port - 1]) ++port;
    return port;
}

}  // namespace

int main() {
    const int product = tb::platform::DeviceIds{}.Product(1);
    uint32_t units[256] = {};
    const auto serial = Runs([&] {
        if (VkLGR800_GetSerial(units, 256, product, 0) != 1) std::fprintf(stderr, "unit lost\n");
    });
    Report("VkLGR800_GetSerial, one unit", serial,
           ExchangeFloorMs(kSerialQueryBytes, kSerialReplyBytes, 0.0));

    const int port = FirstPort(VkLGR870Com_IsConnect);
    uint32_t logger = 0;
    int16_t type = 0, s1, o1, s2, o2;
    int32_t time = 0;
    char a[16], b[16];
    uint8_t history[80];
    Check(VkLGR870Com_GetConctMachInfo(port, &logger, &type, a, b), "GetConctMachInfo");
    Report("870 calibration read", Runs([&] {
               Check(VkLGR870Com_GetCalibrationIU(logger, &time, &s1, &o1, &s2, &o2),
                     "GetCalibration");
           }),
           CalibrationReadFloor());
    Report("870 calibration write", Runs([&] {
               Check(VkLGR870Com_SetCalibrationIU(logger, 1700000000, 1001, 2, 999, -3),
                     "SetCalibration");
           }),
           CalibrationWriteFloor());
    const auto sends = Runs([&] {
        Check(VkLGR870Com_GetConctMachInfo(port, &logger, &type, a, b), "GetConctMachInfo");
        Check(VkLGR870Com_GetHistoryIU(logger, history), "GetHistoryIU");
        Check(VkLGR870Com_GetCalibrationIU(logger, &time, &s1, &o1, &s2, &o2), "GetCalibration");
        Check(VkLGR870Com_SetCalibrationIU(logger, 1700000000, 1001, 2, 999, -3), "SetCalibration");
        Check(VkLGR870Com_SetHistoryIU(logger, history), "SetHistoryIU");
        Check(VkLGR870Com_GetHistoryIU(logger, history), "GetHistoryIU");
    });
    Report("870 page send sequence", sends, LibrarySendFloor());

    // What one open and close of a port costs under Wine; each command opens anew.
    uint8_t status[256] = {};
    VkLGR800_GetConnectNum(status, 256, product, 0);
    int unitPort = 1;
    while (unitPort < 256 && status[unitPort - 1] != 1) ++unitPort;
    std::printf("%-34s median %8.2f ms (base unit), %.2f ms (870 logger)\n",
                "  port library open+close", OpenCloseMs(unitPort, 38400),
                OpenCloseMs(port, 19200));
    return 0;
}
