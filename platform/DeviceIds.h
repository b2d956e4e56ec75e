// USB identifiers of the devices the system talks to.
//
// The defaults below are the one place where these numbers live; the
// simulator uses them too. Real hardware ids are supplied without a rebuild
// in the settings file's [Devices] group (the same file the program's
// QSettings uses: $XDG_CONFIG_HOME, else ~/.config, then
// "KESTRUNE CORPORATION/Trimbench2.conf"; TRIMBENCH_SETTINGS_FILE overrides
// the path). Keys, decimal or 0x-prefixed hexadecimal:
//   PrimaryVendor, SecondaryVendor      base units and the model-890 cable
//   ProductP1 ... ProductP6             base-unit product ids (P6: model-890 cable)
//   Lgr870Vendor, Lgr870Product         model-870 logger
//   Lgr875Vendor, Lgr875Product         model-875 logger
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/Api.h"

namespace tb::platform {

struct DeviceIds {
    uint16_t primaryVendor = 0x2F5C;
    uint16_t secondaryVendor = 0x2F5D;
    std::array<uint16_t, 6> baseProducts{0x8001, 0x8002, 0x8003, 0x8004, 0x8005, 0x8006};
    uint16_t lgr870Vendor = 0x2F5C;
    uint16_t lgr870Product = 0x8870;
    uint16_t lgr875Vendor = 0x2F5C;
    uint16_t lgr875Product = 0x8875;

    // Product id Pn, n from 1 to 6.
    uint16_t Product(int n) const { return baseProducts.at(static_cast<size_t>(n - 1)); }
};

// "vvvv-pppp" in lower-case hexadecimal, as the port layer takes it.
TB_PLATFORM_API std::string FormatVidPid(uint16_t vendor, uint16_t product);

// The path of the settings file described above.
TB_PLATFORM_API std::string SettingsFilePath();

// The defaults, overlaid with the [Devices] group of the settings file (read
// on every call). Unreadable files, unknown keys and out-of-range values are
// ignored; the default stays.
TB_PLATFORM_API DeviceIds LoadDeviceIds();

// The same overlay applied to the text of an INI file (exposed for tests).
TB_PLATFORM_API DeviceIds ParseDeviceIds(const std::string& iniText);

}  // namespace tb::platform
