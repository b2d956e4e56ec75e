// An in-memory port layer for the link library's unit tests. Ports are
// addressed by COM number and the handle of an open port is its number.
// Incoming bytes arrive at given ticks of the clock in force (tests use the
// virtual clock), so time-outs and pauses can be checked exactly.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/usbserial/PortLayer.h"

namespace tb::link::testing {

struct ScriptedPort {
    std::deque<int> openResults;  // results of the next opens (0 when empty)
    bool open = false;
    int opens = 0;
    int readError = 0;      // returned by every read when non-zero
    int writeResult = 0;    // returned by every write when non-zero
    int maxWriteChunk = 0;  // a write takes at most this many bytes when non-zero
    int flushResult = 1;
    std::vector<int> flushes;
    std::vector<uint8_t> written;
    std::deque<std::pair<uint32_t, uint8_t>> incoming;  // (arrival tick, byte)
    // Called after every write with the port, so a test can answer.
    std::function<void(ScriptedPort&)> onWrite;
};

class ScriptedPortLayer final : public PortLayer {
  public:
    // A device with identifier vidPid on COM port number port.
    ScriptedPort& Attach(const std::string& vidPid, int port);
    ScriptedPort& Port(int port) { return ports_[port]; }
    // Bytes that arrive at tick atTick (default: now).
    void Arrive(int port, const std::vector<uint8_t>& bytes, uint32_t atTick);
    void Arrive(int port, const std::vector<uint8_t>& bytes);

    int checkCalls = 0;
    int openCalls = 0;
    int closeCalls = 0;
    std::vector<std::string> checkedIds;

    int CheckPort(const char* vidPid, uint8_t ports[256]) override;
    int OpenComm(int port, int rxSize, int txSize, int baud, uint32_t* handle) override;
    int WriteComm(uint32_t handle, const uint8_t* data, int count) override;
    int ReadComm(uint32_t handle, uint8_t* buffer, int count) override;
    // Reads what has arrived, sleeping the clock in force by interval until
    // count bytes are in or waitMs has passed.
    int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                     int interval) override;
    int FlushComm(uint32_t handle, int selector) override;
    void CloseComm(uint32_t handle) override;

  private:
    std::map<std::string, std::vector<int>> devices_;
    std::map<int, ScriptedPort> ports_;
};

// A kind-'2' frame around body, with its byte-sum check.
std::vector<uint8_t> Kind2Frame(const std::string& body);

// The body of a base unit's reply to the serial query.
std::string SerialReplyBody(const std::string& serialHex, const std::string& status = "RUINF0000");

}  // namespace tb::link::testing
