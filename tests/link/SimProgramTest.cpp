// The way a person meets the link library: trimbench-sim started as its own
// process with base-unit options, and a C program that finds the unit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/CommandOutput.h"
#include "tests/support/SimProgram.h"

namespace tb::link {
namespace {

std::string RunCommand(const std::string& command) {
    return tb::testsupport::RunCommand(command + " 2>&1").out;
}

TEST(LinkAgainstSimProgram, TheExampleFindsTheUnitsOfTheCommandLineAndTalksToTheFirst) {
    const std::string map =
        ::testing::TempDir() + "link-sim-program-" + std::to_string(getpid()) + ".map";
    testsupport::SimProgram sim(SIM_PROGRAM, map,
                                {"--no-pacing", "--base-unit-serial", "00FACADE",
                                 "--base-unit-serial", "00FACADF", "--base-unit-echo"});
    ASSERT_TRUE(sim.Started());
    const std::string output =
        RunCommand("TRIMBENCH_DEVICE_MAP='" + map + "' '" EXAMPLE_PROGRAM "'");
    sim.Stop();

    EXPECT_NE(output.find("base unit 00FACADE"), std::string::npos) << output;
    // The echoing logger sends the command back in a frame of its own.
    const size_t sent = output.find("sent ");
    const size_t reply = output.find("reply ");
    ASSERT_NE(sent, std::string::npos) << output;
    ASSERT_NE(reply, std::string::npos) << output;
    EXPECT_EQ(output.substr(sent + 5, output.find('\n', sent) - sent - 5),
              output.substr(reply + 6, output.find('\n', reply) - reply - 6));
    EXPECT_FALSE(sim.MapExists()) << "the map goes with the simulator";
}

}  // namespace
}  // namespace tb::link
