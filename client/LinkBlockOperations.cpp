#include "client/LinkBlockOperations.h"

#include <algorithm>

#include "services/PageServices.h"
#include "client/BaseUnitDiscovery.h"
#include "client/CommandExchange.h"
#include "client/ResultCodes.h"
#include "client/SohFrame.h"

namespace tb::client {
namespace {

CommandExchange ExchangeWith(std::span<const uint8_t> bytes) {
    CommandExchange exchange(bytes.size());
    std::copy(bytes.begin(), bytes.end(), exchange.block.begin());
    return exchange;
}

bool ReadBackMatches(uint32_t key, std::span<const uint8_t> written) {
    CommandExchange readBack(kAdjustmentBlockSize);
    return AdjustRead(key, readBack) == kResultOk &&
           std::equal(written.begin(), written.end(), readBack.block.begin());
}

bool IsAcceptedReadReply(std::span<const uint8_t> reply) {
    return reply.size() == kSohFrameSize && reply[0] == kSohStart &&
           CheckReadCorrectionReply(reply) == 0;
}

}  // namespace

bool WriteBlockVerified(std::span<const uint8_t, kAdjustmentBlockSize> block, int waitMs) {
    const auto key = FindBaseUnit();
    if (!key) return false;
    auto write = ExchangeWith(block);
    if (AdjustWrite(*key, write) != kResultOk) return false;
    if (waitMs < 0) return true;
    for (int attempt = 0; attempt < kVerifyReadBacks; ++attempt) {
        services::PumpWait(static_cast<uint32_t>(waitMs));
        if (ReadBackMatches(*key, block)) return true;
    }
    return false;
}

bool ReadBlock(std::span<uint8_t, kAdjustmentBlockSize> block) {
    const auto key = FindBaseUnit();
    if (!key) return false;
    CommandExchange read(kAdjustmentBlockSize);
    const int code = AdjustRead(*key, read);
    std::copy(read.block.begin(), read.block.end(), block.begin());
    return code == kResultOk;
}

bool WritePassThroughVerified(uint16_t slopeCode, int16_t offsetCode) {
    const auto key = FindBaseUnit();
    if (!key) return false;
    const SohFrame request = MakeWriteCorrectionRequest(offsetCode, slopeCode);
    auto write = ExchangeWith(request);
    if (PassThroughSend(*key, write) != kResultOk) return false;
    auto read = ExchangeWith(MakeReadCorrectionRequest());
    if (PassThroughExchange(*key, read) != kResultOk) return false;
    const auto& reply = read.block;
    return IsAcceptedReadReply(reply) &&
           std::equal(request.begin() + kSohDataAt, request.begin() + kSohCheckAt,
                      reply.begin() + kSohDataAt);
}

bool ReadPassThroughFrame(std::span<uint8_t, kSohFrameSize> frame) {
    const auto key = FindBaseUnit();
    if (!key) return false;
    auto read = ExchangeWith(MakeReadCorrectionRequest());
    const int code = PassThroughExchange(*key, read);
    std::copy(read.block.begin(), read.block.end(), frame.begin());
    return code == kResultOk;
}

}  // namespace tb::client
