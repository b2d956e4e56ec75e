// printf-style filling of message texts, safe for any format text.
//
// The numbered strings are printf formats ("Serial No.:%s  Error Code:%d"),
// and a resource library may replace them, so a format is untrusted: a
// conversion never reads an argument of the wrong type or one that is not
// there. Supported: flags "-+ #0", a width and a precision (each capped at
// kMaxFieldWidth), length modifiers (accepted and ignored), and the
// conversions d i u o x X e E f F g G c s and "%%".
//
// Mismatches are resolved by value rather than by bytes: a number given to
// %s prints as decimal text, a double given to %d is truncated toward zero,
// an integer given to %f is converted. A conversion without an argument, or
// one that is malformed, is copied to the output as written.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tb::services {

inline constexpr int kMaxFieldWidth = 128;

class FormatArg {
  public:
    enum class Kind { Integer, Real, Text };

    template <std::integral T>
    FormatArg(T value)  // NOLINT: implicit by design, like printf's arguments
        : kind_(Kind::Integer),
          integer_(static_cast<long long>(value)),
          narrow_(sizeof(T) <= sizeof(int32_t)) {}
    FormatArg(double value) : kind_(Kind::Real), real_(value) {}                 // NOLINT
    FormatArg(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}  // NOLINT
    FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}         // NOLINT
    FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}       // NOLINT

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    // The integer as printf's unsigned conversions see it: 32-bit arguments
    // wrap at 32 bits, as they would in C.
    unsigned long long asUnsigned() const;
    double real() const { return real_; }
    std::string_view text() const { return text_; }

  private:
    Kind kind_;
    long long integer_ = 0;
    bool narrow_ = true;
    double real_ = 0.0;
    std::string_view text_;
};

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace tb::services
