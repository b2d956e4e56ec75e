// A logger that answers every request with bytes of the fuzz input, driven
// through the exports that parse replies: identification, tables, names,
// versions, the sensor module and the bulk download. Every length the
// logger sends must be checked before it is used.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "link/usbserial/PortLayer.h"
#include "modelcom/LatchReader.h"
#include "modelcom/lgr870/Lgr870Library.h"
#include "modelcom/lgr870/VkLGR870Com.h"
#include "modelcom/lgr875/Lgr875Library.h"
#include "modelcom/lgr875/VkLGR875Com.h"
#include "platform/Clock.h"

using namespace tb::modelcom;

namespace {

class FuzzLogger : public tb::link::PortLayer, public LatchReader {
public:
    FuzzLogger(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    int CheckPort(const char*, uint8_t ports[256]) override {
        ports[0] = 1;
        return 0;
    }
    int OpenComm(int, int, int, int, uint32_t* handle) override {
        *handle = 1;
        return 0;
    }
    int WriteComm(uint32_t, const uint8_t*, int count) override { return count; }
    int ReadComm(uint32_t, uint8_t* buffer, int count) override {
        // Each read takes a length byte, then up to that many bytes.
        if (at_ >= size_) return 0;
        size_t wanted = data_[at_++];
        if (wanted == 0xFF) wanted = static_cast<size_t>(count);  // a whole reply
        size_t n = std::min({wanted, static_cast<size_t>(count), size_ - at_});
        std::memcpy(buffer, data_ + at_, n);
        at_ += n;
        return static_cast<int>(n);
    }
    int ReadCommWait(uint32_t handle, int, uint8_t* buffer, int count, int) override {
        return ReadComm(handle, buffer, count);
    }
    int FlushComm(uint32_t, int) override { return 1; }
    void CloseComm(uint32_t) override {}
    LatchOutcome Read(uint32_t, uint8_t* latch) override {
        *latch = 0x08;
        return LatchOutcome::kRead;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tb::platform::VirtualClock clock;
    static tb::platform::ScopedClock clockScope(clock);
    FuzzLogger logger(data, size);
    tb::link::ScopedPortLayer ports(logger);
    ScopedLatchReader latch(logger);
    Lgr870Library().Loggers().Clear();
    Lgr875Library().Loggers().Clear();
    Lgr870Library().Loggers().FindOrCreate(1)->port.store(1);
    Lgr875Library().Loggers().FindOrCreate(1)->port.store(1);

    uint32_t serial = 0;
    int16_t type = 0;
    char a[16], b[16], c[16], d[16];
    VkLGR870Com_GetConctMachInfo(1, &serial, &type, a, b);
    VkLGR875Com_GetConctMachInfo(1, &serial, &type, a, b);
    VkLGR870Com_GetChName(1, a, b, c, d);
    int16_t fa, fb, fc, fd;
    int32_t p, q, r;
    VkLGR870Com_GetFirmVersion(1, &fa, &fb, &fc, &fd, &p, &q, &r);
    int on = 0;
    VkLGR875Com_GetAutoCalibSetting(1, &on);
    VkLGR875Com_SetAutoCalibSetting(1, 1);
    int tenths = 0;
    VkLGR875Com_GetAirPressureSetting(1, &tenths);

    constexpr int kCapacity = 40;
    std::vector<int16_t> c1(kCapacity), c2(kCapacity), c3(kCapacity), c4(kCapacity);
    uint8_t table[192];
    int records = VkLGR870Com_GetRecData(1, c1.data(), c2.data(), c3.data(), c4.data(), table,
                                         kCapacity);
    if (records > kCapacity) __builtin_trap();
    records = VkLGR875Com_GetRecData(1, c1.data(), c2.data(), c3.data(), table, kCapacity);
    if (records > kCapacity) __builtin_trap();
    return 0;
}
