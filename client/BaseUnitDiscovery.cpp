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

bool CodeIn(uint8_t code, std::initializer_list<uint8_t> accepted) {
    return std::find(accepted.begin(), accepted.end(), code) != accepted.end();
}

// The settings block of the first unit, nothing without a unit. A failed
// read leaves the block zero, which no check accepts.
std::optional<std::array<uint8_t, kSettingsBlockSize>> ReadFirstUnitSettings() {
    const auto key = FindBaseUnit();
    if (!key) return std::nullopt;
    std::array<uint8_t, kSettingsBlockSize> settings{};
    CommandExchange exchange(kSettingsBlockSize);
    if (SettingsRead(*key, exchange) == 0) {
        std::copy(exchange.block.begin(), exchange.block.end(), settings.begin());
    }
    return settings;
}

}  // namespace

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
    const LinkApi& link = CurrentLinkApi();
    std::array<uint32_t, kUnitListSize> units{};
    for (const auto& identity : ProductIdentityTable()) {
        units.fill(0);
        const int found = link.getSerial(units.data(), static_cast<int>(units.size()),
                                         identity.productId, identity.skipLatch);
        if (found < 0) return std::nullopt;
        if (found > 0) return units[0];
    }
    return std::nullopt;
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

bool CheckBaseUnitModel(int kind) {
    const auto settings = ReadFirstUnitSettings();
    return settings && BaseUnitModelAccepts(kind, *settings);
}

bool CheckMultiInputModel(int kind) {
    const auto settings = ReadFirstUnitSettings();
    return settings && MultiInputModelAccepts(kind, *settings);
}

int FindSerialPort() {
    const LinkApi& link = CurrentLinkApi();
    const uint16_t cable = platform::LoadDeviceIds().Product(6);
    std::array<uint8_t, kStatusArraySize> status{};
    int counted = 0;
    for (int attempt = 0; attempt < kSerialPortTries && counted == 0; ++attempt) {
        status.fill(0);
        counted = link.getConnectNum(status.data(), static_cast<int>(status.size()), cable, 1);
    }
    if (counted == 0) return -1;
    const auto first = std::find_if(status.begin(), status.end(), [](uint8_t b) { return b != 0; });
    if (first == status.end()) return -1;
    return static_cast<int>(first - status.begin()) + 1;
}

}  // namespace tb::client
