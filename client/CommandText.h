// The command bodies sent to a base unit: a command word, a colon and
// key=value fields, each value preceded by its 16-bit length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tb::client {

inline constexpr std::string_view kWordAdjust = "EIADJ";
inline constexpr std::string_view kWordSettings = "EISET";
inline constexpr std::string_view kWordPassThrough = "EISOH";
inline constexpr std::string_view kKeyAction = "ACT";
inline constexpr std::string_view kKeyData = "DATA";
inline constexpr std::string_view kKeyStatus = "STATUS";

inline constexpr std::size_t kAdjustmentBlockSize = 64;
inline constexpr std::size_t kSettingsBlockSize = 64;
inline constexpr std::size_t kSohFrameSize = 11;

// "EIADJ:ACT=" 01 00 "0" "DATA=" 40 00 and the 64-byte adjustment block;
// nothing when the block is not exactly 64 bytes.
std::optional<std::vector<uint8_t>> AdjustWriteBody(std::span<const uint8_t> block);
// "EIADJ:ACT=" 01 00 "1"
std::vector<uint8_t> AdjustReadBody();
// "EISET:ACT=" 01 00 "1"
std::vector<uint8_t> SettingsReadBody();
// "EISOH:DATA=" 0B 00 and the 11-byte start-of-header frame; nothing when
// the frame is not exactly 11 bytes.
std::optional<std::vector<uint8_t>> PassThroughBody(std::span<const uint8_t> frame);

}  // namespace tb::client
