#include "sim/main/Lgr87xFamily.h"

#include <stdexcept>

#include "sim/lgr87x/Lgr87xDevice.h"
#include "sim/lgr87x/Lgr87xFaultNames.h"

namespace tb::sim {

namespace {

constexpr int kDefaultRecords = 500;

void ArmFault(Bench& bench, Lgr87xDevice& device, const std::string& text) {
    const auto [name, count] = ParseFaultOption("--lgr87x-fault", text);
    if (auto fault = Lgr87xFaultByName(name)) {
        device.Logger().ArmFault(*fault, count);
    } else if (auto lineFault = Lgr87xLineFaultByName(name, count)) {
        bench.PortOf(device)->Faults().Arm(*lineFault);
    } else {
        throw std::invalid_argument("--lgr87x-fault: unknown fault \"" + name + "\" (one of " +
                                    Lgr87xFaultNames() + ")");
    }
}

void AddLoggers(const OptionValues& values, Bench& bench, Lgr87xModel model, int count) {
    const int records = IntOption(values, "--lgr87x-records", kDefaultRecords, 0, 8000);
    const int latch = IntOption(values, "--lgr87x-latch", kLgr87xLatch, 0, 255);
    const uint32_t firstSerial = model == Lgr87xModel::k870 ? 0x87000001 : 0x87500001;
    for (int i = 0; i < count; ++i) {
        Lgr87xOptions options = Lgr87xDefaults(model, static_cast<size_t>(records));
        options.serial = firstSerial + static_cast<uint32_t>(i);
        options.latch = static_cast<uint8_t>(latch);
        auto& device = bench.Emplace<Lgr87xDevice>(options);
        device.Logger().recording = HasOption(values, "--lgr87x-recording");
        if (auto it = values.find("--lgr87x-fault"); it != values.end()) {
            for (const auto& text : it->second) ArmFault(bench, device, text);
        }
        if (HasOption(values, "--lgr87x-busy")) bench.PortOf(device)->SetBusy(true);
    }
}

}  // namespace

Family Lgr87xFamily() {
    Family family;
    family.name = "lgr87x";
    family.options = {
        {"--lgr870", "N", "add N model-870 loggers (serials 87000001 up, 19200 baud)"},
        {"--lgr875", "N", "add N model-875 loggers (serials 87500001 up, 19200 baud)"},
        {"--lgr87x-records", "N",
         "records of recorded data in each of them (default " + std::to_string(kDefaultRecords) +
             ")"},
        {"--lgr87x-latch", "BYTE", "their bridge latch byte (default 0x08: bit 3 marks a logger)"},
        {"--lgr87x-recording", "", "they are recording: memory writes are refused (status 0x09)"},
        {"--lgr87x-fault", "KIND[:COUNT]",
         "arm a fault for the next COUNT replies (default 1, -1 every reply): " +
             Lgr87xFaultNames()},
        {"--lgr87x-busy", "", "their ports are busy (held by another program)"},
    };
    family.build = [](const OptionValues& values, Bench& bench) {
        AddLoggers(values, bench, Lgr87xModel::k870, IntOption(values, "--lgr870", 0, 0, 64));
        AddLoggers(values, bench, Lgr87xModel::k875, IntOption(values, "--lgr875", 0, 0, 64));
    };
    family.addDefault = [](Bench& bench) {
        AddLoggers({}, bench, Lgr87xModel::k870, 1);
        AddLoggers({}, bench, Lgr87xModel::k875, 1);
    };
    return family;
}

}  // namespace tb::sim
