#include "client/ReplyParser.h"

#include <algorithm>
#include <limits>

#include "platform/ByteOrder.h"
#include "client/CommandText.h"
#include "client/LinkFrame.h"
#include "client/ResultCodes.h"

namespace tb::client {
namespace {

// The second status integer starts at this offset of the STATUS value.
constexpr std::size_t kSecondStatusOffset = 5;

bool SameText(std::span<const uint8_t> bytes, std::string_view text) {
    return std::equal(bytes.begin(), bytes.end(), text.begin(), text.end(),
                      [](uint8_t b, char c) { return b == static_cast<uint8_t>(c); });
}

bool IsBlank(uint8_t b) { return b == ' ' || (b >= '\t' && b <= '\r'); }

}  // namespace

int32_t ParseLeadingInteger(std::span<const uint8_t> text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = std::min(value * 10 + (text[at] - '0'), kLimit);
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::optional<std::span<const uint8_t>> FindField(std::span<const uint8_t> fields,
                                                  std::string_view key) {
    std::size_t at = 0;
    while (at < fields.size()) {
        const auto rest = fields.subspan(at);
        const auto equals = std::find(rest.begin(), rest.end(), uint8_t{'='});
        if (equals == rest.end()) return std::nullopt;
        const std::size_t keySize = static_cast<std::size_t>(equals - rest.begin());
        const std::size_t lengthAt = keySize + 1;
        if (rest.size() - lengthAt < 2) return std::nullopt;
        const std::size_t valueSize = bytes::ReadU16(rest, lengthAt);
        const std::size_t valueAt = lengthAt + 2;
        if (rest.size() - valueAt < valueSize) return std::nullopt;
        if (SameText(rest.first(keySize), key)) return rest.subspan(valueAt, valueSize);
        at += valueAt + valueSize;
    }
    return std::nullopt;
}

ParsedReply ParseReply(std::span<const uint8_t> received, std::string_view expectedWord,
                       bool needData) {
    ParsedReply reply;
    const auto body = UnwrapTextFrame(received);
    if (!body) {
        reply.code = kResultBadFrame;
        return reply;
    }
    const auto colon = std::find(body->begin(), body->end(), uint8_t{':'});
    if (colon == body->end()) {
        reply.code = kResultNoColon;
        return reply;
    }
    const std::size_t wordSize = static_cast<std::size_t>(colon - body->begin());
    if (!SameText(body->first(wordSize), expectedWord)) {
        reply.code = kResultWrongWord;
        return reply;
    }
    const auto fields = body->subspan(wordSize + 1);
    const auto status = FindField(fields, kKeyStatus);
    if (!status) {
        reply.code = kResultNoStatus;
        return reply;
    }
    reply.status1 = ParseLeadingInteger(*status);
    if (status->size() > kSecondStatusOffset) {
        reply.status2 = ParseLeadingInteger(status->subspan(kSecondStatusOffset));
    }
    if (needData) {
        const auto data = FindField(fields, kKeyData);
        if (!data) {
            reply.code = kResultNoData;
            return reply;
        }
        reply.data = *data;
    }
    reply.code = kResultOk;
    return reply;
}

}  // namespace tb::client
