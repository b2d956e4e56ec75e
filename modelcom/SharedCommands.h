// The commands both logger models understand, in the shape each library's
// exports need. Every function checks its arguments before it opens a port
// and writes its outputs only on success.
#pragma once

#include <cstdint>
#include <span>

#include "modelcom/ModelLibrary.h"

namespace tb::modelcom {

// How long a logger takes to answer a read command.
inline constexpr uint16_t kReadWaitMs = 100;

inline constexpr size_t kHistoryRecordSize = 80;
inline constexpr size_t kChannelNameSize = 16;
inline constexpr size_t kChannelNameFields = 4;
inline constexpr size_t kComInfoTextSize = 8;

// Channel groups of the calibration and history commands.
inline constexpr uint8_t kGroupSecond = 1;  // 870: temperature/humidity; 875: Ch.2/Ch.3
inline constexpr uint8_t kGroupFirst = 2;   // 870: illuminance/UV; 875: Ch.1

// The 12 data bytes of a calibration record: a time, then four 16-bit values.
struct CalibrationRecord {
    int32_t time = 0;
    int16_t values[4] = {0, 0, 0, 0};
};

int ReadCalibration(ModelLibrary& library, uint32_t serial, uint8_t group,
                    CalibrationRecord& record);
int WriteCalibration(ModelLibrary& library, uint32_t serial, uint8_t group,
                     const CalibrationRecord& record);
int ReadHistory(ModelLibrary& library, uint32_t serial, uint8_t group, uint8_t* record);
int WriteHistory(ModelLibrary& library, uint32_t serial, uint8_t group, const uint8_t* record,
                 uint16_t waitMs);

// One calibration group into the caller's outputs: the time and the first
// values.size() of the record's four values (slope, offset, slope, offset).
int GetCalibration(ModelLibrary& library, uint32_t serial, uint8_t group, int32_t* time,
                   std::span<int16_t* const> values);

// A 16-bit value of a reply's data: where it stands and where it goes.
struct Int16Field {
    size_t at;
    int16_t* value;
};

// A read command without request data whose reply carries 16-bit values.
int GetInt16Fields(ModelLibrary& library, uint32_t serial, const CommandShape& shape,
                   std::span<const Int16Field> fields);

// The number of stored records: the logger counts bytes, bytesPerRecord a record.
int GetRecNum(ModelLibrary& library, uint32_t serial, uint16_t bytesPerRecord, int16_t* count);

int SetRadioCommSettings(ModelLibrary& library, uint32_t serial, int a, int b);
int RecStop(ModelLibrary& library, uint32_t serial);
int GetMacCode(ModelLibrary& library, uint32_t serial, int16_t* code);
int SetUnit(ModelLibrary& library, uint32_t serial, int unit);
int SwitchLock(ModelLibrary& library, uint32_t serial, int value);
int GetRecTbl(ModelLibrary& library, uint32_t serial, uint8_t* table);
int GetComInfo(ModelLibrary& library, uint32_t serial, int32_t* a1, int32_t* b1, int32_t* a2,
               int32_t* b2, uint8_t* x, uint8_t* y);
int SetComInfo(ModelLibrary& library, uint32_t serial, int32_t a, int32_t b, const char* text,
               int x, int y);

// Names of 16 bytes each, as many as the model has (at most four). A name
// of 16 characters fills its buffer without a terminator.
int GetChName(ModelLibrary& library, uint32_t serial, std::span<char* const> names);
int SetChName(ModelLibrary& library, uint32_t serial, std::span<const char* const> names);

// Writes the recording settings (a 42-byte record) and starts recording.
int SetRecTblRecStart(ModelLibrary& library, uint32_t serial, std::span<const uint8_t> record);

// True when every pointer is set.
template <typename... T>
bool AllSet(T*... pointers) {
    return ((pointers != nullptr) && ...);
}

}  // namespace tb::modelcom
