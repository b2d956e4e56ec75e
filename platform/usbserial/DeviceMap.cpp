#include "platform/usbserial/DeviceMap.h"

#include <cstdlib>

#include "platform/usbserial/FilePrefix.h"

namespace tb::usbserial {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<unsigned> ParseHex(std::string_view text) {
    unsigned value = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

// Decimal of 1 to 3 digits.
std::optional<unsigned> ParseSmallDecimal(std::string_view text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

std::optional<int> ParseComNumber(std::string_view text) {
    auto value = ParseSmallDecimal(text);
    if (!value || *value < kFirstComNumber || *value > kLastComNumber) return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<uint8_t> ParseLatch(std::string_view text) {
    std::optional<unsigned> value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (text.size() <= 4) value = ParseHex(text.substr(2));
    } else {
        value = ParseSmallDecimal(text);
    }
    if (!value || *value > 0xFF) return std::nullopt;
    return static_cast<uint8_t>(*value);
}

bool IsAcceptablePath(std::string_view text) {
    if (text.size() < 2 || text.size() > kMaxDevicePathBytes || text[0] != '/') return false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return true;
}

// Splits a line into at most five blank-separated fields; a fifth means
// too many.
std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size() && fields.size() < 5) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

std::optional<DeviceMapEntry> ParseLine(std::string_view line) {
    auto fields = SplitFields(line);
    if (fields.size() != 4) return std::nullopt;
    auto com = ParseComNumber(fields[0]);
    auto id = ParseUsbId(fields[2]);
    auto latch = ParseLatch(fields[3]);
    if (!com || !IsAcceptablePath(fields[1]) || !id || !latch) return std::nullopt;
    return DeviceMapEntry{*com, std::string(fields[1]), *id, *latch};
}

bool IsComment(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i == line.size() || line[i] == '#';
}

}  // namespace

std::optional<UsbId> ParseUsbId(std::string_view text) {
    if (text.size() != 9 || text[4] != '-') return std::nullopt;
    auto vendor = ParseHex(text.substr(0, 4));
    auto product = ParseHex(text.substr(5, 4));
    if (!vendor || !product) return std::nullopt;
    return UsbId{static_cast<uint16_t>(*vendor), static_cast<uint16_t>(*product)};
}

const DeviceMapEntry* DeviceMap::Find(int comNumber) const {
    for (const auto& entry : entries) {
        if (entry.comNumber == comNumber) return &entry;
    }
    return nullptr;
}

DeviceMap ParseDeviceMap(std::string_view text) {
    DeviceMap map;
    if (text.size() > kMaxDeviceMapBytes) {
        // Only the complete lines inside the limit count.
        size_t lastNewline = text.rfind('\n', kMaxDeviceMapBytes - 1);
        text = lastNewline == std::string_view::npos ? std::string_view{}
                                                     : text.substr(0, lastNewline + 1);
    }
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (IsComment(line)) continue;
        auto entry = ParseLine(line);
        if (!entry || map.Find(entry->comNumber) != nullptr) {
            ++map.rejectedLines;
            continue;
        }
        map.entries.push_back(std::move(*entry));
    }
    return map;
}

DeviceMap LoadDeviceMapFile(const std::string& path) {
    return ParseDeviceMap(ReadFilePrefix(path, kMaxDeviceMapBytes + 1));
}

DeviceMap LoadDeviceMapFromEnvironment() {
    const char* path = std::getenv(kDeviceMapVariable);
    if (path == nullptr || *path == '\0') return {};
    return LoadDeviceMapFile(path);
}

}  // namespace tb::usbserial
