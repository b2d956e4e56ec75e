// The client against the device bench over pseudo-terminals, through the
// real link library and port layer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <memory>

#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "client/BaseUnitDiscovery.h"
#include "client/CommandExchange.h"
#include "client/CorrectionOperations.h"
#include "client/Lgr890Cable.h"
#include "client/LinkBlockOperations.h"
#include "client/ResultCodes.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/baseunit/BaseUnitFaults.h"
#include "sim/core/Bench.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/SimulatedLogger.h"
#include "tests/client/PtyHelpers.h"

namespace tb::client {
namespace {

constexpr uint32_t kUnitSerial = 0x00C0FFEE;

class LinkOverPtys : public ::testing::Test {
  protected:
    LinkOverPtys() {
        logger_ = std::make_shared<sim::loggers::SimulatedLogger>(
            *sim::loggers::ModelForDeviceCode(0x40));
        auto& unit =
            bench_.Emplace<sim::BaseUnit>(sim::BaseUnitConfig{.serial = kUnitSerial}, logger_);
        path_ = bench_.PortOf(unit)->Path();
        port_ = bench_.PortOf(unit);
        bench_.UseTemporaryDeviceMap();
    }

    int Reads() {
        auto lock = bench_.LockState();
        return logger_->AdjustmentReads();
    }

    sim::Bench bench_{{.pacing = false}};
    std::shared_ptr<sim::loggers::SimulatedLogger> logger_;
    sim::SimPort* port_ = nullptr;
    std::string path_;
    services::ScriptedMessageBoxes boxes_;
};

TEST_F(LinkOverPtys, WriteWithVerificationSucceeds) {
    const std::array<double, 1> slopes{1.25}, offsets{-0.5};
    EXPECT_TRUE(SendCorrection(0, slopes, offsets, 1000, 1000, 0));
    {
        auto lock = bench_.LockState();
        const auto& block = logger_->Adjustment();
        EXPECT_EQ(block[0] | (block[1] << 8), 1250);
        EXPECT_EQ(static_cast<int16_t>(block[2] | (block[3] << 8)), -500);
        EXPECT_EQ(logger_->AdjustmentReads(), 1);
    }
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{services::LoadResString(1050)});
    EXPECT_TRUE(test::PortIsFree(path_));

    std::array<double, 1> readSlopes{}, readOffsets{};
    EXPECT_TRUE(ReadCorrection(0, readSlopes, readOffsets, 1000, 1000));
    EXPECT_DOUBLE_EQ(readSlopes[0], 1.25);
    EXPECT_DOUBLE_EQ(readOffsets[0], -0.5);
}

TEST_F(LinkOverPtys, ReadBackThatDiffersFourTimesFails) {
    {
        auto lock = bench_.LockState();
        logger_->Faults().readBackDiffers = 4;
    }
    const std::array<double, 1> slopes{1.1}, offsets{0.2};
    EXPECT_FALSE(SendCorrection(0, slopes, offsets, 1000, 1000, 0));
    EXPECT_EQ(Reads(), 4);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{services::LoadResString(1048)});
    EXPECT_TRUE(test::PortIsFree(path_));
}

TEST_F(LinkOverPtys, NegativeWaitReturnsWithoutReadBack) {
    std::array<uint8_t, 64> block{};
    block[0] = 0xD0;
    block[1] = 0x07;
    EXPECT_TRUE(WriteBlockVerified(block, -1));
    EXPECT_EQ(Reads(), 0);
    EXPECT_TRUE(test::PortIsFree(path_));
}

TEST_F(LinkOverPtys, TheLinkIsClosedAfterEveryFailure) {
    struct Case {
        const char* what;
        std::function<void()> arm;
        int code;
    };
    const std::vector<Case> cases{
        {"garbled check", [&] { port_->Faults().Arm(*sim::BaseUnitFault("garbled-check")); },
         kResultBadFrame},
        {"wrong word", [&] { logger_->Faults().wrongWord = 1; }, kResultWrongWord},
        {"no STATUS", [&] { logger_->Faults().missingStatus = 1; }, kResultNoStatus},
        {"no DATA", [&] { logger_->Faults().missingData = 1; }, kResultNoData},
        {"silence", [&] { logger_->Faults().silence = 1; }, kResultReceiveFailed},
    };
    const auto key = FindBaseUnit();
    ASSERT_EQ(key, kUnitSerial);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            auto lock = bench_.LockState();
            c.arm();
        }
        CommandExchange exchange(64);
        EXPECT_EQ(AdjustRead(*key, exchange), c.code);
        EXPECT_TRUE(test::PortIsFree(path_));
        CommandExchange again(64);
        EXPECT_EQ(AdjustRead(*key, again), kResultOk);
    }
}

TEST_F(LinkOverPtys, AnOpenThatFailsStillCloses) {
    ASSERT_TRUE(port_->SetBusy(true));
    CommandExchange exchange(64);
    EXPECT_EQ(AdjustRead(kUnitSerial, exchange), kResultOpenFailed);
    ASSERT_TRUE(port_->SetBusy(false));
    EXPECT_TRUE(test::PortIsFree(path_));
}

class CableOverPty : public ::testing::Test {
  protected:
    CableOverPty() : scopedClock_(clock_) {
        // Virtual time runs ten times faster than real time, so the cable
        // still answers "during" the client's waits.
        clock_.OnSleep([](uint32_t) { ::usleep(100); });
        cable_ = &bench_.Emplace<sim::loggers::Lgr890CableDevice>();
        path_ = bench_.PortOf(*cable_)->Path();
        port_ = bench_.PortOf(*cable_);
        bench_.UseTemporaryDeviceMap();
    }

