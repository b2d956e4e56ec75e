// Model-870 commands against the simulated logger: outputs, argument
// checks, refusals and the fixed fields of names and communication info.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/modelcom/LoggerFixture.h"

namespace tb::modelcom::test {
namespace {

TEST_F(Lgr870Test, CalibrationAndHistoryRoundTrip) {
    Identify();
    ASSERT_EQ(VkLGR870Com_SetCalibrationIU(serial, 1700000000, 1010, -250, 990, 125), 0);
    ASSERT_EQ(VkLGR870Com_SetCalibrationTH(serial, 1700000001, 1001, 300, 999, -400), 0);
    EXPECT_EQ(logger.calibration[2].values, (std::array<int16_t, 4>{1010, -250, 990, 125}));
    int32_t time = 0;
    int16_t s1, o1, s2, o2;
    ASSERT_EQ(VkLGR870Com_GetCalibrationTH(serial, &time, &s1, &o1, &s2, &o2), 0);
    EXPECT_EQ(time, 1700000001);
    EXPECT_EQ(s1, 1001);
    EXPECT_EQ(o1, 300);
    EXPECT_EQ(s2, 999);
    EXPECT_EQ(o2, -400);

    std::array<uint8_t, 80> record{};
    record[0] = 0xA5;
    record[79] = 0x5A;
    ASSERT_EQ(VkLGR870Com_SetHistoryTH(serial, record.data()), 0);
    EXPECT_EQ(logger.history[1], record);
    EXPECT_EQ(logger.history[2], (std::array<uint8_t, 80>{}));
    uint8_t back[80];
    ASSERT_EQ(VkLGR870Com_GetHistoryTH(serial, back), 0);
    EXPECT_EQ(std::memcmp(back, record.data(), 80), 0);
    EXPECT_EQ(port.Opens(), port.Closes());
}

TEST_F(Lgr870Test, WritesAreRefusedWhileRecordingAndOutputsStayUntouched) {
    Identify();
    logger.recording = true;
    EXPECT_EQ(VkLGR870Com_SetCalibrationIU(serial, 1, 1000, 0, 1000, 0), -9);
    EXPECT_EQ(VkLGR870Com_RecStop(serial), 0);
    EXPECT_EQ(VkLGR870Com_SetCalibrationIU(serial, 1, 1000, 0, 1000, 0), 0);

    logger.ArmFault(sim::Lgr87xFault::kStatus35, 1, 0x5C);
    int32_t time = -1;
    int16_t s1 = -1, o1 = -1, s2 = -1, o2 = -1;
    EXPECT_EQ(VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2), -14);
    logger.ArmFault(sim::Lgr87xFault::kRefusal, 1, 0x5C);
    EXPECT_EQ(VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2), -8);
    port.Line(kLoggerPort).garbledReplies = 1;
    EXPECT_EQ(VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2), -12);
    port.Line(kLoggerPort).silentReplies = 1;
    EXPECT_EQ(VkLGR870Com_GetCalibrationIU(serial, &time, &s1, &o1, &s2, &o2), -5);
    EXPECT_EQ(time, -1);
    EXPECT_EQ(s1, -1);
}

TEST_F(Lgr870Test, ASoundReplyOfTheWrongLengthIsMinusFive) {
    Identify();
    uint8_t record[80];
    std::memset(record, 0x33, sizeof record);
    // A bare acknowledgement where the 87-byte history was expected.
    port.Line(kLoggerPort).scriptedReplies.push_back(WithSum(Hex("01 5E 06 00 00")));
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, record), -5);
    EXPECT_EQ(record[0], 0x33);
    // Refused with a frame far shorter than expected: the status decides.
    port.Line(kLoggerPort).scriptedReplies.push_back(Hex("01 5E 15 00 00 FF FF"));
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, record), -8);
    // A length field that promises more than arrived.
    port.Line(kLoggerPort).scriptedReplies.push_back(WithSum(Hex("01 5E 06 50 00 01 02")));
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, record), -11);
}

