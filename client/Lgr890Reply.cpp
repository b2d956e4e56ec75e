#include "client/Lgr890Reply.h"

#include <algorithm>

#include "client/SohFrame.h"

namespace tb::client {

std::optional<AdjustmentBlock> BlockFromLgr890Reply(std::span<const uint8_t> reply) {
    if (reply.size() != kLgr890ReplySize) return std::nullopt;
    if (reply[0] != kSohStart || reply[2] != kAnswerAccepted) return std::nullopt;
    AdjustmentBlock block{};
    const auto source = reply.subspan(kLgr890BlockAt, kAdjustmentBlockSize);
    std::copy(source.begin(), source.end(), block.begin());
    return block;
}

bool Lgr890ReplyConfirmsWrite(std::span<const uint8_t> reply, std::span<const uint8_t, 4> written) {
    if (reply.size() < kLgr890BlockAt + written.size()) return false;
    if (reply[2] != kAnswerAccepted) return false;
    return std::equal(written.begin(), written.end(), reply.begin() + kLgr890BlockAt);
}

}  // namespace tb::client
