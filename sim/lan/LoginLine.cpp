#include "sim/lan/LoginLine.h"

namespace tb::sim::lan {

size_t LoginLine::Add(std::span<const uint8_t> bytes) {
    size_t used = 0;
    while (used < bytes.size() && state_ == State::Collecting) {
        const uint8_t byte = bytes[used++];
        if (byte == '\r')
            state_ = State::Complete;
        else if (text_.size() == kMaxLoginText)
            state_ = State::TooLong;
        else
            text_.push_back(static_cast<char>(byte));
    }
    return used;
}

}  // namespace tb::sim::lan
