// Finding loggers, identifying them, and what a command does before that.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/modelcom/LoggerFixture.h"

namespace tb::modelcom::test {
namespace {

TEST_F(Lgr870Test, IsConnectRejectsBadArgumentsAndCountZeroTouchesNothing) {
    uint8_t flags[300];
    std::memset(flags, 0xEE, sizeof flags);
    EXPECT_EQ(VkLGR870Com_IsConnect(flags, 257), -30);
    EXPECT_EQ(VkLGR870Com_IsConnect(flags, -1), -30);
    EXPECT_EQ(VkLGR870Com_IsConnect(nullptr, 4), -30);
    EXPECT_EQ(VkLGR870Com_IsConnect(flags, 0), 0);
    EXPECT_EQ(flags[0], 0xEE);
    EXPECT_EQ(port.Opens(), 0);
    EXPECT_EQ(port.CheckPortCalls(), 0);
}

TEST_F(Lgr870Test, IsConnectFlagsOnlyPortsWithinCountAndCountsBusyOnes) {
    sim::Lgr87xLogger second(sim::Lgr87xModel::k870, 0x87000002);
    sim::Lgr87xLogger beyond(sim::Lgr87xModel::k870, 0x87000003);
    port.Attach(5, second, Vid870()).busyAnswers = 3;  // busy on every try
    port.Attach(9, beyond, Vid870());
    uint8_t flags[16];
    std::memset(flags, 0xEE, sizeof flags);
    EXPECT_EQ(VkLGR870Com_IsConnect(flags, 8), 2);
    EXPECT_EQ(flags[kLoggerPort - 1], 1);
    EXPECT_EQ(flags[4], 1);
    EXPECT_EQ(flags[0], 0);
    EXPECT_EQ(flags[7], 0);
    EXPECT_EQ(flags[8], 0xEE);  // port 9 lies beyond count: its byte is not the library's
    EXPECT_EQ(port.Opens(), port.Closes());
}

TEST_F(Lgr870Test, IsConnectFindsNothingOfAnotherModel) {
    sim::Lgr87xLogger co2(sim::Lgr87xModel::k875, 0x87500009);
    port.Line(kLoggerPort).vidPid = Vid875();
    uint8_t flags[8] = {};
    EXPECT_EQ(VkLGR870Com_IsConnect(flags, 8), 0);
    EXPECT_EQ(port.Opens(), 0);
}

TEST_F(Lgr870Test, GetConctMachInfoListsTheLoggerAndCopiesNamesAsText) {
    logger.SetName(0, "ABCDEFGH");  // fills all 8 bytes
    logger.SetName(1, "XY");
    uint32_t key = 0;
    int16_t type = 0;
    char nameA[16], nameB[16];
    std::memset(nameA, 0xEE, sizeof nameA);
    std::memset(nameB, 0xEE, sizeof nameB);
    ASSERT_EQ(VkLGR870Com_GetConctMachInfo(kLoggerPort, &key, &type, nameA, nameB), 0);
    EXPECT_EQ(key, 0x87001234u);
    EXPECT_EQ(type, 0x0467);
    EXPECT_STREQ(nameA, "ABCDEFGH");
    EXPECT_STREQ(nameB, "XY");
    EXPECT_EQ(static_cast<uint8_t>(nameB[3]), 0xEE);  // text: nothing past the terminator
    EXPECT_EQ(port.Opens(), 1);
    EXPECT_EQ(port.Closes(), 1);
    EXPECT_EQ(port.Written(), (std::vector<std::vector<uint8_t>>{
                                  WithSum(Hex("01 55 00 00 00")), WithSum(Hex("01 55 01 01 00 00")),
                                  WithSum(Hex("01 55 02 01 00 00"))}));
}

TEST_F(Lgr875Test, GetConctMachInfoCopiesNamesAsRawBytes) {
    logger.SetName(1, "A");  // "A" then seven zero bytes
    uint32_t key = 0;
    int16_t type = 0;
    char nameA[16], nameB[16];
    std::memset(nameB, 0xEE, sizeof nameB);
    ASSERT_EQ(VkLGR875Com_GetConctMachInfo(kLoggerPort, &key, &type, nameA, nameB), 0);
    EXPECT_EQ(type, 0x0480);
    EXPECT_EQ(nameB[0], 'A');
    for (int i = 1; i < 8; ++i) EXPECT_EQ(nameB[i], 0) << i;
}

TEST_F(Lgr870Test, CommandsForAnUnlistedLoggerFailWithoutOpening) {
    int32_t t;
    int16_t s1, o1, s2, o2;
    uint8_t record[80];
    EXPECT_EQ(VkLGR870Com_GetCalibrationIU(0x87001234, &t, &s1, &o1, &s2, &o2), -2);
    EXPECT_EQ(VkLGR870Com_SetHistoryTH(0x87001234, record), -2);
    EXPECT_EQ(VkLGR870Com_RecStop(0x87001234), -2);
    EXPECT_EQ(port.Opens(), 0);
    int16_t total, received;
    EXPECT_EQ(VkLGR870Com_GetRcvStatus(0x87001234, &total, &received), -32);
    EXPECT_EQ(VkLGR870Com_CancelDownload(0x87001234), -32);
}

TEST_F(Lgr870Test, IdentificationFailuresAndThePortIsAlwaysClosed) {
    uint32_t key = 0;
    int16_t type = 0;
    char a[16], b[16];
    auto identify = [&] { return VkLGR870Com_GetConctMachInfo(kLoggerPort, &key, &type, a, b); };

    port.Line(kLoggerPort).latch = 0x00;
    EXPECT_EQ(identify(), -20) << "latch bit 3 clear: not a logger";
    port.Line(kLoggerPort).latch = 0xF7;
    EXPECT_EQ(identify(), -20);
    port.Line(kLoggerPort).latch = 0x08;

    port.latchOutcome = LatchOutcome::kUnreadable;
    EXPECT_EQ(identify(), -21);
    port.latchOutcome = LatchOutcome::kRuntimeMissing;
    EXPECT_EQ(identify(), -23);
    port.latchOutcome = LatchOutcome::kRead;

    logger.ArmFault(sim::Lgr87xFault::kRefusal, 1, 0x55, 1);
    EXPECT_EQ(identify(), -8) << "second table block refused";
    port.Line(kLoggerPort).shortReplies = 1;
    EXPECT_EQ(identify(), -11) << "a block cut short";

    port.Line(kLoggerPort).busyAnswers = 2;
    EXPECT_EQ(identify(), 0) << "two busy answers are retried";
    port.Line(kLoggerPort).busyAnswers = 3;
    EXPECT_EQ(identify(), -3);
    port.Line(kLoggerPort).cannotOpen = true;
    EXPECT_EQ(identify(), -2);
    EXPECT_EQ(port.Opens(), port.Closes());
    EXPECT_EQ(Lgr870Library().Loggers().Find(0x87001234)->port.load(), kLoggerPort);
}

TEST_F(Lgr870Test, AnotherModelsTypeCodeIsRejectedByEachLibrary) {
    sim::Lgr87xLogger co2(sim::Lgr87xModel::k875, 0x87500009);
    port.Attach(7, co2, Vid870());
    uint32_t key = 0;
    int16_t type = 0;
    char a[16], b[16];
    EXPECT_EQ(VkLGR870Com_GetConctMachInfo(7, &key, &type, a, b), -22);
    EXPECT_EQ(Lgr870Library().Loggers().Find(0x87500009), nullptr);
    EXPECT_EQ(VkLGR875Com_GetConctMachInfo(kLoggerPort, &key, &type, a, b), -23);
    port.latchOutcome = LatchOutcome::kRuntimeMissing;
    EXPECT_EQ(VkLGR875Com_GetConctMachInfo(7, &key, &type, a, b), -24);
}

TEST_F(Lgr870Test, FindingTheLoggerAgainOnAnotherPortMovesItsEntry) {
    Identify();
    port.Attach(11, logger, Vid870());
    uint32_t key = 0;
    int16_t type = 0;
    char a[16], b[16];
    ASSERT_EQ(VkLGR870Com_GetConctMachInfo(11, &key, &type, a, b), 0);
    EXPECT_EQ(key, serial);
    port.Line(kLoggerPort).cannotOpen = true;  // the old port is gone
    uint8_t record[80];
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, record), 0);
}

}  // namespace
}  // namespace tb::modelcom::test
