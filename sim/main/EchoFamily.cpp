#include "sim/main/EchoFamily.h"

#include "sim/core/EchoDevice.h"

namespace tb::sim {

Family EchoFamily() {
    Family family;
    family.name = "echo";
    family.options = {
        {"--echo", "N", "add N devices that echo what they receive (vid-pid ffff-0001)"}};
    family.build = [](const OptionValues& values, Bench& bench) {
        int count = IntOption(values, "--echo", 0, 0, 256);
        for (int i = 0; i < count; ++i) bench.Emplace<EchoDevice>();
    };
    return family;
}

}  // namespace tb::sim
