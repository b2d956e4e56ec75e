// The base-unit pages with the program's own binding (command client, link
// library, port layer) against simulated loggers on pseudo-terminals: what
// the logger holds afterwards is read from its state.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pages/AdjustmentRecord.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/TempHumidityIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/core/Bench.h"
#include "sim/core/Faults.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/SimulatedLogger.h"
#include "tests/support/ScriptedMessageBoxes.h"

using tb::pages::Correction;
using tb::services::MsgAnswer;
using tb::sim::loggers::Block64;
namespace th = tb::resources::temp_humidity;
namespace mi = tb::resources::multi_input;

namespace {

const char* kNotConnected = "選択された機器が接続されていません。";
const char* kOffsetLimit30C = "オフセットの加算値が±30.0(ﾟC換算)を越えています。";
const char* kOffsetLimit3 = "オフセットの加算値が±3.0を越えています。";
const char* kSlopeRangeNoise = "傾きの範囲は、0.5 以上 2.0 以下です。";
const char* kOffsetLimit50 = "オフセットの加算値が±50を越えています。";

struct Codes {
    int slope;
    int offset;
    friend bool operator==(const Codes&, const Codes&) = default;
};

void PutCodes(Block64& block, int channel, Codes codes) {
    const auto slope = static_cast<uint16_t>(codes.slope);
    const auto offset = static_cast<uint16_t>(static_cast<int16_t>(codes.offset));
    block[channel * 4] = static_cast<uint8_t>(slope & 0xFF);
    block[channel * 4 + 1] = static_cast<uint8_t>(slope >> 8);
    block[channel * 4 + 2] = static_cast<uint8_t>(offset & 0xFF);
    block[channel * 4 + 3] = static_cast<uint8_t>(offset >> 8);
}

Block64 BlockHolding(Codes channel1, Codes channel2 = {1000, 0}) {
    Block64 block{};
    PutCodes(block, 0, channel1);
    PutCodes(block, 1, channel2);
    return block;
}

Codes CodesOf(const Block64& block, int channel) {
    const int at = channel * 4;
    return {block[at] | (block[at + 1] << 8),
            static_cast<int16_t>(block[at + 2] | (block[at + 3] << 8))};
}

std::string Confirmation(const std::string& ch1, const std::string& ch2) {
    return "CH:1 " + ch1 + "\nCH:2 " + ch2 +
           "\nという補正式になります。\n\n送信してよろしいですか？";
}

class BaseUnitPagesOverBench : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::filesystem::temp_directory_path() /
                    ("tb-pagesbu-bench-" + std::to_string(getpid()) + ".ini");
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        tb::services::WriteTempUnit(0);
    }
    void TearDown() override { std::filesystem::remove(settings_); }

    // A base unit with the named logger holding `block`; the bench runs.
    std::shared_ptr<tb::sim::loggers::SimulatedLogger> AddLogger(const std::string& name,
                                                                 const Block64& block) {
        auto logger = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName(name));
        logger->SetAdjustment(block);
        bench_.Emplace<tb::sim::BaseUnit>(tb::sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger);
        bench_.UseTemporaryDeviceMap();
        return logger;
    }

    void Open(tb::pages::CPropertyPage& page) {
        page.AttachView(view_);
        page.OnInitDialog();
        page.OnSetActive();
    }

    // Ticks the channel whose box is `adjust` and types a one- or two-point entry.
    void Enter(tb::pages::CPropertyPage& page, int adjust, int onePoint, const int (&boxes)[4],
               const char* before1, const char* after1, const char* before2 = nullptr,
               const char* after2 = nullptr) {
        view_.SetCheck(adjust, true);
        page.OnCommand(adjust);
        const bool twoPoint = before2 != nullptr;
        view_.SetRadioIndex(onePoint, twoPoint ? 1 : 0);
        page.OnCommand(onePoint);
        view_.SetText(boxes[0], before1);
        view_.SetText(boxes[1], after1);
        if (twoPoint) {
            view_.SetText(boxes[2], before2);
            view_.SetText(boxes[3], after2);
        }
    }

    void EnterHumidity(tb::pages::CPropertyPage& page, const char* before, const char* after) {
        Enter(page, th::kAdjust2, th::kOnePoint2,
              {th::kBefore2Row1, th::kAfter2Row1, th::kBefore2Row2, th::kAfter2Row2}, before,
              after);
    }
    void EnterTemperature(tb::pages::CPropertyPage& page, const char* before, const char* after) {
        Enter(page, th::kAdjust1, th::kOnePoint1,
              {th::kBefore1Row1, th::kAfter1Row1, th::kBefore1Row2, th::kAfter1Row2}, before,
              after);
    }
    void EnterMultiInput(tb::pages::CPageLgr850& page, int kindRadio, const char* before1,
                         const char* after1, const char* before2 = nullptr,
                         const char* after2 = nullptr) {
        view_.SetRadioIndex(mi::kThermocouple, kindRadio - mi::kThermocouple);
        page.OnCommand(kindRadio);
        Enter(page, mi::kAdjust, mi::kOnePoint,
              {mi::kBefore1, mi::kAfter1, mi::kBefore2, mi::kAfter2}, before1, after1, before2,
              after2);
    }

    template <typename Read>
    auto Held(Read read) {
        auto lock = bench_.LockState();
        return read();
    }

    std::filesystem::path settings_;
    tb::sim::Bench bench_{{.pacing = false}};
    tb::pages::MemoryDialogView view_;
    tb::services::ScriptedMessageBoxes boxes_;
};

}  // namespace