    std::vector<std::string> Events() {
        auto lock = bench_.LockState();
        return cable_->Events();
    }
    void ArmCable(std::function<void(sim::loggers::LoggerFaults&)> arm) {
        auto lock = bench_.LockState();
        arm(cable_->Faults());
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_;
    sim::Bench bench_{{.pacing = false}};
    sim::loggers::Lgr890CableDevice* cable_ = nullptr;
    sim::SimPort* port_ = nullptr;
    std::string path_;
    services::ScriptedMessageBoxes boxes_;
    std::vector<test::RecordedWrite> writes_;
    ScopedSerialPortOpener recorder_{[this](int number) -> std::unique_ptr<SerialPort> {
        auto port = OpenCableSerialPort(number);
        if (!port) return nullptr;
        return std::make_unique<test::RecordingSerialPort>(std::move(port), writes_);
    }};
};

TEST_F(CableOverPty, WakeByteBeforeTheFramesAndTheWaitBeforeTheRead) {
    const std::array<double, 1> slopes{1.25}, offsets{-0.5};
    ASSERT_TRUE(SendCorrection(4, slopes, offsets, 1000, 1000, 4));
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"wake", "V0=E2", "V1=04", "V2=0C", "V3=FE", "wake", "Y"}));
    ASSERT_EQ(writes_.size(), 7u);
    const auto& lastV = writes_[4];
    const auto& wake = writes_[5];
    const auto& read = writes_[6];
    ASSERT_EQ(lastV.bytes[1], 'V');
    ASSERT_EQ(wake.bytes, std::vector<uint8_t>{0x00});
    ASSERT_EQ(read.bytes[1], 'Y');
    EXPECT_GE(wake.tick - lastV.tick, 100u + 1500u);
    EXPECT_GE(read.tick - wake.tick, 50u);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{services::LoadResString(1050)});
    EXPECT_TRUE(test::PortIsFree(path_));

    std::array<double, 1> readSlopes{}, readOffsets{};
    ASSERT_TRUE(ReadCorrection(4, readSlopes, readOffsets, 1000, 1000));
    EXPECT_DOUBLE_EQ(readSlopes[0], 1.25);
    EXPECT_DOUBLE_EQ(readOffsets[0], -0.5);

    const std::array<double, 1> one{1.0}, zero{0.0};
    ASSERT_TRUE(SendCorrection(4, one, zero, 1000, 1000, 4));
    auto lock = bench_.LockState();
    EXPECT_EQ(cable_->Adjustment(), sim::loggers::Lgr890CableDevice().Adjustment());
}

TEST_F(CableOverPty, AShortReplyOrOneWithAWrongSumIsRefused) {
    using Arm = std::function<void(sim::loggers::LoggerFaults&)>;
    for (const Arm& arm : {Arm([](auto& f) { f.shortData = 1; }), Arm([](auto& f) { f.badCheck = 1; })}) {
        boxes_.Clear();
        ArmCable(arm);
        std::array<double, 1> slopes{7.0}, offsets{7.0};
        EXPECT_FALSE(ReadCorrection(4, slopes, offsets, 1000, 1000));
        EXPECT_EQ(slopes[0], 7.0);
        EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{services::LoadResString(1048)});
        EXPECT_TRUE(test::PortIsFree(path_));
    }
    // A write whose confirming read carries a wrong sum is not called done,
    // even though the echoed bytes look right.
    const std::array<uint8_t, 64> block{0x10, 0x27};
    ArmCable([](auto& faults) { faults.badCheck = 5; });  // four "V" answers, then the read
    EXPECT_FALSE(WriteBlockSerial(block, 0));
    EXPECT_TRUE(WriteBlockSerial(block, 0));
}

TEST_F(CableOverPty, WriteFailsOnRefusalOrAReplyCutBeforeTheEcho) {
    const std::array<uint8_t, 64> block{0x10, 0x27};
    ArmCable([](auto& faults) {
        faults.refusals = 1;
        faults.refusalCode = 0x13;
    });
    EXPECT_FALSE(WriteBlockSerial(block, 0));  // byte 0 refused, the read shows the old one
    ArmCable([](auto& faults) { faults.shortData = 1; });
    EXPECT_FALSE(WriteBlockSerial(block, 0));  // the reply stops before byte 9
    EXPECT_TRUE(WriteBlockSerial(block, 0));
    EXPECT_TRUE(test::PortIsFree(path_));
}

TEST_F(CableOverPty, SilenceEndsTheReadAfterItsTotalTimeOut) {
    ArmCable([](auto& faults) { faults.silence = -1; });
    std::array<uint8_t, 64> block{};
    const uint64_t before = clock_.TotalSleptMs();
    EXPECT_FALSE(ReadBlockSerial(block));
    // 50 ms after the wake byte, then 500 ms for the read; the link
    // library's port search adds its short pauses.
    const uint64_t spent = clock_.TotalSleptMs() - before;
    EXPECT_GE(spent, 550u);
    EXPECT_LT(spent, 700u);
    EXPECT_FALSE(WriteBlockSerial(block, 0));
    EXPECT_TRUE(test::PortIsFree(path_));
}

}  // namespace
}  // namespace tb::client
