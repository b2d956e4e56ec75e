// The exports of libVkLGR870Com.so.
#include "modelcom/lgr870/VkLGR870Com.h"

#include <vector>

#include "modelcom/BulkDownload.h"
#include "platform/ByteOrder.h"
#include "modelcom/Discovery.h"
#include "modelcom/ExportGuard.h"
#include "modelcom/Frame.h"
#include "modelcom/RecStartRecord.h"
#include "modelcom/ResultCodes.h"
#include "modelcom/SharedCommands.h"
#include "modelcom/ValueCode.h"
#include "modelcom/lgr870/Lgr870Library.h"

using namespace tb::modelcom;

namespace {

inline constexpr uint16_t kHistoryWriteWaitMs = 10000;

constexpr RecordField kRecStartLayout[] = {
    {0, 2, 2},   {2, 4, 3},   {6, 4, 4},   {10, 1, 5},  {11, 1, 6},  {12, 4, 7},
    {16, 1, 8},  {17, 1, 9},  {18, 1, 10}, {19, 2, 12}, {21, 2, 11}, {23, 1, 13},
    {24, 2, 15}, {26, 2, 14}, {28, 1, 16}, {29, 2, 18}, {31, 2, 17}, {33, 1, 19},
    {34, 2, 21}, {36, 2, 20}, {38, 2, 22}, {40, 2, 23},
};

ModelLibrary& Library() { return Lgr870Library(); }

int GetCalibration(uint32_t serial, uint8_t group, int32_t* time, int16_t* slope1, int16_t* offset1,
                   int16_t* slope2, int16_t* offset2) {
    int16_t* const values[] = {slope1, offset1, slope2, offset2};
    return tb::modelcom::GetCalibration(Library(), serial, group, time, values);
}

int SetCalibration(uint32_t serial, uint8_t group, int32_t time, int16_t slope1, int16_t offset1,
                   int16_t slope2, int16_t offset2) {
    CalibrationRecord record{time, {slope1, offset1, slope2, offset2}};
    return WriteCalibration(Library(), serial, group, record);
}

// One sub-request of the firmware version: the 16-bit value at d[4..5] and
// the 32-bit value at d[0..3].
struct VersionPair {
    int16_t version = 0;
    int32_t build = 0;
};

VersionPair ReadVersionPair(PortSession& session, uint8_t sub) {
    std::vector<uint8_t> reply;
    if (session.Exchange({0x35, sub, 13, kReadWaitMs}, {}, reply) != kOk) return {};
    auto data = ReplyData(reply);
    return {tb::bytes::ReadI16(data, 4), static_cast<int32_t>(tb::bytes::ReadU32(data, 0))};
}

}  // namespace

