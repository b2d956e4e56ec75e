#include <gtest/gtest.h>

#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"
#include "sim/core/PacedQueue.h"
#include "tests/simcore/PtyClient.h"

namespace tb::sim {
namespace {

using namespace std::chrono_literals;

TEST(PacingTest, BytesBecomeDueOneByteTimeApartAfterTheLineIsFree) {
    PacedQueue queue(9600, true);
    EXPECT_EQ(queue.ByteTime(), std::chrono::nanoseconds(1'041'666));
    auto t0 = SimClock::now();
    const uint8_t bytes[] = {1, 2, 3};
    auto end = queue.Push(bytes, t0);
    EXPECT_EQ(end - t0, 3 * queue.ByteTime());
    EXPECT_EQ(queue.PeekDue(t0, 10).size(), 0u);
    EXPECT_EQ(queue.PeekDue(t0 + queue.ByteTime(), 10), (std::vector<uint8_t>{1}));
    // A second push queues behind the first even when asked for earlier.
    auto end2 = queue.Push(bytes, t0);
    EXPECT_EQ(end2 - end, 3 * queue.ByteTime());
    EXPECT_EQ(queue.PeekDue(end2, 4).size(), 4u);
    queue.Drop(4);
    EXPECT_EQ(*queue.NextDue(), end2 - queue.ByteTime());

    PacedQueue unpaced(9600, false);
    unpaced.Push(bytes, t0);
    EXPECT_EQ(unpaced.PeekDue(t0, 10).size(), 3u);
}

TEST(PacingTest, EchoAtTheLineRateTakesAtLeastTheWireTime) {
    Bench bench;
    auto& echo = bench.Emplace<EchoDevice>(DeviceIdentity{0xffff, 1, 0, 9600});
    testing::PtyClient client(bench.PortOf(echo)->Path());
    const std::string payload(100, 'p');
    auto start = std::chrono::steady_clock::now();
    client.Write(payload);
    EXPECT_EQ(client.Read(payload.size(), 5000ms), payload);
    // 100 bytes in and out at 9600 baud: the last byte comes back no sooner
    // than 101 byte times (about 105 ms) after the first left.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 101 * 1'041'666ns);
}

}  // namespace
}  // namespace tb::sim
