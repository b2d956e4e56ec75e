// The cable's transfers on a line opened through the serial core: a
// pseudo-terminal whose far side the test plays, time on a virtual clock.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <string>

#include "platform/Clock.h"
#include "platform/usbserial/PacedTransfer.h"
#include "platform/usbserial/SerialLine.h"

namespace tb::usbserial {
namespace {

class PacedTransferTest : public ::testing::Test {
  protected:
    void SetUp() override {
        far_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(far_, 0);
        ASSERT_EQ(grantpt(far_), 0);
        ASSERT_EQ(unlockpt(far_), 0);
        const OpenedLine line = OpenLine(ptsname(far_), 2400, {.modemLinesOff = true});
        ASSERT_EQ(line.status, OpenStatus::Opened);
        line_ = line.fd;
    }
    void TearDown() override {
        if (line_ >= 0) CloseLine(line_);
        if (far_ >= 0) ::close(far_);
    }
    void FarSends(const std::string& bytes) {
        ASSERT_EQ(::write(far_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        WaitUntilQueued(line_, bytes.size());
    }
    // The tty layer hands bytes on in its own time (later on a loaded
    // machine); reads on virtual time must find them there.
    static void WaitUntilQueued(int fd, std::size_t count) {
        int queued = 0;
        while (::ioctl(fd, FIONREAD, &queued) == 0 && static_cast<std::size_t>(queued) < count)
            ::usleep(1000);
    }
    // Reads into a buffer of `capacity`; the bytes read and the virtual time taken.
    std::pair<std::string, uint32_t> Read(std::size_t capacity, PacedLimits limits) {
        std::string buffer(capacity, '\0');
        const uint32_t start = platform::TickMs();
        const int n =
            ReadPaced(line_, {reinterpret_cast<uint8_t*>(buffer.data()), capacity}, limits);
        EXPECT_GE(n, 0);
        buffer.resize(static_cast<std::size_t>(std::max(n, 0)));
        return {buffer, platform::ElapsedSince(start)};
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    int far_ = -1;
    int line_ = -1;
};

TEST_F(PacedTransferTest, AReadEndsWhenFullAfterTheGapOrAfterTheWholeTimeOut) {
    FarSends("V0=E2");
    auto [full, fullMs] = Read(5, {.totalMs = 500, .gapMs = 2000});
    EXPECT_EQ(full, "V0=E2");
    EXPECT_LT(fullMs, 500u);

    // Once a byte has come, silence for the gap ends the read long before the whole time-out.
    FarSends("Y");
    auto [gapped, gappedMs] = Read(8, {.totalMs = 5000, .gapMs = 20});
    EXPECT_EQ(gapped, "Y");
    EXPECT_GE(gappedMs, 20u);
    EXPECT_LT(gappedMs, 5000u);

    // Before the first byte only the whole time-out counts.
    auto [none, noneMs] = Read(8, {.totalMs = 300, .gapMs = 20});
    EXPECT_EQ(none, "");
    EXPECT_GE(noneMs, 300u);
}

TEST_F(PacedTransferTest, AWriteReachesTheFarSideAndAClosedLineIsAnError) {
    const std::string frame = "\x01Y\x03";
    EXPECT_EQ(WritePaced(line_, {reinterpret_cast<const uint8_t*>(frame.data()), frame.size()},
                         {.totalMs = 500}),
              3);
    WaitUntilQueued(far_, 3);
    std::array<char, 8> received{};
    EXPECT_EQ(::read(far_, received.data(), received.size()), 3);
    EXPECT_EQ(std::string(received.data(), 3), frame);

    CloseLine(line_);
    const int closed = line_;
    line_ = -1;
    std::array<uint8_t, 4> buffer{};
    EXPECT_EQ(ReadPaced(closed, buffer, {.totalMs = 100}), -1);
    EXPECT_EQ(WritePaced(closed, buffer, {.totalMs = 100}), -1);
}

}  // namespace
}  // namespace tb::usbserial
