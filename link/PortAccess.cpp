#include <algorithm>

#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "platform/Clock.h"

namespace tb::link {
namespace {

constexpr uint32_t kOpenPauseMs = 10;
constexpr int kBusyRetries = 10;
// A port that takes no byte for this long has failed the write.
constexpr uint32_t kStalledWriteMs = 2000;

}  // namespace

int LinkLibrary::OpenPort(int portNumber, uint32_t& handle) {
    int retries = 0;
    for (;;) {
        PumpAndSleep(kOpenPauseMs);
        bool idle = false;
        // Only one open at a time in the whole process.
        if (!openInProgress_.compare_exchange_strong(idle, true)) continue;
        uint32_t opened = 0;
        const int result =
            ports_.OpenComm(portNumber, kPortBufferSize, kPortBufferSize, kLinkBaud, &opened);
        openInProgress_.store(false);
        if (result == kPortBusy && retries++ < kBusyRetries) continue;
        if (result == 0) handle = opened;
        return result;
    }
}

bool LinkLibrary::WriteAll(uint32_t handle, const uint8_t* data, int length) {
    int sent = 0;
    uint32_t lastProgress = platform::TickMs();
    while (sent < length) {
        const int wrote = ports_.WriteComm(handle, data + sent, length - sent);
        if (wrote < 0) return false;
        if (wrote > 0) {
            sent += std::min(wrote, length - sent);
            lastProgress = platform::TickMs();
            continue;
        }
        if (platform::ElapsedSince(lastProgress) >= kStalledWriteMs) return false;
        PumpAndSleep(1);
    }
    return true;
}

}  // namespace tb::link
