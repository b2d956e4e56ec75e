// The login dialogue of a LAN base unit: the unit sends a prompt that begins
// with "login", the client answers with its login text and a carriage return,
// and the unit answers "OK" or refuses. Also the bounded copies of the host
// and login texts into their entry fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "link/MngTable.h"

namespace tb::link::lan {

inline constexpr std::string_view kLoginPrompt = "login";
inline constexpr std::string_view kLoginAccepted = "OK";
inline constexpr size_t kMaxHostLength = 127;
inline constexpr size_t kMaxLoginLength = 64;
// Bytes taken per read while waiting for the unit's prompt or answer.
inline constexpr size_t kLoginReadSize = 16;

enum class ReplyMatch { NeedMore, Matches, Differs };

// Collects the first bytes of a prompt or answer, up to kLoginReadSize, and
// tells as soon as they decide whether they begin with the expected text.
class ReplyReader {
  public:
    explicit ReplyReader(std::string_view expected) : expected_(expected) {}

    // Room for the next read (kLoginReadSize bytes at most in all).
    std::span<uint8_t> Space() { return std::span(bytes_).subspan(count_); }
    // Takes `count` bytes written into Space() and judges what has come.
    ReplyMatch Add(size_t count);
    std::span<const uint8_t> Received() const { return std::span(bytes_).first(count_); }

  private:
    std::string_view expected_;
    uint8_t bytes_[kLoginReadSize] = {};
    size_t count_ = 0;
};

// Copies a host text into its field; false (field untouched) when it is
// missing or longer than kMaxHostLength.
bool StoreHost(const char* host, char (&field)[kHostCapacity]);

// Copies a login text followed by a carriage return into its field; false
// (field untouched) when it is missing or longer than kMaxLoginLength.
bool StoreLogin(const char* login, char (&field)[kLoginCapacity]);

}  // namespace tb::link::lan