TEST_F(BaseUnitPagesOverBench, Lgr835Channel2SendWritesChannel1BackUnchanged) {
    auto logger = AddLogger("835", BlockHolding({1002, -350}, {1000, 500}));
    tb::pages::CPageLgr835 page(tb::pages::MakeLgr835Logger());
    Open(page);
    EnterHumidity(page, "50", "52");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(th::kSend);

    EXPECT_EQ(boxes_.Boxes().at(0).text, Confirmation("変更なし", "(y = 1.000x +2.000)"));
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 0); }), (Codes{1002, -350}));
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 1); }), (Codes{1000, 2500}));
    EXPECT_EQ(Held([&] { return logger->AdjustmentWrites(); }), 1);
    EXPECT_EQ(view_.Text(th::kCurrentLine1), "現在の設定：y = 1.002x -0.350");
    EXPECT_EQ(view_.Text(th::kCurrentLine2), "現在の設定：y = 1.000x +2.500");
}

// Humidity takes no degree-F conversion: in degrees F, 0 -> 0.6 on top of
// +29.5 is still 30.1 and refused (converted it would pass as 29.83).
TEST_F(BaseUnitPagesOverBench, Lgr830HumidityOverThirtyIsRefusedWith1054InAnyUnit) {
    auto logger = AddLogger("830", BlockHolding({1000, 0}, {1000, 29500}));
    tb::services::WriteTempUnit(1);
    tb::pages::CPageLgr830 page(tb::pages::MakeLgr830Logger());
    Open(page);
    EnterHumidity(page, "0", "0.6");
    page.OnCommand(th::kSend);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, kOffsetLimit30C);
    EXPECT_EQ(Held([&] { return logger->AdjustmentWrites(); }), 0);
    EXPECT_TRUE(view_.IsSheetEnabled());
}

TEST_F(BaseUnitPagesOverBench, Lgr830DegreesFApplyToChannel1Only) {
    auto logger = AddLogger("830", BlockHolding({1000, 250}, {1000, 500}));
    tb::services::WriteTempUnit(1);
    tb::pages::CPageLgr830 page(tb::pages::MakeLgr830Logger());
    Open(page);
    EXPECT_EQ(view_.Text(th::kUnitBefore1Row1), "°F");
    EXPECT_EQ(view_.Text(th::kUnitBefore2Row1), "");  // the template's " %" is never replaced
    EnterTemperature(page, "77.0", "78.8");           // +1.000 degC
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(th::kSend);

    EXPECT_EQ(boxes_.Boxes().at(0).text, Confirmation("(y = 1.000x +1.800)", "変更なし"));
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 0); }), (Codes{1000, 1250}));
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 1); }), (Codes{1000, 500}));
    EXPECT_EQ(view_.Text(th::kCurrentLine1), "現在の設定：y = 1.000x +2.250");
    EXPECT_EQ(view_.Text(th::kCurrentLine2), "現在の設定：y = 1.000x +0.500");
}

