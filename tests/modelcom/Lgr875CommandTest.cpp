// Model-875 commands: the CO2 channel's calibration layout, the sensor
// module's Modbus messages, air pressure, versions and refusals.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/modelcom/LoggerFixture.h"

namespace tb::modelcom::test {
namespace {

TEST_F(Lgr875Test, CalibrationOfEachGroup) {
    Identify();
    ASSERT_EQ(VkLGR875Com_SetCalibrationCh1(serial, 1700000000, 1020, -35), 0);
    EXPECT_EQ(logger.calibration[2].values, (std::array<int16_t, 4>{1020, -35, 0, 0}));
    int32_t time = 0;
    int16_t slope = 0, ppm = 0;
    ASSERT_EQ(VkLGR875Com_GetCalibrationCh1(serial, &time, &slope, &ppm), 0);
    EXPECT_EQ(time, 1700000000);
    EXPECT_EQ(slope, 1020);
    EXPECT_EQ(ppm, -35);

    ASSERT_EQ(VkLGR875Com_SetCalibrationCh2Ch3(serial, 5, 999, 100, 1001, -100), 0);
    int16_t s2, o2, s3, o3;
    ASSERT_EQ(VkLGR875Com_GetCalibrationCh2Ch3(serial, &time, &s2, &o2, &s3, &o3), 0);
    EXPECT_EQ((std::array<int16_t, 4>{s2, o2, s3, o3}),
              (std::array<int16_t, 4>{999, 100, 1001, -100}));
}

TEST_F(Lgr875Test, HistoryWritesWaitThreeSecondsAndStatus35IsAPlainRefusal) {
    Identify();
    std::array<uint8_t, 80> record{};
    record[10] = 0x42;
    ASSERT_EQ(VkLGR875Com_SetHistoryCh1(serial, record.data()), 0);
    EXPECT_EQ(logger.history[2], record);
    uint64_t before = clock.TotalSleptMs();
    port.Line(kLoggerPort).silentReplies = 1;
    EXPECT_EQ(VkLGR875Com_SetHistoryCh2Ch3(serial, record.data()), -5);
    uint64_t waited = clock.TotalSleptMs() - before;
    EXPECT_GE(waited, 3000u);
    EXPECT_LT(waited, 4000u);
    logger.ArmFault(sim::Lgr87xFault::kStatus35, 1, 0x5E);
    uint8_t back[80];
    EXPECT_EQ(VkLGR875Com_GetHistoryCh1(serial, back), -10);
}

TEST_F(Lgr875Test, AutomaticCalibrationThroughTheSensorModule) {
    Identify();
    int on = -1;
    ASSERT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), 0);
    EXPECT_EQ(on, 1);
    ASSERT_EQ(VkLGR875Com_SetAutoCalibSetting(serial, 0), 0);
    EXPECT_EQ(logger.sensor.Register(0x001F), 0);
    ASSERT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), 0);
    EXPECT_EQ(on, 0);
    logger.sensor.SetRegister(0x001F, 179);
    ASSERT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), 0);
    EXPECT_EQ(on, 0) << "only 180 means on";
    ASSERT_EQ(VkLGR875Com_SetAutoCalibSetting(serial, 1), 0);
    EXPECT_EQ(logger.sensor.Register(0x001F), 180);
}

TEST_F(Lgr875Test, AWrongInnerCrcIsMinusTwentyTwoEvenInASoundFrame) {
    Identify();
    int on = -1;
    logger.ArmFault(sim::Lgr87xFault::kSensorBadCrc, 1, 0xA6);
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), -22);
    EXPECT_EQ(on, -1);
    logger.ArmFault(sim::Lgr87xFault::kSensorBadCrc, 1, 0xA6);
    EXPECT_EQ(VkLGR875Com_SetAutoCalibSetting(serial, 1), -22);

    // The inner message is checked before the frame's length.
    auto& scripted = port.Line(kLoggerPort).scriptedReplies;
    scripted.push_back(WithSum(Hex("01 A6 06 05 00 FE 03 02 00 B4")));  // CRC missing
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), -22);
    // One byte more than expected: only the expected count is read, so the
    // length field no longer matches.
    scripted.push_back(WithSum(Hex("01 A6 06 08 00 FE 03 02 00 B4 AC 27 00")));
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), -11);
    scripted.push_back(WithSum(Hex("01 A6 06 07 00 FE 04 02 00 B4 AC 27")));  // other function
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), -22);
    scripted.push_back(WithSum(Hex("01 A6 06 07 00 FE 03 02 00 B4 AC 27")));
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), 0);
    EXPECT_EQ(on, 1);
    // The outer check still comes first.
    scripted.push_back(Hex("01 A6 06 07 00 FE 03 02 00 B4 AC 27 00 00"));
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, &on), -12);
}

