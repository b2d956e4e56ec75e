// Finding base units: the device search and the count of attached units.
#include <array>
#include <cstring>

#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "platform/DeviceIds.h"

namespace tb::link {
namespace {

// Status entry values of the count.
constexpr int kNotWritten = -1;
constexpr int kNoUnit = 0;
constexpr int kUnit = 1;
constexpr int kOtherDevice = 2;
constexpr int kLatchUnreadable = 3;

}  // namespace

bool LinkLibrary::SearchDevices(int productId, uint8_t (&ports)[kPortCount]) {
    const platform::DeviceIds ids = platform::LoadDeviceIds();
    for (const uint16_t vendor : {ids.primaryVendor, ids.secondaryVendor}) {
        std::memset(ports, 0, sizeof ports);
        const std::string vidPid = platform::FormatVidPid(vendor, static_cast<uint16_t>(productId));
        if (ports_.CheckPort(vidPid.c_str(), ports) == 0) return true;
    }
    return false;
}

int LinkLibrary::GetConnectNum(uint8_t* status, int length, int productId, int skipLatch) {
    uint8_t flagged[kPortCount];
    if (!SearchDevices(productId, flagged)) return 0;

    std::array<int, kPortCount> entries;
    entries.fill(kNotWritten);
    int counted = 0;
    for (int port = 1; port <= kPortCount; ++port) {
        int& entry = entries[static_cast<size_t>(port - 1)];
        if (!flagged[port - 1]) {
            entry = kNoUnit;
            continue;
        }
        uint32_t handle = 0;
        const int opened = OpenPort(port, handle);
        if (opened == kPortBusy) {  // in use, so attached
            ++counted;
            entry = kUnit;
            continue;
        }
        if (opened != 0) {
            entry = kNoUnit;
            continue;
        }
        const LatchOutcome latch =
            skipLatch ? LatchOutcome::BaseUnit : CheckLatch(handle, runtimeNames_);
        ports_.CloseComm(handle);
        switch (latch) {
            case LatchOutcome::BaseUnit:
                ++counted;
                entry = kUnit;
                break;
            case LatchOutcome::OtherDevice:
                entry = kOtherDevice;
                break;
            case LatchOutcome::UnreadableBoth:
                entry = kLatchUnreadable;
                break;
            case LatchOutcome::UnreadableSecondOnly:
                break;
            case LatchOutcome::NoReadFunction:
                ++counted;
                break;
            case LatchOutcome::NoRuntime:
                return kNoLatchRuntime;
        }
    }
    if (status) {
        for (int i = 0; i < length && i < kPortCount; ++i)
            if (entries[static_cast<size_t>(i)] != kNotWritten)
                status[i] = static_cast<uint8_t>(entries[static_cast<size_t>(i)]);
    }
    return counted;
}

}  // namespace tb::link
