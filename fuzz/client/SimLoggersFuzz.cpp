// Feeds arbitrary command texts to the simulated loggers and arbitrary
// bytes to the simulated model-890 cable.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/SimulatedLogger.h"

namespace {

class DiscardingLink : public tb::sim::DeviceLink {
  public:
    void Send(std::span<const uint8_t> reply) override {
        if (reply.size() > 71) __builtin_trap();  // the cable never answers more
    }
    void SendUnfaulted(std::span<const uint8_t> bytes) override { Send(bytes); }
    void StartTimer(int) override {}
    void StopTimer() override {}
    tb::sim::FaultInjector& Faults() override { return faults_; }
    int ComNumber() const override { return 1; }

  private:
    tb::sim::FaultInjector faults_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tb::sim::loggers;
    const std::vector<uint8_t> input(data, data + size);
    for (const auto& [code, noise] :
         {std::pair{uint8_t{0x40}, false}, {uint8_t{0x55}, false}, {uint8_t{0xA4}, true}}) {
        SimulatedLogger logger(*ModelForDeviceCode(code, noise));
        (void)logger.OnCommand(input);
    }
    Lgr890CableDevice cable;
    DiscardingLink link;
    cable.OnReceived(input, link);
    return 0;
}