TEST_F(BaseUnitPagesOverBench, Lgr830ReceiveShowsBothAndInitialiseResetsBothInOneWrite) {
    auto logger = AddLogger("830", BlockHolding({1010, -1200}, {990, 2500}));
    tb::pages::CPageLgr830 page(tb::pages::MakeLgr830Logger());
    Open(page);
    page.OnCommand(th::kReceive);
    EXPECT_EQ(view_.Text(th::kCurrentLine1), "現在の設定：y = 1.010x -1.200");
    EXPECT_EQ(view_.Text(th::kCurrentLine2), "現在の設定：y = 0.990x +2.500");
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");

    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(th::kInitialise);
    EXPECT_EQ(Held([&] { return logger->AdjustmentWrites(); }), 1);
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 0); }), (Codes{1000, 0}));
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 1); }), (Codes{1000, 0}));
    EXPECT_EQ(view_.Text(th::kCurrentLine1), "現在の設定：y = 1.000x +0.000");
    EXPECT_EQ(view_.Text(th::kCurrentLine2), "現在の設定：y = 1.000x +0.000");
}

TEST_F(BaseUnitPagesOverBench, Lgr850WithTheWrongInputKindGives1048ForEveryButton) {
    auto logger = AddLogger("850-v", BlockHolding({4096, 0}));
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);  // thermocouple selected
    EnterMultiInput(page, mi::kThermocouple, "20", "21");
    boxes_.SetDefaultAnswer(MsgAnswer::Yes);
    for (int id : {mi::kSend, mi::kReceive, mi::kInitialise}) {
        boxes_.Clear();
        page.OnCommand(id);
        EXPECT_EQ(boxes_.Last().text, kNotConnected) << id;
    }
    EXPECT_EQ(Held([&] { return logger->AdjustmentReads() + logger->AdjustmentWrites(); }), 0);
}

TEST_F(BaseUnitPagesOverBench, Lgr850VoltageOffsetOverThreeIsRefusedWith1073) {
    auto logger = AddLogger("850-v", BlockHolding({4096, 25000}));  // offset 2.5
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);
    EnterMultiInput(page, mi::kVoltage, "1.0", "1.6");  // 2.5 + 0.6 = 3.1
    page.OnCommand(mi::kSend);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, kOffsetLimit3);
    EXPECT_EQ(Held([&] { return logger->AdjustmentWrites(); }), 0);
}

TEST_F(BaseUnitPagesOverBench, Lgr850NoiseProductSlopeBelowHalfIsRefusedWith1072) {
    auto logger = AddLogger("850-noise", BlockHolding({4096, 0}));
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);
    EnterMultiInput(page, mi::kNoiseVibration, "0", "0", "10", "4");  // slope 0.4
    page.OnCommand(mi::kSend);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, kSlopeRangeNoise);
    EXPECT_EQ(Held([&] { return logger->PassThrough().slopeCode; }), 1000);
}

TEST_F(BaseUnitPagesOverBench, Lgr850NoiseWritesThroughThePassThroughCommand) {
    auto logger = AddLogger("850-noise", BlockHolding({4096, 0}));
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);
    EnterMultiInput(page, mi::kNoiseVibration, "0", "45", "10", "55");  // offset 45 of 50
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(mi::kSend);
    EXPECT_EQ(boxes_.Boxes().at(0).text,
              "CH:1 (y = 1.000x +45.0)\nという補正式になります。\n\n送信してよろしいですか？");
    const auto held = Held([&] { return logger->PassThrough(); });
    EXPECT_EQ(held.slopeCode, 1000);
    EXPECT_EQ(held.offsetCode, 450);
    EXPECT_EQ(Held([&] { return logger->AdjustmentWrites(); }), 0);
    EXPECT_EQ(view_.Text(mi::kCurrentLine), "現在の設定：y = 1.000x +45.0");
}

