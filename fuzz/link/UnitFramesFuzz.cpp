// Feeds arbitrary bytes, in arbitrary pieces, to the simulated base unit's
// frame reader; every frame it gives must fit what it was fed.
#include <cstddef>
#include <algorithm>
#include <cstdint>

#include "sim/baseunit/UnitFrames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t piece = 1 + data[0] % 32;
    tb::sim::UnitFrameReader reader;
    size_t fed = 0;
    for (size_t at = 1; at < size; at += piece) {
        const size_t n = std::min(piece, size - at);
        reader.Feed({data + at, n});
        fed += n;
        while (auto frame = reader.Next())
            if (frame->text.size() + 6 > fed) __builtin_trap();
    }
    return 0;
}
