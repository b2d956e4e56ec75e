// The exports of libVkLGR875Com.so.
#include "modelcom/lgr875/VkLGR875Com.h"

#include <array>
#include <vector>

#include "modelcom/AirPressure.h"
#include "modelcom/BulkDownload.h"
#include "platform/ByteOrder.h"
#include "modelcom/Co2Code.h"
#include "modelcom/Discovery.h"
#include "modelcom/ExportGuard.h"
#include "modelcom/Frame.h"
#include "modelcom/ModbusRtu.h"
#include "modelcom/RecStartRecord.h"
#include "modelcom/ResultCodes.h"
#include "modelcom/SharedCommands.h"
#include "modelcom/lgr875/Lgr875Library.h"

using namespace tb::modelcom;

namespace {

inline constexpr uint16_t kHistoryWriteWaitMs = 3000;
inline constexpr uint16_t kSensorWaitMs = 500;
inline constexpr uint8_t kSensorCommand = 0xA6;
inline constexpr uint8_t kAirPressureCommand = 0x5F;
inline constexpr size_t kAirPressureDataSize = 16;

constexpr RecordField kRecStartLayout[] = {
    {0, 2, 2},   {2, 4, 3},   {6, 4, 4},   {10, 1, 5},  {11, 1, 6},  {12, 4, 7},
    {16, 1, 8},  {17, 1, 9},  {18, 1, 10}, {19, 2, 12}, {21, 2, 11}, {23, 1, 13},
    {24, 2, 15}, {26, 2, 14}, {28, 1, 16}, {29, 2, 18}, {31, 2, 17}, {38, 1, 19},
};

ModelLibrary& Library() { return Lgr875Library(); }

// A command whose data carry a message to the CO2 sensor module. The frame
// is checked first, then the module's reply (-22), then the frame length.
int SensorTransact(uint32_t serial, std::span<const uint8_t> message, uint16_t replyLength,
                   std::vector<uint8_t>& sensorReply, bool (*sound)(std::span<const uint8_t>)) {
    std::vector<uint8_t> reply;
    const CommandShape shape{kSensorCommand, 0, replyLength, kSensorWaitMs};
    if (int code = Library().TransactFramed(serial, shape, message, reply); code != kOk) {
        return code;
    }
    auto data = ReplyData(reply);
    if (!sound(data)) return kInnerReplyWrong;
    if (reply.size() != replyLength) return kReplyLengthWrong;
    sensorReply.assign(data.begin(), data.end());
    return kOk;
}

bool IsReadReplySound(std::span<const uint8_t> message) {
    return ParseReadReply(message).has_value();
}

}  // namespace