// 77.0 -> 78.9 degF is +1.056 degC: confirmed as +1.1 degC = +2.0 degF,
// written as 1.1 (one decimal) at offset scale 10.
TEST_F(BaseUnitPagesOverBench, Lgr850ThermocoupleInDegreesFWritesDegreesCToOneDecimal) {
    auto logger = AddLogger("850-tc", BlockHolding({16384, 0}));
    tb::services::WriteTempUnit(1);
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);
    EnterMultiInput(page, mi::kThermocouple, "77.0", "78.9");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(mi::kSend);
    EXPECT_EQ(boxes_.Boxes().at(0).text,
              "CH:1 (y = 1.000x +2.0)\nという補正式になります。\n\n送信してよろしいですか？");
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 0); }), (Codes{16384, 11}));
    EXPECT_EQ(view_.Text(mi::kCurrentLine), "現在の設定：y = 1.000x +2.0");
}

// A slope code of 16385 at scale 16384 reads as 1.00006: the page takes it
// as 1.000 before composing and keeps that as the current correction.
TEST_F(BaseUnitPagesOverBench, Lgr850RoundsTheCurrentCorrectionBeforeComposing) {
    auto logger = AddLogger("850-ma", BlockHolding({16385, 0}));
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);
    EnterMultiInput(page, mi::kCurrentLoop, "4", "4.5");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(mi::kSend);
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 0); }), (Codes{16384, 500}));
    EXPECT_EQ(page.Channel(0).current, (Correction{1.0, 0.5}));  // what the logger now holds
    EXPECT_EQ(view_.Text(mi::kCurrentLine), "現在の設定：y = 1.000x +0.500");
}

TEST_F(BaseUnitPagesOverBench, Lgr850InitialiseOnAThermocoupleWritesTheIdentity) {
    auto logger = AddLogger("850-tc", BlockHolding({16000, -25}));
    tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
    Open(page);
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(mi::kInitialise);
    EXPECT_EQ(Held([&] { return CodesOf(logger->Adjustment(), 0); }), (Codes{16384, 0}));
    EXPECT_EQ(view_.Text(mi::kCurrentLine), "現在の設定：y = 1.000x +0.0");
    EXPECT_EQ(boxes_.Last().text, "アジャストメントは正常に終了しました。");
}

// A logger holding slope 0.5 and a large offset b0 takes the two-point entry
// (0, 0), (10, 40): the product slope 2.0 and the offset check (b0) pass,
// but the composed offset 4 x b0 leaves the 16-bit offset code. The page
// refuses it with the kind's offset message before anything is written.
struct UnfitCase {
    const char* logger;  // "890" is the model-890 cable
    Codes held;
    const char* message;
};

class UnfitComposedCorrection : public BaseUnitPagesOverBench,
                                public ::testing::WithParamInterface<UnfitCase> {
  protected:
    std::unique_ptr<tb::pages::CPropertyPage> MakePage() {
        const std::string name = GetParam().logger;
        if (name == "890")
            return std::make_unique<tb::pages::CPageLgr890>(tb::pages::MakeLgr890CableLogger());
        if (name == "821")
            return std::make_unique<tb::pages::CPageLgr820>(tb::pages::MakeBaseUnitLogger());
        if (name == "830")
            return std::make_unique<tb::pages::CPageLgr830>(tb::pages::MakeLgr830Logger());
        return std::make_unique<tb::pages::CPageLgr850>(tb::pages::MakeMultiInputLogger);
    }
    // The input-kind radio of an 850 logger's page, or 0.
    int KindRadio() const {
        const std::string name = GetParam().logger;
        if (name == "850-ma") return mi::kCurrentLoop;
        if (name == "850-v") return mi::kVoltage;
        return 0;
    }
};

