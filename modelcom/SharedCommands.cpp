#include "modelcom/SharedCommands.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/ByteOrder.h"
#include "modelcom/Discovery.h"
#include "modelcom/LoggerTable.h"
#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

namespace {

inline constexpr uint16_t kCalibrationWriteWaitMs = 10000;
inline constexpr uint16_t kComInfoWriteWaitMs = 2000;
inline constexpr uint16_t kAckLength = 7;

constexpr CommandShape Ack(uint8_t command, uint16_t waitMs = kReadWaitMs) {
    return {command, 0, kAckLength, waitMs};
}

}  // namespace

int ReadCalibration(ModelLibrary& library, uint32_t serial, uint8_t group,
                    CalibrationRecord& record) {
    std::vector<uint8_t> data;
    const CommandShape shape{0x5C, group, 19, kReadWaitMs, true};
    if (int code = library.Transact(serial, shape, {}, data); code != kOk) return code;
    record.time = static_cast<int32_t>(bytes::ReadU32(data, 0));
    for (size_t i = 0; i < 4; ++i) record.values[i] = bytes::ReadI16(data, 4 + 2 * i);
    return kOk;
}

int WriteCalibration(ModelLibrary& library, uint32_t serial, uint8_t group,
                     const CalibrationRecord& record) {
    std::array<uint8_t, 12> request{};
    bytes::WriteU32(request, 0, static_cast<uint32_t>(record.time));
    for (size_t i = 0; i < 4; ++i) {
        bytes::WriteU16(request, 4 + 2 * i, static_cast<uint16_t>(record.values[i]));
    }
    const CommandShape shape{0x5B, group, kAckLength, kCalibrationWriteWaitMs, true};
    return library.Transact(serial, shape, request);
}

int ReadHistory(ModelLibrary& library, uint32_t serial, uint8_t group, uint8_t* record) {
    if (!record) return kArgumentError;
    std::vector<uint8_t> data;
    const CommandShape shape{0x5E, group, kHistoryRecordSize + 7, kReadWaitMs};
    if (int code = library.Transact(serial, shape, {}, data); code != kOk) return code;
    std::memcpy(record, data.data(), kHistoryRecordSize);
    return kOk;
}

int WriteHistory(ModelLibrary& library, uint32_t serial, uint8_t group, const uint8_t* record,
                 uint16_t waitMs) {
    if (!record) return kArgumentError;
    const CommandShape shape{0x5D, group, kAckLength, waitMs, true};
    return library.Transact(serial, shape, std::span(record, kHistoryRecordSize));
}

int GetCalibration(ModelLibrary& library, uint32_t serial, uint8_t group, int32_t* time,
                   std::span<int16_t* const> values) {
    const bool allSet = std::all_of(values.begin(), values.end(), [](int16_t* v) { return v; });
    if (!time || !allSet || values.size() > std::size(CalibrationRecord{}.values)) {
        return kArgumentError;
    }
    CalibrationRecord record;
    if (int code = ReadCalibration(library, serial, group, record); code != kOk) return code;
    *time = record.time;
    for (size_t i = 0; i < values.size(); ++i) *values[i] = record.values[i];
    return kOk;
}

int GetInt16Fields(ModelLibrary& library, uint32_t serial, const CommandShape& shape,
                   std::span<const Int16Field> fields) {
    for (const Int16Field& field : fields) {
        if (!field.value) return kArgumentError;
    }
    std::vector<uint8_t> data;
    if (int code = library.Transact(serial, shape, {}, data); code != kOk) return code;
    for (const Int16Field& field : fields) {
        if (field.at + 2 > data.size()) return kReplyLengthWrong;
    }
    for (const Int16Field& field : fields) *field.value = bytes::ReadI16(data, field.at);
    return kOk;
}

int GetRecNum(ModelLibrary& library, uint32_t serial, uint16_t bytesPerRecord, int16_t* count) {
    if (!count || bytesPerRecord == 0) return kArgumentError;
    std::vector<uint8_t> data;
    if (int r = library.Transact(serial, {0x34, 0, 9, kReadWaitMs}, {}, data); r != kOk) return r;
    *count = static_cast<int16_t>(bytes::ReadU16(data, 0) / bytesPerRecord);
    return kOk;
}

int SetRadioCommSettings(ModelLibrary& library, uint32_t serial, int a, int b) {
    const uint8_t request[2] = {static_cast<uint8_t>(a == 1), static_cast<uint8_t>(b == 1)};
    return library.Transact(serial, Ack(0x20), request);
}

int RecStop(ModelLibrary& library, uint32_t serial) {
    return library.Transact(serial, Ack(0x32), {});
}

