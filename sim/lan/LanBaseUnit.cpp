#include "sim/lan/LanBaseUnit.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "sim/lan/LanSession.h"

namespace tb::sim::lan {
namespace {

// The longest the unit's thread sleeps without looking at its sessions.
constexpr auto kLongestNap = std::chrono::milliseconds(50);

int ListenOn(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "socket");
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        const int error = errno;
        ::close(fd);
        throw std::system_error(error, std::generic_category(), "listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

// The unit's thread: accepts connections, reads them and writes what is due.
class LanBaseUnit::Server {
  public:
    Server(LanBaseUnit& unit, uint16_t& port) : unit_(unit), listener_(ListenOn(port)) {
        if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
            ::close(listener_);
            throw std::system_error(errno, std::generic_category(), "pipe");
        }
        thread_ = std::thread([this] { Run(); });
    }

    ~Server() {
        {
            std::lock_guard lock(control_);
            stop_ = true;
        }
        Wake();
        thread_.join();
        sessions_.clear();
        if (listener_ >= 0) ::close(listener_);
        ::close(wake_[0]);
        ::close(wake_[1]);
    }

    // Returns once the thread has closed (or reopened) the port.
    void Refuse(bool refuse) {
        std::unique_lock lock(control_);
        refuse_ = refuse;
        ++requested_;
        Wake();
        changed_.wait(lock, [&] { return applied_ == requested_; });
    }

  private:
    void Wake() {
        const char byte = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wake_[1], &byte, 1);
    }

    void Run() {
        for (;;) {
            if (!ApplyControl()) return;
            std::vector<pollfd> watched = Watched();
            ::poll(watched.data(), watched.size(), NapMs());
            DrainWake();
            auto lock = unit_.LockState();
            // Only the sessions that were polled; one accepted now waits for the next round.
            const size_t polled = watched.size() - 2;
            for (size_t i = 0; i < polled; ++i) {
                const short ready = watched[i + 2].revents;
                if (ready & (POLLIN | POLLHUP | POLLERR)) sessions_[i]->OnReadable();
            }
            if (listener_ >= 0 && (watched[1].revents & POLLIN)) Accept();
            const auto now = SimClock::now();
            for (auto& session : sessions_) session->OnTime(now);
            std::erase_if(sessions_, [](const auto& session) { return session->Finished(); });
        }
    }

    // Carries out a refusal change; false when the thread is to stop.
    bool ApplyControl() {
        std::lock_guard lock(control_);
        if (stop_) return false;
        if (applied_ == requested_) return true;
        if (refuse_ && listener_ >= 0) {
            ::close(listener_);
            listener_ = -1;
        } else if (!refuse_ && listener_ < 0) {
            uint16_t port = unit_.port_;
            try {
                listener_ = ListenOn(port);
            } catch (const std::system_error&) {
                listener_ = -1;  // the port was taken meanwhile: it stays closed
            }
        }
        applied_ = requested_;
        changed_.notify_all();
        return true;
    }

    // The wake pipe, the listener (or a placeholder) and every session.
    std::vector<pollfd> Watched() const {
        std::vector<pollfd> watched{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const auto& session : sessions_) watched.push_back({session->Socket(), POLLIN, 0});
        return watched;
    }

    int NapMs() {
        auto lock = unit_.LockState();
        auto nap = std::chrono::duration_cast<std::chrono::milliseconds>(kLongestNap);
        const auto now = SimClock::now();
        for (const auto& session : sessions_) {
            if (auto due = session->NextDue()) {
                auto until = std::chrono::duration_cast<std::chrono::milliseconds>(*due - now);
                nap = std::clamp(until, std::chrono::milliseconds(0), nap);
            }
        }
        return static_cast<int>(nap.count());
    }

    void DrainWake() {
        char bytes[64];
        while (::read(wake_[0], bytes, sizeof bytes) > 0) {
        }
    }

    void Accept() {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return;
        ++unit_.accepted_;
        sessions_.push_back(std::make_unique<LanSession>(fd, unit_));
    }

    LanBaseUnit& unit_;
    int listener_;
    int wake_[2] = {-1, -1};
    std::vector<std::unique_ptr<LanSession>> sessions_;
    std::mutex control_;
    std::condition_variable changed_;
    bool stop_ = false;
    bool refuse_ = false;
    uint64_t requested_ = 0;
    uint64_t applied_ = 0;
    std::thread thread_;
};

LanBaseUnit::LanBaseUnit(std::unique_ptr<Device> unit, std::string login, uint16_t port)
    : unit_(std::move(unit)), login_(std::move(login)), port_(port) {
    server_ = std::make_unique<Server>(*this, port_);
}

LanBaseUnit::~LanBaseUnit() { server_.reset(); }

void LanBaseUnit::SetFaults(const LanFaults& faults) {
    auto lock = LockState();
    faults_ = faults;
}

LanFaults LanBaseUnit::Faults() const {
    auto lock = LockState();
    return faults_;
}

bool LanBaseUnit::TakeCloseMidFrame() {
    auto lock = LockState();
    return std::exchange(faults_.closeMidFrame, false);
}

void LanBaseUnit::RefuseConnections(bool refuse) { server_->Refuse(refuse); }

std::unique_lock<std::recursive_mutex> LanBaseUnit::LockState() const {
    return std::unique_lock(state_);
}

std::string LanBaseUnit::Dump() const {
    auto lock = LockState();
    std::ostringstream out;
    out << "lan base unit on 127.0.0.1:" << port_ << "\n"
        << "  login: " << login_ << "\n"
        << "  connections: " << accepted_.load() << ", logins accepted: " << loggedIn_.load()
        << "\n"
        << "  faults:" << (faults_.noPrompt ? " no-prompt" : "")
        << (faults_.refuseLogin ? " refuse-login" : "")
        << (faults_.closeMidFrame ? " close-mid-frame" : "");
    if (faults_.slowPeerMs > 0) out << " slow-peer=" << faults_.slowPeerMs << "ms";
    out << " " << replyFaults_.Describe() << "\n";
    std::istringstream device(unit_->DumpState());
    for (std::string line; std::getline(device, line);) out << "  " << line << "\n";
    return out.str();
}

}  // namespace tb::sim::lan