TEST_F(Lgr870Test, ARequestThatCannotBeSentIsMinusFour) {
    Identify();
    uint8_t record[80];
    port.Line(kLoggerPort).flushFails = true;
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, record), -4);
    port.Line(kLoggerPort).flushFails = false;
    port.Line(kLoggerPort).writeResult = -6;
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, record), -4);
    port.Line(kLoggerPort).writeResult = 3;  // only part of the frame went out
    EXPECT_EQ(VkLGR870Com_SetHistoryIU(serial, record), -4);
    EXPECT_EQ(port.Opens(), port.Closes());
}

TEST_F(Lgr870Test, TransactionSleepsAsTheProtocolAsks) {
    Identify();
    uint64_t before = clock.TotalSleptMs();
    uint8_t record[80];
    ASSERT_EQ(VkLGR870Com_GetHistoryIU(serial, record), 0);
    uint64_t read = clock.TotalSleptMs() - before;
    EXPECT_GE(read, 101u);  // 1 ms open, 100 ms settle
    EXPECT_LT(read, 110u);
    before = clock.TotalSleptMs();
    ASSERT_EQ(VkLGR870Com_SetHistoryIU(serial, record), 0);
    EXPECT_GE(clock.TotalSleptMs() - before, 201u) << "writes pause 100 ms afterwards";
    before = clock.TotalSleptMs();
    port.Line(kLoggerPort).silentReplies = 1;
    EXPECT_EQ(VkLGR870Com_SetHistoryIU(serial, record), -5);
    EXPECT_GE(clock.TotalSleptMs() - before, 10000u) << "a write waits up to 10 s for its reply";
}

TEST_F(Lgr870Test, ReadOutputsComeFromTheirOffsets) {
    Identify();
    int a = -1, b = -1;
    logger.radio = {0, 7, 0, 0};
    ASSERT_EQ(VkLGR870Com_GetRadioCommSettings(serial, &a, &b), 0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);

    int16_t v[6];
    logger.current = {11, 22, 33, 44, 55, 66};
    ASSERT_EQ(VkLGR870Com_GetCurrent(serial, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 0);
    EXPECT_EQ((std::array<int16_t, 6>{v[0], v[1], v[2], v[3], v[4], v[5]}),
              (std::array<int16_t, 6>{11, 22, 55, 66, 33, 44}));

    logger.FillRecords(25);
    int16_t count = 0;
    ASSERT_EQ(VkLGR870Com_GetRecNum(serial, &count), 0);
    EXPECT_EQ(count, 25);

    int16_t battery[4];
    ASSERT_EQ(VkLGR870Com_GetBattery(serial, &battery[0], &battery[1], &battery[2], &battery[3]),
              0);
    EXPECT_EQ(battery[1], 2900);

    int32_t a1, b1, a2, b2;
    uint8_t x, y;
    ASSERT_EQ(VkLGR870Com_SetComInfo(serial, 7, -8, "12345678", 9, 10), 0);
    ASSERT_EQ(VkLGR870Com_GetComInfo(serial, &a1, &b1, &a2, &b2, &x, &y), 0);
    EXPECT_EQ(a1, 7);
    EXPECT_EQ(b1, -8);
    EXPECT_EQ(a2, 0x34333231);  // the text's first four bytes
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 10);

    uint8_t table[192];
    ASSERT_EQ(VkLGR870Com_GetRecTbl(serial, table), 0);
    EXPECT_EQ(table[62] | (table[63] << 8), 0x0467);
    EXPECT_EQ(VkLGR870Com_GetRecTbl(serial, nullptr), -30);
}

