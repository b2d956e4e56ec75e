// The bulk download of recorded data: the recorded-data table (command
// 0x40, three blocks) and then the data in numbered 1024-byte blocks
// (command 0x41), each asked again up to twice when it arrives damaged.
// The download pumps messages while it waits, so its progress can be read
// and a cancel requested from a nested call or another thread.
#pragma once

#include <cstdint>
#include <span>

#include "modelcom/ModelLibrary.h"

namespace tb::modelcom {

inline constexpr int kMaxDownloadRecords = 8000;
inline constexpr size_t kDataBlockSize = 1024;
inline constexpr uint8_t kRecordTableCommand = 0x40;
inline constexpr uint8_t kAskBlock = 0x06;
inline constexpr uint8_t kAskBlockAgain = 0x15;
inline constexpr int kBlockAttempts = 3;

// Downloads the recorded data; record i's 16-bit values go to channels[c][i]
// (one array per value of a record, each of `capacity` entries). Returns
// the number of records stored, never more than capacity.
int DownloadRecords(ModelLibrary& library, uint32_t serial, std::span<int16_t* const> channels,
                    uint8_t* table, int capacity);

// Progress of a running download: -32 not listed, -33 none running.
int DownloadStatus(ModelLibrary& library, uint32_t serial, int16_t* total, int16_t* received);

// Asks a running download to stop before its next block: -32 not listed.
int CancelDownload(ModelLibrary& library, uint32_t serial);

}  // namespace tb::modelcom
