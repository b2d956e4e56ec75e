#include "modelcom/PortSession.h"

#include <algorithm>
#include <atomic>

#include "link/usbserial/PortLayer.h"
#include "modelcom/Frame.h"
#include "modelcom/PumpingWait.h"
#include "modelcom/ResultCodes.h"
#include "platform/Clock.h"
#include "platform/Pump.h"
#include "platform/usbserial/PortResults.h"

namespace tb::modelcom {
namespace {

// Receive and send buffer sizes asked of the port library on open.
inline constexpr int kPortBufferSize = 16384;
inline constexpr int kFlushReceive = 1;
inline constexpr int kFlushSend = 0;

// Set while an open is under way, so that a call re-entered from the pump
// never opens a port at the same time.
std::atomic<bool> openInProgress{false};

}  // namespace

int PortSession::Open(int port) {
    Close();
    int busyAnswers = 0;
    for (;;) {
        tb::platform::PumpPendingMessages();
        tb::platform::SleepMs(1);
        bool expected = false;
        if (!openInProgress.compare_exchange_strong(expected, true)) continue;
        uint32_t handle = 0;
        int result = tb::link::CurrentPortLayer().OpenComm(port, kPortBufferSize, kPortBufferSize,
                                                           kModelBaud, &handle);
        openInProgress.store(false);
        if (result == usbserial::kPortBusy) {
            if (++busyAnswers >= kBusyAttempts) return kPortBusy;
            continue;
        }
        if (result == usbserial::kPortCannotOpen) return kNotListedOrCannotOpen;
        if (result == 0) {
            handle_ = handle;
            open_ = true;
        }
        return result;
    }
}

void PortSession::Close() {
    if (!open_) return;
    tb::link::CurrentPortLayer().CloseComm(handle_);
    open_ = false;
}

int PortSession::Send(uint8_t command, uint8_t sub, std::span<const uint8_t> data) {
    std::vector<uint8_t> frame = BuildRequest(command, sub, data);
    if (frame.empty() || !open_) return kSendFailed;
    tb::link::PortLayer& ports = tb::link::CurrentPortLayer();
    if (ports.FlushComm(handle_, kFlushReceive) != 1) return kSendFailed;
    if (ports.FlushComm(handle_, kFlushSend) != 1) return kSendFailed;
    // A frame only partly written never gets an answer: count it as not sent.
    int written = ports.WriteComm(handle_, frame.data(), static_cast<int>(frame.size()));
    return written == static_cast<int>(frame.size()) ? kOk : kSendFailed;
}

std::vector<uint8_t> PortSession::Receive(size_t count, int waitMs, int interval) {
    std::vector<uint8_t> bytes(count);
    int received = tb::link::CurrentPortLayer().ReadCommWait(handle_, waitMs, bytes.data(),
                                                             static_cast<int>(count), interval);
    // A port error counts as nothing received; never trust a count beyond the buffer.
    bytes.resize(received < 0 ? 0 : std::min(static_cast<size_t>(received), count));
    return bytes;
}

int PortSession::Exchange(const CommandShape& shape, std::span<const uint8_t> data,
                          std::vector<uint8_t>& reply) {
    if (int code = ExchangeFramed(shape, data, reply); code != kOk) return code;
    return reply.size() == shape.replyLength ? kOk : kReplyLengthWrong;
}

int PortSession::ExchangeFramed(const CommandShape& shape, std::span<const uint8_t> data,
                                std::vector<uint8_t>& reply) {
    if (int sent = Send(shape.command, shape.sub, data); sent != kOk) return sent;
    PumpingWait(kRequestSettleMs);
    reply = Receive(shape.replyLength, shape.waitMs, kReadInterval);
    return CheckReply(reply, shape.command, status35Code_);
}

int PortSession::CheckReceived(std::span<const uint8_t> received, uint8_t command,
                               size_t expectedLength) const {
    if (int code = CheckReply(received, command, status35Code_); code != kOk) return code;
    return received.size() == expectedLength ? kOk : kReplyLengthWrong;
}

}  // namespace tb::modelcom
