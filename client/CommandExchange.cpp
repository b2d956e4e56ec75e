#include "client/CommandExchange.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "client/CommandText.h"
#include "client/LinkApi.h"
#include "client/LinkFrame.h"
#include "client/ReplyParser.h"
#include "client/ResultCodes.h"

namespace tb::client {
namespace {

struct Request {
    std::optional<std::vector<uint8_t>> body;  // nothing: the block does not fit the command
    std::string_view word;
    bool needData = false;
};

// Copies DATA into the block. A value shorter than the block is refused:
// filling the rest with zeros would turn it into a slope of 0.
int TakeData(std::span<const uint8_t> data, std::vector<uint8_t>& block) {
    if (data.size() < block.size()) return kResultNoData;
    std::copy_n(data.begin(), block.size(), block.begin());
    return kResultOk;
}

int ExchangeOverOpenLink(const LinkApi& link, uint32_t key, const Request& request,
                         CommandExchange& exchange) {
    if (!request.body) return kResultSendFailed;
    const auto frame = WrapTextFrame(*request.body);
    if (frame.empty()) return kResultSendFailed;
    link.clearBuffer(key, 1);
    link.clearBuffer(key, 0);
    if (link.send(key, frame.data(), static_cast<int>(frame.size())) != 0) {
        return kResultSendFailed;
    }
    std::array<uint8_t, kReplyCapacity> reply{};
    const int count = link.receive(key, reply.data(), kReplyCapacity, 0);
    if (count < 0) return kResultReceiveFailed;
    const auto received = std::span(reply).first(std::min(count, kReplyCapacity));
    const auto parsed = ParseReply(received, request.word, request.needData);
    if (parsed.code != kResultOk && parsed.code != kResultNoData) return parsed.code;
    exchange.status1 = parsed.status1;
    exchange.status2 = parsed.status2;
    if (parsed.code != kResultOk) return parsed.code;
    return request.needData ? TakeData(parsed.data, exchange.block) : kResultOk;
}

int RunTransaction(uint32_t key, const Request& request, CommandExchange& exchange) {
    const LinkApi& link = CurrentLinkApi();
    int code = kResultOpenFailed;
    if (link.openUsb(key) == 0) code = ExchangeOverOpenLink(link, key, request, exchange);
    link.close(key);
    return code;
}

}  // namespace

int AdjustWrite(uint32_t unitKey, CommandExchange& exchange) {
    return RunTransaction(unitKey, {AdjustWriteBody(exchange.block), kWordAdjust, false}, exchange);
}

int AdjustRead(uint32_t unitKey, CommandExchange& exchange) {
    return RunTransaction(unitKey, {AdjustReadBody(), kWordAdjust, true}, exchange);
}

int SettingsRead(uint32_t unitKey, CommandExchange& exchange) {
    return RunTransaction(unitKey, {SettingsReadBody(), kWordSettings, true}, exchange);
}

int PassThroughSend(uint32_t unitKey, CommandExchange& exchange) {
    return RunTransaction(unitKey, {PassThroughBody(exchange.block), kWordPassThrough, false},
                          exchange);
}

int PassThroughExchange(uint32_t unitKey, CommandExchange& exchange) {
    return RunTransaction(unitKey, {PassThroughBody(exchange.block), kWordPassThrough, true},
                          exchange);
}

}  // namespace tb::client