TEST_P(UnfitComposedCorrection, IsRefusedWithTheLimitMessageBeforeAnyWrite) {
    const UnfitCase& c = GetParam();
    const bool cable = std::string(c.logger) == "890";
    std::shared_ptr<tb::sim::loggers::SimulatedLogger> logger;
    tb::sim::loggers::Lgr890CableDevice* device = nullptr;
    if (cable) {
        device = &bench_.Emplace<tb::sim::loggers::Lgr890CableDevice>();
        device->SetAdjustment(BlockHolding(c.held));
        bench_.UseTemporaryDeviceMap();
    } else {
        logger = AddLogger(c.logger, BlockHolding(c.held));
    }
    auto page = MakePage();
    Open(*page);
    if (KindRadio() != 0) {
        view_.SetRadioIndex(mi::kThermocouple, KindRadio() - mi::kThermocouple);
        page->OnCommand(KindRadio());
    }
    // Channel 1 has the same ids on every base-unit page.
    Enter(*page, mi::kAdjust, mi::kOnePoint, {mi::kBefore1, mi::kAfter1, mi::kBefore2, mi::kAfter2},
          "0", "0", "10", "40");
    boxes_.SetDefaultAnswer(MsgAnswer::Yes);
    page->OnCommand(mi::kSend);
    ASSERT_EQ(boxes_.Count(), 1u) << boxes_.Last().text;
    EXPECT_EQ(boxes_.Last().text, c.message);
    const Codes held =
        Held([&] { return CodesOf(cable ? device->Adjustment() : logger->Adjustment(), 0); });
    EXPECT_EQ(held, c.held);
    if (!cable) {
        EXPECT_EQ(Held([&] { return logger->AdjustmentWrites(); }), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBaseUnitPage, UnfitComposedCorrection,
                         ::testing::Values(UnfitCase{"821", {500, 25000}, kOffsetLimit30C},
                                           UnfitCase{"890", {500, 25000}, kOffsetLimit30C},
                                           UnfitCase{"830", {500, 25000}, kOffsetLimit30C},
                                           UnfitCase{"850-ma", {8192, 25000}, kOffsetLimit30C},
                                           UnfitCase{"850-v", {2048, 25000}, kOffsetLimit3}),
                         [](const ::testing::TestParamInfo<UnfitCase>& info) {
                             std::string name = info.param.logger;
                             std::erase(name, '-');
                             return "Lgr" + name;
                         });

namespace {

// Keeps the last record a page hands to the journal.
class LastRecord final : public tb::pages::AdjustmentRecorder {
  public:
    void Record(const tb::pages::AdjustmentRecord& record) override { last = record; }
    std::optional<tb::pages::AdjustmentRecord> last;

  private:
    tb::pages::ScopedAdjustmentRecorder installed_{*this};
};

}  // namespace

// The reads made only for the journal (the base unit's serial, what the
// logger held before an initialise) fail with the reply they wait for
// silenced: the initialise still goes on as the technician asked, with no
// message of theirs, and the journal row says it does not know.
TEST_F(BaseUnitPagesOverBench, ReadsMadeOnlyForTheJournalNeverStopAnInitialise) {
    // Replies before the journal's read: the connection check's serial query
    // and settings read, then (for the as-found read) the serial query of
    // the journal's own discovery.
    struct Case {
        const char* logger;
        int skip;
        bool serialKnown;
        bool asFoundKnown;
    };
    for (const Case& c : {Case{"820", 2, false, true}, Case{"820", 3, true, false},
                          Case{"850-noise", 3, true, false}}) {
        SCOPED_TRACE(std::string(c.logger) + " after " + std::to_string(c.skip));
        tb::sim::Bench bench({.pacing = false});
        auto logger = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName(c.logger));
        logger->SetAdjustment(BlockHolding({1100, 500}));
        logger->SetPassThrough({500, 1100});
        const int com = bench.Add(std::make_unique<tb::sim::BaseUnit>(
            tb::sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger));
        bench.UseTemporaryDeviceMap();
        tb::pages::MemoryDialogView view;
        const bool noise = std::string(c.logger) == "850-noise";
        std::unique_ptr<tb::pages::CPropertyPage> page;
        if (noise)
            page = std::make_unique<tb::pages::CPageLgr850>(tb::pages::MakeMultiInputLogger);
        else
            page = std::make_unique<tb::pages::CPageLgr820>(tb::pages::MakeBaseUnitLogger());
        page->AttachView(view);
        page->OnInitDialog();
        page->OnSetActive();
        if (noise) {
            view.SetRadioIndex(mi::kThermocouple, mi::kNoiseVibration - mi::kThermocouple);
            page->OnCommand(mi::kNoiseVibration);
        }
        LastRecord journal;
        {
            auto lock = bench.LockState();
            bench.Port(com)->Faults().Arm(tb::sim::Fault::Silence(1).After(c.skip));
        }
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page->OnCommand(mi::kInitialise);

        ASSERT_EQ(boxes_.Count(), 2u) << boxes_.Last().text;
        EXPECT_EQ(boxes_.Last().stringId, 1050) << boxes_.Last().text;
        auto lock = bench.LockState();
        if (noise) {
            EXPECT_EQ(logger->PassThrough().slopeCode, 1000);
            EXPECT_EQ(logger->PassThrough().offsetCode, 0);
        } else {
            EXPECT_EQ(CodesOf(logger->Adjustment(), 0), (Codes{1000, 0}));
        }
        ASSERT_TRUE(journal.last.has_value());
        EXPECT_TRUE(journal.last->success);
        EXPECT_EQ(!journal.last->unitSerial.empty(), c.serialKnown);
        EXPECT_EQ(journal.last->channels.at(0).asFound.has_value(), c.asFoundKnown);
    }
}

// The reproduction of a composed offset outside the limits: the 850's
// thermocouple holds y = 1.000x + 25.0; the two-point entry (0, 0), (10, 20)
// passes the entry checks (slope 2.0, offset 25) but would leave the logger
// with y = 2.000x + 50.0. The noise/vibration input, holding +30, would be
// left with +60 beyond its 50. Both fit the codes: only the limit refuses.
TEST_F(BaseUnitPagesOverBench, Lgr850RefusesAComposedOffsetBeyondTheLimit) {
    struct Case {
        const char* logger;
        int kindRadio;
        const char* message;
    };
    for (const Case& c : {Case{"850-tc", mi::kThermocouple, kOffsetLimit30C},
                          Case{"850-noise", mi::kNoiseVibration, kOffsetLimit50}}) {
        SCOPED_TRACE(c.logger);
        tb::sim::Bench bench({.pacing = false});
        auto logger = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName(c.logger));
        logger->SetAdjustment(BlockHolding({16384, 250}));
        logger->SetPassThrough({.offsetCode = 300, .slopeCode = 1000});
        bench.Emplace<tb::sim::BaseUnit>(tb::sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger);
        bench.UseTemporaryDeviceMap();
        tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
        Open(page);
        EnterMultiInput(page, c.kindRadio, "0", "0", "10", "20");
        boxes_.Clear();
        boxes_.SetDefaultAnswer(MsgAnswer::Yes);
        page.OnCommand(mi::kSend);
        ASSERT_EQ(boxes_.Count(), 1u) << boxes_.Last().text;
        EXPECT_EQ(boxes_.Last().text, c.message);
        EXPECT_EQ(page.LastOutcome().write, tb::pages::LoggerWrite::None);
        auto lock = bench.LockState();
        EXPECT_EQ(logger->AdjustmentWrites(), 0);
        EXPECT_EQ(CodesOf(logger->Adjustment(), 0), (Codes{16384, 250}));
        EXPECT_EQ(logger->PassThrough().offsetCode, 300);
    }
}

