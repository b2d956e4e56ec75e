// The way a person meets the link library: trimbench-sim started as its own
// process with base-unit options, and a C program that finds the unit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tb::link {
namespace {

using namespace std::chrono_literals;

// Starts trimbench-sim with args and waits for its device map.
pid_t StartSimulator(const std::string& map, std::vector<std::string> args) {
    args.insert(args.begin(), {SIM_PROGRAM, "--map", map, "--quiet"});
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, SIM_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    struct stat info {};
    for (int i = 0; i < 500 && stat(map.c_str(), &info) != 0; ++i)
        std::this_thread::sleep_for(10ms);
    return child;
}

std::string RunCommand(const std::string& command) {
    FILE* out = popen((command + " 2>&1").c_str(), "r");
    if (!out) return {};
    std::string text;
    char line[512];
    while (fgets(line, sizeof line, out)) text += line;
    pclose(out);
    return text;
}

TEST(LinkAgainstSimProgram, TheExampleFindsTheUnitsOfTheCommandLineAndTalksToTheFirst) {
    const std::string map =
        ::testing::TempDir() + "link-sim-program-" + std::to_string(getpid()) + ".map";
    const pid_t sim = StartSimulator(map, {"--no-pacing", "--base-unit-serial", "00FACADE",
                                           "--base-unit-serial", "00FACADF", "--base-unit-echo"});
    ASSERT_GT(sim, 0);
    const std::string output =
        RunCommand("TRIMBENCH_DEVICE_MAP='" + map + "' '" EXAMPLE_PROGRAM "'");
    kill(sim, SIGTERM);
    int status = 0;
    waitpid(sim, &status, 0);

    EXPECT_NE(output.find("base unit 00FACADE"), std::string::npos) << output;
    // The echoing logger sends the command back in a frame of its own.
    const size_t sent = output.find("sent ");
    const size_t reply = output.find("reply ");
    ASSERT_NE(sent, std::string::npos) << output;
    ASSERT_NE(reply, std::string::npos) << output;
    EXPECT_EQ(output.substr(sent + 5, output.find('\n', sent) - sent - 5),
              output.substr(reply + 6, output.find('\n', reply) - reply - 6));
    struct stat info {};
    EXPECT_NE(stat(map.c_str(), &info), 0) << "the map goes with the simulator";
}

}  // namespace
}  // namespace tb::link
