// Feeds arbitrary first records of a ring file to the header parser; a
// header it accepts must keep every write inside the ring.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link/diag/LogLine.h"
#include "link/diag/RingFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tb::link::diag::RingHeader header;
    const std::string_view record(reinterpret_cast<const char*>(data), size);
    if (tb::link::diag::ParseRingHeader(record, header)) {
        if (header.capacity < 1 || header.capacity > tb::link::diag::kRingCapacity ||
            header.index < -1 || header.index >= header.capacity || header.count < 0 ||
            header.count > header.capacity)
            __builtin_trap();
    }
    return 0;
}
