#include "sim/core/DeviceMapWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace tb::sim {
namespace {

constexpr const char* kDeviceMapVariable = "TRIMBENCH_DEVICE_MAP";

}  // namespace

std::string FormatDeviceMap(const std::vector<DeviceMapLine>& lines) {
    std::string text = "# trimbench-sim device map: COM number, device, vendor-product, latch\n";
    for (const auto& line : lines) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, " %04x-%04x 0x%02x\n", line.vendor, line.product,
                      line.latch);
        text += std::to_string(line.comNumber) + " " + line.path + buffer;
    }
    return text;
}

void WriteDeviceMapFile(const std::string& path, const std::vector<DeviceMapLine>& lines) {
    std::string text = FormatDeviceMap(lines);
    std::string temporary = path + ".tmp" + std::to_string(getpid());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::system_error(errno, std::system_category(), "device map " + temporary);
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    bool ok = written == text.size() && fsync(fd) == 0;
    int error = errno;
    close(fd);
    if (!ok || rename(temporary.c_str(), path.c_str()) != 0) {
        if (ok) error = errno;
        unlink(temporary.c_str());
        throw std::system_error(error, std::system_category(), "device map " + path);
    }
}

DeviceMapFile::~DeviceMapFile() {
    if (!path_.empty()) unlink(path_.c_str());
    if (!temporaryFolder_.empty()) rmdir(temporaryFolder_.c_str());
}

void DeviceMapFile::MoveTo(const std::string& path) {
    if (!path_.empty() && path_ != path) unlink(path_.c_str());
    path_ = path;
}

std::string DeviceMapFile::TemporaryPath() {
    if (temporaryFolder_.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                              "/trimbench-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::system_error(errno, std::system_category(), "mkdtemp");
        temporaryFolder_ = pattern;
    }
    return temporaryFolder_ + "/devices.map";
}

void DeviceMapFile::PointPortLibraryHere() const { setenv(kDeviceMapVariable, path_.c_str(), 1); }

void DeviceMapFile::Write(const std::vector<DeviceMapLine>& lines) const {
    if (!path_.empty()) WriteDeviceMapFile(path_, lines);
}

}  // namespace tb::sim
