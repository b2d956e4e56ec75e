// Feeds arbitrary data parts of a serial-query reply to its check; the last
// two bytes are taken as the check.
#include <cstddef>
#include <cstdint>

#include "link/SerialReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint16_t check = static_cast<uint16_t>(data[size - 2] | (data[size - 1] << 8));
    tb::link::CheckSerialReply({data, size - 2}, check);
    return 0;
}
