#include "client/BaseUnitDiscovery.h"

#include <algorithm>

#include "client/CommandExchange.h"
#include "client/CommandText.h"
#include "client/LinkApi.h"
#include "platform/DeviceIds.h"

namespace tb::client {
namespace {

constexpr std::size_t kDeviceCodeAt = 62;
constexpr std::size_t kInputFlagsAt = 28;
constexpr uint8_t kNoiseInputBit = 0x08;
constexpr std::size_t kStatusArraySize = 256;

struct Pins {
    std::optional<uint32_t> unitKey;
    std::optional<int> comNumber;
    std::optional<uint32_t> lastUnitKey;
    std::optional<int> lastComNumber;
};

Pins& ThePins() {
    static Pins pins;
    return pins;
}

bool CodeIn(uint8_t code, std::initializer_list<uint8_t> accepted) {
    return std::find(accepted.begin(), accepted.end(), code) != accepted.end();
}

// The settings block of the first unit, nothing without a unit. A failed
// read leaves the block zero, which no check accepts.
std::optional<std::array<uint8_t, kSettingsBlockSize>> ReadFirstUnitSettings() {
    const auto key = FindBaseUnit();
    if (!key) return std::nullopt;
    return ReadUnitSettings(*key).value_or(std::array<uint8_t, kSettingsBlockSize>{});
}

// Calls `visit` with the units of each identity in table order until it
// returns true; false when the link library reports an error.
template <typename Visit>
bool VisitUnitLists(Visit visit) {
    const LinkApi& link = CurrentLinkApi();
    std::array<uint32_t, kUnitListSize> units{};
    for (const auto& identity : ProductIdentityTable()) {
        units.fill(0);
        const int found = link.getSerial(units.data(), static_cast<int>(units.size()),
                                         identity.productId, identity.skipLatch);
        if (found < 0) return false;
        const auto count = std::min(static_cast<std::size_t>(found), units.size());
        if (visit(std::span<const uint32_t>(units.data(), count))) return true;
    }
    return true;
}

}  // namespace

void PinBaseUnit(std::optional<uint32_t> unitKey) { ThePins().unitKey = unitKey; }
void PinSerialPort(std::optional<int> comNumber) { ThePins().comNumber = comNumber; }
std::optional<uint32_t> PinnedBaseUnit() { return ThePins().unitKey; }
std::optional<int> PinnedSerialPort() { return ThePins().comNumber; }
std::optional<uint32_t> LastFoundBaseUnit() { return ThePins().lastUnitKey; }
std::optional<int> LastFoundSerialPort() { return ThePins().lastComNumber; }

void ForgetLastFound() {
    ThePins().lastUnitKey.reset();
    ThePins().lastComNumber.reset();
}

std::optional<std::array<uint8_t, 64>> ReadUnitSettings(uint32_t unitKey) {
    CommandExchange exchange(kSettingsBlockSize);
    if (SettingsRead(unitKey, exchange) != 0) return std::nullopt;
    std::array<uint8_t, kSettingsBlockSize> settings{};
    std::copy(exchange.block.begin(), exchange.block.end(), settings.begin());
    return settings;
}

std::vector<uint32_t> ListBaseUnits() {
    std::vector<uint32_t> all;
    VisitUnitLists([&](std::span<const uint32_t> units) {
        for (uint32_t key : units)
            if (std::find(all.begin(), all.end(), key) == all.end()) all.push_back(key);
        return false;
    });
    return all;
}

std::array<ProductIdentity, kProductIdentityCount> ProductIdentityTable() {
    const auto ids = platform::LoadDeviceIds();
    return {{{ids.Product(1), 0},
             {ids.Product(2), 1},
             {ids.Product(3), 0},
             {ids.Product(3), 1},
             {ids.Product(4), 1},
             {ids.Product(5), 1},
             {ids.Product(6), 1}}};
}

std::optional<uint32_t> FindBaseUnit() {
    const std::optional<uint32_t> pinned = ThePins().unitKey;
    std::optional<uint32_t> chosen;
    const bool answered = VisitUnitLists([&](std::span<const uint32_t> units) {
        if (!pinned) {
            if (!units.empty()) chosen = units[0];
        } else if (std::find(units.begin(), units.end(), *pinned) != units.end()) {
            chosen = pinned;
        }
        return chosen.has_value();
    });
    ThePins().lastUnitKey = answered ? chosen : std::nullopt;
    return ThePins().lastUnitKey;
}

bool BaseUnitModelAccepts(int kind, std::span<const uint8_t, 64> settings) {
    const uint8_t code = settings[kDeviceCodeAt];
    switch (kind) {
        case 0:
            return CodeIn(code, {0x40, 0x41, 0x5C, 0x5D});
        case 1:
            return CodeIn(code, {0x5E, 0x42});
        case 3:
            return code == 0x55;
        default:
            return false;
    }
}

// Input kinds 3 (voltage) and 4 (noise/vibration) share device code 0xA4 and
// differ in bit 3 of byte 28: clear for voltage, set for noise/vibration.
// Kind 4 insists on the set bit so that a noise correction is never written
// into a voltage input.
bool MultiInputModelAccepts(int kind, std::span<const uint8_t, 64> settings) {
    const uint8_t code = settings[kDeviceCodeAt];
    const bool noiseInput = (settings[kInputFlagsAt] & kNoiseInputBit) != 0;
    switch (kind) {
        case 0:
            return code == 0xA1;
        case 1:
            return code == 0xA2;
        case 2:
            return code == 0xA3;
        case 3:
            return code == 0xA4 && !noiseInput;
        case 4:
            return code == 0xA4 && noiseInput;
        default:
            return false;
    }
}

bool CheckBaseUnitModel(int kind) { return ServedDeviceCode(kind).has_value(); }

std::optional<uint8_t> ServedDeviceCode(int kind) {
    const auto settings = ReadFirstUnitSettings();
    if (!settings || !BaseUnitModelAccepts(kind, *settings)) return std::nullopt;
    return (*settings)[kDeviceCodeAt];
}

bool CheckMultiInputModel(int kind) {
    const auto settings = ReadFirstUnitSettings();
    return settings && MultiInputModelAccepts(kind, *settings);
}

std::vector<int> ListSerialPorts() {
    const LinkApi& link = CurrentLinkApi();
    const uint16_t cable = platform::LoadDeviceIds().Product(6);
    std::array<uint8_t, kStatusArraySize> status{};
    int counted = 0;
    for (int attempt = 0; attempt < kSerialPortTries && counted == 0; ++attempt) {
        status.fill(0);
        counted = link.getConnectNum(status.data(), static_cast<int>(status.size()), cable, 1);
    }
    std::vector<int> ports;
    if (counted <= 0) return ports;
    for (std::size_t i = 0; i < status.size(); ++i)
        if (status[i] != 0) ports.push_back(static_cast<int>(i) + 1);
    return ports;
}

int FindSerialPort() {
    const std::vector<int> ports = ListSerialPorts();
    const std::optional<int> pinned = ThePins().comNumber;
    int found = -1;
    if (!ports.empty()) {
        if (!pinned) {
            found = ports.front();
        } else if (std::find(ports.begin(), ports.end(), *pinned) != ports.end()) {
            found = *pinned;
        }
    }
    ThePins().lastComNumber = found == -1 ? std::nullopt : std::optional<int>(found);
    return found;
}

}  // namespace tb::client
