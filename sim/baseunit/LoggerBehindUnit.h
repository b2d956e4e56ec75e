// The logger that hangs behind a simulated base unit. The unit hands it the
// command text of each kind-'2' frame and sends back what it answers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tb::sim {

class LoggerBehindUnit {
  public:
    virtual ~LoggerBehindUnit() = default;
    // The reply text to one command text; empty: the logger does not answer.
    virtual std::vector<uint8_t> OnCommand(std::span<const uint8_t> text) = 0;
    // The logger's state as "key: value" lines, for dumps.
    virtual std::string DumpState() const { return {}; }
};

}  // namespace tb::sim
