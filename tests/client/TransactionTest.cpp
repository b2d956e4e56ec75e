// Transactions and the link-path operations on the fake link.
#include <array>

#include "client/CommandExchange.h"
#include "client/CorrectionOperations.h"
#include "client/LinkBlockOperations.h"
#include "client/ResultCodes.h"
#include "tests/client/ClientFixture.h"

namespace tb::client {
namespace {

constexpr uint32_t kKey = 0x1234ABCD;

class Transactions : public test::ClientFixture {
  protected:
    sim::loggers::SimulatedLogger& logger_ = link_.AddUnit(kKey, Product(1), 0, Model(0x40));

    void ExpectLinkClosed() {
        EXPECT_EQ(link_.OpenLinks(), 0);
        ASSERT_FALSE(link_.calls.empty());
        EXPECT_EQ(link_.calls.back(), "close " + std::to_string(kKey));
    }
};

TEST_F(Transactions, ReadRunsTheStepsInOrder) {
    CommandExchange exchange(64);
    EXPECT_EQ(AdjustRead(kKey, exchange), kResultOk);
    const std::string key = std::to_string(kKey);
    EXPECT_EQ(link_.calls,
              (std::vector<std::string>{"open " + key, "clear " + key + " 1", "clear " + key + " 0",
                                        "send " + key, "receive " + key, "close " + key}));
    EXPECT_EQ(exchange.block[0], 0xE8);  // factory slope code 1000
    EXPECT_EQ(exchange.block[1], 0x03);
}

TEST_F(Transactions, EveryFailureGivesItsCodeAndClosesTheLink) {
    struct Case {
        const char* what;
        std::function<void()> arm;
        int code;
    };
    const std::vector<Case> cases{
        {"open", [&] { link_.failOpens = 1; }, kResultOpenFailed},
        {"send", [&] { link_.failSends = 1; }, kResultSendFailed},
        {"receive", [&] { link_.failReceives = 1; }, kResultReceiveFailed},
        {"silence", [&] { logger_.Faults().silence = 1; }, kResultReceiveFailed},
        {"garbage", [&] { link_.rawReply = std::vector<uint8_t>{'X', '2', 0, 0, 0, 0}; },
         kResultBadFrame},
        {"wrong word", [&] { logger_.Faults().wrongWord = 1; }, kResultWrongWord},
        {"no STATUS", [&] { logger_.Faults().missingStatus = 1; }, kResultNoStatus},
        {"no DATA", [&] { logger_.Faults().missingData = 1; }, kResultNoData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        link_.calls.clear();
        c.arm();
        CommandExchange exchange(64);
        EXPECT_EQ(AdjustRead(kKey, exchange), c.code);
        ExpectLinkClosed();
    }
}

TEST_F(Transactions, ShortDataIsRefusedNotZeroFilled) {
    logger_.Faults().shortData = 1;
    CommandExchange exchange(64);
    EXPECT_EQ(SettingsRead(kKey, exchange), kResultNoData);
    EXPECT_EQ(exchange.block, std::vector<uint8_t>(64, 0));

    logger_.Faults().shortData = 1;
    std::array<double, 1> slopes{7.0}, offsets{7.0};
    EXPECT_FALSE(ReadCorrection(0, slopes, offsets, 1000, 1000));
    EXPECT_EQ(slopes[0], 7.0);
    EXPECT_EQ(offsets[0], 7.0);
    EXPECT_EQ(Messages(), std::vector<std::string>{Text(1048)});
}

TEST_F(Transactions, WriteWithVerification) {
    const std::array<double, 1> slopes{1.002}, offsets{-0.35};
    EXPECT_TRUE(SendCorrection(0, slopes, offsets, 1000, 1000, 0));
    EXPECT_EQ(logger_.Adjustment()[0] | (logger_.Adjustment()[1] << 8), 1002);
    EXPECT_EQ(static_cast<int16_t>(logger_.Adjustment()[2] | (logger_.Adjustment()[3] << 8)), -350);
    EXPECT_EQ(logger_.AdjustmentReads(), 1);
    EXPECT_EQ(clock_.TotalSleptMs(), 200u);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(boxes_.Last().text, Text(1050));
    EXPECT_EQ(boxes_.Last().icon, services::MsgIcon::Information);
    EXPECT_EQ(link_.OpenLinks(), 0);
}

TEST_F(Transactions, ReadBackThatDiffersFourTimesFails) {
    logger_.Faults().readBackDiffers = 4;
    const std::array<double, 1> slopes{1.1}, offsets{0.5};
    EXPECT_FALSE(SendCorrection(0, slopes, offsets, 1000, 1000, 2));
    EXPECT_EQ(logger_.AdjustmentReads(), 4);
    EXPECT_EQ(clock_.TotalSleptMs(), 4u * 3000u);
    EXPECT_EQ(boxes_.Last().text, Text(1048));
    EXPECT_EQ(boxes_.Last().icon, services::MsgIcon::Warning);
    EXPECT_EQ(link_.OpenLinks(), 0);
}

TEST_F(Transactions, ReadBackThatMatchesOnTheFourthTrySucceeds) {
    logger_.Faults().readBackDiffers = 3;
    std::array<uint8_t, 64> block{};
    block[0] = 0x10;
    EXPECT_TRUE(WriteBlockVerified(block, 200));
    EXPECT_EQ(logger_.AdjustmentReads(), 4);
}

TEST_F(Transactions, NegativeWaitSkipsTheReadBack) {
    std::array<uint8_t, 64> block{};
    block[0] = 0x10;
    EXPECT_TRUE(WriteBlockVerified(block, -1));
    EXPECT_EQ(logger_.AdjustmentWrites(), 1);
    EXPECT_EQ(logger_.AdjustmentReads(), 0);
    EXPECT_EQ(clock_.TotalSleptMs(), 0u);
}

TEST_F(Transactions, ModesDecideChannelsAndUnknownModesWriteNothing) {
    const std::array<double, 2> slopes{1.5, 0.5}, offsets{1.0, -2.0};
    EXPECT_TRUE(SendCorrection(0, slopes, offsets, 1000, 1000, 0));
    EXPECT_EQ(logger_.Adjustment()[4], 0);  // one channel only
    EXPECT_TRUE(SendCorrection(1, slopes, offsets, 1000, 1000, 1));
    EXPECT_EQ(logger_.Adjustment()[4] | (logger_.Adjustment()[5] << 8), 500);
    for (int mode : {-1, 6, 100}) {
        EXPECT_FALSE(SendCorrection(0, slopes, offsets, 1000, 1000, mode));
    }
    EXPECT_EQ(logger_.AdjustmentWrites(), 2);
    // A two-channel mode with one channel given, and a zero scale, write nothing.
    const std::array<double, 1> one{1.0};
    EXPECT_FALSE(SendCorrection(1, one, one, 1000, 1000, 1));
    EXPECT_FALSE(SendCorrection(0, one, one, 0, 1000, 0));
    EXPECT_EQ(logger_.AdjustmentWrites(), 2);
}

TEST_F(Transactions, ReadCorrectionDecodesTwoChannelsForKindsOneAndThree) {
    sim::loggers::Block64 block{};
    block[0] = 0xE8, block[1] = 0x03, block[2] = 0x9C, block[3] = 0xFF;  // 1.000, -0.100
    block[4] = 0xF4, block[5] = 0x01, block[6] = 0x64, block[7] = 0x00;  // 0.500, 0.100
    logger_.SetAdjustment(block);
    for (int kind : {1, 3}) {
        std::array<double, 2> slopes{}, offsets{};
        ASSERT_TRUE(ReadCorrection(kind, slopes, offsets, 1000, 1000));
        EXPECT_DOUBLE_EQ(slopes[1], 0.5);
        EXPECT_DOUBLE_EQ(offsets[0], -0.1);
        EXPECT_DOUBLE_EQ(offsets[1], 0.1);
    }
    std::array<double, 2> slopes{9, 9}, offsets{9, 9};
    ASSERT_TRUE(ReadCorrection(0, slopes, offsets, 1000, 1000));
    EXPECT_DOUBLE_EQ(slopes[0], 1.0);
    EXPECT_EQ(slopes[1], 9);  // kind 0 leaves channel 2 alone
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Transactions, KindFiveWritesOffsetsWithOneDecimal) {
    const std::array<double, 1> slopes{1.0}, offsets{0.04};
    EXPECT_TRUE(SendCorrection(5, slopes, offsets, 16384, 10, 5));
    EXPECT_EQ(logger_.Adjustment()[0] | (logger_.Adjustment()[1] << 8), 16384);
    EXPECT_EQ(logger_.Adjustment()[2], 0);
}

class PassThrough : public test::ClientFixture {
  protected:
    sim::loggers::SimulatedLogger& logger_ = link_.AddUnit(kKey, Product(2), 1, Model(0xA4, true));
};

TEST_F(PassThrough, WriteAndReadBack) {
    EXPECT_TRUE(SendPassThroughCorrection(1.2347, -3.26, 1000, 10));
    EXPECT_EQ(logger_.PassThrough().slopeCode, 1235);
    EXPECT_EQ(logger_.PassThrough().offsetCode, -33);
    EXPECT_EQ(boxes_.Last().text, Text(1050));
    double slope = 0, offset = 0;
    EXPECT_TRUE(ReadPassThroughCorrection(slope, offset, 1000, 10));
    EXPECT_DOUBLE_EQ(slope, 1.235);
    EXPECT_DOUBLE_EQ(offset, -3.3);
    EXPECT_EQ(link_.OpenLinks(), 0);
}

TEST_F(PassThrough, RefusalsAndMismatchesFailWithMessage1014) {
    for (uint8_t code : {0x15, 0x13, 0x0F}) {
        logger_.Faults().refusals = 1;
        logger_.Faults().refusalCode = code;
        boxes_.Clear();
        EXPECT_FALSE(SendPassThroughCorrection(1.0, 1.0, 1000, 10));
        EXPECT_EQ(Messages(), std::vector<std::string>{Text(1014)});
    }
    logger_.Faults().readBackDiffers = 1;
    EXPECT_FALSE(SendPassThroughCorrection(1.0, 1.0, 1000, 10));
    logger_.Faults().badCheck = 2;  // the write's answer, then the read-back's
    EXPECT_FALSE(SendPassThroughCorrection(1.0, 1.0, 1000, 10));
    EXPECT_TRUE(SendPassThroughCorrection(1.0, 1.0, 1000, 10));
}

TEST_F(PassThrough, ReadFailures) {
    double slope = 5, offset = 5;
    logger_.Faults().badCheck = 1;
    // A malformed answer is reported like a failed exchange, never silently;
    // the quiet read the journal uses says nothing of either.
    EXPECT_FALSE(ReadPassThroughCorrection(slope, offset, 1000, 10));
    EXPECT_EQ(Messages(), std::vector<std::string>{Text(1049)});
    logger_.Faults().silence = 1;
    EXPECT_FALSE(ReadPassThroughCorrection(slope, offset, 1000, 10));
    EXPECT_EQ(Messages(), (std::vector<std::string>{Text(1049), Text(1049)}));
    logger_.Faults().badCheck = 1;
    EXPECT_FALSE(ReadPassThroughCorrectionQuietly(slope, offset, 1000, 10));
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(slope, 5);
    EXPECT_EQ(offset, 5);
}

TEST(PassThroughWithoutInput, ALoggerWithoutThePassThroughInputRefuses) {
    test::FakeLink link;
    services::ScriptedMessageBoxes boxes;
    link.AddUnit(kKey, platform::DeviceIds{}.Product(1), 0,
                 *sim::loggers::ModelForDeviceCode(0xA4, false));
    EXPECT_FALSE(SendPassThroughCorrection(1.0, 0.0, 1000, 10));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{services::LoadResString(1014)});
}

}  // namespace
}  // namespace tb::client
