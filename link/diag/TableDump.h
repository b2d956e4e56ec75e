// "Debug_ManagementTable": every management table entry as a 352-byte
// little-endian record, the whole file rewritten on each dump. Address and
// handle fields hold the low 32 bits.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/MngTable.h"

namespace tb::link::diag {

inline constexpr size_t kTableRecordBytes = 352;

std::array<uint8_t, kTableRecordBytes> EncodeTableRecord(const MngEntry& entry);

// Rewrites the file at path with one record per entry; false on a file error.
bool WriteTableDump(const std::string& path, const MngTable& table);

}  // namespace tb::link::diag
