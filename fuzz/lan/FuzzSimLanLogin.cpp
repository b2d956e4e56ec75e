// The simulated LAN base unit's reading of a login line from bytes that
// arrive in pieces of any size (the first input byte picks the sizes).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "sim/lan/LoginLine.h"

using tb::sim::lan::kMaxLoginText;
using tb::sim::lan::LoginLine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t chunking = data[0];
    std::span<const uint8_t> bytes(data + 1, size - 1);
    LoginLine line;
    size_t consumed = 0;
    for (unsigned piece = 0; !bytes.empty(); ++piece) {
        const size_t count = std::min<size_t>(bytes.size(), 1 + ((chunking >> (piece % 8)) & 7));
        const size_t used = line.Add(bytes.first(count));
        if (used > count) abort();
        consumed += used;
        if (used < count && line.state() == LoginLine::State::Collecting) abort();
        bytes = bytes.subspan(count);
    }
    if (line.text().size() > kMaxLoginText) abort();
    if (line.state() == LoginLine::State::Complete &&
        (consumed != line.text().size() + 1 || data[consumed] != '\r'))
        abort();
    return 0;
}
