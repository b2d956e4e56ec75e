#include "sim/lan/LanSession.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "sim/lan/LanBaseUnit.h"

namespace tb::sim::lan {
namespace {

constexpr size_t kReadChunk = 4096;

}  // namespace

LanSession::LanSession(int socket, LanBaseUnit& unit)
    : socket_(socket), unit_(unit), lastDue_(SimClock::now()) {
    if (!unit_.Faults().noPrompt) QueueText(kPrompt);
}

LanSession::~LanSession() { ::close(socket_); }

void LanSession::OnReadable() {
    uint8_t buffer[kReadChunk];
    const ssize_t got = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got > 0) {
        OnBytes({buffer, static_cast<size_t>(got)});
    } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        finished_ = true;  // the client hung up
    }
}

void LanSession::OnBytes(std::span<const uint8_t> bytes) {
    if (phase_ == Phase::Login) {
        const size_t used = login_.Add(bytes);
        bytes = bytes.subspan(used);
        if (login_.state() != LoginLine::State::Collecting) OnLoginLine();
    }
    if (phase_ == Phase::Serving && !bytes.empty()) unit_.Unit().OnReceived(bytes, *this);
    // After a refusal the unit takes nothing more.
}

void LanSession::OnLoginLine() {
    const bool accepted = login_.state() == LoginLine::State::Complete &&
                          login_.text() == unit_.Login() && !unit_.Faults().refuseLogin;
    if (accepted) {
        phase_ = Phase::Serving;
        ++unit_.loggedIn_;
        QueueText(kAccepted);
    } else {
        phase_ = Phase::Refused;
        QueueText(kRefused);
    }
}

void LanSession::Queue(std::span<const uint8_t> bytes, int pauseMs, bool hangUpAfter) {
    const auto now = SimClock::now();
    const auto slow = std::chrono::milliseconds(unit_.Faults().slowPeerMs + pauseMs);
    lastDue_ = std::max(lastDue_, now) + slow;
    output_.push_back({lastDue_, {bytes.begin(), bytes.end()}, hangUpAfter});
}

void LanSession::QueueText(const char* text) {
    Queue({reinterpret_cast<const uint8_t*>(text), std::strlen(text)}, 0);
}

void LanSession::Send(std::span<const uint8_t> reply) {
    if (unit_.TakeCloseMidFrame()) {
        Queue(reply.first(reply.size() / 2), 0, /*hangUpAfter=*/true);
        return;
    }
    for (const ReplyPiece& piece : unit_.ReplyFaults().Shape({reply.begin(), reply.end()}))
        Queue(piece.bytes, piece.pauseMs);
}

void LanSession::SendUnfaulted(std::span<const uint8_t> bytes) { Queue(bytes, 0); }

void LanSession::StartTimer(int ms) { timer_ = SimClock::now() + std::chrono::milliseconds(ms); }

void LanSession::StopTimer() { timer_.reset(); }

FaultInjector& LanSession::Faults() { return unit_.ReplyFaults(); }

std::optional<SimClock::time_point> LanSession::NextDue() const {
    std::optional<SimClock::time_point> next = timer_;
    if (!output_.empty() && (!next || output_.front().due < *next)) next = output_.front().due;
    return next;
}

void LanSession::OnTime(SimClock::time_point now) {
    if (timer_ && *timer_ <= now) {
        timer_.reset();
        unit_.Unit().OnTimer(*this);
    }
    WriteDue(now);
}

void LanSession::WriteDue(SimClock::time_point now) {
    while (!finished_ && !output_.empty() && output_.front().due <= now) {
        Output& next = output_.front();
        const ssize_t sent =
            ::send(socket_, next.bytes.data(), next.bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK) finished_ = true;
            return;  // the client reads slowly: try again on the next round
        }
        next.bytes.erase(next.bytes.begin(), next.bytes.begin() + sent);
        if (!next.bytes.empty()) return;
        const bool hangUp = next.hangUpAfter;
        output_.pop_front();
        if (hangUp) finished_ = true;
    }
}

}  // namespace tb::sim::lan
