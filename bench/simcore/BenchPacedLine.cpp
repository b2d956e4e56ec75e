// How closely the bench's paced line follows the wire time of the emulated
// baud rate: a request of N bytes answered by N bytes once it is complete,
// measured from the client's first write to the last byte of the answer,
// against the floor of 2N byte times (10 bits per byte). Prints medians.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "sim/core/Bench.h"
#include "tests/support/RawTerminal.h"

namespace {

using namespace tb::sim;
using Clock = std::chrono::steady_clock;

// Answers with as many bytes once `size` bytes have come in.
class MirrorDevice : public Device {
  public:
    MirrorDevice(size_t size, int baud) : size_(size), baud_(baud) {}
    std::string Name() const override { return "mirror"; }
    DeviceIdentity Identity() const override { return {0xffff, 2, 0, baud_}; }
    void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) override {
        got_ += bytes.size();
        if (got_ < size_) return;
        got_ = 0;
        std::vector<uint8_t> reply(size_, 'r');
        link.Send(reply);
    }
    std::string DumpState() const override { return {}; }

  private:
    size_t size_;
    int baud_;
    size_t got_ = 0;
};

double MedianMs(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Exchange(int fd, size_t size) {
    std::vector<uint8_t> request(size, 'q'), reply(size);
    auto start = Clock::now();
    [[maybe_unused]] ssize_t sent = write(fd, request.data(), request.size());
    size_t got = 0;
    while (got < size) {
        pollfd entry{fd, POLLIN, 0};
        if (poll(&entry, 1, 5000) <= 0) return -1;
        ssize_t n = read(fd, reply.data() + got, size - got);
        if (n > 0) got += static_cast<size_t>(n);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Measure(int baud, size_t size, bool paced) {
    Bench bench({.pacing = paced});
    auto& device = bench.Emplace<MirrorDevice>(size, baud);
    const int fd = tb::testsupport::OpenRawTerminal(bench.PortOf(device)->Path());
    if (fd < 0) {
        std::printf("%6d baud: the device's port cannot be opened\n", baud);
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) times.push_back(Exchange(fd, size));
    close(fd);
    double floorMs = 2.0 * static_cast<double>(size) * 10.0 * 1000.0 / baud;
    double median = MedianMs(times);
    if (paced)
        std::printf("%6d baud, %4zu+%-4zu bytes: median %8.2f ms, floor %8.2f ms, ratio %.3f\n",
                    baud, size, size, median, floorMs, median / floorMs);
    else
        std::printf("unpaced    , %4zu+%-4zu bytes: median %8.3f ms\n", size, size, median);
}

}  // namespace

int main() {
    for (int baud : {2400, 19200, 38400}) {
        for (size_t size : {12, 100, 1000}) {
            if (baud == 2400 && size == 1000) continue;
            Measure(baud, size, true);
        }
    }
    for (size_t size : {12, 100, 1000}) Measure(38400, size, false);
    return 0;
}
