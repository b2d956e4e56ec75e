#include <gtest/gtest.h>

#include <thread>

#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"
#include "sim/core/Faults.h"
#include "tests/simcore/PtyClient.h"

namespace tb::sim {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(FaultsTest, EachFaultShapesTheReplyItIsArmedFor) {
    FaultInjector faults;
    EXPECT_EQ(faults.Shape(B("abc")).size(), 1u);

    faults.Arm(Fault::Silence());
    EXPECT_TRUE(faults.Shape(B("abc")).empty());
    EXPECT_EQ(faults.Shape(B("abc"))[0].bytes, B("abc")) << "silence was for one reply";

    faults.Arm(Fault::Short(2));
    EXPECT_EQ(faults.Shape(B("abcdef"))[0].bytes, B("ab"));
    faults.Arm(Fault::Short(10));
    EXPECT_EQ(faults.Shape(B("abc"))[0].bytes, B("abc"));

    faults.Arm(Fault::Garble(-1, 0x01));
    EXPECT_EQ(faults.Shape(B("abc"))[0].bytes, B("abb"));
    faults.Arm(Fault::Garble(0));
    EXPECT_EQ(faults.Shape(B("abc"))[0].bytes, (Bytes{static_cast<uint8_t>('a' ^ 0xFF), 'b', 'c'}));
    faults.Arm(Fault::Garble(7));
    EXPECT_EQ(faults.Shape(B("abc"))[0].bytes, B("abc")) << "outside the reply: no change";

    faults.Arm(Fault::Delay(30));
    auto delayed = faults.Shape(B("abc"));
    ASSERT_EQ(delayed.size(), 1u);
    EXPECT_EQ(delayed[0].pauseMs, 30);

    faults.Arm(Fault::Split(1, 40));
    auto split = faults.Shape(B("abc"));
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].bytes, B("a"));
    EXPECT_EQ(split[1].bytes, B("bc"));
    EXPECT_EQ(split[1].pauseMs, 40);
    EXPECT_FALSE(faults.Armed());
}

TEST(FaultsTest, CountsRunDownAndPersistentFaultsStayUntilCleared) {
    FaultInjector faults;
    faults.Arm(Fault::Silence(2));
    faults.Arm(Fault::Garble(0, 0x20, -1));
    EXPECT_TRUE(faults.Shape(B("a")).empty());
    EXPECT_TRUE(faults.Shape(B("a")).empty());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(faults.Shape(B("a"))[0].bytes, B("A"));
    EXPECT_EQ(faults.Describe(), "garble (every reply)");
    faults.Clear();
    EXPECT_EQ(faults.Shape(B("a"))[0].bytes, B("a"));
    EXPECT_EQ(faults.Describe(), "none");
    faults.Arm(Fault::Silence(0));
    EXPECT_FALSE(faults.Armed()) << "a fault for no reply is not armed";
}

TEST(FaultsTest, FaultsApplyOnTheWire) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>();
    SimPort* port = bench.PortOf(echo);
    testing::PtyClient client(port->Path());

    port->Faults().Arm(Fault::Silence());
    client.Write("lost");
    EXPECT_EQ(client.Read(4, 200ms), "");
    // The silenced request is handled, however long a loaded machine kept
    // the bench's thread waiting, before the next fault is armed.
    while (!bench.Settled()) std::this_thread::sleep_for(1ms);

    port->Faults().Arm(Fault::Split(2, 150));
    auto start = std::chrono::steady_clock::now();
    client.Write("halves");
    EXPECT_EQ(client.Read(2, 2000ms), "ha");
    EXPECT_EQ(client.Read(4, 2000ms), "lves");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);

    port->Faults().Arm(Fault::Delay(120));
    start = std::chrono::steady_clock::now();
    client.Write("late");
    EXPECT_EQ(client.Read(4, 2000ms), "late");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 120ms);
}

}  // namespace
}  // namespace tb::sim