extern "C" {

int VkLGR875Com_IsConnect(uint8_t* flags, int count) {
    return Guarded([&] { return IsConnect(Library(), flags, count); });
}

int VkLGR875Com_GetConctMachInfo(int port, uint32_t* serial, int16_t* typeCode, char* nameA,
                                 char* nameB) {
    return Guarded(
        [&] { return GetConctMachInfo(Library(), port, serial, typeCode, nameA, nameB); });
}

int VkLGR875Com_GetCalibrationCh1(uint32_t serial, int32_t* time, int16_t* slope,
                                  int16_t* offsetPpm) {
    int16_t* const values[] = {slope, offsetPpm};
    return Guarded([&] { return GetCalibration(Library(), serial, kGroupFirst, time, values); });
}

int VkLGR875Com_GetCalibrationCh2Ch3(uint32_t serial, int32_t* time, int16_t* slope2,
                                     int16_t* offset2, int16_t* slope3, int16_t* offset3) {
    int16_t* const values[] = {slope2, offset2, slope3, offset3};
    return Guarded([&] { return GetCalibration(Library(), serial, kGroupSecond, time, values); });
}

int VkLGR875Com_SetCalibrationCh1(uint32_t serial, int32_t time, int16_t slope, int16_t offsetPpm) {
    return Guarded([&] {
        CalibrationRecord record{time, {slope, offsetPpm, 0, 0}};
        return WriteCalibration(Library(), serial, kGroupFirst, record);
    });
}

int VkLGR875Com_SetCalibrationCh2Ch3(uint32_t serial, int32_t time, int16_t slope2, int16_t offset2,
                                     int16_t slope3, int16_t offset3) {
    return Guarded([&] {
        CalibrationRecord record{time, {slope2, offset2, slope3, offset3}};
        return WriteCalibration(Library(), serial, kGroupSecond, record);
    });
}

int VkLGR875Com_GetHistoryCh1(uint32_t serial, uint8_t record[80]) {
    return Guarded([&] { return ReadHistory(Library(), serial, kGroupFirst, record); });
}

int VkLGR875Com_GetHistoryCh2Ch3(uint32_t serial, uint8_t record[80]) {
    return Guarded([&] { return ReadHistory(Library(), serial, kGroupSecond, record); });
}

int VkLGR875Com_SetHistoryCh1(uint32_t serial, const uint8_t record[80]) {
    return Guarded(
        [&] { return WriteHistory(Library(), serial, kGroupFirst, record, kHistoryWriteWaitMs); });
}

int VkLGR875Com_SetHistoryCh2Ch3(uint32_t serial, const uint8_t record[80]) {
    return Guarded(
        [&] { return WriteHistory(Library(), serial, kGroupSecond, record, kHistoryWriteWaitMs); });
}

int VkLGR875Com_GetRadioCommSettings(uint32_t serial, int* a, int* b, int* c, int* d) {
    return Guarded([&] {
        if (!AllSet(a, b, c, d)) return static_cast<int>(kArgumentError);
        std::vector<uint8_t> data;
        int code = Library().Transact(serial, {0x21, 0, 11, kReadWaitMs}, {}, data);
        if (code != kOk) return code;
        int* outputs[] = {a, b, c, d};
        for (size_t i = 0; i < 4; ++i) *outputs[i] = data[i] != 0 ? 1 : 0;
        return static_cast<int>(kOk);
    });
}

int VkLGR875Com_SetRadioCommSettings(uint32_t serial, int a, int b) {
    return Guarded([&] { return SetRadioCommSettings(Library(), serial, a, b); });
}

int VkLGR875Com_RecStop(uint32_t serial) {
    return Guarded([&] { return RecStop(Library(), serial); });
}

int VkLGR875Com_GetCurrent(uint32_t serial, int16_t* v1, int16_t* v2, int16_t* v3) {
    const Int16Field fields[] = {{0, v1}, {2, v2}, {4, v3}};
    return Guarded([&] { return GetInt16Fields(Library(), serial, {0x33, 0, 15, kReadWaitMs}, fields); });
}

int VkLGR875Com_GetRecNum(uint32_t serial, int16_t* count) {
    return Guarded([&] { return GetRecNum(Library(), serial, 3, count); });
}

int VkLGR875Com_GetMacCode(uint32_t serial, int16_t* code) {
    return Guarded([&] { return GetMacCode(Library(), serial, code); });
}

int VkLGR875Com_GetFirmVersion(uint32_t serial, int16_t* version) {
    return Guarded([&] {
        if (!version) return static_cast<int>(kArgumentError);
        std::vector<uint8_t> data;
        int code = Library().Transact(serial, {0x35, 0, 15, kReadWaitMs}, {}, data);
        if (code != kOk) return code;
        *version = tb::bytes::ReadI16(data, 6);
        return static_cast<int>(kOk);
    });
}

int VkLGR875Com_SetUnit(uint32_t serial, int unit) {
    return Guarded([&] { return SetUnit(Library(), serial, unit); });
}

int VkLGR875Com_SetDsp(uint32_t serial, int mode) {
    return Guarded([&] {
        const uint8_t modeByte = static_cast<uint8_t>(mode & 0xFF);
        if (modeByte > 2) return static_cast<int>(kArgumentError);
        const uint8_t request[2] = {modeByte, 3};
        return Library().Transact(serial, {0x38, 0, 7, kReadWaitMs}, request);
    });
}

int VkLGR875Com_GetBattery(uint32_t serial, int16_t* v1, int16_t* v2) {
    const Int16Field fields[] = {{0, v1}, {4, v2}};
    return Guarded([&] { return GetInt16Fields(Library(), serial, {0x39, 0, 15, kReadWaitMs}, fields); });
}

int VkLGR875Com_SwitchLock(uint32_t serial, int value) {
    return Guarded([&] { return SwitchLock(Library(), serial, value); });
}

int VkLGR875Com_SetRecTblRecStart(uint32_t serial, int a2, int a3, int a4, int a5, int a6, int a7,
                                  int a8, int a9, int a10, int a11, int a12, int a13, int a14,
                                  int a15, int a16, int a17, int a18, int a19) {
    return Guarded([&] {
        const int arguments[] = {a2,  a3,  a4,  a5,  a6,  a7,  a8,  a9,  a10,
                                 a11, a12, a13, a14, a15, a16, a17, a18, a19};
        auto record = BuildRecStartRecord(kRecStartLayout, arguments);
        return SetRecTblRecStart(Library(), serial, record);
    });
}

int VkLGR875Com_GetRecTbl(uint32_t serial, uint8_t table[192]) {
    return Guarded([&] { return GetRecTbl(Library(), serial, table); });
}

int VkLGR875Com_GetChName(uint32_t serial, char* n1, char* n2, char* n3) {
    return Guarded([&] {
        char* const names[] = {n1, n2, n3};
        return GetChName(Library(), serial, names);
    });
}

int VkLGR875Com_SetChName(uint32_t serial, const char* n1, const char* n2, const char* n3) {
    return Guarded([&] {
        const char* const names[] = {n1, n2, n3};
        return SetChName(Library(), serial, names);
    });
}

int VkLGR875Com_GetComInfo(uint32_t serial, int32_t* a1, int32_t* b1, int32_t* a2, int32_t* b2,
                           uint8_t* x, uint8_t* y) {
    return Guarded([&] { return GetComInfo(Library(), serial, a1, b1, a2, b2, x, y); });
}

int VkLGR875Com_SetComInfo(uint32_t serial, int32_t a, int32_t b, const char* text, int x, int y) {
    return Guarded([&] { return SetComInfo(Library(), serial, a, b, text, x, y); });
}

int VkLGR875Com_GetRecData(uint32_t serial, int16_t* c1, int16_t* c2, int16_t* c3,
                           uint8_t table[192], int capacity) {
    return Guarded([&] {
        int16_t* const channels[] = {c1, c2, c3};
        return DownloadRecords(Library(), serial, channels, table, capacity);
    });
}

int VkLGR875Com_GetRcvStatus(uint32_t serial, int16_t* total, int16_t* received) {
    return Guarded([&] { return DownloadStatus(Library(), serial, total, received); });
}

int VkLGR875Com_CancelDownload(uint32_t serial) {
    return Guarded([&] { return CancelDownload(Library(), serial); });
}

int VkLGR875Com_GetRfVersion(uint32_t serial, int16_t* version, int32_t* build) {
    return Guarded([&] {
        if (!AllSet(version, build)) return static_cast<int>(kArgumentError);
        std::vector<uint8_t> data;
        int code = Library().Transact(serial, {0x35, 3, 13, kReadWaitMs}, {}, data);
        if (code != kOk) return code;
        *version = tb::bytes::ReadI16(data, 4);
        *build = static_cast<int32_t>(tb::bytes::ReadU32(data, 0));
        return static_cast<int>(kOk);
    });
}

int VkLGR875Com_GetAutoCalibSetting(uint32_t serial, int* on) {
    return Guarded([&] {
        if (!on) return static_cast<int>(kArgumentError);
        auto request = BuildSensorRequest(kReadRegisters, kAutoCalibRegister, 1);
        std::vector<uint8_t> sensorReply;
        int code = SensorTransact(serial, request, 14, sensorReply, &IsReadReplySound);
        if (code != kOk) return code;
        *on = ParseReadReply(sensorReply).value_or(0) == kAutoCalibOn ? 1 : 0;
        return static_cast<int>(kOk);
    });
}

int VkLGR875Com_SetAutoCalibSetting(uint32_t serial, int on) {
    return Guarded([&] {
        uint16_t value = on == 1 ? kAutoCalibOn : 0;
        auto request = BuildSensorRequest(kWriteRegister, kAutoCalibRegister, value);
        std::vector<uint8_t> sensorReply;
        return SensorTransact(serial, request, 15, sensorReply, &IsWriteReplySound);
    });
}

int VkLGR875Com_GetAirPressureSetting(uint32_t serial, int* tenthsKPa) {
    return Guarded([&] {
        if (!tenthsKPa) return static_cast<int>(kArgumentError);
        const std::array<uint8_t, kAirPressureDataSize> request{};
        std::vector<uint8_t> data;
        const CommandShape shape{kAirPressureCommand, 0, kAirPressureDataSize + 7, kSensorWaitMs};
        if (int code = Library().Transact(serial, shape, request, data); code != kOk) return code;
        *tenthsKPa = AirPressureFromWord(tb::bytes::ReadI16(data, 0));
        return static_cast<int>(kOk);
    });
}

int VkLGR875Com_SetAirPressureSetting(uint32_t serial, int tenthsKPa) {
    return Guarded([&] {
        auto words = AirPressureToWords(tenthsKPa);
        if (!words) return static_cast<int>(kArgumentError);
        std::array<uint8_t, kAirPressureDataSize> request{};
        tb::bytes::WriteU16(request, 0, static_cast<uint16_t>(words->offset));
        tb::bytes::WriteU16(request, 2, words->factor);
        const CommandShape shape{kAirPressureCommand, 1, kAirPressureDataSize + 7, kSensorWaitMs};
        return Library().Transact(serial, shape, request);
    });
}

int VkLGR875Com_NormalizeCO2Data(int ppm) { return NormalizeCo2(ppm); }

int VkLGR875Com_ConvertCO2ToData(int code) { return ConvertCo2(code); }

}  // extern "C"
