// A client of a simulated device that talks to its pty with plain POSIX
// calls (the bench is tested without the port library).
#pragma once

#include <chrono>
#include <string>

namespace tb::sim::testing {

class PtyClient {
  public:
    explicit PtyClient(const std::string& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Write(const std::string& bytes);
    // Reads until `count` bytes are in or `wait` has passed.
    std::string Read(size_t count, std::chrono::milliseconds wait);

  private:
    int fd_ = -1;
};

}  // namespace tb::sim::testing
