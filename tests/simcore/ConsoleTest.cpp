#include <gtest/gtest.h>

#include "sim/core/EchoDevice.h"
#include "sim/main/ConsoleCommand.h"
#include "sim/main/ConsoleLines.h"

namespace tb::sim {
namespace {

using Kind = ConsoleCommand::Kind;

TEST(ConsoleTest, FaultCommandsCarryTheirNumbers) {
    auto split = ParseConsoleCommand("split 3 4 150 always");
    ASSERT_EQ(split.kind, Kind::Arm) << split.error;
    EXPECT_EQ(split.com, 3);
    EXPECT_EQ(split.fault.kind, FaultKind::Split);
    EXPECT_EQ(split.fault.position, 4);
    EXPECT_EQ(split.fault.ms, 150);
    EXPECT_EQ(split.fault.count, -1);

    auto garble = ParseConsoleCommand("  garble\t2 -1 0x0f 3\r");
    ASSERT_EQ(garble.kind, Kind::Arm) << garble.error;
    EXPECT_EQ(garble.fault.position, -1);
    EXPECT_EQ(garble.fault.mask, 0x0f);
    EXPECT_EQ(garble.fault.count, 3);

    auto silence = ParseConsoleCommand("silence 256");
    ASSERT_EQ(silence.kind, Kind::Arm);
    EXPECT_EQ(silence.fault.count, 1);
    EXPECT_EQ(ParseConsoleCommand("busy 1 on").busy, true);
    EXPECT_EQ(ParseConsoleCommand("busy 1 off").kind, Kind::Busy);
    EXPECT_EQ(ParseConsoleCommand("").kind, Kind::Nothing);
    EXPECT_EQ(ParseConsoleCommand("dump").kind, Kind::Dump);
}

TEST(ConsoleTest, BadCommandsAreRefusedWithAReason) {
    for (const char* line : {"silence 0", "silence 257", "silence x", "delay 1", "delay 1 -5",
                             "delay 1 700000", "split 1 4", "garble 1 0 0", "garble 1 0 256",
                             "short 1 99999999999", "busy 1 maybe", "clear 1 extra", "frobnicate 1",
                             "silence 1 0", "dump now", "unplug 1 now", "replug", "silence 1 1 1 1 1 1 1", "delay 1 0x"}) {
        auto command = ParseConsoleCommand(line);
        EXPECT_EQ(command.kind, Kind::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
    }
    EXPECT_EQ(ParseConsoleCommand(std::string(kMaxConsoleLine + 1, ' ')).kind, Kind::Invalid);
    EXPECT_EQ(ParseConsoleCommand("frobnicate 1").error, "unknown command (try help)");
}

TEST(ConsoleTest, CommandsActOnTheBench) {
    Bench bench({.pacing = false});
    bench.Emplace<EchoDevice>();
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("delay 1 20 2"), bench),
              "COM1 faults: delay (2 left)\n");
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("clear 1"), bench), "COM1 faults: none\n");
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("busy 1 on"), bench), "COM1 kept busy\n");
    EXPECT_TRUE(bench.Port(1)->Busy());
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("silence 2"), bench),
              "error: no device on COM2\n");
    EXPECT_NE(RunConsoleCommand(ParseConsoleCommand("dump"), bench).find("port kept busy"),
              std::string::npos);
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("unplug 1 mid"), bench),
              "COM1 will be pulled out at its next reply\n");
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("unplug 1"), bench), "COM1 unplugged\n");
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("unplug 1"), bench),
              "error: no device on COM1\n");
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("replug 1"), bench).rfind("COM1 plugged in at /dev/", 0), 0u);
    EXPECT_EQ(RunConsoleCommand(ParseConsoleCommand("replug 1"), bench),
              "error: no device unplugged from COM1\n");
}

TEST(ConsoleTest, InputIsCutIntoLinesAndOverlongLinesAreDropped) {
    ConsoleLines lines;
    EXPECT_TRUE(lines.Feed("du").empty());
    EXPECT_EQ(lines.Feed("mp\nhelp\nsil"), (std::vector<std::string>{"dump", "help"}));
    auto next = lines.Feed(std::string(1000, 'y') + "\nence 1\n");
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(ParseConsoleCommand(next[0]).kind, Kind::Invalid) << "overlong line refused whole";
    EXPECT_EQ(next[1], "ence 1");
}

}  // namespace
}  // namespace tb::sim
