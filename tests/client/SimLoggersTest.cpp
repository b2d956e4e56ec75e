// The simulated loggers on their own: what they hold and how they answer.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/SimulatedLogger.h"
#include "sim/loggers/TextCommand.h"

namespace tb::sim::loggers {
namespace {

class CapturingLink : public DeviceLink {
  public:
    void Send(std::span<const uint8_t> reply) override {
        sent.emplace_back(reply.begin(), reply.end());
    }
    void SendUnfaulted(std::span<const uint8_t> bytes) override { Send(bytes); }
    void StartTimer(int ms) override { timerMs = ms; }
    void StopTimer() override { timerMs = -1; }
    FaultInjector& Faults() override { return faults; }
    int ComNumber() const override { return 9; }

    std::vector<std::vector<uint8_t>> sent;
    int timerMs = -1;
    FaultInjector faults;
};

std::vector<uint8_t> Packet(uint8_t letter, uint16_t a, uint16_t b) {
    std::vector<uint8_t> p{0x01,
                           letter,
                           0,
                           4,
                           0,
                           static_cast<uint8_t>(a),
                           static_cast<uint8_t>(a >> 8),
                           static_cast<uint8_t>(b),
                           static_cast<uint8_t>(b >> 8)};
    unsigned sum = 0;
    for (uint8_t x : p) sum += x;
    p.push_back(static_cast<uint8_t>(sum));
    p.push_back(static_cast<uint8_t>(sum >> 8));
    return p;
}

TEST(Lgr890Cable, SleepsUntilWokenAndAgainAfterIdleTime) {
    Lgr890CableDevice cable;
    CapturingLink link;
    cable.OnReceived(Packet('Y', 0, 0), link);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(cable.Events(), std::vector<std::string>{"ignored Y"});

    const std::vector<uint8_t> wake{0x00};
    cable.OnReceived(wake, link);
    // A packet that arrives in pieces is still one packet.
    const auto y = Packet('Y', 0, 0);
    cable.OnReceived(std::span(y).first(4), link);
    cable.OnReceived(std::span(y).subspan(4), link);
    ASSERT_EQ(link.sent.size(), 1u);
    ASSERT_EQ(link.sent[0].size(), 71u);
    EXPECT_EQ(link.sent[0][2], 0x06);
    EXPECT_EQ(link.sent[0][5] | (link.sent[0][6] << 8), 1000);
    EXPECT_EQ(link.timerMs, kCableSleepAfterMs);

    cable.OnTimer(link);
    EXPECT_FALSE(cable.Awake());
}

TEST(Lgr890Cable, AnIdleSecondDropsAHalfReceivedPacket) {
    Lgr890CableDevice cable;
    CapturingLink link;
    // Traffic meant for another device that happens to hold a start byte.
    const std::vector<uint8_t> stray{0x54, 0x32, 0x01, 0x00, 0x07};
    std::vector<uint8_t> request{0x00};
    const auto y = Packet('Y', 0, 0);
    request.insert(request.end(), y.begin(), y.end());

    // Either the sleep after an idle second or a pause inside the packet
    // ends it; the wake byte that follows is a wake byte again.
    cable.OnReceived(stray, link);
    cable.OnTimer(link);
    cable.OnReceived(request, link);
    cable.OnReceived(stray, link);
    std::this_thread::sleep_for(kCablePacketGap + std::chrono::milliseconds(50));
    cable.OnReceived(request, link);
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[0].size(), 71u);
    EXPECT_EQ(link.sent[1].size(), 71u);
    EXPECT_EQ(cable.Events().back(), "Y");
}

TEST(Lgr890Cable, WritesOnlyTheFourAdjustmentBytes) {
    Lgr890CableDevice cable;
    CapturingLink link;
    const std::vector<uint8_t> wake{0x00};
    cable.OnReceived(wake, link);
    cable.OnReceived(Packet('V', 2, 0x9C), link);
    cable.OnReceived(Packet('V', 4, 0x11), link);
    auto badCheck = Packet('V', 0, 0x55);
    badCheck[10] ^= 1;
    cable.OnReceived(badCheck, link);
    EXPECT_EQ(cable.Adjustment()[2], 0x9C);
    EXPECT_EQ(cable.Adjustment()[4], 0x00);
    EXPECT_EQ(cable.Adjustment()[0], 0xE8);
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[0][2], 0x06);
    EXPECT_EQ(link.sent[1][2], 0x15);
    EXPECT_EQ(cable.Events().back(), "bad packet");
}

std::vector<uint8_t> Body(const std::string& word, const std::string& key,
                          std::vector<uint8_t> value) {
    TextReply text(word);
    text.Field(key, value);
    return text.Take();
}

TEST(SimulatedLogger, AnswersWithStatusAndData) {
    SimulatedLogger logger(*ModelForDeviceCode(0x55));
    const auto reply = logger.Answer(Body("EISET", "ACT", {'1'}));
    ASSERT_TRUE(reply);
    const auto parsed = ReadTextCommand(*reply);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->word, "EISET");
    ASSERT_TRUE(parsed->Field("STATUS"));
    ASSERT_TRUE(parsed->Field("DATA"));
    EXPECT_EQ(parsed->Field("DATA")->at(62), 0x55);
    // Two channels at the factory state.
    EXPECT_EQ(logger.Adjustment()[4] | (logger.Adjustment()[5] << 8), 1000);
}

TEST(SimulatedLogger, RefusesAWriteOfTheWrongSize) {
    SimulatedLogger logger(*ModelForDeviceCode(0x40));
    TextReply text("EIADJ");
    text.Field("ACT", std::vector<uint8_t>{'0'});
    text.Field("DATA", std::vector<uint8_t>(63, 0x77));
    ASSERT_TRUE(logger.Answer(text.Take()));
    EXPECT_EQ(logger.AdjustmentWrites(), 0);
    EXPECT_EQ(logger.Adjustment()[0], 0xE8);
}

TEST(SimulatedLogger, DumpShowsWhatItHolds) {
    SimulatedLogger logger(*ModelForDeviceCode(0xA4, true));
    logger.Faults().refusals = 2;
    const auto dump = logger.DumpState();
    EXPECT_NE(dump.find("device code: 0xA4"), std::string::npos);
    EXPECT_NE(dump.find("input flags: 0x08"), std::string::npos);
    EXPECT_NE(dump.find("pass-through: slope code 1000, offset code 0"), std::string::npos);
    EXPECT_NE(dump.find("refusal 0x15 x2"), std::string::npos);
}

TEST(LoggerModels, NamesAndCodes) {
    EXPECT_EQ(ModelForName("835")->deviceCode, 0x55);
    EXPECT_TRUE(ModelForName("850-noise")->hasPassThrough);
    EXPECT_EQ(ModelForName("0x5D")->deviceCode, 0x5D);
    EXPECT_FALSE(ModelForName("0x99"));
    EXPECT_FALSE(ModelForName("0x5D1"));
    EXPECT_FALSE(ModelForName("999"));
}

}  // namespace
}  // namespace tb::sim::loggers
