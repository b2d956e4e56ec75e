#include "cli/Arguments.h"

#include <charconv>

namespace tb::cli {
namespace {

template <typename Number>
std::optional<Number> WholeNumber(std::string_view text, int base) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string_view WithoutPrefix(std::string_view text, std::string_view prefix) {
    if (text.size() >= prefix.size()) {
        bool same = true;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            same = same && (text[i] | 0x20) == (prefix[i] | 0x20);
        if (same) text.remove_prefix(prefix.size());
    }
    return text;
}

}  // namespace

std::optional<uint32_t> ParseSerial(std::string_view text) {
    text = WithoutPrefix(text, "0x");
    if (text.empty() || text.size() > 8 || text.front() == '-' || text.front() == '+') return std::nullopt;
    return WholeNumber<uint32_t>(text, 16);
}

std::optional<int> ParseComNumber(std::string_view text) {
    text = WithoutPrefix(text, "com");
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    const auto number = WholeNumber<int>(text, 10);
    if (!number || *number < 1 || *number > 256) return std::nullopt;
    return number;
}

std::optional<LoggerChoice> ParseLoggerName(std::string_view text) {
    if (text.empty()) return LoggerChoice{};
    if (WithoutPrefix(text, "com").size() != text.size()) {
        const auto com = ParseComNumber(text);
        if (!com) return std::nullopt;
        return LoggerChoice{std::nullopt, com, std::nullopt};
    }
    const auto serial = ParseSerial(text);
    if (!serial) return std::nullopt;
    return LoggerChoice{serial, std::nullopt, std::nullopt};
}

std::optional<int> ParseChannel(std::string_view text) {
    const auto channel = WholeNumber<int>(text, 10);
    if (!channel || *channel < 1) return std::nullopt;
    return channel;
}

std::optional<Reading> ParsePoint(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos)
        return std::nullopt;
    Reading reading{std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
    if (reading.before.empty() || reading.after.empty()) return std::nullopt;
    return reading;
}

std::optional<int> ParseUnit(std::string_view text) {
    if (text == "C" || text == "c") return 0;
    if (text == "F" || text == "f") return 1;
    return std::nullopt;
}

}  // namespace tb::cli
