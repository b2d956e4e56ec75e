// The port library against trimbench-sim running as a separate process, the
// way the program meets it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <thread>

#include "platform/cp210x/CP210xRuntime.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"

extern char** environ;

namespace tb::usbserial {
namespace {

using namespace std::chrono_literals;

TEST(ChildBenchTest, EchoDevicesOfTheProgramAreFoundOpenedAndServed) {
    const char* program = getenv("TRIMBENCH_SIM");
    ASSERT_NE(program, nullptr);
    std::string map = ::testing::TempDir() + "child-bench-" + std::to_string(getpid()) + ".map";
    std::vector<std::string> args = {program,  "--map", map,           "--quiet",
                                     "--echo", "2",     "--first-com", "7"};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    struct stat info {};
    for (int i = 0; i < 500 && stat(map.c_str(), &info) != 0; ++i)
        std::this_thread::sleep_for(10ms);
    setenv("TRIMBENCH_DEVICE_MAP", map.c_str(), 1);

    std::array<uint8_t, 256> ports{};
    EXPECT_EQ(Vk800UsbSerialEx_CheckPort("ffff-0001", ports.data()), 0);
    EXPECT_TRUE(ports[6] != 0 && ports[7] != 0 && ports[5] == 0 && ports[8] == 0);
    uint32_t handle = 0;
    ASSERT_EQ(Vk800UsbSerialEx_OpenComm(8, 16384, 16384, 38400, &handle), 0);
    uint8_t latch = 0xAA;
    EXPECT_EQ(CP210xRT_ReadLatch(handle, &latch), 0);
    EXPECT_EQ(latch, 0x00);
    const uint8_t frame[] = {'T', '2', 0, 0};
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, frame, 4), 4);
    std::array<uint8_t, 4> reply{};
    EXPECT_EQ(Vk800UsbSerialEx_ReadCommWait(handle, 2000, reply.data(), 4, 20), 4);
    EXPECT_EQ(reply[1], '2');
    Vk800UsbSerialEx_CloseComm(handle);

    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("ffff-0001", ports.data()), 0)
        << "map gone with the bench";
}

}  // namespace
}  // namespace tb::usbserial
