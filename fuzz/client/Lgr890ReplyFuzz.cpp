// Feeds arbitrary bytes to the checks of the model-890 cable's replies and
// of the pass-through correction frame.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "client/Lgr890Reply.h"
#include "client/SohFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tb::client;
    if (size > 2 * kLgr890ReplySize) size = 2 * kLgr890ReplySize;
    const std::vector<uint8_t> reply(data, data + size);
    const auto block = BlockFromLgr890Reply(reply);
    if (block && size != kLgr890ReplySize) __builtin_trap();
    const std::array<uint8_t, 4> written{0xE8, 0x03, 0x00, 0x00};
    const bool confirmed = Lgr890ReplyConfirmsWrite(reply, written);
    if (confirmed && !Lgr890ReplyIntact(reply)) __builtin_trap();
    if (block && !Lgr890ReplyIntact(reply)) __builtin_trap();
    const int check = CheckReadCorrectionReply(reply);
    if (check == 0 && size >= kSohFrameSize) {
        std::array<uint8_t, kSohFrameSize> frame{};
        std::copy_n(reply.begin(), kSohFrameSize, frame.begin());
        (void)DecodePassThroughCodes(frame);
    }
    return 0;
}
