// The client's side of the login dialogue: the unit's prompt and answer
// arrive in reads of any size (the first input byte picks the sizes), and
// the host and login texts the caller passes are copied into their fields.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "link/lan/LoginDialogue.h"

using namespace tb::link::lan;

namespace {

void ReadReply(std::string_view expected, const uint8_t* data, size_t size, uint8_t chunking) {
    ReplyReader reader(expected);
    ReplyMatch match = ReplyMatch::NeedMore;
    size_t at = 0;
    for (unsigned read = 0; at < size && match == ReplyMatch::NeedMore; ++read) {
        auto space = reader.Space();
        if (space.empty()) abort();  // undecided with no room left
        size_t count = 1 + ((chunking >> (read % 8)) & 7);
        count = std::min({count, space.size(), size - at});
        std::memcpy(space.data(), data + at, count);
        at += count;
        match = reader.Add(count);
    }
    const auto got = reader.Received();
    const bool begins = got.size() >= expected.size() &&
                        std::memcmp(got.data(), expected.data(), expected.size()) == 0;
    if ((match == ReplyMatch::Matches) != begins) abort();
}

template <size_t N>
void CheckCopy(bool (*store)(const char*, char (&)[N]), const std::string& text, size_t limit,
               bool withReturn) {
    char field[N];
    std::memset(field, 0x7F, sizeof field);
    const bool stored = store(text.c_str(), field);
    const size_t length = std::strlen(text.c_str());
    if (stored != (length <= limit)) abort();
    if (!stored) return;
    if (std::memcmp(field, text.c_str(), length) != 0) abort();
    if (withReturn && field[length] != '\r') abort();
    if (field[length + (withReturn ? 1 : 0)] != '\0') abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t chunking = data[0];
    ReadReply(kLoginPrompt, data + 1, size - 1, chunking);
    ReadReply(kLoginAccepted, data + 1, size - 1, chunking);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckCopy(StoreHost, text, kMaxHostLength, false);
    CheckCopy(StoreLogin, text, kMaxLoginLength, true);
    return 0;
}