int GetMacCode(ModelLibrary& library, uint32_t serial, int16_t* code) {
    if (!code) return kArgumentError;
    std::vector<uint8_t> data;
    if (int r = library.Transact(serial, {0x35, 0, 15, kReadWaitMs}, {}, data); r != kOk) return r;
    *code = bytes::ReadI16(data, 0);
    return kOk;
}

int SetUnit(ModelLibrary& library, uint32_t serial, int unit) {
    if (unit != 0 && unit != 1) return kArgumentError;
    const uint8_t request[1] = {static_cast<uint8_t>(unit)};
    return library.Transact(serial, Ack(0x37), request);
}

int SwitchLock(ModelLibrary& library, uint32_t serial, int value) {
    const uint8_t request[1] = {static_cast<uint8_t>(value & 0xFF)};
    return library.Transact(serial, Ack(0x3A), request);
}

int GetRecTbl(ModelLibrary& library, uint32_t serial, uint8_t* table) {
    if (!table) return kArgumentError;
    PortSession session(library.Profile().status35Code);
    if (int opened = library.OpenLogger(serial, session); opened != kOk) return opened;
    std::vector<uint8_t> read;
    if (int code = ReadLoggerTable(session, kTableCommand, read); code != kOk) return code;
    std::memcpy(table, read.data(), kTableSize);
    return kOk;
}

int GetComInfo(ModelLibrary& library, uint32_t serial, int32_t* a1, int32_t* b1, int32_t* a2,
               int32_t* b2, uint8_t* x, uint8_t* y) {
    if (!AllSet(a1, b1, a2, b2, x, y)) return kArgumentError;
    std::vector<uint8_t> data;
    if (int r = library.Transact(serial, {0x61, 0, 25, kReadWaitMs}, {}, data); r != kOk) return r;
    *a1 = static_cast<int32_t>(bytes::ReadU32(data, 0));
    *b1 = static_cast<int32_t>(bytes::ReadU32(data, 4));
    *a2 = static_cast<int32_t>(bytes::ReadU32(data, 8));
    *b2 = static_cast<int32_t>(bytes::ReadU32(data, 12));
    *x = data[16];
    *y = data[17];
    return kOk;
}

int SetComInfo(ModelLibrary& library, uint32_t serial, int32_t a, int32_t b, const char* text,
               int x, int y) {
    if (!text) return kArgumentError;
    // Never read past the 8 bytes of the field (or the text's end).
    size_t length = strnlen(text, kComInfoTextSize + 1);
    if (length == 0 || length > kComInfoTextSize) return kArgumentError;
    std::array<uint8_t, 18> request{};
    bytes::WriteU32(request, 0, static_cast<uint32_t>(a));
    bytes::WriteU32(request, 4, static_cast<uint32_t>(b));
    std::memcpy(&request[8], text, length);
    request[16] = static_cast<uint8_t>(x & 0xFF);
    request[17] = static_cast<uint8_t>(y & 0xFF);
    return library.Transact(serial, Ack(0x60, kComInfoWriteWaitMs), request);
}

int GetChName(ModelLibrary& library, uint32_t serial, std::span<char* const> names) {
    if (names.size() > kChannelNameFields) return kArgumentError;
    for (char* name : names) {
        if (!name) return kArgumentError;
    }
    std::vector<uint8_t> data;
    const CommandShape shape{0x51, 0, kChannelNameFields * kChannelNameSize + 7, kReadWaitMs};
    if (int code = library.Transact(serial, shape, {}, data); code != kOk) return code;
    for (size_t i = 0; i < names.size(); ++i) {
        const uint8_t* field = &data[i * kChannelNameSize];
        size_t length = 0;
        while (length < kChannelNameSize && field[length] != 0) ++length;
        std::memset(names[i], 0, kChannelNameSize);
        std::memcpy(names[i], field, length);
    }
    return kOk;
}

int SetChName(ModelLibrary& library, uint32_t serial, std::span<const char* const> names) {
    if (names.size() > kChannelNameFields) return kArgumentError;
    std::array<uint8_t, kChannelNameFields * kChannelNameSize> request{};
    for (size_t i = 0; i < names.size(); ++i) {
        if (!names[i]) return kArgumentError;
        size_t length = strnlen(names[i], kChannelNameSize + 1);
        if (length > kChannelNameSize) return kArgumentError;
        std::memcpy(&request[i * kChannelNameSize], names[i], length);
    }
    return library.Transact(serial, Ack(0x50), request);
}

int SetRecTblRecStart(ModelLibrary& library, uint32_t serial, std::span<const uint8_t> record) {
    return library.Transact(serial, Ack(0x3D), record);
}

}  // namespace tb::modelcom