// The logger keeps offsets of one decimal: 0 -> 0.123 leaves +0.1, and the
// line, the page's current correction and the journal's as-left say +0.1;
// on the noise/vibration input +0.25 is held as +0.3, not printed as +0.2.
TEST_F(BaseUnitPagesOverBench, Lgr850AsLeftIsWhatTheLoggerStores) {
    struct Case {
        const char* logger;
        int kindRadio;
        const char* after;
        double held;
    };
    for (const Case& c : {Case{"850-tc", mi::kThermocouple, "0.123", 0.1},
                          Case{"850-noise", mi::kNoiseVibration, "0.25", 0.3}}) {
        SCOPED_TRACE(c.logger);
        tb::sim::Bench bench({.pacing = false});
        auto logger = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName(c.logger));
        logger->SetAdjustment(BlockHolding({16384, 0}));
        logger->SetPassThrough({.offsetCode = 0, .slopeCode = 1000});
        bench.Emplace<tb::sim::BaseUnit>(tb::sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger);
        bench.UseTemporaryDeviceMap();
        tb::pages::CPageLgr850 page(tb::pages::MakeMultiInputLogger);
        Open(page);
        EnterMultiInput(page, c.kindRadio, "0", c.after);
        LastRecord journal;
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page.OnCommand(mi::kSend);

        const Correction held{1.0, c.held};
        const std::string shown = c.held == 0.1 ? "+0.1" : "+0.3";
        // The confirmation too shows the offset as the logger will keep it.
        EXPECT_EQ(boxes_.Boxes().at(0).text,
                  "CH:1 (y = 1.000x " + shown +
                      ")\nという補正式になります。\n\n送信してよろしいですか？");
        EXPECT_EQ(page.CurrentCorrection(1), held);
        EXPECT_EQ(view_.Text(mi::kCurrentLine),
                  "現在の設定：y = 1.000x +" + std::string(c.held == 0.1 ? "0.1" : "0.3"));
        ASSERT_TRUE(journal.last.has_value());
        EXPECT_TRUE(journal.last->success);
        EXPECT_EQ(journal.last->channels.at(0).asLeft, std::optional<Correction>(held));
        EXPECT_EQ(page.LastOutcome().write, tb::pages::LoggerWrite::Written);
        EXPECT_TRUE(page.LastOutcome().loggerRead);
    }
}

