// The base unit's side of the LAN login dialogue: it collects the login text
// that the client sends, up to its carriage return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tb::sim::lan {

// The longest login text the unit takes; a longer one is refused.
inline constexpr size_t kMaxLoginText = 64;

class LoginLine {
  public:
    enum class State { Collecting, Complete, TooLong };

    // Takes bytes until the line is complete or too long; returns how many
    // bytes it consumed (the rest belongs to what follows the login).
    size_t Add(std::span<const uint8_t> bytes);
    State state() const { return state_; }
    // The text without its carriage return (only when Complete).
    const std::string& text() const { return text_; }

  private:
    State state_ = State::Collecting;
    std::string text_;
};

}  // namespace tb::sim::lan
