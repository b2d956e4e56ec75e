// The exact bytes each command family puts on the line, through the exports.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "tests/modelcom/LoggerFixture.h"

namespace tb::modelcom::test {
namespace {

struct RequestCase {
    const char* what;
    std::function<int(uint32_t)> call;
    std::vector<const char*> frames;  // header and data; the byte sum is appended
};

template <class Fixture>
void ExpectRequests(Fixture& fixture, FakeLoggerPort& port, uint32_t serial,
                    const std::vector<RequestCase>& cases) {
    (void)fixture;
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.what);
        port.ClearWritten();
        EXPECT_GE(c.call(serial), 0);
        std::vector<std::vector<uint8_t>> expected;
        for (const char* frame : c.frames) expected.push_back(WithSum(Hex(frame)));
        EXPECT_EQ(port.Written(), expected);
    }
}

std::array<uint8_t, 80> Counting() {
    std::array<uint8_t, 80> record;
    std::iota(record.begin(), record.end(), uint8_t{0});
    return record;
}

const char* kCountingHistory =
    "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D "
    "1E 1F 20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F 30 31 32 33 34 35 36 37 38 39 3A 3B "
    "3C 3D 3E 3F 40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F";

std::string Join(const char* head, const char* tail) { return std::string(head) + " " + tail; }

TEST_F(Lgr870Test, CalibrationAndHistoryRequests) {
    Identify();
    static const auto record = Counting();
    static const std::string setHistoryIU = Join("01 5D 02 50 00", kCountingHistory);
    static const std::string setHistoryTH = Join("01 5D 01 50 00", kCountingHistory);
    int32_t t;
    int16_t s1, o1, s2, o2;
    uint8_t out[80];
    ExpectRequests(
        *this, port, serial,
        {
            {"get IU",
             [&](uint32_t k) { return VkLGR870Com_GetCalibrationIU(k, &t, &s1, &o1, &s2, &o2); },
             {"01 5C 02 00 00"}},
            {"get TH",
             [&](uint32_t k) { return VkLGR870Com_GetCalibrationTH(k, &t, &s1, &o1, &s2, &o2); },
             {"01 5C 01 00 00"}},
            {"set IU",
             [](uint32_t k) {
                 return VkLGR870Com_SetCalibrationIU(k, 0x01020304, 1000, -5, 998, 250);
             },
             {"01 5B 02 0C 00 04 03 02 01 E8 03 FB FF E6 03 FA 00"}},
            {"set TH",
             [](uint32_t k) {
                 return VkLGR870Com_SetCalibrationTH(k, 0x01020304, 1000, -5, 998, 250);
             },
             {"01 5B 01 0C 00 04 03 02 01 E8 03 FB FF E6 03 FA 00"}},
            {"history IU",
             [&](uint32_t k) { return VkLGR870Com_GetHistoryIU(k, out); },
             {"01 5E 02 00 00"}},
            {"history TH",
             [&](uint32_t k) { return VkLGR870Com_GetHistoryTH(k, out); },
             {"01 5E 01 00 00"}},
            {"set history IU",
             [](uint32_t k) { return VkLGR870Com_SetHistoryIU(k, record.data()); },
             {setHistoryIU.c_str()}},
            {"set history TH",
             [](uint32_t k) { return VkLGR870Com_SetHistoryTH(k, record.data()); },
             {setHistoryTH.c_str()}},
        });
}