// A second base unit plugged in while the confirmation is open, on a port
// listed before the first one's: the write goes to the unit the operation
// found. When that unit is gone and another answers instead, the write
// fails and nothing reaches the other.
TEST_F(BaseUnitPagesOverBench, AnOperationStaysOnTheUnitItFound) {
    for (const bool firstUnplugged : {false, true}) {
        SCOPED_TRACE(firstUnplugged ? "first unit gone" : "second unit added");
        tb::sim::Bench bench({.pacing = false});
        auto first = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName("820"));
        first->SetAdjustment(BlockHolding({1000, 0}));
        const int firstCom = bench.Add(std::make_unique<tb::sim::BaseUnit>(
                                           tb::sim::BaseUnitConfig{.serial = 0x00B7C8D9}, first),
                                       3);
        bench.UseTemporaryDeviceMap();
        auto second = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName("820"));
        second->SetAdjustment(BlockHolding({1000, -500}));

        tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
        Open(page);
        Enter(page, mi::kAdjust, mi::kOnePoint,
              {mi::kBefore1, mi::kAfter1, mi::kBefore2, mi::kAfter2}, "25", "25.3");
        boxes_.Clear();
        boxes_.OnShow([&](const tb::services::MessageBoxRequest& box) {
            if (box.buttons != tb::services::MsgButtons::YesNo) return;
            if (firstUnplugged) bench.Unplug(firstCom);
            bench.Add(std::make_unique<tb::sim::BaseUnit>(
                          tb::sim::BaseUnitConfig{.serial = 0x00D4E5F6}, second),
                      2);
        });
        boxes_.AnswerNext(MsgAnswer::Yes);
        page.OnCommand(mi::kSend);
        boxes_.OnShow(nullptr);

        auto lock = bench.LockState();
        EXPECT_EQ(second->AdjustmentWrites(), 0);
        EXPECT_EQ(CodesOf(second->Adjustment(), 0), (Codes{1000, -500}));
        if (firstUnplugged) {
            EXPECT_NE(page.LastOutcome().write, tb::pages::LoggerWrite::Written);
            EXPECT_TRUE(boxes_.Count() >= 2u);
            EXPECT_EQ(boxes_.Boxes().at(1).text, kNotConnected);
        } else {
            EXPECT_EQ(CodesOf(first->Adjustment(), 0), (Codes{1000, 300}));
            EXPECT_EQ(page.LastOutcome().write, tb::pages::LoggerWrite::Written);
            EXPECT_EQ(boxes_.Last().stringId, 1050);
        }
    }
}

