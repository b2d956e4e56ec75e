#include "client/Lgr890Cable.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "services/PageServices.h"
#include "client/BaseUnitDiscovery.h"
#include "client/Lgr890Reply.h"
#include "client/SerialPort.h"
#include "client/SohFrame.h"

namespace tb::client {
namespace {

bool WriteAll(SerialPort& port, std::span<const uint8_t> bytes) {
    return port.Write(bytes) == static_cast<int>(bytes.size());
}

bool Wake(SerialPort& port) {
    const uint8_t wake = kWakeByte;
    if (!WriteAll(port, std::span(&wake, 1))) return false;
    services::PumpWait(kAfterWakeMs);
    return true;
}

std::unique_ptr<SerialPort> OpenCablePort() {
    const int number = FindSerialPort();
    if (number < 0) return nullptr;
    auto port = OpenSerialPort(number);
    if (port) port->Purge();
    return port;
}

// Wakes the logger, asks for the block and reads the reply; nothing when a
// write or the read fails.
std::optional<std::vector<uint8_t>> RequestBlock(SerialPort& port) {
    if (!Wake(port)) return std::nullopt;
    if (!WriteAll(port, MakeReadBlockRequest())) return std::nullopt;
    std::vector<uint8_t> reply(kLgr890ReplySize);
    const int count = port.Read(reply);
    if (count < 0) return std::nullopt;
    reply.resize(static_cast<std::size_t>(count));
    return reply;
}

bool WriteBytes(SerialPort& port, std::span<const uint8_t, kAdjustmentBlockSize> block) {
    if (!Wake(port)) return false;
    for (uint16_t address = 0; address < kCableWrittenBytes; ++address) {
        if (!WriteAll(port, MakeWriteByteRequest(address, block[address]))) return false;
        services::PumpWait(kAfterFrameMs);
    }
    return true;
}

}  // namespace

bool WriteBlockSerial(std::span<const uint8_t, kAdjustmentBlockSize> block, int waitMs) {
    auto port = OpenCablePort();
    if (!port || !WriteBytes(*port, block)) return false;
    services::PumpWait(static_cast<uint32_t>(std::max(waitMs, 0)));
    port->Purge();
    const auto reply = RequestBlock(*port);
    services::PumpWait(kAfterFrameMs);
    port.reset();
    return reply && Lgr890ReplyConfirmsWrite(*reply, block.first<kCableWrittenBytes>());
}

bool ReadBlockSerial(std::span<uint8_t, kAdjustmentBlockSize> block) {
    auto port = OpenCablePort();
    if (!port) return false;
    const auto reply = RequestBlock(*port);
    port.reset();
    if (!reply) return false;
    const auto received = BlockFromLgr890Reply(*reply);
    if (!received) return false;
    std::copy(received->begin(), received->end(), block.begin());
    return true;
}

}  // namespace tb::client
