#include "link/lan/WorkerSteps.h"

#include <algorithm>
#include <cstring>

#include "link/FrameReception.h"
#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "link/lan/LanMessages.h"
#include "link/lan/LoginDialogue.h"
#include "platform/Clock.h"
#include "tcp/VkTcpCom800.h"

namespace tb::link::lan {
namespace {

constexpr uint32_t kPollPauseMs = 1;
// The socket library takes a send's length as 16 bits.
constexpr int kLargestSingleSend = 0xFFFF;

// The connect state's outcome, once the connect event and login have set it.
std::optional<int> ConnectOutcome(int32_t connectState) {
    switch (connectState) {
        case kRequestDone:
            return kStepSucceeded;
        case kConnectLoginFailed:
            return kLanLoginFailed;
        case kConnectLoginRefused:
            return kLanLoginRefused;
        case kConnectRefused:
            return kLanConnectFailed;
        default:
            return std::nullopt;
    }
}

// Reads the unit's prompt or answer until its first bytes decide; 0 when it
// begins with `expected`, `differs` when not, -28 after kLoginReplyTimeoutMs.
int AwaitReply(LinkLibrary& link, std::string_view expected, int differs) {
    ReplyReader reader(expected);
    const uint32_t start = platform::TickMs();
    for (;;) {
        link.PumpAndSleep(kPollPauseMs);
        std::span<uint8_t> space = reader.Space();
        const int got = VkTcpCom_Recv(space.data(), static_cast<int>(space.size()));
        if (got > 0) {
            switch (reader.Add(static_cast<size_t>(got))) {
                case ReplyMatch::Matches:
                    return 0;
                case ReplyMatch::Differs:
                    return differs;
                case ReplyMatch::NeedMore:
                    break;
            }
        }
        if (platform::ElapsedSince(start) >= kLoginReplyTimeoutMs) return kTimeout;
    }
}

}  // namespace

int ConnectStep(LinkLibrary& link, MngEntry& entry, platform::WindowHandle dialog) {
    VkTcpCom_SetHWND(dialog, kConnectEvent);
    if (VkTcpCom_Connect(entry.host, entry.tcpPort) < 0) {
        // The socket library keeps its dialog after a failed start; without
        // this the thread could never connect again.
        VkTcpCom_DisConnect();
        return kLanConnectFailed;
    }
    const std::time_t start = platform::NowSeconds();
    for (;;) {
        link.PumpAndSleep(kPollPauseMs);
        if (auto outcome = ConnectOutcome(LoadShared(entry.connectState))) {
            if (*outcome != kStepSucceeded) VkTcpCom_DisConnect();
            return *outcome;
        }
        if (platform::NowSeconds() - start >= kConnectTimeoutSec) {
            VkTcpCom_DisConnect();
            return kLanConnectFailed;
        }
    }
}

int LoginStep(LinkLibrary& link, const MngEntry& entry) {
    if (int prompt = AwaitReply(link, kLoginPrompt, kBadFrameStart); prompt != 0) return prompt;
    platform::SleepMs(kLoginSendPauseMs);
    const int length = static_cast<int>(strnlen(entry.login, sizeof entry.login));
    if (VkTcpCom_Send(reinterpret_cast<const uint8_t*>(entry.login), length) < length)
        return kSendFailed;
    return AwaitReply(link, kLoginAccepted, kLanLoginRefused);
}

int SendStep(LinkLibrary& link, MngEntry& entry) {
    const uint32_t start = platform::TickMs();
    for (;;) {
        if (entry.sendLength <= 0) return kStepSucceeded;
        link.PumpAndSleep(kPollPauseMs);
        const int chunk = std::min(entry.sendLength, kLargestSingleSend);
        const int sent = VkTcpCom_Send(entry.sendData, chunk);
        if (sent < 0) {
            link.Log("<!>VkTcpCom_Send Err(%08x)", entry.key);
            return kStepFailed;
        }
        const int rest = entry.sendLength - std::min(sent, entry.sendLength);
        if (rest == 0) return kStepSucceeded;
        std::memmove(entry.sendData, entry.sendData + sent, static_cast<size_t>(rest));
        entry.sendLength = rest;
        if (platform::ElapsedSince(start) >= kSendTimeoutMs) {
            link.Log("<!>LAN Send TimeOut(%08x)", entry.key);
            return kStepFailed;
        }
    }
}

void ReceiveStep(LinkLibrary& link, MngEntry& entry) {
    ReceptionPort port{
        [](uint8_t* buffer, int count) { return VkTcpCom_Recv(buffer, count); },
        [&link](uint32_t ms) { link.PumpAndSleep(ms); },
    };
    if (Sb_Data_Recv(entry, port, link.Diag()) < 0) entry.ReleaseBuffers();
}

}  // namespace tb::link::lan
