#include "sim/main/BaseUnitFamily.h"

#include <algorithm>
#include <stdexcept>

#include "platform/DeviceIds.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/baseunit/BaseUnitFaults.h"
#include "sim/baseunit/ScriptedLogger.h"

namespace tb::sim {
namespace {

constexpr uint32_t kFirstDefaultSerial = 0x00012345;

uint32_t ParseSerial(const std::string& text) {
    size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 16);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || text.size() > 8)
        throw std::invalid_argument(
            "--base-unit-serial: expected up to 8 hexadecimal digits, got \"" + text + "\"");
    return static_cast<uint32_t>(value);
}

uint16_t ParseProduct(const OptionValues& values) {
    auto it = values.find("--base-unit-product");
    if (it == values.end() || it->second.empty()) return 0;
    const std::string& text = it->second.back();
    if (text.size() == 2 && (text[0] == 'P' || text[0] == 'p') && text[1] >= '1' && text[1] <= '6')
        return platform::LoadDeviceIds().Product(text[1] - '0');
    return static_cast<uint16_t>(IntOption(values, "--base-unit-product", 0, 1, 0xFFFF));
}

void ArmFault(SimPort& port, const std::string& text) {
    const auto [name, count] = ParseFaultOption("--base-unit-fault", text);
    const auto fault = BaseUnitFault(name, count);
    if (!fault) {
        std::string known;
        for (const auto& n : BaseUnitFaultNames()) known += (known.empty() ? "" : ", ") + n;
        throw std::invalid_argument("--base-unit-fault: unknown fault \"" + name + "\" (one of " +
                                    known + ")");
    }
    port.Faults().Arm(*fault);
}

void AddUnit(Bench& bench, BaseUnitConfig config, const OptionValues& values) {
    auto logger = std::make_shared<ScriptedLogger>();
    logger->SetEcho(HasOption(values, "--base-unit-echo"));
    const auto& unit = bench.Emplace<BaseUnit>(config, logger);
    SimPort* port = bench.PortOf(unit);
    if (auto faults = values.find("--base-unit-fault"); faults != values.end()) {
        for (const std::string& text : faults->second) ArmFault(*port, text);
    }
    if (HasOption(values, "--base-unit-busy")) port->SetBusy(true);
}

}  // namespace

Family BaseUnitFamily() {
    Family family;
    family.name = "base unit";
    family.options = {
        {"--base-units", "N", "add N base units with serial numbers 00012345 upwards"},
        {"--base-unit-serial", "HEX", "add a base unit with this serial number (repeatable)"},
        {"--base-unit-product", "ID",
         "product id of the base units: P1..P6 or a number (default P1)"},
        {"--base-unit-latch", "BYTE",
         "latch byte of the base units (default 0x08; bit 3 clear: not a base unit)"},
        {"--base-unit-echo", "", "the logger behind each unit echoes every command"},
        {"--base-unit-fault", "NAME[:COUNT]",
         "the units' next COUNT replies (default 1, -1: all) commit this fault: garbled-check, "
         "wrong-header, bad-kind, split, short, silence (repeatable)"},
        {"--base-unit-busy", "", "keep the units' ports busy"},
    };
    family.build = [](const OptionValues& values, Bench& bench) {
        BaseUnitConfig config;
        config.product = ParseProduct(values);
        config.latch = static_cast<uint8_t>(IntOption(values, "--base-unit-latch", 0x08, 0, 0xFF));
        int count = IntOption(values, "--base-units", 0, 0, 256);
        const auto serials = values.find("--base-unit-serial");
        // Options about units without a number of units: one unit.
        const bool anyOption = std::any_of(values.begin(), values.end(), [](const auto& option) {
            return option.first.rfind("--base-unit", 0) == 0;
        });
        if (anyOption && count == 0 && serials == values.end()) count = 1;
        for (int i = 0; i < count; ++i) {
            config.serial = kFirstDefaultSerial + static_cast<uint32_t>(i);
            AddUnit(bench, config, values);
        }
        if (serials != values.end()) {
            for (const std::string& text : serials->second) {
                config.serial = ParseSerial(text);
                AddUnit(bench, config, values);
            }
        }
    };
    // The default bench's base unit, with a real logger behind it, comes from
    // the loggers' family.
    return family;
}

}  // namespace tb::sim
