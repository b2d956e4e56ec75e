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

// The bench's map file: where it is, rewritten on request, removed (with the
// temporary folder made for it) when the object goes.
class DeviceMapFile {
  public:
    DeviceMapFile() = default;
    ~DeviceMapFile();
    DeviceMapFile(const DeviceMapFile&) = delete;
    DeviceMapFile& operator=(const DeviceMapFile&) = delete;

    // Writes from now on to `path`; a map written elsewhere before is removed.
    void MoveTo(const std::string& path);
    // "devices.map" in a temporary folder of its own, made on the first call.
    // Throws std::system_error when no folder can be made.
    std::string TemporaryPath();
    // Points the port library of this process at the file (TRIMBENCH_DEVICE_MAP).
    void PointPortLibraryHere() const;

    // Replaces the file's lines; nothing while it has no path.
    void Write(const std::vector<DeviceMapLine>& lines) const;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::string temporaryFolder_;
};

}  // namespace tb::sim
