#include "link/lan/LoginDialogue.h"

#include <algorithm>
#include <cstring>

namespace tb::link::lan {
namespace {

constexpr char kCarriageReturn = '\r';

// Length of text when it has at most `limit` characters; limit + 1 otherwise.
size_t BoundedLength(const char* text, size_t limit) { return strnlen(text, limit + 1); }

}  // namespace

ReplyMatch ReplyReader::Add(size_t count) {
    count_ = std::min(count_ + count, sizeof bytes_);
    const size_t compared = std::min(count_, expected_.size());
    if (std::memcmp(bytes_, expected_.data(), compared) != 0) return ReplyMatch::Differs;
    if (compared < expected_.size())
        return count_ == sizeof bytes_ ? ReplyMatch::Differs : ReplyMatch::NeedMore;
    return ReplyMatch::Matches;
}

bool StoreHost(const char* host, char (&field)[kHostCapacity]) {
    static_assert(kMaxHostLength < kHostCapacity);
    if (!host) return false;
    const size_t length = BoundedLength(host, kMaxHostLength);
    if (length > kMaxHostLength) return false;
    std::memset(field, 0, sizeof field);
    std::memcpy(field, host, length);
    return true;
}

bool StoreLogin(const char* login, char (&field)[kLoginCapacity]) {
    static_assert(kMaxLoginLength + 1 < kLoginCapacity);
    if (!login) return false;
    const size_t length = BoundedLength(login, kMaxLoginLength);
    if (length > kMaxLoginLength) return false;
    std::memset(field, 0, sizeof field);
    std::memcpy(field, login, length);
    field[length] = kCarriageReturn;
    return true;
}

}  // namespace tb::link::lan
