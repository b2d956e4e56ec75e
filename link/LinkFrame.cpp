#include "link/LinkFrame.h"

namespace tb::link {

std::optional<FrameKind> FrameKindOf(uint8_t kindByte) {
    switch (kindByte) {
        case '1':
            return FrameKind{kindByte, 3, 1};
        case '2':
            return FrameKind{kindByte, 4, 2};
        case '4':
            return FrameKind{kindByte, 6, 4};
        case 'E':
            return FrameKind{kindByte, 6, 0};
        default:
            return std::nullopt;
    }
}

uint64_t BytesAfterHeader(const FrameKind& kind, std::span<const uint8_t> header) {
    uint64_t length = 0;
    const size_t fieldBytes = kind.headerBytes - 2;
    for (size_t i = 0; i < fieldBytes && 2 + i < header.size(); ++i)
        length |= static_cast<uint64_t>(header[2 + i]) << (8 * i);
    return length + kind.extraBytes;
}

}  // namespace tb::link
