// Link frames of kind '2' as a test or benchmark sends them, built here
// independently of the client's own frame code: 'T' '2', the 16-bit length,
// the body, and the 16-bit byte sum of the body, all little-endian.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tb::testsupport {

inline std::vector<uint8_t> KindTwoFrame(std::string_view body) {
    std::vector<uint8_t> frame{'T', '2', static_cast<uint8_t>(body.size()),
                               static_cast<uint8_t>(body.size() >> 8)};
    uint16_t sum = 0;
    for (char c : body) {
        frame.push_back(static_cast<uint8_t>(c));
        sum = static_cast<uint16_t>(sum + static_cast<uint8_t>(c));
    }
    frame.push_back(static_cast<uint8_t>(sum));
    frame.push_back(static_cast<uint8_t>(sum >> 8));
    return frame;
}

}  // namespace tb::testsupport
