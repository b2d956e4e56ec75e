// Writes the device-map file that tells the port library which simulated
// devices exist: one line per device,
//     <COM number> <pty path> <vvvv-pppp> 0x<latch>
// The file is replaced atomically, so a reader never sees half of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tb::sim {

struct DeviceMapLine {
    int comNumber = 0;
    std::string path;
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint8_t latch = 0;
};

std::string FormatDeviceMap(const std::vector<DeviceMapLine>& lines);

// Throws std::system_error when the file cannot be written.
void WriteDeviceMapFile(const std::string& path, const std::vector<DeviceMapLine>& lines);

}  // namespace tb::sim
