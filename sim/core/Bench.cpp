#include "sim/core/Bench.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace tb::sim {
namespace {

// ", line active 1.204 s to 3.877 s" after the bench started.
std::string ActivityText(const std::optional<SimPort::Activity>& activity,
                         SimClock::time_point start) {
    if (!activity) return {};
    auto seconds = [&](SimClock::time_point at) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f s",
                      std::chrono::duration<double>(at - start).count());
        return std::string(text);
    };
    return ", line active " + seconds(activity->first) + " to " + seconds(activity->last);
}

constexpr int kLowestCom = 1;
constexpr int kHighestCom = 256;

timespec Until(SimClock::time_point when, SimClock::time_point now) {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(when - now).count();
    if (ns < 0) ns = 0;
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

std::string Hex4(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

std::string Indent(const std::string& lines) {
    std::string out;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        out += "    " + lines.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return out;
}

}  // namespace

Bench::Bench(BenchOptions options) : options_(options) {
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) throw std::system_error(errno, std::system_category(), "eventfd");
    thread_ = std::thread([this] { Run(); });
}

Bench::~Bench() {
    running_ = false;
    Wake();
    thread_.join();
    close(wakeFd_);
}

int Bench::Add(std::unique_ptr<Device> device, int comNumber) {
    auto lock = LockState();
    if (comNumber == 0) comNumber = FreeNumber();
    if (comNumber < kLowestCom || comNumber > kHighestCom || Port(comNumber) != nullptr ||
        unplugged_.count(comNumber) != 0)
        throw std::invalid_argument("COM number " + std::to_string(comNumber) + " not available");
    InsertPort(std::make_unique<SimPort>(comNumber, std::move(device), options_.pacing,
                                         [this] { Wake(); }));
    return comNumber;
}

void Bench::InsertPort(std::unique_ptr<SimPort> port) {
    ports_.push_back(std::move(port));
    std::sort(ports_.begin(), ports_.end(),
              [](const auto& a, const auto& b) { return a->ComNumber() < b->ComNumber(); });
    RewriteMap();
    Wake();
}

bool Bench::Unplug(int comNumber) {
    auto lock = LockState();
    auto it = std::find_if(ports_.begin(), ports_.end(),
                           [comNumber](const auto& p) { return p->ComNumber() == comNumber; });
    if (it == ports_.end()) return false;
    unplugged_[comNumber] = (*it)->TakeDevice();
    ports_.erase(it);  // closes the pty
    RewriteMap();
    Wake();
    return true;
}

bool Bench::Replug(int comNumber) {
    auto lock = LockState();
    auto it = unplugged_.find(comNumber);
    if (it == unplugged_.end()) return false;
    auto port = std::make_unique<SimPort>(comNumber, std::move(it->second), options_.pacing,
                                          [this] { Wake(); });
    unplugged_.erase(it);
    InsertPort(std::move(port));
    return true;
}

bool Bench::UnplugOnNextReply(int comNumber) {
    auto lock = LockState();
    SimPort* port = Port(comNumber);
    if (port == nullptr) return false;
    port->PullOnNextReply();
    return true;
}

std::vector<int> Bench::UnpluggedComNumbers() const {
    auto lock = LockState();
    std::vector<int> numbers;
    for (const auto& [number, device] : unplugged_) numbers.push_back(number);
    return numbers;
}

// Runs on the service thread, after the ports' work, so that no port is
// removed while it is being served.
void Bench::RemovePulledPorts() {
    for (;;) {
        auto it =
            std::find_if(ports_.begin(), ports_.end(), [](const auto& p) { return p->Pulled(); });
        if (it == ports_.end()) return;
        Unplug((*it)->ComNumber());
    }
}

int Bench::FreeNumber() const {
    for (int n = std::max(kLowestCom, options_.firstComNumber); n <= kHighestCom; ++n) {
        bool used = std::any_of(ports_.begin(), ports_.end(),
                                [n](const auto& p) { return p->ComNumber() == n; }) ||
                    unplugged_.count(n) != 0;
        if (!used) return n;
    }
    return 0;
}

SimPort* Bench::Port(int comNumber) {
    auto lock = LockState();
    for (auto& port : ports_) {
        if (port->ComNumber() == comNumber) return port.get();
    }
    return nullptr;
}

SimPort* Bench::PortOf(const Device& device) {
    auto lock = LockState();
    for (auto& port : ports_) {
        if (&port->GetDevice() == &device) return port.get();
    }
    return nullptr;
}

int Bench::ComNumberOf(const Device& device) {
    SimPort* port = PortOf(device);
    return port != nullptr ? port->ComNumber() : 0;
}

std::vector<int> Bench::ComNumbers() const {
    auto lock = LockState();
    std::vector<int> numbers;
    for (const auto& port : ports_) numbers.push_back(port->ComNumber());
    return numbers;
}

std::vector<Device*> Bench::Devices() {
    auto lock = LockState();
    std::vector<Device*> devices;
    for (auto& port : ports_) devices.push_back(&port->GetDevice());
    return devices;
}

