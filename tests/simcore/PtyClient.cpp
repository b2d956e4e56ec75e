#include "tests/simcore/PtyClient.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>

#include "tests/support/RawTerminal.h"

namespace tb::sim::testing {

PtyClient::PtyClient(const std::string& path) : fd_(testsupport::OpenRawTerminal(path)) {}

PtyClient::~PtyClient() {
    if (fd_ >= 0) close(fd_);
}

void PtyClient::Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else {
            pollfd entry{fd_, POLLOUT, 0};
            poll(&entry, 1, 100);
        }
    }
}

std::string PtyClient::Read(size_t count, std::chrono::milliseconds wait) {
    auto deadline = std::chrono::steady_clock::now() + wait;
    std::string got;
    char buffer[512];
    while (got.size() < count) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd entry{fd_, POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(left.count())) <= 0) continue;
        ssize_t n = read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n > 0) got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

}  // namespace tb::sim::testing
