// Feeds arbitrary bytes as a port's stream to frame reception. The first two
// bytes choose the receive capacity, the third the size of each read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "link/FrameReception.h"
#include "platform/Clock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int capacity = data[0] | (data[1] << 8);
    const int chunk = 1 + data[2] % 64;
    data += 3;
    size -= 3;

    tb::platform::VirtualClock clock;
    tb::platform::ScopedClock scoped(clock);
    size_t offset = 0;
    tb::link::ReceptionPort port{
        [&](uint8_t* buffer, int count) {
            const size_t n = std::min({static_cast<size_t>(count), static_cast<size_t>(chunk),
                                       size - offset});
            std::memcpy(buffer, data + offset, n);
            offset += n;
            return static_cast<int>(n);
        },
        [](uint32_t ms) { tb::platform::SleepMs(ms); }};

    std::vector<uint8_t> rcvData(static_cast<size_t>(capacity) + 1);
    tb::link::MngEntry entry;
    entry.rcvData = rcvData.data();
    entry.rcvCapacity = capacity;
    entry.rcvTimeoutSec = 1;
    tb::link::diag::Diagnostics diag;
    const int length = tb::link::Sb_Data_Recv(entry, port, diag);
    if (length > capacity) __builtin_trap();
    entry.rcvData = nullptr;
    return 0;
}
