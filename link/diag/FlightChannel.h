// The flight channel: a local datagram socket (abstract namespace; on
// Windows the mailslot \\.\mailslot\<name>) that carries log lines from
// any thread of the process to the single writer of the ring file. Lines
// that cannot be sent are lost, never waited for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tb::link::diag {

inline constexpr char kFlightChannelName[] = "VkLGR800Dll_Flight";

class FlightReceiver {
  public:
    // Binds the channel name; Valid() tells whether that worked, Error() why not.
    explicit FlightReceiver(const std::string& name);
    ~FlightReceiver();
    FlightReceiver(const FlightReceiver&) = delete;
    FlightReceiver& operator=(const FlightReceiver&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Error() const { return error_; }
    // The next queued line (at most 1024 bytes), or nothing when the queue is empty.
    std::optional<std::string> Next();

  private:
    intptr_t fd_ = -1;  // the socket or, on Windows, the mailslot handle
    int error_ = 0;
};

// Sends one line to the named channel without waiting; false when it is lost.
bool SendFlightLine(const std::string& name, const std::string& line);

}  // namespace tb::link::diag