extern "C" {

int VkLGR870Com_IsConnect(uint8_t* flags, int count) {
    return Guarded([&] { return IsConnect(Library(), flags, count); });
}

int VkLGR870Com_GetConctMachInfo(int port, uint32_t* serial, int16_t* typeCode, char* nameA,
                                 char* nameB) {
    return Guarded(
        [&] { return GetConctMachInfo(Library(), port, serial, typeCode, nameA, nameB); });
}

int VkLGR870Com_GetCalibrationIU(uint32_t serial, int32_t* time, int16_t* slope1, int16_t* offset1,
                                 int16_t* slope2, int16_t* offset2) {
    return Guarded([&] {
        return GetCalibration(serial, kGroupFirst, time, slope1, offset1, slope2, offset2);
    });
}

int VkLGR870Com_GetCalibrationTH(uint32_t serial, int32_t* time, int16_t* slope1, int16_t* offset1,
                                 int16_t* slope2, int16_t* offset2) {
    return Guarded([&] {
        return GetCalibration(serial, kGroupSecond, time, slope1, offset1, slope2, offset2);
    });
}

int VkLGR870Com_SetCalibrationIU(uint32_t serial, int32_t time, int16_t slope1, int16_t offset1,
                                 int16_t slope2, int16_t offset2) {
    return Guarded([&] {
        return SetCalibration(serial, kGroupFirst, time, slope1, offset1, slope2, offset2);
    });
}

int VkLGR870Com_SetCalibrationTH(uint32_t serial, int32_t time, int16_t slope1, int16_t offset1,
                                 int16_t slope2, int16_t offset2) {
    return Guarded([&] {
        return SetCalibration(serial, kGroupSecond, time, slope1, offset1, slope2, offset2);
    });
}

int VkLGR870Com_GetHistoryIU(uint32_t serial, uint8_t record[80]) {
    return Guarded([&] { return ReadHistory(Library(), serial, kGroupFirst, record); });
}

int VkLGR870Com_GetHistoryTH(uint32_t serial, uint8_t record[80]) {
    return Guarded([&] { return ReadHistory(Library(), serial, kGroupSecond, record); });
}

int VkLGR870Com_SetHistoryIU(uint32_t serial, const uint8_t record[80]) {
    return Guarded(
        [&] { return WriteHistory(Library(), serial, kGroupFirst, record, kHistoryWriteWaitMs); });
}

int VkLGR870Com_SetHistoryTH(uint32_t serial, const uint8_t record[80]) {
    return Guarded(
        [&] { return WriteHistory(Library(), serial, kGroupSecond, record, kHistoryWriteWaitMs); });
}

int VkLGR870Com_GetRadioCommSettings(uint32_t serial, int* a, int* b) {
    return Guarded([&] {
        if (!AllSet(a, b)) return static_cast<int>(kArgumentError);
        std::vector<uint8_t> data;
        int code = Library().Transact(serial, {0x21, 0, 9, kReadWaitMs}, {}, data);
        if (code != kOk) return code;
        *a = data[0] != 0 ? 1 : 0;
        *b = data[1] != 0 ? 1 : 0;
        return static_cast<int>(kOk);
    });
}

int VkLGR870Com_SetRadioCommSettings(uint32_t serial, int a, int b) {
    return Guarded([&] { return SetRadioCommSettings(Library(), serial, a, b); });
}

int VkLGR870Com_RecStop(uint32_t serial) {
    return Guarded([&] { return RecStop(Library(), serial); });
}

int VkLGR870Com_GetCurrent(uint32_t serial, int16_t* v1, int16_t* v2, int16_t* v3, int16_t* v4,
                           int16_t* v5, int16_t* v6) {
    // The logger sends the values in the order 1, 2, 5, 6, 3, 4.
    const Int16Field fields[] = {{0, v1}, {2, v2}, {4, v5}, {6, v6}, {8, v3}, {10, v4}};
    return Guarded([&] { return GetInt16Fields(Library(), serial, {0x33, 0, 19, kReadWaitMs}, fields); });
}

int VkLGR870Com_GetRecNum(uint32_t serial, int16_t* count) {
    return Guarded([&] { return GetRecNum(Library(), serial, 4, count); });
}

int VkLGR870Com_GetMacCode(uint32_t serial, int16_t* code) {
    return Guarded([&] { return GetMacCode(Library(), serial, code); });
}

int VkLGR870Com_GetFirmVersion(uint32_t serial, int16_t* a, int16_t* b, int16_t* c, int16_t* d,
                               int32_t* p, int32_t* q, int32_t* r) {
    return Guarded([&] {
        if (!AllSet(a, b, c, d, p, q, r)) return static_cast<int>(kArgumentError);
        PortSession session(Library().Profile().status35Code);
        if (int opened = Library().OpenLogger(serial, session); opened != kOk) return opened;
        std::vector<uint8_t> reply;
        if (int code = session.Exchange({0x35, 0, 15, kReadWaitMs}, {}, reply); code != kOk) {
            return code;
        }
        int16_t main = tb::bytes::ReadI16(ReplyData(reply), 6);
        // The other parts are optional: a failed one reads as zeros.
        VersionPair second = ReadVersionPair(session, 1);
        VersionPair third = ReadVersionPair(session, 2);
        VersionPair fourth = ReadVersionPair(session, 3);
        *a = main;
        *c = second.version;
        *q = second.build;
        *b = third.version;
        *p = third.build;
        *d = fourth.version;
        *r = fourth.build;
        return static_cast<int>(kOk);
    });
}

int VkLGR870Com_SetUnit(uint32_t serial, int unit) {
    return Guarded([&] { return SetUnit(Library(), serial, unit); });
}

int VkLGR870Com_SetDsp(uint32_t serial, int a, int b) {
    return Guarded([&] {
        if (a < 0 || a > 6 || (a == 0 && b == 0)) return static_cast<int>(kArgumentError);
        const uint8_t request[2] = {static_cast<uint8_t>(a), static_cast<uint8_t>(b & 0xFF)};
        return Library().Transact(serial, {0x38, 0, 7, kReadWaitMs}, request);
    });
}

int VkLGR870Com_GetBattery(uint32_t serial, int16_t* v1, int16_t* v2, int16_t* v3, int16_t* v4) {
    const Int16Field fields[] = {{0, v1}, {2, v2}, {4, v3}, {6, v4}};
    return Guarded([&] { return GetInt16Fields(Library(), serial, {0x39, 0, 15, kReadWaitMs}, fields); });
}

int VkLGR870Com_SwitchLock(uint32_t serial, int value) {
    return Guarded([&] { return SwitchLock(Library(), serial, value); });
}

int VkLGR870Com_SetRecTblRecStart(uint32_t serial, int a2, int a3, int a4, int a5, int a6, int a7,
                                  int a8, int a9, int a10, int a11, int a12, int a13, int a14,
                                  int a15, int a16, int a17, int a18, int a19, int a20, int a21,
                                  int a22, int a23) {
    return Guarded([&] {
        const int arguments[] = {a2,  a3,  a4,  a5,  a6,  a7,  a8,  a9,  a10, a11, a12,
                                 a13, a14, a15, a16, a17, a18, a19, a20, a21, a22, a23};
        auto record = BuildRecStartRecord(kRecStartLayout, arguments);
        return SetRecTblRecStart(Library(), serial, record);
    });
}

int VkLGR870Com_GetRecTbl(uint32_t serial, uint8_t table[192]) {
    return Guarded([&] { return GetRecTbl(Library(), serial, table); });
}

int VkLGR870Com_GetChName(uint32_t serial, char* n1, char* n2, char* n3, char* n4) {
    return Guarded([&] {
        char* const names[] = {n1, n2, n3, n4};
        return GetChName(Library(), serial, names);
    });
}

int VkLGR870Com_SetChName(uint32_t serial, const char* n1, const char* n2, const char* n3,
                          const char* n4) {
    return Guarded([&] {
        const char* const names[] = {n1, n2, n3, n4};
        return SetChName(Library(), serial, names);
    });
}

int VkLGR870Com_GetComInfo(uint32_t serial, int32_t* a1, int32_t* b1, int32_t* a2, int32_t* b2,
                           uint8_t* x, uint8_t* y) {
    return Guarded([&] { return GetComInfo(Library(), serial, a1, b1, a2, b2, x, y); });
}

int VkLGR870Com_SetComInfo(uint32_t serial, int32_t a, int32_t b, const char* text, int x, int y) {
    return Guarded([&] { return SetComInfo(Library(), serial, a, b, text, x, y); });
}

int VkLGR870Com_GetRecData(uint32_t serial, int16_t* c1, int16_t* c2, int16_t* c3, int16_t* c4,
                           uint8_t table[192], int capacity) {
    return Guarded([&] {
        int16_t* const channels[] = {c1, c2, c3, c4};
        return DownloadRecords(Library(), serial, channels, table, capacity);
    });
}

int VkLGR870Com_GetRcvStatus(uint32_t serial, int16_t* total, int16_t* received) {
    return Guarded([&] { return DownloadStatus(Library(), serial, total, received); });
}

int VkLGR870Com_CancelDownload(uint32_t serial) {
    return Guarded([&] { return CancelDownload(Library(), serial); });
}

int VkLGR870Com_NormalizeIllumiData(double value) {
    return NormalizeValue(value, kIlluminanceScale);
}

int VkLGR870Com_NormalizeIntegIlmData(double value) {
    return NormalizeValue(value, kIntegIlluminanceScale);
}

int VkLGR870Com_NormalizeUvData(double value) { return NormalizeValue(value, kUvScale); }

int VkLGR870Com_NormalizeIntegUvData(double value) { return NormalizeValue(value, kUvScale); }

double VkLGR870Com_ConvertIllumiToData(int code, char* text, char* kiloText) {
    return GuardedValue(0.0, [&] { return ConvertIlluminance(code, text, kiloText); });
}

double VkLGR870Com_ConvertUvToData(int code, char* text) {
    return GuardedValue(0.0, [&] { return ConvertUv(code, text); });
}

double VkLGR870Com_ConvertIntegIlmToData(int code, char* text, char* kiloText) {
    return GuardedValue(0.0, [&] { return ConvertIntegIlluminance(code, text, kiloText); });
}

double VkLGR870Com_ConvertIntegUvToData(int code, char* text, char* kiloText) {
    return GuardedValue(0.0, [&] { return ConvertIntegUv(code, text, kiloText); });
}

}  // extern "C"
