// Shared pieces of the LAN path's tests: a link library without USB ports,
// the simulated LAN base unit on loopback (an echoing device behind it), link
// frames, and a virtual clock that still lets real time pass.
#pragma once

#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/LinkLibrary.h"
#include "link/MngTable.h"
#include "link/ResultCodes.h"
#include "platform/Clock.h"
#include "sim/core/EchoDevice.h"
#include "sim/lan/LanBaseUnit.h"
#include "tests/support/KindTwoFrame.h"

namespace tb::link::lan::testing {

using tb::testsupport::KindTwoFrame;

inline constexpr char kLogin[] = "kestrune";
inline constexpr uint32_t kOption = 1;
inline const std::string kAdjustReadBody(
    "EIADJ:ACT=\x01\x00"
    "1",
    13);
inline const std::string kSettingsReadBody(
    "EISET:ACT=\x01\x00"
    "1",
    13);

// No USB device is ever attached.
class NoPorts : public PortLayer {
  public:
    int CheckPort(const char*, uint8_t*) override { return -1; }
    int OpenComm(int, int, int, int, uint32_t*) override { return -4; }
    int WriteComm(uint32_t, const uint8_t*, int) override { return -6; }
    int ReadComm(uint32_t, uint8_t*, int) override { return -5; }
    int ReadCommWait(uint32_t, int, uint8_t*, int, int) override { return -5; }
    int FlushComm(uint32_t, int) override { return 0; }
    void CloseComm(uint32_t) override {}
};


// Virtual time for long time-outs: every virtual millisecond slept costs a
// little real time, so that loopback traffic still arrives "in time".
class AcceleratedClock {
  public:
    AcceleratedClock() {
        clock_.OnSleep(
            [](uint32_t) { std::this_thread::sleep_for(std::chrono::microseconds(20)); });
    }
    uint64_t SleptMs() const { return clock_.TotalSleptMs(); }

  private:
    platform::VirtualClock clock_;
    platform::ScopedClock scoped_{clock_};
};

inline size_t ThreadCount() {
    size_t count = 0;
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(tasks)) count += entry->d_name[0] != '.';
        closedir(tasks);
    }
    return count;
}

class LanLinkTest : public ::testing::Test {
  protected:
    LanLinkTest()
        : unit_(std::make_unique<sim::EchoDevice>(), kLogin),
          link_(std::make_unique<LinkLibrary>(ports_, LatchRuntimeNames{}, nullptr)) {}

    int Open(uint32_t& key, const char* login = kLogin, uint32_t option = kOption) {
        return link_->OpenLANComm("127.0.0.1", unit_.Port(), login, option, &key);
    }
    MngEntry& Entry(uint32_t key) {
        MngEntry* entry = Sb_Get_Mngtable_Num(link_->Table(), key);
        EXPECT_NE(entry, nullptr);
        return *entry;
    }
    // Sends a frame and receives the unit's echo of it.
    int RoundTrip(uint32_t key, const std::vector<uint8_t>& frame, std::vector<uint8_t>& reply) {
        const int sent = link_->SendComm(key, frame.data(), static_cast<int>(frame.size()));
        if (sent != 0) return sent;
        reply.assign(1024, 0);
        const int got = link_->RecvComm(key, reply.data(), 1024, 2);
        reply.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return got;
    }

    NoPorts ports_;
    sim::lan::LanBaseUnit unit_;
    std::unique_ptr<LinkLibrary> link_;
};

}  // namespace tb::link::lan::testing
