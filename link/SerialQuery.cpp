// Asking every attached base unit for its serial number.
#include <algorithm>
#include <array>
#include <vector>

#include "link/LinkFrame.h"
#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "link/SerialReply.h"
#include "platform/Clock.h"

namespace tb::link {
namespace {

constexpr uint32_t kQueryReadPauseMs = 20;
// While no byte has come, the next read follows soon: the unit's reply
// starts a few milliseconds after the query has left.
constexpr uint32_t kQueryPollPauseMs = 1;
constexpr uint32_t kQueryReadLimitMs = 4000;
constexpr size_t kQueryHeaderBytes = 4;

// Closes a port when it goes out of scope.
class OpenPortGuard {
  public:
    OpenPortGuard(PortLayer& ports, uint32_t handle) : ports_(ports), handle_(handle) {}
    ~OpenPortGuard() { ports_.CloseComm(handle_); }
    OpenPortGuard(const OpenPortGuard&) = delete;
    OpenPortGuard& operator=(const OpenPortGuard&) = delete;

  private:
    PortLayer& ports_;
    uint32_t handle_;
};

// Clears a flag when it goes out of scope.
class FlagGuard {
  public:
    explicit FlagGuard(std::atomic<bool>& flag) : flag_(flag) { flag_.store(true); }
    ~FlagGuard() { flag_.store(false); }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

  private:
    std::atomic<bool>& flag_;
};

}  // namespace

// Reads exactly want bytes within the query's time limit, pausing between
// reads; stepByStep reads one byte per read. False on a port error or time-out.
bool LinkLibrary::ReadQueryReply(uint32_t handle, uint8_t* buffer, size_t want, bool stepByStep) {
    const uint32_t start = platform::TickMs();
    size_t got = 0;
    for (;;) {
        const size_t asked = stepByStep ? 1 : want - got;
        const int read = ports_.ReadComm(handle, buffer + got, static_cast<int>(asked));
        if (read < 0) return false;
        got += std::min(static_cast<size_t>(read), asked);
        if (got == want) return true;
        if (platform::ElapsedSince(start) >= kQueryReadLimitMs) return false;
        PumpAndSleep(read > 0 ? kQueryReadPauseMs : kQueryPollPauseMs);
    }
}

LinkLibrary::SerialQueryOutcome LinkLibrary::QuerySerialOnPort(int port, bool skipLatch,
                                                               uint32_t& serial) {
    uint32_t handle = 0;
    const int opened = OpenPort(port, handle);
    if (opened == kPortBusy) {
        // Held by one of our own connections: that connection knows the serial.
        const MngEntry* holder = FindEntryHoldingPort(table_, static_cast<uint32_t>(port));
        if (!holder) return SerialQueryOutcome::NoUnit;
        serial = holder->key;
        portTable_.Store(port, serial);
        return SerialQueryOutcome::Found;
    }
    if (opened != 0) return SerialQueryOutcome::NoUnit;
    OpenPortGuard close(ports_, handle);

    if (!skipLatch) {
        const LatchOutcome latch = CheckLatch(handle, runtimeNames_);
        if (latch == LatchOutcome::NoRuntime || latch == LatchOutcome::NoReadFunction)
            return SerialQueryOutcome::NoRuntime;
        if (latch != LatchOutcome::BaseUnit) return SerialQueryOutcome::NoUnit;
    }

    // Bytes left on the line (a reply another caller gave up on) would be
    // taken for the start of this reply: the unit would stay unfound until
    // it is unplugged.
    ports_.FlushComm(handle, kFlushReceived);
    if (!WriteAll(handle, kSerialQueryFrame.data(), static_cast<int>(kSerialQueryFrame.size())))
        return SerialQueryOutcome::NoUnit;

    std::array<uint8_t, kQueryHeaderBytes> header{};
    if (!ReadQueryReply(handle, header.data(), header.size(), true))
        return SerialQueryOutcome::NoUnit;
    const size_t dataLength = header[2] | (static_cast<size_t>(header[3]) << 8);
    if (header[0] != kFrameStart || header[1] != '2' || dataLength == 0)
        return SerialQueryOutcome::NoUnit;

    std::vector<uint8_t> rest(dataLength + 2);
    if (!ReadQueryReply(handle, rest.data(), rest.size(), false)) return SerialQueryOutcome::NoUnit;
    const uint16_t check = static_cast<uint16_t>(rest[dataLength] | (rest[dataLength + 1] << 8));
    const auto found = CheckSerialReply({rest.data(), dataLength}, check);
    if (!found) return SerialQueryOutcome::NoUnit;
    serial = *found;
    portTable_.Store(port, serial);
    return SerialQueryOutcome::Found;
}

int LinkLibrary::GetSerial(uint32_t* serials, int count, int productId, int skipLatch) {
    if (!serials || count <= 0) return 0;
    FlagGuard querying(serialQueryRunning_);

    std::vector<uint32_t> found;
    uint8_t flagged[kPortCount];
    if (SearchDevices(productId, flagged)) {
        for (int port = 1; port <= kPortCount; ++port) {
            if (!flagged[port - 1]) continue;
            uint32_t serial = 0;
            const auto outcome = QuerySerialOnPort(port, skipLatch != 0, serial);
            if (outcome == SerialQueryOutcome::NoRuntime) return kNoLatchRuntime;
            if (outcome == SerialQueryOutcome::Found) found.push_back(serial);
        }
    }
    // Never more than the caller's array holds, and the count says how many are there.
    const size_t written = std::min(found.size(), static_cast<size_t>(count));
    std::fill(serials, serials + count, 0u);
    std::copy_n(found.begin(), written, serials);
    return static_cast<int>(written);
}

}  // namespace tb::link
