// Number entry: which texts of an edit box count as a number.
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "pages/CorrectionFormula.h"

namespace tb::pages {
namespace {

// Far beyond what any edit box holds; longer text is refused unread.
constexpr std::size_t kMaxEntryLength = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the characters of an entry stand. Only blanks, signs, full stops and
// digits are expected; anything else makes the entry unreadable.
struct EntryShape {
    bool onlyNumberCharacters = true;
    int digits = 0;
    int signs = 0;
    int stops = 0;
    std::size_t firstDigit = 0;
    std::size_t lastDigit = 0;
    std::size_t signPos = 0;
    std::size_t stopPos = 0;
    std::optional<std::size_t> firstBlankAfterDigit;
};

EntryShape ShapeOf(std::string_view text) {
    EntryShape shape;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (shape.digits++ == 0) shape.firstDigit = i;
            shape.lastDigit = i;
        } else if (c == '+' || c == '-') {
            ++shape.signs;
            shape.signPos = i;
        } else if (c == '.') {
            ++shape.stops;
            shape.stopPos = i;
        } else if (c == ' ') {
            // Leading blanks are ignored; the first blank after a digit is noted.
            if (shape.digits > 0 && !shape.firstBlankAfterDigit) shape.firstBlankAfterDigit = i;
        } else {
            shape.onlyNumberCharacters = false;
            break;
        }
    }
    return shape;
}

bool SignIsPlacedWell(const EntryShape& shape) {
    if (shape.signs == 0) return true;
    if (shape.signs > 1) return false;
    if (shape.signPos + 1 == shape.firstDigit) return true;
    // The form "-.5": sign, full stop, digits.
    return shape.signPos + 2 == shape.firstDigit && shape.stops == 1 &&
           shape.stopPos + 1 == shape.firstDigit;
}

bool StopIsPlacedWell(const EntryShape& shape) {
    if (shape.stops == 0) return true;
    if (shape.stops > 1) return false;
    return shape.stopPos + 1 == shape.firstDigit ||
           (shape.stopPos > shape.firstDigit && shape.stopPos < shape.lastDigit);
}

bool IsWellFormed(const EntryShape& shape) {
    if (!shape.onlyNumberCharacters || shape.digits == 0) return false;
    // No blank may stand between two digits.
    if (shape.firstBlankAfterDigit && *shape.firstBlankAfterDigit < shape.lastDigit) return false;
    return SignIsPlacedWell(shape) && StopIsPlacedWell(shape);
}

// The decimal value of a well-formed entry, independent of the locale.
std::optional<double> ValueOf(std::string_view text) {
    std::string mantissa;
    bool negative = false;
    for (char c : text) {
        if (c == '-') negative = true;
        if (IsDigit(c) || c == '.') mantissa += c;
    }
    double value = 0.0;
    const char* end = mantissa.data() + mantissa.size();
    auto [ptr, error] = std::from_chars(mantissa.data(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return negative && value != 0.0 ? -value : value;  // "-0" reads as plain 0
}

}  // namespace

ParsedNumber ParseNumber(std::string_view text) {
    if (text.size() > kMaxEntryLength) return {};
    const EntryShape shape = ShapeOf(text);
    if (!IsWellFormed(shape)) return {};
    std::optional<double> value = ValueOf(text);
    if (!value) return {};
    return {true, *value, shape.digits};
}

}  // namespace tb::pages
