#include "client/Lgr890Reply.h"

#include <algorithm>

#include "client/SohFrame.h"
#include "platform/ByteOrder.h"

namespace tb::client {

bool Lgr890ReplyIntact(std::span<const uint8_t> reply) {
    if (reply.size() != kLgr890ReplySize) return false;
    return bytes::ByteSum16(reply.first(kLgr890CheckAt)) == bytes::ReadU16(reply, kLgr890CheckAt);
}

std::optional<AdjustmentBlock> BlockFromLgr890Reply(std::span<const uint8_t> reply) {
    if (!Lgr890ReplyIntact(reply)) return std::nullopt;
    if (reply[0] != kSohStart || reply[2] != kAnswerAccepted) return std::nullopt;
    AdjustmentBlock block{};
    const auto source = reply.subspan(kLgr890BlockAt, kAdjustmentBlockSize);
    std::copy(source.begin(), source.end(), block.begin());
    return block;
}

bool Lgr890ReplyConfirmsWrite(std::span<const uint8_t> reply, std::span<const uint8_t, 4> written) {
    if (!Lgr890ReplyIntact(reply) || reply[2] != kAnswerAccepted) return false;
    return std::equal(written.begin(), written.end(), reply.begin() + kLgr890BlockAt);
}

}  // namespace tb::client