size_t Bench::DeviceCount() const {
    auto lock = LockState();
    return ports_.size();
}

void Bench::WriteDeviceMap(const std::string& path) {
    auto lock = LockState();
    map_.MoveTo(path);
    RewriteMap();
}

std::string Bench::UseTemporaryDeviceMap() {
    auto lock = LockState();
    WriteDeviceMap(map_.TemporaryPath());
    map_.PointPortLibraryHere();
    return map_.Path();
}

void Bench::RewriteMap() {
    if (map_.Path().empty()) return;
    std::vector<DeviceMapLine> lines;
    for (const auto& port : ports_) {
        DeviceIdentity id = port->Identity();
        lines.push_back({port->ComNumber(), port->Path(), id.vendor, id.product, id.latch});
    }
    map_.Write(lines);
}

void Bench::RefreshIdentities() {
    auto lock = LockState();
    for (auto& port : ports_) port->RefreshIdentity();
    RewriteMap();
}

void Bench::SetPacing(bool on) {
    auto lock = LockState();
    options_.pacing = on;
    for (auto& port : ports_) port->SetPaced(on);
}

std::unique_lock<std::recursive_mutex> Bench::LockState() const { return std::unique_lock(state_); }

bool Bench::Settled() const {
    auto lock = LockState();
    return std::all_of(ports_.begin(), ports_.end(),
                       [](const std::unique_ptr<SimPort>& port) { return port->Settled(); });
}

void Bench::WaitUntilIdle() const {
    for (;;) {
        {
            auto lock = LockState();
            // Reading the lines here, rather than trusting their counts of
            // unread bytes, sees every byte a client wrote before the call.
            for (const auto& port : ports_) port->TakeInput();
            const bool settled =
                std::all_of(ports_.begin(), ports_.end(),
                            [](const std::unique_ptr<SimPort>& port) { return port->Settled(); });
            if (settled || !running_) return;
        }
        // Work under way: let the service thread do it. Bytes due later wake
        // it by themselves; a look every millisecond is enough meanwhile.
        std::unique_lock lock(passMutex_);
        const uint64_t seen = passes_;
        Wake();
        passDone_.wait_for(lock, std::chrono::milliseconds(1),
                           [&] { return passes_ > seen || !running_; });
    }
}

std::string Bench::Dump() const {
    auto lock = LockState();
    std::string text;
    for (const auto& port : ports_) {
        DeviceIdentity id = port->Identity();
        char latch[8];
        std::snprintf(latch, sizeof latch, "0x%02x", id.latch);
        text += "COM" + std::to_string(port->ComNumber()) + " " + port->Path() + " " +
                Hex4(id.vendor) + "-" + Hex4(id.product) + " latch " + latch + " " +
                std::to_string(id.baud) + " baud: " + port->GetDevice().Name() + "\n";
        text += "    faults: " + port->Faults().Describe() +
                (port->Busy() ? ", port kept busy" : "") +
                (port->PullArmed() ? ", pulled out at its next reply" : "") + "\n";
        text += "    bytes in: " + std::to_string(port->BytesIn()) +
                ", out: " + std::to_string(port->BytesOut()) +
                ActivityText(port->LineActivity(), started_) + "\n";
        if (!port->LastError().empty()) text += "    device error: " + port->LastError() + "\n";
        text += Indent(port->GetDevice().DumpState());
    }
    for (const auto& [number, device] : unplugged_) {
        text += "COM" + std::to_string(number) + " unplugged: " + device->Name() + "\n";
        text += Indent(device->DumpState());
    }
    return text;
}

void Bench::Wake() const {
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
}

void Bench::Run() {
    std::vector<pollfd> fds;
    while (running_) {
        fds.assign(1, pollfd{wakeFd_, POLLIN, 0});
        std::optional<SimClock::time_point> next;
        {
            auto lock = LockState();
            auto now = SimClock::now();
            for (const auto& port : ports_) {
                short events = port->WantsRead() ? POLLIN : 0;
                if (port->WantsWrite(now)) events |= POLLOUT;
                fds.push_back({port->PollFd(), events, 0});
                auto event = port->NextEvent(now);
                if (event && (!next || *event < *next)) next = event;
            }
        }
        timespec timeout{};
        if (next) timeout = Until(*next, SimClock::now());
        ppoll(fds.data(), fds.size(), next ? &timeout : nullptr, nullptr);
        if (fds[0].revents & POLLIN) {
            uint64_t count;
            [[maybe_unused]] ssize_t n = read(wakeFd_, &count, sizeof count);
        }
        auto lock = LockState();
        auto now = SimClock::now();
        for (auto& port : ports_) port->Service(now);
        RemovePulledPorts();
        lock.unlock();
        {
            std::lock_guard passLock(passMutex_);
            ++passes_;
        }
        passDone_.notify_all();
    }
    std::lock_guard passLock(passMutex_);
    passDone_.notify_all();
}

}  // namespace tb::sim
