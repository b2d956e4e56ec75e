// The ports this library has opened, by handle. Calls with any other handle
// are refused, so a stray number never reaches another descriptor of the
// process.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace tb::usbserial {

struct OpenPort {
    int fd = -1;
    int baud = 0;
};

class OpenPorts {
  public:
    static OpenPorts& Instance();

    void Add(OpenPort port);
    std::optional<OpenPort> Find(uint32_t handle) const;
    std::optional<OpenPort> Remove(uint32_t handle);

  private:
    mutable std::mutex mutex_;
    std::map<uint32_t, OpenPort> ports_;
};

}  // namespace tb::usbserial