TEST_F(Lgr870Test, SettingRequests) {
    Identify();
    int a, b;
    int16_t v[6], code;
    int16_t fa, fb, fc, fd;
    int32_t p, q, r;
    ExpectRequests(
        *this, port, serial,
        {
            {"radio get",
             [&](uint32_t k) { return VkLGR870Com_GetRadioCommSettings(k, &a, &b); },
             {"01 21 00 00 00"}},
            {"radio set: only 1 means on",
             [](uint32_t k) { return VkLGR870Com_SetRadioCommSettings(k, 1, 2); },
             {"01 20 00 02 00 01 00"}},
            {"record stop", [](uint32_t k) { return VkLGR870Com_RecStop(k); }, {"01 32 00 00 00"}},
            {"current",
             [&](uint32_t k) {
                 return VkLGR870Com_GetCurrent(k, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
             },
             {"01 33 00 00 00"}},
            {"record count",
             [&](uint32_t k) { return VkLGR870Com_GetRecNum(k, &code); },
             {"01 34 00 00 00"}},
            {"mac code",
             [&](uint32_t k) { return VkLGR870Com_GetMacCode(k, &code); },
             {"01 35 00 00 00"}},
            {"firmware: four parts, one open",
             [&](uint32_t k) {
                 return VkLGR870Com_GetFirmVersion(k, &fa, &fb, &fc, &fd, &p, &q, &r);
             },
             {"01 35 00 00 00", "01 35 01 00 00", "01 35 02 00 00", "01 35 03 00 00"}},
            {"unit", [](uint32_t k) { return VkLGR870Com_SetUnit(k, 1); }, {"01 37 00 01 00 01"}},
            {"display",
             [](uint32_t k) { return VkLGR870Com_SetDsp(k, 3, 0x105); },
             {"01 38 00 02 00 03 05"}},
            {"battery",
             [&](uint32_t k) { return VkLGR870Com_GetBattery(k, &v[0], &v[1], &v[2], &v[3]); },
             {"01 39 00 00 00"}},
            {"lock: low byte",
             [](uint32_t k) { return VkLGR870Com_SwitchLock(k, 0x1FF); },
             {"01 3A 00 01 00 FF"}},
        });
    EXPECT_EQ(port.Opens(), port.Closes());
}

TEST_F(Lgr870Test, TableNameAndCommunicationRequests) {
    Identify();
    uint8_t table[192];
    char n[4][16];
    int32_t a1, b1, a2, b2;
    uint8_t x, y;
    ExpectRequests(
        *this, port, serial,
        {
            {"logger table",
             [&](uint32_t k) { return VkLGR870Com_GetRecTbl(k, table); },
             {"01 55 00 00 00", "01 55 01 01 00 00", "01 55 02 01 00 00"}},
            {"names get",
             [&](uint32_t k) { return VkLGR870Com_GetChName(k, n[0], n[1], n[2], n[3]); },
             {"01 51 00 00 00"}},
            {"names set: zero-filled 16-byte fields",
             [](uint32_t k) { return VkLGR870Com_SetChName(k, "A", "BC", "", "0123456789ABCDEF"); },
             {"01 50 00 40 00 41 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "42 43 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46"}},
            {"communication get",
             [&](uint32_t k) { return VkLGR870Com_GetComInfo(k, &a1, &b1, &a2, &b2, &x, &y); },
             {"01 61 00 00 00"}},
            {"communication set",
             [](uint32_t k) { return VkLGR870Com_SetComInfo(k, 0x11223344, -1, "KEY", 5, 0x1FF); },
             {"01 60 00 12 00 44 33 22 11 FF FF FF FF 4B 45 59 00 00 00 00 00 05 FF"}},
        });
}

TEST_F(Lgr870Test, RecordingStartRecordPlacesEachArgument) {
    Identify();
    auto arg = [](int k) { return 0x40302000 + k; };
    ExpectRequests(*this, port, serial,
                   {{"record start",
                     [&](uint32_t k) {
                         return VkLGR870Com_SetRecTblRecStart(
                             k, arg(2), arg(3), arg(4), arg(5), arg(6), arg(7), arg(8), arg(9),
                             arg(10), arg(11), arg(12), arg(13), arg(14), arg(15), arg(16), arg(17),
                             arg(18), arg(19), arg(20), arg(21), arg(22), arg(23));
                     },
                     {"01 3D 00 2A 00 "
                      "02 20 03 20 30 40 04 20 30 40 05 06 07 20 30 40 08 09 0A 0C 20 0B 20 0D "
                      "0F 20 0E 20 10 12 20 11 20 13 15 20 14 20 16 20 17 20"}}});
}

TEST_F(Lgr870Test, DownloadRequests) {
    logger.FillRecords(100);
    Identify();
    std::vector<int16_t> c(100);
    uint8_t table[192];
    ExpectRequests(*this, port, serial,
                   {{"100 records of 8 bytes: one block",
                     [&](uint32_t k) {
                         return VkLGR870Com_GetRecData(k, c.data(), c.data(), c.data(), c.data(),
                                                       table, 100);
                     },
                     {"01 40 00 02 00 20 03", "01 40 01 02 00 20 03", "01 40 02 02 00 20 03",
                      "01 41 06 00 00"}}});
}

TEST_F(Lgr875Test, OwnCommandRequests) {
    Identify();
    int on;
    int tenths;
    int16_t version;
    int32_t build;
    int16_t v[3];
    std::vector<int16_t> c(100);
    uint8_t table[192];
    logger.FillRecords(100);
    ExpectRequests(
        *this, port, serial,
        {
            {"Ch.1 calibration: four zero bytes after the pair",
             [](uint32_t k) { return VkLGR875Com_SetCalibrationCh1(k, 0x01020304, 1000, -5); },
             {"01 5B 02 0C 00 04 03 02 01 E8 03 FB FF 00 00 00 00"}},
            {"Ch.2/Ch.3 calibration",
             [](uint32_t k) {
                 return VkLGR875Com_SetCalibrationCh2Ch3(k, 0x01020304, 1000, -5, 998, 250);
             },
             {"01 5B 01 0C 00 04 03 02 01 E8 03 FB FF E6 03 FA 00"}},
            {"auto calibration read",
             [&](uint32_t k) { return VkLGR875Com_GetAutoCalibSetting(k, &on); },
             {"01 A6 00 08 00 FE 03 00 1F 00 01 A1 C3"}},
            {"auto calibration on",
             [](uint32_t k) { return VkLGR875Com_SetAutoCalibSetting(k, 1); },
             {"01 A6 00 08 00 FE 06 00 1F 00 B4 AC 74"}},
            {"auto calibration off (only 1 means on)",
             [](uint32_t k) { return VkLGR875Com_SetAutoCalibSetting(k, 2); },
             {"01 A6 00 08 00 FE 06 00 1F 00 00 AC 03"}},
            {"air pressure read",
             [&](uint32_t k) { return VkLGR875Com_GetAirPressureSetting(k, &tenths); },
             {"01 5F 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}},
            {"air pressure 101.3 kPa",
             [](uint32_t k) { return VkLGR875Com_SetAirPressureSetting(k, 1013); },
             {"01 5F 01 10 00 01 00 14 27 00 00 00 00 00 00 00 00 00 00 00 00"}},
            {"radio version",
             [&](uint32_t k) { return VkLGR875Com_GetRfVersion(k, &version, &build); },
             {"01 35 03 00 00"}},
            {"display mode with its fixed second byte",
             [](uint32_t k) { return VkLGR875Com_SetDsp(k, 2); },
             {"01 38 00 02 00 02 03"}},
            {"names: fourth field zero",
             [](uint32_t k) { return VkLGR875Com_SetChName(k, "CO2", "T", "H"); },
             {"01 50 00 40 00 43 4F 32 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "54 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "48 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}},
            {"current",
             [&](uint32_t k) { return VkLGR875Com_GetCurrent(k, &v[0], &v[1], &v[2]); },
             {"01 33 00 00 00"}},
            {"download: records of 6 bytes",
             [&](uint32_t k) {
                 return VkLGR875Com_GetRecData(k, c.data(), c.data(), c.data(), table, 100);
             },
             {"01 40 00 02 00 58 02", "01 40 01 02 00 58 02", "01 40 02 02 00 58 02",
              "01 41 06 00 00"}},
        });
}

TEST_F(Lgr875Test, RecordingStartRecordLeavesItsGapsZero) {
    Identify();
    auto arg = [](int k) { return 0x40302000 + k; };
    ExpectRequests(*this, port, serial,
                   {{"record start",
                     [&](uint32_t k) {
                         return VkLGR875Com_SetRecTblRecStart(
                             k, arg(2), arg(3), arg(4), arg(5), arg(6), arg(7), arg(8), arg(9),
                             arg(10), arg(11), arg(12), arg(13), arg(14), arg(15), arg(16), arg(17),
                             arg(18), arg(19));
                     },
                     {"01 3D 00 2A 00 "
                      "02 20 03 20 30 40 04 20 30 40 05 06 07 20 30 40 08 09 0A 0C 20 0B 20 0D "
                      "0F 20 0E 20 10 12 20 11 20 00 00 00 00 00 13 00 00 00"}}});
}

}  // namespace
}  // namespace tb::modelcom::test