TEST_F(Lgr875Test, AirPressureRoundTripsThroughTheLogger) {
    Identify();
    for (int tenths : {1013, 900, 1100, 700, 1050}) {
        ASSERT_EQ(VkLGR875Com_SetAirPressureSetting(serial, tenths), 0) << tenths;
        int back = 0;
        ASSERT_EQ(VkLGR875Com_GetAirPressureSetting(serial, &back), 0);
        EXPECT_EQ(back, tenths);
    }
    // 101.325 kPa is the standard pressure: no correction.
    logger.airPressure.fill(0);
    int back = 0;
    ASSERT_EQ(VkLGR875Com_GetAirPressureSetting(serial, &back), 0);
    EXPECT_EQ(back, 1013);
    // Pressures that make the factor zero or negative, or that overflow a word.
    EXPECT_EQ(VkLGR875Com_SetAirPressureSetting(serial, 388), -30);
    EXPECT_EQ(VkLGR875Com_SetAirPressureSetting(serial, -5), -30);
    EXPECT_EQ(VkLGR875Com_SetAirPressureSetting(serial, 1000000), -30);
}

TEST_F(Lgr875Test, OwnReadOutputs) {
    Identify();
    int16_t version = 0;
    int32_t build = 0;
    ASSERT_EQ(VkLGR875Com_GetRfVersion(serial, &version, &build), 0);
    EXPECT_EQ(version, 0x0430);
    EXPECT_EQ(build, 20240303);
    int16_t firmware = 0;
    ASSERT_EQ(VkLGR875Com_GetFirmVersion(serial, &firmware), 0);
    EXPECT_EQ(firmware, 0x0123);
    int a, b, c, d;
    logger.radio = {1, 0, 9, 0};
    ASSERT_EQ(VkLGR875Com_GetRadioCommSettings(serial, &a, &b, &c, &d), 0);
    EXPECT_EQ((std::array<int, 4>{a, b, c, d}), (std::array<int, 4>{1, 0, 1, 0}));
    int16_t v1, v2, v3;
    logger.current = {800, 215, 480, 0, 0, 0};
    ASSERT_EQ(VkLGR875Com_GetCurrent(serial, &v1, &v2, &v3), 0);
    EXPECT_EQ(v3, 480);
    int16_t battery1, battery2;
    logger.battery = {3000, 2900, 100, 0};
    ASSERT_EQ(VkLGR875Com_GetBattery(serial, &battery1, &battery2), 0);
    EXPECT_EQ(battery1, 3000);
    EXPECT_EQ(battery2, 100);
    logger.FillRecords(30);
    int16_t count = 0;
    ASSERT_EQ(VkLGR875Com_GetRecNum(serial, &count), 0);
    EXPECT_EQ(count, 30);
    char n1[16], n2[16], n3[16];
    ASSERT_EQ(VkLGR875Com_GetChName(serial, n1, n2, n3), 0);
    EXPECT_STREQ(n3, "CH3");
}

TEST_F(Lgr875Test, ArgumentErrorsOpenNothing) {
    Identify();
    EXPECT_EQ(VkLGR875Com_SetDsp(serial, 3), -30);
    EXPECT_EQ(VkLGR875Com_SetDsp(serial, 0x1FF), -30);
    EXPECT_EQ(VkLGR875Com_GetAutoCalibSetting(serial, nullptr), -30);
    EXPECT_EQ(VkLGR875Com_GetAirPressureSetting(serial, nullptr), -30);
    EXPECT_EQ(port.Opens(), 0);
    EXPECT_EQ(VkLGR875Com_SetDsp(serial, 0x102), 0) << "the low byte counts";
    EXPECT_EQ(logger.display, (std::array<uint8_t, 2>{2, 3}));
}

}  // namespace
}  // namespace tb::modelcom::test
