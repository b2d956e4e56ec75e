// Faults of the simulated devices, armed through the simulator's console,
// reach the caller on Windows as they do on Linux: a failure with its code
// and never a hang; a reply that is only late or in pieces goes through.
// Once the fault is cleared the same call succeeds again.
#include <gtest/gtest.h>

#include <string>

#include "link/ResultCodes.h"
#include "modelcom/lgr870/VkLGR870Com.h"
#include "tests/windows/DeviceCalls.h"
#include "tests/windows/SimOnWine.h"

namespace tb::wine {
namespace {

constexpr uint32_t kLgr870Serial = 0x87000001;

struct FaultCase {
    const char* name;
    const char* arm;   // console command; "%" stands for the COM number
    int baseUnitCode;  // the link exchange's result: a code, or 1 for "a reply"
    bool modelReadFails;
};

const FaultCase kFaults[] = {
    {"garbled first byte", "garble % 0 0xFF", link::kBadFrameStart, true},
    {"garbled last byte", "garble % -1 0xFF", 1, true},
    {"short reply", "short % 5", link::kTimeout, true},
    {"silence", "silence %", link::kTimeout, true},
    {"split reply", "split % 5 40", 1, false},
    {"late reply", "delay % 60", 1, false},
};

std::string WithCom(std::string command, int com) {
    command.replace(command.find('%'), 1, std::to_string(com));
    return command;
}

// The library serves a logger it has found: list the ports, identify the logger.
bool Find870(int com) {
    uint8_t flags[256] = {};
    uint32_t serial = 0;
    int16_t type = 0;
    char nameA[16], nameB[16];
    return VkLGR870Com_IsConnect(flags, 256) >= 1 &&
           VkLGR870Com_GetConctMachInfo(com, &serial, &type, nameA, nameB) == 0 &&
           serial == kLgr870Serial;
}

int ReadCalibration870() {
    int32_t time = 0;
    int16_t s1 = 0, o1 = 0, s2 = 0, o2 = 0;
    return VkLGR870Com_GetCalibrationIU(kLgr870Serial, &time, &s1, &o1, &s2, &o2);
}

class FaultsOnWine : public ::testing::TestWithParam<FaultCase> {
  protected:
    void SetUp() override {
        if (!BenchServed()) GTEST_SKIP() << "needs the bench of scripts/wine-test.sh";
        unitCom_ = ComsOf(0x2F5C, static_cast<uint16_t>(BaseProduct())).at(1);
        const auto loggers = ComsOf(0x2F5C, 0x8870);
        ASSERT_EQ(loggers.size(), 1u);
        loggerCom_ = loggers[0];
        ASSERT_EQ(Serials().size(), 2u);
        ASSERT_TRUE(Find870(loggerCom_));
    }
    void TearDown() override {
        SimCommand("clear " + std::to_string(unitCom_));
        SimCommand("clear " + std::to_string(loggerCom_));
    }
    int unitCom_ = 0;
    int loggerCom_ = 0;
};

TEST_P(FaultsOnWine, BaseUnitExchangeGivesTheFaultsCodeThenRecovers) {
    const FaultCase& fault = GetParam();
    const auto frame = AdjustReadFrame();
    std::vector<uint8_t> reply;
    ASSERT_TRUE(SimCommand(WithCom(fault.arm, unitCom_)));
    const int faulted = Exchange(kFaultUnit, frame, reply);
    if (fault.baseUnitCode == 1) {
        EXPECT_GT(faulted, 6) << fault.name;
    } else {
        EXPECT_EQ(faulted, fault.baseUnitCode) << fault.name;
    }
    SimCommand("clear " + std::to_string(unitCom_));
    EXPECT_GT(Exchange(kFaultUnit, frame, reply), 6) << fault.name << ": after clearing";
}

TEST_P(FaultsOnWine, ModelLibraryReadFailsOrGoesThroughThenRecovers) {
    const FaultCase& fault = GetParam();
    ASSERT_EQ(ReadCalibration870(), 0);
    ASSERT_TRUE(SimCommand(WithCom(fault.arm, loggerCom_)));
    if (fault.modelReadFails) {
        EXPECT_NE(ReadCalibration870(), 0) << fault.name;
    } else {
        EXPECT_EQ(ReadCalibration870(), 0) << fault.name;
    }
    SimCommand("clear " + std::to_string(loggerCom_));
    EXPECT_EQ(ReadCalibration870(), 0) << fault.name << ": after clearing";
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultsOnWine, ::testing::ValuesIn(kFaults), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

// Pulls the fault unit out for good (its port's link in the Wine prefix is
// not renewed), so the script runs it last and alone.
TEST(UnplugOnWine, AUnitPulledOutMidExchangeFailsWithoutAHangAndIsGone) {
    if (!BenchServed()) GTEST_SKIP() << "needs the bench of scripts/wine-test.sh";
    const int com = ComsOf(0x2F5C, static_cast<uint16_t>(BaseProduct())).at(1);
    ASSERT_EQ(Serials().size(), 2u);
    ASSERT_TRUE(SimCommand("unplug " + std::to_string(com) + " mid"));
    std::vector<uint8_t> reply;
    const int result = Exchange(kFaultUnit, AdjustReadFrame(), reply);
    EXPECT_LT(result, 0) << "the unit took the request and never answered";
    EXPECT_EQ(Serials(), (std::vector<uint32_t>{kFirstUnit})) << "gone from the device map";
    EXPECT_EQ(VkLGR800_OpenUSBComm(kFaultUnit), link::kUsbOpenFailed);
}

}  // namespace
}  // namespace tb::wine
