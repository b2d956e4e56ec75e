// The serial-port numbers that the system has handed out, from the port
// layer's 32-byte bitmap of assigned COM numbers (bit j of byte i: COM
// number i*8 + j + 1).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tb::client {

inline constexpr std::size_t kComBitmapMaxSize = 32;

// Fills list with the zero-based indexes of the set bits, in increasing
// order; returns 0 when none is set, else the highest reserved port number.
// A bitmap longer than 32 bytes gives -1 and an empty list.
int ReservedPortsFromBitmap(std::span<const uint8_t> bitmap, std::vector<int>& list);

// The same from the port layer's bitmap; -1 when it cannot be read.
int ReservedComPorts(std::vector<int>& list);

}  // namespace tb::client
