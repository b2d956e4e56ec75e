#include "sim/core/SimPort.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <exception>

namespace tb::sim {
namespace {
constexpr size_t kLineBuffer = 4096;  // bytes on their way in, at most
}

SimPort::SimPort(int comNumber, std::unique_ptr<Device> device, bool paced,
                 std::function<void()> wake)
    : comNumber_(comNumber),
      device_(std::move(device)),
      identity_(device_->Identity()),
      incoming_(identity_.baud, paced),
      outgoing_(identity_.baud, paced),
      wake_(std::move(wake)) {}

void SimPort::SetPaced(bool paced) {
    incoming_.SetPaced(paced);
    outgoing_.SetPaced(paced);
}

void SimPort::RefreshIdentity() {
    identity_ = device_->Identity();
    incoming_.SetBaud(identity_.baud);
    outgoing_.SetBaud(identity_.baud);
}

void SimPort::Send(std::span<const uint8_t> reply) {
    if (repliesBeforePull_ > 0 && --repliesBeforePull_ == 0) {
        pulled_ = true;
        wake_();
        return;
    }
    auto pieces = faults_.Shape(std::vector<uint8_t>(reply.begin(), reply.end()));
    auto start = SimClock::now();
    for (const auto& piece : pieces) {
        start = outgoing_.Push(piece.bytes, start + std::chrono::milliseconds(piece.pauseMs));
    }
    wake_();
}

void SimPort::SendUnfaulted(std::span<const uint8_t> bytes) {
    outgoing_.Push(bytes, SimClock::now());
    wake_();
}

void SimPort::StartTimer(int ms) {
    timer_ = SimClock::now() + std::chrono::milliseconds(std::max(0, ms));
    wake_();
}

bool SimPort::WantsWrite(SimClock::time_point now) const {
    auto due = outgoing_.NextDue();
    return due && *due <= now;
}

std::optional<SimClock::time_point> SimPort::NextEvent(SimClock::time_point now) const {
    std::optional<SimClock::time_point> next;
    auto outgoing = outgoing_.NextDue();
    if (outgoing && *outgoing <= now) outgoing.reset();
    for (auto candidate : {incoming_.NextDue(), outgoing, timer_}) {
        if (candidate && (!next || *candidate < *next)) next = candidate;
    }
    return next;
}

bool SimPort::Settled() const {
    if (pulled_) return true;  // nothing under way on a line that is gone
    int unread = 0;
    if (ioctl(pty_.MasterFd(), FIONREAD, &unread) != 0) unread = 0;
    return unread == 0 && incoming_.Empty() && outgoing_.Empty();
}

bool SimPort::WantsRead() const { return incoming_.Size() < kLineBuffer; }

// A device that throws is reported and keeps being served: one broken
// family must not take the whole bench down.
template <class F>
void SimPort::CallDevice(F call) {
    try {
        call();
    } catch (const std::exception& e) {
        lastError_ = e.what();
        std::fprintf(stderr, "COM%d %s: %s\n", comNumber_, device_->Name().c_str(), e.what());
    }
}

void SimPort::Service(SimClock::time_point now) {
    if (pulled_) return;
    ReadFromClient(now);
    DeliverDue(now);
    if (timer_ && *timer_ <= now) {
        timer_.reset();
        CallDevice([this] { device_->OnTimer(*this); });
    }
    WriteDue(SimClock::now());
}

void SimPort::ReadFromClient(SimClock::time_point now) {
    std::array<uint8_t, kLineBuffer> buffer{};
    while (WantsRead()) {
        ssize_t n = read(pty_.MasterFd(), buffer.data(), kLineBuffer - incoming_.Size());
        if (n <= 0) return;  // EAGAIN, or EIO while no client is attached
        bytesIn_ += static_cast<uint64_t>(n);
        NoteActivity(now);
        incoming_.Push(std::span(buffer.data(), static_cast<size_t>(n)), now);
    }
}

void SimPort::DeliverDue(SimClock::time_point now) {
    auto due = incoming_.PeekDue(now, SIZE_MAX);
    if (due.empty()) return;
    incoming_.Drop(due.size());
    CallDevice([&] { device_->OnReceived(due, *this); });
}

void SimPort::WriteDue(SimClock::time_point now) {
    auto due = outgoing_.PeekDue(now, 4096);
    if (due.empty()) return;
    ssize_t n = write(pty_.MasterFd(), due.data(), due.size());
    if (n > 0) {
        outgoing_.Drop(static_cast<size_t>(n));
        bytesOut_ += static_cast<uint64_t>(n);
        NoteActivity(now);
    }
}

void SimPort::NoteActivity(SimClock::time_point now) {
    if (!activity_) activity_ = Activity{now, now};
    activity_->last = now;
}

}  // namespace tb::sim
