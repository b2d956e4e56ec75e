// The check of a base unit's reply to the serial query. The data part holds
// an item "STATUS=" with a 9-character value ending in "0000" and an item
// "SER=" with 8 hexadecimal digits, each value preceded by its 16-bit
// little-endian length.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tb::link {

// The serial number from data, or nothing when the check, the status or
// the serial item is wrong.
std::optional<uint32_t> CheckSerialReply(std::span<const uint8_t> data, uint16_t check);

}  // namespace tb::link
