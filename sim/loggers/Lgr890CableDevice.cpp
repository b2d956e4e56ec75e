#include "sim/loggers/Lgr890CableDevice.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/DeviceIds.h"
#include "sim/core/WireBytes.h"
#include "sim/loggers/SohPacket.h"

namespace tb::sim::loggers {
namespace {

constexpr uint8_t kWake = 0x00;
constexpr uint8_t kStart = 0x01;
constexpr uint8_t kLetterWriteByte = 'V';
constexpr uint8_t kLetterReadBlock = 'Y';
constexpr uint8_t kRefused = 0x15;
constexpr uint16_t kWritableBytes = 4;
constexpr uint16_t kFactorySlopeCode = 1000;
constexpr std::size_t kReadReplyHeader = 5;
constexpr std::size_t kReadReplySize = 71;
// A short reply stops inside the echo of the written bytes.
constexpr std::size_t kShortReplySize = 7;

}  // namespace

Lgr890CableDevice::Lgr890CableDevice() { Reset(); }

void Lgr890CableDevice::Reset() {
    adjustment_.fill(0);
    adjustment_[0] = kFactorySlopeCode & 0xFF;
    adjustment_[1] = kFactorySlopeCode >> 8;
}

DeviceIdentity Lgr890CableDevice::Identity() const {
    const auto ids = platform::LoadDeviceIds();
    return {ids.primaryVendor, ids.Product(6), 0x00, kCableBaud};
}

void Lgr890CableDevice::OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) {
    link.StartTimer(kCableSleepAfterMs);
    for (uint8_t b : bytes) {
        if (packet_.empty()) {
            if (b == kWake) {
                awake_ = true;
                events_.push_back("wake");
            } else if (b == kStart) {
                packet_.push_back(b);
            }
            continue;
        }
        packet_.push_back(b);
        if (packet_.size() == kSohPacketSize) {
            HandlePacket(link);
            packet_.clear();
        }
    }
}

void Lgr890CableDevice::HandlePacket(DeviceLink& link) {
    const auto request = ReadSohRequest(packet_);
    if (!request) {
        events_.push_back("bad packet");
        return;
    }
    if (!awake_) {
        events_.push_back(std::string("ignored ") + static_cast<char>(request->letter));
        return;
    }
    if (LoggerFaults::Take(faults_.silence)) return;
    if (request->letter == kLetterWriteByte) {
        AnswerWrite(request->word1, request->word2, link);
    } else if (request->letter == kLetterReadBlock) {
        AnswerRead(link);
    } else {
        link.Send(MakeSohAnswer(request->letter, kRefused, 0, 0));
    }
}

uint8_t Lgr890CableDevice::AnswerCode() {
    return LoggerFaults::Take(faults_.refusals) ? faults_.refusalCode : kAccept;
}

void Lgr890CableDevice::AnswerWrite(uint16_t address, uint16_t value, DeviceLink& link) {
    char event[24];
    std::snprintf(event, sizeof event, "V%u=%02X", address, value & 0xFF);
    events_.push_back(event);
    uint8_t answer = AnswerCode();
    if (address >= kWritableBytes || value > 0xFF) answer = kRefused;
    if (answer == kAccept) adjustment_[address] = static_cast<uint8_t>(value);
    link.Send(MakeSohAnswer(kLetterWriteByte, answer, address, value,
                            LoggerFaults::Take(faults_.badCheck)));
}

void Lgr890CableDevice::AnswerRead(DeviceLink& link) {
    events_.push_back("Y");
    std::array<uint8_t, kReadReplySize> reply{kStart, kLetterReadBlock, AnswerCode(), 64, 0};
    std::copy(adjustment_.begin(), adjustment_.end(), reply.begin() + kReadReplyHeader);
    if (LoggerFaults::Take(faults_.readBackDiffers)) reply[kReadReplyHeader] ^= 0x01;
    uint16_t sum = wire::ByteSum16(std::span(reply).first(kReadReplyHeader + adjustment_.size()));
    if (LoggerFaults::Take(faults_.badCheck)) sum ^= 0x5A5A;
    reply[kReadReplySize - 2] = static_cast<uint8_t>(sum & 0xFF);
    reply[kReadReplySize - 1] = static_cast<uint8_t>(sum >> 8);
    const bool cut = LoggerFaults::Take(faults_.shortData);
    link.Send(std::span(reply).first(cut ? kShortReplySize : kReadReplySize));
}

std::string Lgr890CableDevice::DumpState() const {
    char line[128];
    std::snprintf(line, sizeof line,
                  "logger: LGR-890\nawake: %s\nchannel 1: slope code %u, offset code %d\n",
                  awake_ ? "yes" : "no", adjustment_[0] | (adjustment_[1] << 8),
                  static_cast<int16_t>(adjustment_[2] | (adjustment_[3] << 8)));
    return std::string(line) + "faults: " + faults_.Describe() + "\n";
}

}  // namespace tb::sim::loggers