TEST_F(Lgr870Test, FirmwareVersionToleratesAFailingPartButNotTheMainOne) {
    Identify();
    int16_t a = 0, b = 0, c = 0, d = 0;
    int32_t p = 0, q = 0, r = 0;
    logger.ArmFault(sim::Lgr87xFault::kRefusal, 1, 0x35, 2);
    ASSERT_EQ(VkLGR870Com_GetFirmVersion(serial, &a, &b, &c, &d, &p, &q, &r), 0);
    EXPECT_EQ(a, 0x0123);
    EXPECT_EQ(c, 0x0210);
    EXPECT_EQ(q, 20240101);
    EXPECT_EQ(b, 0) << "the refused part reads as zeros";
    EXPECT_EQ(p, 0);
    EXPECT_EQ(d, 0x0430);
    EXPECT_EQ(r, 20240303);
    EXPECT_EQ(port.Opens(), 1);

    logger.ArmFault(sim::Lgr87xFault::kRefusal, 1, 0x35, 0);
    a = 77;
    EXPECT_EQ(VkLGR870Com_GetFirmVersion(serial, &a, &b, &c, &d, &p, &q, &r), -8);
    EXPECT_EQ(a, 77);
}

TEST_F(Lgr870Test, ArgumentErrorsOpenNothing) {
    Identify();
    EXPECT_EQ(VkLGR870Com_SetDsp(serial, 0, 0), -30);
    EXPECT_EQ(VkLGR870Com_SetDsp(serial, 7, 1), -30);
    EXPECT_EQ(VkLGR870Com_SetDsp(serial, -1, 1), -30);
    EXPECT_EQ(VkLGR870Com_SetUnit(serial, 2), -30);
    EXPECT_EQ(VkLGR870Com_SetChName(serial, "A", "B", "0123456789ABCDEFG", "D"), -30);
    EXPECT_EQ(VkLGR870Com_SetChName(serial, "A", nullptr, "C", "D"), -30);
    EXPECT_EQ(VkLGR870Com_SetComInfo(serial, 1, 2, "", 0, 0), -30);
    EXPECT_EQ(VkLGR870Com_SetComInfo(serial, 1, 2, "123456789", 0, 0), -30);
    EXPECT_EQ(VkLGR870Com_SetComInfo(serial, 1, 2, nullptr, 0, 0), -30);
    EXPECT_EQ(VkLGR870Com_GetHistoryIU(serial, nullptr), -30);
    EXPECT_EQ(port.Opens(), 0);
    EXPECT_EQ(VkLGR870Com_SetDsp(serial, 0, 1), 0);
    EXPECT_EQ(VkLGR870Com_SetDsp(serial, 6, 0), 0);
    EXPECT_EQ(logger.display, (std::array<uint8_t, 2>{6, 0}));
}

TEST_F(Lgr870Test, ChannelNamesStayInsideTheirSixteenByteFields) {
    Identify();
    ASSERT_EQ(VkLGR870Com_SetChName(serial, "0123456789ABCDEF", "lux", "", "humidity"), 0);
    // Each name in a buffer of exactly 16 bytes, followed by a guard.
    struct Guarded {
        char name[16];
        char guard[8];
    } names[4];
    std::memset(names, 0x7E, sizeof names);
    ASSERT_EQ(
        VkLGR870Com_GetChName(serial, names[0].name, names[1].name, names[2].name, names[3].name),
        0);
    EXPECT_EQ(std::string(names[0].name, 16), "0123456789ABCDEF");
    EXPECT_STREQ(names[1].name, "lux");
    EXPECT_STREQ(names[2].name, "");
    EXPECT_STREQ(names[3].name, "humidity");
    for (const auto& n : names) EXPECT_EQ(std::string(n.guard, 8), std::string(8, 0x7E));

    // A name text that runs on without a terminator is cut at 17 bytes and refused.
    char unterminated[20];
    std::memset(unterminated, 'x', sizeof unterminated);
    EXPECT_EQ(VkLGR870Com_SetChName(serial, unterminated, "a", "b", "c"), -30);
}

}  // namespace
}  // namespace tb::modelcom::test
