// Shared pieces of the socket library's tests: a loopback listener, a notify
// window that records connect results, and pumping with an end.
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/MessageWindow.h"
#include "platform/Pump.h"
#include "tcp/ConnectionState.h"
#include "tcp/VkTcpCom800.h"

namespace tb::tcp::testing {

inline constexpr uint32_t kNotifyMessage = 0x590;

class LoopbackListener {
  public:
    LoopbackListener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 4);
        socklen_t size = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackListener() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Accept() { return ::accept(fd_, nullptr, nullptr); }
    void Close() {
        ::close(fd_);
        fd_ = -1;
    }
    int port() const { return port_; }

  private:
    int fd_ = -1;
    int port_ = 0;
};

// The test thread pumps its message queue like a worker thread does.
class TcpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        notify_ = platform::CreateMessageWindow(
            [this](platform::WindowHandle, uint32_t m, uintptr_t w, intptr_t) {
                if (m == kNotifyMessage) results_.push_back(static_cast<intptr_t>(w));
                return intptr_t{0};
            });
        VkTcpCom_SetHWND(notify_, kNotifyMessage);
    }
    void TearDown() override {
        VkTcpCom_DisConnect();
        platform::DestroyMessageWindow(notify_);
    }

    bool PumpUntil(const std::function<bool()>& done, int limitMs = 2000) {
        for (int i = 0; i < limitMs && !done(); ++i) {
            platform::PumpThreadMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    static bool Logged(const std::string& text) {
        for (const std::string& line : ThisThreadConnection().statusLines)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }
    static size_t CountLogged(const std::string& text) {
        size_t n = 0;
        for (const std::string& line : ThisThreadConnection().statusLines)
            n += line.find(text) != std::string::npos;
        return n;
    }

    platform::ScopedPumpHook pump_{platform::MessageQueuePumpHook()};
    platform::WindowHandle notify_ = nullptr;
    std::vector<intptr_t> results_;
};

}  // namespace tb::tcp::testing
