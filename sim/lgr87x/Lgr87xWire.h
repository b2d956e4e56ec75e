// The simulated loggers' side of the direct-USB frame: cutting requests out
// of the byte stream and building replies. Written apart from the host
// libraries on purpose, so a mistake cannot hide on both sides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tb::sim {

struct Lgr87xRequest {
    uint8_t command = 0;
    uint8_t sub = 0;
    std::vector<uint8_t> data;
    bool checkOk = true;
};

// Collects bytes from the line and hands out whole request frames. Bytes
// that cannot start a frame, and frames longer than any request, are
// dropped so that the stream finds its way back.
class Lgr87xFrameCutter {
  public:
    static constexpr size_t kMaxRequestData = 1024;

    void Push(std::span<const uint8_t> bytes);
    std::optional<Lgr87xRequest> Next();
    void Clear() { buffer_.clear(); }

  private:
    std::vector<uint8_t> buffer_;
};

// 0x01, command, status (or sequence), length, data, 16-bit sum; little-endian.
std::vector<uint8_t> Lgr87xReply(uint8_t command, uint8_t status, std::span<const uint8_t> data);

}  // namespace tb::sim
