#include "link/SerialReply.h"

#include <algorithm>
#include <string_view>

#include "link/LinkFrame.h"
#include "platform/ByteOrder.h"

namespace tb::link {
namespace {

constexpr std::string_view kStatusKey = "STATUS=";
constexpr std::string_view kSerialKey = "SER=";
constexpr size_t kStatusLength = 9;
constexpr size_t kSerialLength = 8;

// The value of the first item named key whose length field equals length and
// whose value lies inside data.
std::optional<std::string_view> FindItem(std::span<const uint8_t> data, std::string_view key,
                                         size_t length, size_t from = 0) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    for (size_t at = text.find(key, from); at != std::string_view::npos;
         at = text.find(key, at + 1)) {
        const size_t lengthAt = at + key.size();
        if (lengthAt + 2 > text.size()) return std::nullopt;
        const size_t itemLength = data[lengthAt] | (static_cast<size_t>(data[lengthAt + 1]) << 8);
        const size_t valueAt = lengthAt + 2;
        if (itemLength == length && valueAt + length <= text.size())
            return text.substr(valueAt, length);
    }
    return std::nullopt;
}

bool StatusIsGood(std::span<const uint8_t> data) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    for (size_t from = 0;;) {
        const auto value = FindItem(data, kStatusKey, kStatusLength, from);
        if (!value) return false;
        if (value->substr(kStatusLength - 4) == "0000") return true;
        from = static_cast<size_t>(value->data() - text.data());
    }
}

std::optional<uint32_t> ParseHex32(std::string_view digits) {
    uint32_t value = 0;
    for (char c : digits) {
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else
            return std::nullopt;
        value = (value << 4) | digit;
    }
    return value;
}

}  // namespace

std::optional<uint32_t> CheckSerialReply(std::span<const uint8_t> data, uint16_t check) {
    if (bytes::ByteSum16(data) != check) return std::nullopt;
    if (!StatusIsGood(data)) return std::nullopt;
    const auto serial = FindItem(data, kSerialKey, kSerialLength);
    if (!serial) return std::nullopt;
    return ParseHex32(*serial);
}

}  // namespace tb::link
