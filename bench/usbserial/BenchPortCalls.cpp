// The cost of the port library's own calls against simulated devices
// (unpaced, so only the library and the pty are measured): CheckPort, an
// open/close pair, and a 100-byte write answered by its echo through
// ReadCommWait. Prints medians in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

double MedianUs(const std::function<void()>& work, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    tb::sim::Bench bench({.pacing = false});
    for (int i = 0; i < 4; ++i)
        bench.Emplace<tb::sim::EchoDevice>(tb::sim::DeviceIdentity{0x2f5c, 0x8001, 0x08, 38400});
    bench.UseTemporaryDeviceMap();

    uint8_t ports[256] = {};
    double check = MedianUs([&] { Vk800UsbSerialEx_CheckPort("2f5c-8001", ports); }, 101);
    double openClose = MedianUs(
        [] {
            uint32_t handle = 0;
            if (Vk800UsbSerialEx_OpenComm(2, 16384, 16384, 38400, &handle) == 0)
                Vk800UsbSerialEx_CloseComm(handle);
        },
        101);
    uint32_t handle = 0;
    if (Vk800UsbSerialEx_OpenComm(1, 16384, 16384, 38400, &handle) != 0) return 1;
    std::vector<uint8_t> frame(100, 0x55), reply(100);
    double echo = MedianUs(
        [&] {
            Vk800UsbSerialEx_WriteComm(handle, frame.data(), 100);
            Vk800UsbSerialEx_ReadCommWait(handle, 2000, reply.data(), 100, 20);
        },
        101);
    Vk800UsbSerialEx_CloseComm(handle);
    std::printf("CheckPort (4 devices in the map):                median %8.1f us\n", check);
    std::printf("OpenComm + CloseComm:                            median %8.1f us\n", openClose);
    std::printf("100-byte write + echo via ReadCommWait:          median %8.1f us\n", echo);
    return 0;
}
