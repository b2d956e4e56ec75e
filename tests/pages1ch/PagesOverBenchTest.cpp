// The one-channel pages with the program's own binding: command client, link
// library and port layer, against simulated devices on pseudo-terminals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr890.h"
#include "services/Settings.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/core/Bench.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/SimulatedLogger.h"
#include "tests/support/OneChannelBlock.h"
#include "tests/support/ScriptedMessageBoxes.h"

using tb::services::MsgAnswer;
using namespace tb::pages::one_channel;

namespace {

constexpr uint8_t kLgr821DeviceCode = 0x5C;
constexpr uint8_t kLgr830DeviceCode = 0x5E;

using tb::testsupport::BlockHolding;
using tb::testsupport::CodesOf;

class PagesOverBench : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::filesystem::temp_directory_path() /
                    ("tb-pages-bench-" + std::to_string(getpid()) + ".ini");
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        tb::services::WriteTempUnit(0);
    }
    void TearDown() override { std::filesystem::remove(settings_); }

    template <typename Page>
    void Open(Page& page) {
        page.AttachView(view_);
        page.OnInitDialog();
        page.OnSetActive();
    }

    void EnterOnePoint(tb::pages::CPropertyPage& page, const char* before, const char* after) {
        view_.SetCheck(kAdjustChannel, true);
        page.OnCommand(kAdjustChannel);
        view_.SetText(kBefore1, before);
        view_.SetText(kAfter1, after);
    }

    std::shared_ptr<tb::sim::loggers::SimulatedLogger> AddBaseUnit(uint8_t deviceCode) {
        auto logger = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForDeviceCode(deviceCode));
        bench_.Emplace<tb::sim::BaseUnit>(tb::sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger);
        return logger;
    }

    std::filesystem::path settings_;
    tb::sim::Bench bench_{{.pacing = false}};
    tb::pages::MemoryDialogView view_;
    tb::services::ScriptedMessageBoxes boxes_;
};

}  // namespace

TEST_F(PagesOverBench, Lgr820SendWritesTheComposedCorrectionIntoTheLogger) {
    auto logger = AddBaseUnit(kLgr821DeviceCode);
    {
        auto lock = bench_.LockState();
        logger->SetAdjustment(BlockHolding(1000, 400));  // 1.000, +0.400
    }
    bench_.UseTemporaryDeviceMap();
    tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
    Open(page);
    EnterOnePoint(page, "25.0", "25.3");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    {
        auto lock = bench_.LockState();
        EXPECT_EQ(CodesOf(logger->Adjustment()), std::make_pair(1000, 700));
    }
    ASSERT_EQ(boxes_.Count(), 2u);
    EXPECT_EQ(boxes_.Last().text, "アジャストメントは正常に終了しました。");
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x +0.700");
    EXPECT_TRUE(view_.IsSheetEnabled());
}

TEST_F(PagesOverBench, Lgr820ReceiveInDegreesFShowsTheFahrenheitForm) {
    auto logger = AddBaseUnit(kLgr821DeviceCode);
    {
        auto lock = bench_.LockState();
        logger->SetAdjustment(BlockHolding(1000, 250));
    }
    bench_.UseTemporaryDeviceMap();
    tb::services::WriteTempUnit(1);
    tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
    Open(page);
    page.OnCommand(kReceive);
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x +0.450");
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");
}

TEST_F(PagesOverBench, Lgr820PageRefusesATemperatureHumidityLogger) {
    auto logger = AddBaseUnit(kLgr830DeviceCode);
    bench_.UseTemporaryDeviceMap();
    tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
    Open(page);
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kInitialise);
    EXPECT_EQ(boxes_.Last().text, "選択された機器が接続されていません。");
    auto lock = bench_.LockState();
    EXPECT_EQ(logger->AdjustmentReads(), 0);
}

TEST_F(PagesOverBench, Lgr890SendOverItsCableAndNoCableMeans1048) {
    auto& cable = bench_.Emplace<tb::sim::loggers::Lgr890CableDevice>();
    {
        auto lock = bench_.LockState();
        cable.SetAdjustment(BlockHolding(1002, -350));
    }
    bench_.UseTemporaryDeviceMap();
    tb::pages::CPageLgr890 page(tb::pages::MakeLgr890CableLogger());
    Open(page);
    EnterOnePoint(page, "20", "20.1");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);
    {
        auto lock = bench_.LockState();
        EXPECT_EQ(CodesOf(cable.Adjustment()), std::make_pair(1002, -250));
    }
    EXPECT_EQ(boxes_.Last().text, "アジャストメントは正常に終了しました。");
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.002x -0.250");
}

// The cable writes byte by byte: a cable pulled between two of them leaves
// the logger with part of the new correction. The page must not show the
// new one as written, and once the cable is back its receive shows what the
// logger really holds.
TEST_F(PagesOverBench, Lgr890CablePulledMidWriteNeverShowsTheNewCorrection) {
    auto& cable = bench_.Emplace<tb::sim::loggers::Lgr890CableDevice>();
    const int com = bench_.ComNumberOf(cable);
    {
        auto lock = bench_.LockState();
        cable.SetAdjustment(BlockHolding(1002, -350));
    }
    bench_.UseTemporaryDeviceMap();
    tb::pages::CPageLgr890 page(tb::pages::MakeLgr890CableLogger());
    Open(page);
    page.OnCommand(kReceive);
    ASSERT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.002x -0.350");
    {
        // The send reads first, then writes bytes 0 to 3: pulled at the
        // answer to byte 2, so the offset's low byte is new and its high byte old.
        auto lock = bench_.LockState();
        bench_.Port(com)->PullAtReply(4);
    }
    EnterOnePoint(page, "20", "20.1");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);
    // The failure, then, as the cable cannot be read either, the advice to
    // receive before sending again.
    ASSERT_GE(boxes_.Count(), 2u);
    EXPECT_EQ(boxes_.Boxes().at(boxes_.Count() - 2).text, "選択された機器が接続されていません。");
    EXPECT_EQ(boxes_.Last().stringId, tb::resources::strings::kMsgLoggerStateUnknown);
    EXPECT_EQ(page.LastOutcome().write, tb::pages::LoggerWrite::Unknown);
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.002x -0.350");
    std::pair<int, int> held;
    {
        auto lock = bench_.LockState();
        held = CodesOf(cable.Adjustment());
    }
    EXPECT_EQ(held, std::make_pair(1002, static_cast<int>(static_cast<int16_t>(0xFE06))));

    ASSERT_TRUE(bench_.Replug(com));
    page.OnCommand(kReceive);
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.002x -0.506");
}

TEST_F(PagesOverBench, Lgr890PageWithoutCableReadsAndWritesNothing) {
    AddBaseUnit(kLgr821DeviceCode);  // a base unit is no model-890 cable
    bench_.UseTemporaryDeviceMap();
    tb::pages::CPageLgr890 page(tb::pages::MakeLgr890CableLogger());
    Open(page);
    page.OnCommand(kReceive);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "選択された機器が接続されていません。");
    EXPECT_EQ(view_.Text(kCurrentLine), "");
}
