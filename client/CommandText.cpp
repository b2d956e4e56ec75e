#include "client/CommandText.h"

#include "platform/ByteOrder.h"

namespace tb::client {
namespace {

void AppendText(std::vector<uint8_t>& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

std::vector<uint8_t> StartBody(std::string_view word) {
    std::vector<uint8_t> body;
    AppendText(body, word);
    body.push_back(':');
    return body;
}

void AppendField(std::vector<uint8_t>& out, std::string_view key, std::span<const uint8_t> value) {
    AppendText(out, key);
    out.push_back('=');
    out.resize(out.size() + 2);
    bytes::WriteU16(out, out.size() - 2, static_cast<uint16_t>(value.size()));
    out.insert(out.end(), value.begin(), value.end());
}

void AppendAction(std::vector<uint8_t>& out, char action) {
    const uint8_t digit = static_cast<uint8_t>(action);
    AppendField(out, kKeyAction, std::span<const uint8_t>(&digit, 1));
}

std::vector<uint8_t> ReadBody(std::string_view word) {
    auto body = StartBody(word);
    AppendAction(body, '1');
    return body;
}

}  // namespace

std::optional<std::vector<uint8_t>> AdjustWriteBody(std::span<const uint8_t> block) {
    if (block.size() != kAdjustmentBlockSize) return std::nullopt;
    auto body = StartBody(kWordAdjust);
    AppendAction(body, '0');
    AppendField(body, kKeyData, block);
    return body;
}

std::vector<uint8_t> AdjustReadBody() { return ReadBody(kWordAdjust); }

std::vector<uint8_t> SettingsReadBody() { return ReadBody(kWordSettings); }

std::optional<std::vector<uint8_t>> PassThroughBody(std::span<const uint8_t> frame) {
    if (frame.size() != kSohFrameSize) return std::nullopt;
    auto body = StartBody(kWordPassThrough);
    AppendField(body, kKeyData, frame);
    return body;
}

}  // namespace tb::client
