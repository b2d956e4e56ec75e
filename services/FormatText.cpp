#include "services/FormatText.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

namespace tb::services {
namespace {

struct ConversionDirective {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
    std::size_t length = 0;  // characters of the format consumed, '%' included
};

bool IsFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLengthModifier(char c) {
    return c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'j' || c == 'z' || c == 't';
}
bool IsConversion(char c) {
    return std::string_view("diouxXeEfFgGcs").find(c) != std::string_view::npos;
}

// Reads a decimal field; nothing when it is longer than any sane width.
std::optional<int> ReadNumber(std::string_view text, std::size_t& pos) {
    int value = 0;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (++digits > 4) return std::nullopt;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return value;
}

// Parses the conversion that starts with the '%' at text[0]; nothing when it
// is malformed or unsupported.
std::optional<ConversionDirective> ParseDirective(std::string_view text) {
    ConversionDirective directive;
    std::size_t pos = 1;
    while (pos < text.size() && IsFlag(text[pos]) && directive.flags.size() < 5)
        directive.flags += text[pos++];
    if (pos < text.size() && IsDigit(text[pos])) {
        auto width = ReadNumber(text, pos);
        if (!width || *width > kMaxFieldWidth) return std::nullopt;
        directive.width = *width;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        auto precision = ReadNumber(text, pos);
        if (!precision || *precision > kMaxFieldWidth) return std::nullopt;
        directive.precision = *precision;
    }
    for (int i = 0; i < 2 && pos < text.size() && IsLengthModifier(text[pos]); ++i) ++pos;
    if (pos >= text.size() || !IsConversion(text[pos])) return std::nullopt;
    directive.conversion = text[pos];
    directive.length = pos + 1;
    return directive;
}

std::string BuildPrintfFormat(const ConversionDirective& directive, const char* lengthModifier,
                            char conversion) {
    std::string out = "%" + directive.flags;
    if (directive.width >= 0) out += std::to_string(directive.width);
    if (directive.precision >= 0) out += "." + std::to_string(directive.precision);
    out += lengthModifier;
    out += conversion;
    return out;
}

template <typename T>
std::string Printf(const std::string& printfSpec, T value) {
    // Width and precision are capped, so a double with 128 decimals of a
    // large magnitude is the longest possible piece.
    char buffer[std::numeric_limits<double>::max_exponent10 + 2 * kMaxFieldWidth + 16];
    int n = std::snprintf(buffer, sizeof buffer, printfSpec.c_str(), value);
    if (n < 0) return {};
    return std::string(buffer,
                       std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

long long RealToInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9.2e18;
    if (value >= kLimit) return std::numeric_limits<long long>::max();
    if (value <= -kLimit) return std::numeric_limits<long long>::min();
    return static_cast<long long>(value);
}

std::string ArgumentAsText(const FormatArg& arg) {
    switch (arg.kind()) {
        case FormatArg::Kind::Text:
            return std::string(arg.text());
        case FormatArg::Kind::Integer:
            return std::to_string(arg.integer());
        case FormatArg::Kind::Real:
            return Printf("%g", arg.real());
    }
    return {};
}

long long ArgumentAsInteger(const FormatArg& arg) {
    return arg.kind() == FormatArg::Kind::Real ? RealToInteger(arg.real()) : arg.integer();
}

std::string Convert(const ConversionDirective& directive, const FormatArg& arg) {
    const char c = directive.conversion;
    if (c == 's') return Printf(BuildPrintfFormat(directive, "", 's'), ArgumentAsText(arg).c_str());
    // Text given to a numeric conversion is shown as it is.
    if (arg.kind() == FormatArg::Kind::Text) {
        return std::string(c == 'c' ? arg.text().substr(0, 1) : arg.text());
    }
    switch (c) {
        case 'd':
        case 'i':
            return Printf(BuildPrintfFormat(directive, "ll", c), ArgumentAsInteger(arg));
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            const unsigned long long value =
                arg.kind() == FormatArg::Kind::Real
                    ? static_cast<unsigned long long>(RealToInteger(arg.real()))
                    : arg.asUnsigned();
            return Printf(BuildPrintfFormat(directive, "ll", c), value);
        }
        case 'c': {
            const auto byte = static_cast<unsigned char>(ArgumentAsInteger(arg) & 0xFF);
            if (byte == 0) return {};
            return Printf(BuildPrintfFormat(directive, "", 'c'), static_cast<int>(byte));
        }
        default: {  // e E f F g G
            const double value = arg.kind() == FormatArg::Kind::Real
                                     ? arg.real()
                                     : static_cast<double>(arg.integer());
            return Printf(BuildPrintfFormat(directive, "", c), value);
        }
    }
}

}  // namespace

unsigned long long FormatArg::asUnsigned() const {
    if (narrow_) return static_cast<uint32_t>(integer_);
    return static_cast<unsigned long long>(integer_);
}

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    std::size_t pos = 0;
    while (pos < format.size()) {
        std::size_t percent = format.find('%', pos);
        if (percent == std::string_view::npos) {
            out.append(format.substr(pos));
            break;
        }
        out.append(format.substr(pos, percent - pos));
        std::string_view rest = format.substr(percent);
        if (rest.size() >= 2 && rest[1] == '%') {
            out += '%';
            pos = percent + 2;
            continue;
        }
        std::optional<ConversionDirective> directive = ParseDirective(rest);
        if (!directive || next == args.end()) {
            // Copy the '%' and go on; the rest of a malformed directive is plain text.
            std::size_t length = directive ? directive->length : 1;
            out.append(rest.substr(0, length));
            pos = percent + length;
            continue;
        }
        out += Convert(*directive, *next++);
        pos = percent + directive->length;
    }
    return out;
}

}  // namespace tb::services
