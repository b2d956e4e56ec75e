// One opened logger port: the open with its busy retries, the request with
// its buffer flushes, the reply read and check. Closed on destruction.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "modelcom/CommandShape.h"

namespace tb::modelcom {

inline constexpr int kModelBaud = 19200;
inline constexpr int kBusyAttempts = 3;

class PortSession {
  public:
    explicit PortSession(int status35Code) : status35Code_(status35Code) {}
    ~PortSession() { Close(); }
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // 0, -3 after the third busy answer, -2 when the port cannot be opened,
    // or the port library's own failure.
    int Open(int port);
    void Close();
    bool IsOpen() const { return open_; }
    uint32_t Handle() const { return handle_; }

    // Flushes both buffers and writes the request frame: 0 or -4.
    int Send(uint8_t command, uint8_t sub, std::span<const uint8_t> data);

    // Reads up to `count` bytes within waitMs; the bytes received (possibly none).
    std::vector<uint8_t> Receive(size_t count, int waitMs, int interval);

    // Send, settle, read shape.replyLength bytes and check them. On 0 `reply`
    // holds the whole reply frame.
    int Exchange(const CommandShape& shape, std::span<const uint8_t> data,
                 std::vector<uint8_t>& reply);

    // As Exchange, but leaves the count against shape.replyLength to the
    // caller: on 0 `reply` is a sound frame of any length.
    int ExchangeFramed(const CommandShape& shape, std::span<const uint8_t> data,
                       std::vector<uint8_t>& reply);

    // The reply checks of this model, then the count against the expected length.
    int CheckReceived(std::span<const uint8_t> received, uint8_t command,
                      size_t expectedLength) const;

  private:
    int status35Code_;
    bool open_ = false;
    uint32_t handle_ = 0;
};

}  // namespace tb::modelcom
