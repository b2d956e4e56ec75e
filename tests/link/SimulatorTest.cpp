// The link library's exports against simulated base units on real
// pseudo-terminals, through the port library and the bridge run-time library.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "link/LinkLibrary.h"
#include "link/VkLGR800Comm.h"
#include "platform/DeviceIds.h"
#include "sim/baseunit/BaseUnitFaults.h"
#include "tests/link/SimBench.h"
#include "tests/link/TempFolder.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/KindTwoFrame.h"
#include "tests/support/LinkExchange.h"

namespace tb::link {
namespace {

using testing::SimBench;

const int kP1 = platform::DeviceIds{}.Product(1);


std::vector<uint32_t> Serials() {
    std::vector<uint32_t> units(256, 0);
    const int found = VkLGR800_GetSerial(units.data(), 256, kP1, 0);
    units.resize(found > 0 ? static_cast<size_t>(found) : 0);
    return units;
}

// One exchange with the unit; the reply's length or the failing code.
int Exchange(uint32_t key, const std::vector<uint8_t>& frame, std::vector<uint8_t>& reply,
             int timeoutSec = 0) {
    return tb::testsupport::LinkExchange(key, frame, reply, timeoutSec);
}

TEST(LinkOnSimulator, FindsTwoUnitsInPortOrderAndTellsOtherDevicesApart) {
    SimBench bench;
    bench.AddUnit(0x2222BBBB, 0x08, 5);
    bench.AddUnit(0x1111AAAA, 0x08, 2);
    bench.AddUnit(0x33330000, 0x00, 9);  // same bridge, bit 3 clear: not a base unit

    EXPECT_EQ(Serials(), (std::vector<uint32_t>{0x1111AAAA, 0x2222BBBB}));
    uint8_t status[256] = {};
    EXPECT_EQ(VkLGR800_GetConnectNum(status, 256, kP1, 0), 2);
    EXPECT_EQ(status[1], 1);
    EXPECT_EQ(status[4], 1);
    EXPECT_EQ(status[8], 2);
    EXPECT_EQ(VkLGR800_GetConnectNum(status, 256, kP1, 1), 3);  // latch skipped
}

TEST(LinkOnSimulator, AUnitHeldOpenIsStillReportedAndABusyPortCounts) {
    SimBench bench;
    auto first = bench.AddUnit(0x0000A001);
    bench.AddUnit(0x0000A002);
    ASSERT_EQ(Serials().size(), 2u);
    ASSERT_EQ(VkLGR800_OpenUSBComm(0x0000A001), 0);
    EXPECT_EQ(Serials(), (std::vector<uint32_t>{0x0000A001, 0x0000A002}));
    uint8_t status[256] = {};
    EXPECT_EQ(VkLGR800_GetConnectNum(status, 256, kP1, 0), 2);
    EXPECT_EQ(VkLGR800_CloseComm(0x0000A001), 0);

    // Held by someone else: counted, but no serial number to report.
    ASSERT_TRUE(bench.Bench().PortOf(*first.unit)->SetBusy(true));
    EXPECT_EQ(VkLGR800_GetConnectNum(status, 256, kP1, 0), 2);
    EXPECT_EQ(Serials(), (std::vector<uint32_t>{0x0000A002}));
    std::vector<uint8_t> reply;
    EXPECT_EQ(Exchange(0x0000A001, tb::testsupport::KindTwoFrame("EISET:ACT=1"), reply), -22);
}

TEST(LinkOnSimulator, WithoutAUnitNothingIsFound) {
    SimBench bench;
    bench.Publish();
    uint32_t units[4] = {};
    uint8_t status[256] = {};
    EXPECT_EQ(VkLGR800_GetSerial(units, 4, kP1, 0), 0);
    EXPECT_EQ(VkLGR800_GetConnectNum(status, 256, kP1, 0), 0);
}

TEST(LinkOnSimulator, CarriesACommandToTheLoggerAndItsReplyBack) {
    SimBench bench;
    auto unit = bench.AddUnit(0x00C0FFEE);
    ASSERT_EQ(Serials(), (std::vector<uint32_t>{0x00C0FFEE}));
    const std::vector<uint8_t> reply = tb::testsupport::KindTwoFrame("EISET:STATUS=\x09");
    unit.logger->QueueReply({reply.begin(), reply.end()});

    std::vector<uint8_t> got;
    const auto command = tb::testsupport::KindTwoFrame("EISET:ACT=1");
    ASSERT_EQ(Exchange(0x00C0FFEE, command, got), static_cast<int>(reply.size()) + 6);
    EXPECT_EQ(std::vector<uint8_t>(got.begin() + 4, got.end() - 2), reply);
    const auto commands = unit.logger->Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], std::vector<uint8_t>(command.begin() + 4, command.end() - 2));
}

TEST(LinkOnSimulator, UnknownSerialsAndKeysAreRefused) {
    SimBench bench;
    bench.AddUnit(0x00000777);
    ASSERT_EQ(Serials().size(), 1u);
    EXPECT_EQ(VkLGR800_OpenUSBComm(0x00000778), -22);
    uint8_t byte = 0;
    EXPECT_EQ(VkLGR800_SendComm(0x12345678, &byte, 1), -12);
    EXPECT_EQ(VkLGR800_RecvComm(0x12345678, &byte, 1, 1), -12);
    EXPECT_EQ(VkLGR800_CloseComm(0x12345678), -12);
}

