// Times the model-870 library against a simulated logger on a pty paced at
// 19200 baud, as ratios to the protocol's own floor: the fixed sleeps and
// pauses of each exchange, or the wire time of request and reply where that
// is longer than the settle sleep the reply read follows.
//   1. the sequence an adjustment page runs for one send;
//   2. a bulk download of 1000 records.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/modelcom/DirectUsbFloor.h"
#include "modelcom/lgr870/VkLGR870Com.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "sim/core/Bench.h"
#include "sim/lgr87x/Lgr87xDevice.h"

namespace {

using namespace tb::bench;

double DownloadFloor(int records) {
    int bytes = records * 8;
    double floor = kOpenMs + 3 * ExchangeFloor(9, 71);
    for (int left = bytes; left > 0; left -= 1024) {
        floor += ExchangeFloor(7, std::min(left, 1024) + 7);
    }
    return floor;
}

void Check(int code, const char* what) {
    if (code < 0) {
        std::fprintf(stderr, "%s failed: %d\n", what, code);
        std::exit(1);
    }
}

}  // namespace

int main() {
    setenv("TRIMBENCH_SETTINGS_FILE", "/nonexistent/trimbench-bench.conf", 1);
    constexpr int kRecords = 1000;
    tb::sim::Bench bench({.pacing = true});
    bench.Emplace<tb::sim::Lgr87xDevice>(
        tb::sim::Lgr87xDefaults(tb::sim::Lgr87xModel::k870, kRecords));
    bench.UseTemporaryDeviceMap();

    uint8_t flags[32] = {};
    Check(VkLGR870Com_IsConnect(flags, 32) - 1, "IsConnect");
    int port = 1;
    while (port <= 32 && !flags[port - 1]) ++port;

    uint32_t serial = 0;
    std::vector<double> sends;
    for (int run = 0; run < 5; ++run) {
        sends.push_back(TimeMs([&] {
            int16_t type, s1, o1, s2, o2;
            int32_t time;
            char a[16], b[16];
            uint8_t history[80];
            Check(VkLGR870Com_GetConctMachInfo(port, &serial, &type, a, b), "GetConctMachInfo");
            Check(VkLGR870Com_GetHistoryIU(serial, history), "GetHistoryIU");
            Check(VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2),
                  "GetCalibration");
            Check(VkLGR870Com_SetCalibrationIU(serial, 1700000000, 1001, 2, 999, -3),
                  "SetCalibration");
            Check(VkLGR870Com_SetHistoryIU(serial, history), "SetHistoryIU");
            Check(VkLGR870Com_GetHistoryIU(serial, history), "GetHistoryIU");
        }));
    }
    Report("page send sequence", sends, LibrarySendFloor());

    // Each command opens the port anew; the port library's own open time is
    // outside the protocol's floor, so show it apart.
    std::vector<double> opens;
    for (int run = 0; run < 5; ++run) {
        opens.push_back(TimeMs([&] {
            uint32_t handle = 0;
            Check(Vk800UsbSerialEx_OpenComm(port, 16384, 16384, 19200, &handle), "OpenComm");
            Vk800UsbSerialEx_CloseComm(handle);
        }));
    }
    const double openMs = Median(opens);
    const double sendOpens = 6;
    std::printf("%-34s median %8.1f ms per open, %.1f ms of the send sequence\n",
                "  port library open (not in floor)", openMs, sendOpens * openMs);
    std::printf("%-34s ratio %.3f\n", "  send sequence less the opens",
                (Median(sends) - sendOpens * openMs) / LibrarySendFloor());

    std::vector<double> downloads;
    std::vector<int16_t> c1(kRecords), c2(kRecords), c3(kRecords), c4(kRecords);
    uint8_t table[192];
    for (int run = 0; run < 3; ++run) {
        downloads.push_back(TimeMs([&] {
            int got = VkLGR870Com_GetRecData(serial, c1.data(), c2.data(), c3.data(), c4.data(),
                                             table, kRecords);
            Check(got == kRecords ? 0 : -1, "GetRecData");
        }));
    }
    Report("bulk download of 1000 records", downloads, DownloadFloor(kRecords));
    return 0;
}
