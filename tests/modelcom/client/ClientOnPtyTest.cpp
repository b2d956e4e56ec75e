// The plain C client against simulated loggers on ptys, through the shared
// libraries, the port library and the bridge run-time library: the logger
// must hold afterwards what the client wrote. In this process the libraries'
// exports run from their static build, on a port layer that waits for the bench.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "modelcom/lgr870/VkLGR870Com.h"
#include "modelcom/lgr875/VkLGR875Com.h"
#include "sim/core/Bench.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/support/BenchWaitPortLayer.h"

extern char** environ;

namespace {

std::string ClientPath() {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "model_client";
    self[n] = '\0';
    std::string path(self);
    return path.substr(0, path.rfind('/') + 1) + "model_client";
}

int RunClient(const char* model, const char* records) {
    std::string path = ClientPath();
    char* argv[] = {path.data(), const_cast<char*>(model), const_cast<char*>(records), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ClientOnPty, FindsEachLoggerWritesItAndDownloadsItsData) {
    tb::sim::Bench bench({.pacing = false});
    auto& logger870 = bench.Emplace<tb::sim::Lgr87xDevice>(
        tb::sim::Lgr87xDefaults(tb::sim::Lgr87xModel::k870, 1500));
    auto& logger875 = bench.Emplace<tb::sim::Lgr87xDevice>(
        tb::sim::Lgr87xDefaults(tb::sim::Lgr87xModel::k875, 700));
    bench.UseTemporaryDeviceMap();

    ASSERT_EQ(RunClient("870", "1500"), 0);
    ASSERT_EQ(RunClient("875", "700"), 0);

    auto lock = bench.LockState();
    const auto& held870 = logger870.Logger();
    EXPECT_EQ(held870.calibration.at(2).values, (std::array<int16_t, 4>{1012, -340, 987, 55}));
    EXPECT_EQ(held870.calibration.at(2).time, 1700000000);
    EXPECT_EQ(held870.history.at(1)[0], 0x30);
    EXPECT_EQ(held870.history.at(1)[79], 0x30 + 79);
    const auto& held875 = logger875.Logger();
    EXPECT_EQ(held875.calibration.at(2).values, (std::array<int16_t, 4>{1030, -25, 0, 0}));
    EXPECT_EQ(held875.history.at(2)[0], 0x50);
    EXPECT_NE(bench.Dump().find("calibration 2: time 1700000000, 1030 -25 0 0"), std::string::npos);
}

}  // namespace

namespace {

TEST(LoggerOnPty, ABusyPortIsCountedButCannotBeIdentified) {
    tb::sim::Bench bench({.pacing = false});
    auto& logger =
        bench.Emplace<tb::sim::Lgr87xDevice>(tb::sim::Lgr87xDefaults(tb::sim::Lgr87xModel::k870));
    bench.UseTemporaryDeviceMap();
    // The libraries' reply waits are a tenth of a second: they wait for the
    // bench as long as it works, so that a loaded machine cannot cut a reply.
    tb::testsupport::BenchWaitPortLayer ports(bench);
    tb::link::ScopedPortLayer portScope{&ports};
    const int port = bench.ComNumberOf(logger);
    ASSERT_TRUE(bench.PortOf(logger)->SetBusy(true));

    uint8_t flags[256] = {};
    EXPECT_EQ(VkLGR870Com_IsConnect(flags, port), 1);
    EXPECT_EQ(flags[port - 1], 1);
    uint32_t serial = 0;
    int16_t type = 0;
    char a[16], b[16];
    EXPECT_EQ(VkLGR870Com_GetConctMachInfo(port, &serial, &type, a, b), -3);
    EXPECT_EQ(VkLGR875Com_IsConnect(flags, port), 0) << "not a model-875 logger";

    ASSERT_TRUE(bench.PortOf(logger)->SetBusy(false));
    ASSERT_EQ(VkLGR870Com_GetConctMachInfo(port, &serial, &type, a, b), 0);
    EXPECT_EQ(serial, logger.Logger().Serial());
    {
        auto lock = bench.LockState();
        logger.Logger().recording = true;
    }
    EXPECT_EQ(VkLGR870Com_SetCalibrationTH(serial, 1, 1000, 0, 1000, 0), -9);
    bench.PortOf(logger)->Faults().Arm(tb::sim::Fault::Garble(-1));
    uint8_t record[80];
    EXPECT_EQ(VkLGR870Com_GetHistoryTH(serial, record), -12);
}

}  // namespace
