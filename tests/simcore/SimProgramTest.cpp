// trimbench-sim as a child process: map written, devices served, map
// removed on SIGTERM; and its command line and change report.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "sim/main/CommandLine.h"
#include "sim/main/StateChanges.h"
#include "tests/simcore/PtyClient.h"
#include "tests/support/SimProgram.h"

namespace tb::sim {
namespace {

using namespace std::chrono_literals;

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

TEST(SimProgramTest, ServesDevicesAndRemovesTheMapOnTerm) {
    const char* program = getenv("TRIMBENCH_SIM");
    ASSERT_NE(program, nullptr);
    std::string map = ::testing::TempDir() + "sim-program-" + std::to_string(getpid()) + ".map";
    testsupport::SimProgram sim(program, map, {"--no-pacing", "--echo", "2"});
    ASSERT_TRUE(sim.Started());
    std::ifstream in(map);
    std::string line, path;
    int devices = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        ++devices;
        path = line.substr(line.find(' ') + 1);
        path.resize(path.find(' '));
    }
    EXPECT_EQ(devices, 2);
    testing::PtyClient client(path);
    client.Write("ping");
    EXPECT_EQ(client.Read(4, 2000ms), "ping");

    const int status = sim.Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(Exists(map));
}

TEST(SimProgramTest, CommandLineTakesOwnAndFamilyOptions) {
    std::vector<Family> families(1);
    families[0].options = {{"--units", "N", ""}, {"--flag", "", ""}};
    auto settings = ParseCommandLine(
        {"--map=/tmp/x.map", "--no-pacing", "--units", "3", "--flag", "--units=4"}, families);
    EXPECT_EQ(settings.mapPath, "/tmp/x.map");
    EXPECT_FALSE(settings.pacing);
    EXPECT_EQ(settings.familyOptions["--units"], (std::vector<std::string>{"3", "4"}));
    EXPECT_TRUE(HasOption(settings.familyOptions, "--flag"));
    EXPECT_EQ(IntOption(settings.familyOptions, "--units", 0, 0, 9), 4);
    EXPECT_THROW(IntOption(settings.familyOptions, "--units", 0, 0, 3), std::invalid_argument);

    EXPECT_THROW(ParseCommandLine({"--bogus"}, families), std::invalid_argument);
    EXPECT_THROW(ParseCommandLine({"--units"}, families), std::invalid_argument);
    EXPECT_THROW(ParseCommandLine({"--flag=1"}, families), std::invalid_argument);
    EXPECT_THROW(ParseCommandLine({"--first-com", "0"}, families), std::invalid_argument);
    EXPECT_THROW(IntOption({{"--n", {"12x"}}}, "--n", 0, 0, 99), std::invalid_argument);
}

TEST(SimProgramTest, ChangeReportShowsChangedLinesUnderTheirDevice) {
    StateChanges changes;
    changes.Update("COM1 a\n    x: 1\n    y: 2\nCOM2 b\n    x: 1\n");
    EXPECT_EQ(changes.Update("COM1 a\n    x: 1\n    y: 2\nCOM2 b\n    x: 1\n"),
              std::vector<std::string>{});
    EXPECT_EQ(changes.Update("COM1 a\n    x: 1\n    y: 3\nCOM2 b\n    x: 5\n"),
              (std::vector<std::string>{"COM1 a", "    y: 3", "COM2 b", "    x: 5"}));
}

}  // namespace
}  // namespace tb::sim