TEST(LinkOnSimulator, FaultsOfTheUnitReachTheCallerAsTheirCodes) {
    SimBench bench;
    auto unit = bench.AddUnit(0x0000FA17);
    ASSERT_EQ(Serials().size(), 1u);
    auto& faults = bench.Bench().PortOf(*unit.unit)->Faults();
    const auto command = tb::testsupport::KindTwoFrame("EIADJ:ACT=1");
    std::vector<uint8_t> reply;

    faults.Arm(*sim::BaseUnitFault("wrong-header"));
    EXPECT_EQ(Exchange(0x0000FA17, command, reply), -26);
    faults.Arm(*sim::BaseUnitFault("bad-kind"));
    EXPECT_EQ(Exchange(0x0000FA17, command, reply), -26);
    faults.Arm(*sim::BaseUnitFault("split"));
    EXPECT_GT(Exchange(0x0000FA17, command, reply), 0);  // joined again
    faults.Arm(*sim::BaseUnitFault("short"));
    EXPECT_EQ(Exchange(0x0000FA17, command, reply, 1), -28);
    faults.Arm(*sim::BaseUnitFault("garbled-check"));
    EXPECT_TRUE(Serials().empty());  // a serial reply that fails its check
    faults.Arm(*sim::BaseUnitFault("silence"));
    EXPECT_TRUE(Serials().empty());
    EXPECT_EQ(Serials().size(), 1u);
}

TEST(LinkOnSimulator, TheExampleProgramFindsTheUnitAndTalksToIt) {
    SimBench bench;
    bench.AddUnit(0x00E4A3B1);
    FILE* out = popen(EXAMPLE_PROGRAM " 2>&1", "r");
    ASSERT_NE(out, nullptr);
    std::string text;
    char line[512];
    while (fgets(line, sizeof line, out)) text += line;
    EXPECT_EQ(pclose(out), 0) << text;
    EXPECT_NE(text.find("base unit 00E4A3B1"), std::string::npos) << text;
    // The scripted logger's plain status reply to EISET.
    EXPECT_NE(text.find("reply 54 32 18 00 45 49 53 45 54 3a"), std::string::npos) << text;
}

}  // namespace
}  // namespace tb::link

namespace tb::link {
namespace {

using testing::SimBench;
using testing::TempFolder;

std::string RunIn(const std::string& folder, const std::string& program) {
    return tb::testsupport::RunCommand("cd '" + folder + "' && LD_LIBRARY_PATH='" OUT_DIR "' ./" +
                                       program + " 2>&1")
        .out;
}

TEST(LinkOnSimulator, DiagnosticFilesAppearBesideTheProgramOnlyWithTheMarker) {
    SimBench bench;
    bench.AddUnit(0x00D1A600);
    TempFolder withMarker;
    TempFolder without;
    for (const TempFolder* folder : {&withMarker, &without})
        std::filesystem::copy_file(EXAMPLE_PROGRAM, folder->File("find_and_talk"),
                                   std::filesystem::copy_options::overwrite_existing);
    withMarker.Touch("FileOutput");

    EXPECT_NE(RunIn(without.Path(), "find_and_talk").find("reply 54 32"), std::string::npos);
    EXPECT_EQ(without.Names(), std::vector<std::string>{"find_and_talk"});

    const std::string output = RunIn(withMarker.Path(), "find_and_talk");
    ASSERT_NE(output.find("reply 54 32"), std::string::npos) << output;
    const std::string ring = withMarker.Read("DllLog.txt");
    EXPECT_EQ(ring.substr(0, 5), "FLIT ");
    EXPECT_EQ(ring.size() % 100, 0u);
    for (const char* line :
         {"VkTR800Comm Start", "USB Open Success(00d1a600)", "USB Send(00d1a600) 54 32 0d 00",
          "USB Recv Success(00d1a600)", "USB Close(00d1a600)"})
        EXPECT_NE(ring.find(line), std::string::npos) << line;
    EXPECT_EQ(withMarker.Read("Debug_Recv_00d1a600").substr(0, 2), "T2");
}

TEST(LinkOnSimulator, TheLatchIsReadThroughTheSecondRunTimeNameWhenTheFirstIsMissing) {
    SimBench bench;
    bench.AddUnit(0x00000B01, 0x08, 1);
    bench.AddUnit(0x00000B02, 0x00, 2);
    LinkLibrary link(
        SystemPortLayer(),
        {RUNTIME_COPY_DIR "/libAbsentRuntime.so", RUNTIME_COPY_DIR "/libCP210xRuntime6.so"},
        nullptr);
    uint8_t status[256] = {};
    EXPECT_EQ(link.GetConnectNum(status, 256, kP1, 0), 1);
    EXPECT_EQ(status[0], 1);
    EXPECT_EQ(status[1], 2);
    uint32_t serials[4] = {};
    EXPECT_EQ(link.GetSerial(serials, 4, kP1, 0), 1);
    EXPECT_EQ(serials[0], 0x00000B01u);
}

}  // namespace
}  // namespace tb::link
