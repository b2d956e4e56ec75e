// Checks a base unit's reply frame against the request it answers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tb::client {

struct ParsedReply {
    int code = 0;  // a ResultCode: 0 or 40 to 44
    int32_t status1 = 0;
    int32_t status2 = 0;
    std::span<const uint8_t> data;  // the DATA value when one was asked for; may be empty
};

// Checks the frame (40), the command word (41, 42), the STATUS field (43)
// and, when needData is set, the DATA field (44), in that order.
ParsedReply ParseReply(std::span<const uint8_t> received, std::string_view expectedWord,
                       bool needData);

// The value of the first field named key in the fields that follow the
// command word's colon; nothing when a field runs past the end first.
std::optional<std::span<const uint8_t>> FindField(std::span<const uint8_t> fields,
                                                  std::string_view key);

// A decimal integer at the start of text: optional blanks, optional sign,
// digits up to the first other byte; 0 without digits, saturated to 32 bits.
int32_t ParseLeadingInteger(std::span<const uint8_t> text);

}  // namespace tb::client