// Faults aimed at the write of `adjust 820 --point 25:25.3`. Replies before
// it: the connection check's serial query and settings read, the read's
// serial query and block read, the write's serial query. What the logger
// holds afterwards is read back quietly and said: the new codes (written),
// the old ones (nothing written), or, when it cannot be read, that its
// state is unknown.
TEST_F(BaseUnitPagesOverBench, AFailedWriteSaysWhatTheLoggerHolds) {
    using tb::pages::LoggerWrite;
    struct Case {
        const char* name;
        tb::sim::Fault fault;
        LoggerWrite write;
        int held;  // the logger's offset code afterwards
        bool asLeftKnown;
    };
    const Case cases[] = {
        {"write's reply lost", tb::sim::Fault::Silence(1).After(5), LoggerWrite::Written, 300,
         true},
        {"silent from the write on", tb::sim::Fault::Silence(-1).After(5), LoggerWrite::Unknown,
         300, false},
        {"silent before the write", tb::sim::Fault::Silence(1).After(4), LoggerWrite::None, -120,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tb::sim::Bench bench({.pacing = false});
        auto logger = std::make_shared<tb::sim::loggers::SimulatedLogger>(
            *tb::sim::loggers::ModelForName("820"));
        logger->SetAdjustment(BlockHolding({1000, -120}));
        const int com = bench.Add(std::make_unique<tb::sim::BaseUnit>(
            tb::sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger));
        bench.UseTemporaryDeviceMap();
        tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
        Open(page);
        view_.SetText(mi::kCurrentLine, "before");
        Enter(page, mi::kAdjust, mi::kOnePoint,
              {mi::kBefore1, mi::kAfter1, mi::kBefore2, mi::kAfter2}, "25", "25.42");
        {
            auto lock = bench.LockState();
            bench.Port(com)->Faults().Arm(c.fault);
        }
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page.OnCommand(mi::kSend);
        {
            auto lock = bench.LockState();
            bench.Port(com)->Faults().Clear();
            EXPECT_EQ(CodesOf(logger->Adjustment(), 0).offset, c.held);
        }
        EXPECT_EQ(page.LastOutcome().write, c.write);
        EXPECT_TRUE(page.LastOutcome().loggerRead);
        const std::vector<std::string> texts = boxes_.Texts();
        const bool saidUnknown =
            std::find(texts.begin(), texts.end(),
                      tb::services::LoadResString(
                          tb::resources::strings::kMsgLoggerStateUnknown)) != texts.end();
        EXPECT_EQ(saidUnknown, c.write == LoggerWrite::Unknown);
        if (c.asLeftKnown) {
            const Correction held{1.0, c.held / 1000.0};
            EXPECT_EQ(page.CurrentCorrection(1), held);
            EXPECT_EQ(
                view_.Text(mi::kCurrentLine),
                tb::pages::FormatCorrection(tb::resources::strings::kFmtCurrent3, held, false));
        } else {
            EXPECT_EQ(view_.Text(mi::kCurrentLine), "before");
        }
    }
}
