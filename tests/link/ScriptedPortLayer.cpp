#include "tests/link/ScriptedPortLayer.h"

#include <algorithm>

#include "platform/Clock.h"
#include "platform/usbserial/PortResults.h"

namespace tb::link::testing {

ScriptedPort& ScriptedPortLayer::Attach(const std::string& vidPid, int port) {
    devices_[vidPid].push_back(port);
    return ports_[port];
}

void ScriptedPortLayer::Arrive(int port, const std::vector<uint8_t>& bytes, uint32_t atTick) {
    for (uint8_t byte : bytes) ports_[port].incoming.emplace_back(atTick, byte);
}

void ScriptedPortLayer::Arrive(int port, const std::vector<uint8_t>& bytes) {
    Arrive(port, bytes, platform::TickMs());
}

int ScriptedPortLayer::CheckPort(const char* vidPid, uint8_t ports[256]) {
    ++checkCalls;
    checkedIds.emplace_back(vidPid);
    auto found = devices_.find(vidPid);
    if (found == devices_.end() || found->second.empty()) return -1;
    for (int port : found->second) ports[port - 1] = 1;
    return 0;
}

int ScriptedPortLayer::OpenComm(int port, int, int, int, uint32_t* handle) {
    ++openCalls;
    ScriptedPort& p = ports_[port];
    ++p.opens;
    int result = 0;
    if (!p.openResults.empty()) {
        result = p.openResults.front();
        p.openResults.pop_front();
    } else if (p.open) {
        result = usbserial::kPortBusy;
    }
    if (result != 0) return result;
    p.open = true;
    *handle = static_cast<uint32_t>(port);
    return 0;
}

int ScriptedPortLayer::WriteComm(uint32_t handle, const uint8_t* data, int count) {
    ScriptedPort& p = ports_[static_cast<int>(handle)];
    if (p.writeResult != 0) return p.writeResult;
    const int taken = p.maxWriteChunk > 0 ? std::min(count, p.maxWriteChunk) : count;
    p.written.insert(p.written.end(), data, data + taken);
    if (p.onWrite) p.onWrite(p);
    return taken;
}

int ScriptedPortLayer::ReadComm(uint32_t handle, uint8_t* buffer, int count) {
    ScriptedPort& p = ports_[static_cast<int>(handle)];
    if (p.readError != 0) return p.readError;
    const uint32_t now = platform::TickMs();
    int placed = 0;
    while (placed < count && !p.incoming.empty() && p.incoming.front().first <= now) {
        buffer[placed++] = p.incoming.front().second;
        p.incoming.pop_front();
    }
    return placed;
}

int ScriptedPortLayer::ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                                    int interval) {
    const uint32_t start = platform::TickMs();
    int placed = 0;
    for (;;) {
        const int got = ReadComm(handle, buffer + placed, count - placed);
        if (got < 0) return got;
        placed += got;
        const uint32_t waited = platform::TickMs() - start;
        if (placed >= count || waited >= static_cast<uint32_t>(std::max(waitMs, 0))) return placed;
        platform::SleepMs(static_cast<uint32_t>(
            std::min(std::max(interval, 1), waitMs - static_cast<int>(waited))));
    }
}

int ScriptedPortLayer::FlushComm(uint32_t handle, int selector) {
    ScriptedPort& p = ports_[static_cast<int>(handle)];
    p.flushes.push_back(selector);
    return p.flushResult;
}

void ScriptedPortLayer::CloseComm(uint32_t handle) {
    ++closeCalls;
    ports_[static_cast<int>(handle)].open = false;
}

std::vector<uint8_t> Kind2Frame(const std::string& body) {
    std::vector<uint8_t> frame{'T', '2', static_cast<uint8_t>(body.size()),
                               static_cast<uint8_t>(body.size() >> 8)};
    uint16_t sum = 0;
    for (unsigned char c : body) {
        frame.push_back(c);
        sum = static_cast<uint16_t>(sum + c);
    }
    frame.push_back(static_cast<uint8_t>(sum));
    frame.push_back(static_cast<uint8_t>(sum >> 8));
    return frame;
}

std::string SerialReplyBody(const std::string& serialHex, const std::string& status) {
    std::string body = "RUINF:STATUS=";
    body += static_cast<char>(status.size());
    body += '\0';
    body += status;
    body += "SER=";
    body += static_cast<char>(serialHex.size());
    body += '\0';
    body += serialHex;
    return body;
}

}  // namespace tb::link::testing
