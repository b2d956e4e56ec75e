// The temperature/humidity and multi-input pages' own rules, headless,
// over scripted loggers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/TempHumidityIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/ScriptedPageLogger.h"

using tb::pages::CheckKind;
using tb::pages::Correction;
using tb::pages::MemoryDialogView;
using tb::services::MsgAnswer;
using tb::testing::LoggerState;
using tb::testing::ScriptedPageLogger;
namespace th = tb::resources::temp_humidity;
namespace mi = tb::resources::multi_input;

namespace {

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::filesystem::temp_directory_path() /
                    ("tb-pagesbu-" + std::to_string(getpid()) + ".ini");
        std::filesystem::remove(settings_);
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        tb::services::WriteTempUnit(0);
    }
    void TearDown() override { std::filesystem::remove(settings_); }

    std::filesystem::path settings_;
    LoggerState logger_;
    MemoryDialogView view_;
    tb::services::ScriptedMessageBoxes boxes_;
};

const std::vector<int> kChannel1Inputs{th::kOnePoint1,  th::kTwoPoint1,   th::kBefore1Row1,
                                       th::kAfter1Row1, th::kBefore1Row2, th::kAfter1Row2};
const std::vector<int> kChannel2Inputs{th::kOnePoint2,  th::kTwoPoint2,   th::kBefore2Row1,
                                       th::kAfter2Row1, th::kBefore2Row2, th::kAfter2Row2};

using TempHumidityPageTest = SettingsFile;

TEST_F(TempHumidityPageTest, ChannelTicksAreExclusiveAndEachChannelHasItsOwnRules) {
    tb::pages::CPageLgr830 page(std::make_unique<ScriptedPageLogger>(logger_));
    page.AttachView(view_);
    page.OnInitDialog();
    page.OnSetActive();
    for (int id : kChannel2Inputs) EXPECT_FALSE(view_.IsEnabled(id)) << id;

    view_.SetCheck(th::kAdjust1, true);
    page.OnCommand(th::kAdjust1);
    EXPECT_TRUE(view_.IsEnabled(th::kBefore1Row1));
    EXPECT_FALSE(view_.IsEnabled(th::kBefore1Row2));

    view_.SetCheck(th::kAdjust2, true);
    page.OnCommand(th::kAdjust2);
    EXPECT_FALSE(view_.IsChecked(th::kAdjust1));
    EXPECT_FALSE(page.Channel(0).Ticked());
    for (int id : kChannel1Inputs) EXPECT_FALSE(view_.IsEnabled(id)) << id;
    view_.SetRadioIndex(th::kOnePoint2, 1);
    page.OnCommand(th::kTwoPoint2);
    for (int id : kChannel2Inputs) EXPECT_TRUE(view_.IsEnabled(id)) << id;

    // Neither ticked: a send does nothing at all.
    view_.SetCheck(th::kAdjust2, false);
    page.OnCommand(th::kAdjust2);
    page.OnCommand(th::kSend);
    EXPECT_EQ(boxes_.Count(), 0u);
    EXPECT_EQ(logger_.connectionChecks, 0);
}

TEST_F(TempHumidityPageTest, AUnitChangeClearsOnlyChannel1sLine) {
    logger_.held = {1.0, 0.25};
    logger_.held2 = {1.0, 1.5};
    tb::pages::CPageLgr835 page(std::make_unique<ScriptedPageLogger>(logger_));
    page.AttachView(view_);
    page.OnInitDialog();
    page.OnSetActive();
    EXPECT_EQ(page.DialogId(), 136);
    page.OnCommand(th::kReceive);
    tb::services::WriteTempUnit(1);
    page.OnSetActive();
    EXPECT_EQ(view_.Text(th::kCurrentLine1), "");
    EXPECT_EQ(view_.Text(th::kCurrentLine2), "現在の設定：y = 1.000x +1.500");
    EXPECT_EQ(view_.Text(th::kUnitAfter1Row2), "°F");
    page.OnCommand(th::kReceive);
    EXPECT_EQ(view_.Text(th::kCurrentLine1), "現在の設定：y = 1.000x +0.450");
    EXPECT_EQ(view_.Text(th::kCurrentLine2), "現在の設定：y = 1.000x +1.500");
}

struct Binding {
    int inputKind;
    uint16_t slopeScale;
    uint16_t offsetScale;
};

class MultiInputPageTest : public SettingsFile {
  protected:
    void SetUp() override {
        SettingsFile::SetUp();
        page_ = std::make_unique<tb::pages::CPageLgr850>(
            [this](int kind, uint16_t slopeScale, uint16_t offsetScale) {
                bindings_.push_back({kind, slopeScale, offsetScale});
                return std::make_unique<ScriptedPageLogger>(logger_);
            });
        page_->AttachView(view_);
        page_->OnInitDialog();
        page_->OnSetActive();
    }

    void ChooseKind(int radio) {
        view_.SetRadioIndex(mi::kThermocouple, radio - mi::kThermocouple);
        page_->OnCommand(radio);
    }

    std::vector<Binding> bindings_;
    std::unique_ptr<tb::pages::CPageLgr850> page_;
};

TEST_F(MultiInputPageTest, EachInputKindRelabelsRescalesAndClearsTheLineButKeepsTheTexts) {
    struct Row {
        int radio;
        const char* caption;
        const char* unit;
        CheckKind kind;
        uint16_t slopeScale, offsetScale;
    };
    const Row rows[] = {
        {mi::kCurrentLoop, "Ch.1 (4-20mA)", "mA", CheckKind::CurrentLoop, 16384, 1000},
        {mi::kVoltage, "Ch.1 (電圧)", "V", CheckKind::Voltage, 4096, 10000},
        {mi::kNoiseVibration, "Ch.1 (騒音振動)", "dB", CheckKind::NoiseVibration, 1000, 10},
        {mi::kResistance, "Ch.1 (温度)", "℃", CheckKind::Celsius, 16384, 10},
        {mi::kThermocouple, "Ch.1 (温度)", "℃", CheckKind::Celsius, 16384, 10},
    };
    EXPECT_EQ(view_.Text(mi::kGroup), "Ch.1 (温度)");
    view_.SetCheck(mi::kAdjust, true);
    page_->OnCommand(mi::kAdjust);
    view_.SetText(mi::kBefore1, "12.5");
    view_.SetText(mi::kAfter1, "12.75");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        page_->OnCommand(mi::kReceive);
        ASSERT_FALSE(view_.Text(mi::kCurrentLine).empty());
        ChooseKind(row.radio);
        EXPECT_EQ(view_.Text(mi::kCurrentLine), "");
        EXPECT_EQ(view_.Text(mi::kGroup), row.caption);
        for (int id : {mi::kUnitBefore1, mi::kUnitAfter1, mi::kUnitBefore2, mi::kUnitAfter2}) {
            EXPECT_EQ(view_.Text(id), row.unit) << id;
        }
        EXPECT_EQ(page_->ChannelKind(), row.kind);
        EXPECT_EQ(page_->SlopeScale(), row.slopeScale);
        EXPECT_EQ(page_->OffsetScale(), row.offsetScale);
        ASSERT_FALSE(bindings_.empty());
        EXPECT_EQ(bindings_.back().inputKind, row.radio - mi::kThermocouple);
        EXPECT_EQ(bindings_.back().slopeScale, row.slopeScale);
        EXPECT_EQ(bindings_.back().offsetScale, row.offsetScale);
        EXPECT_EQ(view_.Text(mi::kBefore1), "12.5");
        EXPECT_EQ(view_.Text(mi::kAfter1), "12.75");
        EXPECT_TRUE(view_.IsChecked(mi::kAdjust));
    }
}

TEST_F(MultiInputPageTest, EveryActivationClearsTheLineAndFollowsTheUnitSetting) {
    page_->OnCommand(mi::kReceive);
    page_->OnKillActive();
    page_->OnSetActive();
    EXPECT_EQ(view_.Text(mi::kCurrentLine), "");  // even with the unit unchanged

    tb::services::WriteTempUnit(1);
    page_->OnSetActive();
    EXPECT_EQ(page_->ChannelKind(), CheckKind::Fahrenheit);
    EXPECT_EQ(view_.Text(mi::kUnitAfter2), "°F");
    logger_.held = {1.0, 0.25};
    page_->OnCommand(mi::kReceive);
    EXPECT_EQ(view_.Text(mi::kCurrentLine), "現在の設定：y = 1.000x +0.5");  // 0.45 degF

    ChooseKind(mi::kVoltage);  // a voltage input ignores the unit setting
    EXPECT_EQ(page_->ChannelKind(), CheckKind::Voltage);
    EXPECT_EQ(view_.Text(mi::kUnitAfter2), "V");
}

// The entry checks weigh the readings on top of what the logger holds; the
// composed correction is what is written. A logger holding y = 1.000x + 25.0
// takes the two-point entry (0, 0), (10, 20): slope 2.0 and the entry's
// offset 25 pass, but the composition carries 2 x 25 = 50. Every page, every
// channel and every input kind refuses such a correction with the limit's
// message before anything is written, and still writes what fits.
struct ComposedCase {
    const char* page;       // "820", "890", "830", "835" or "850"
    int channel;            // 1 or 2
    int kindRadio;          // the 850's input kind, 0 elsewhere
    int unit;               // the unit setting: 0 degrees C, 1 degrees F
    Correction held;        // what the adjusted channel holds
    const char* points[4];  // before 1, after 1 and, for two points, before 2, after 2
    int message;            // the refusal, or 0 when the correction is written
    Correction written;     // what the channel then holds
};

class ComposedLimits : public SettingsFile, public ::testing::WithParamInterface<ComposedCase> {
  protected:
    std::unique_ptr<tb::pages::CBaseUnitPage> MakePage(const std::string& name) {
        auto logger = std::make_unique<ScriptedPageLogger>(logger_);
        if (name == "820") return std::make_unique<tb::pages::CPageLgr820>(std::move(logger));
        if (name == "890") return std::make_unique<tb::pages::CPageLgr890>(std::move(logger));
        if (name == "830") return std::make_unique<tb::pages::CPageLgr830>(std::move(logger));
        if (name == "835") return std::make_unique<tb::pages::CPageLgr835>(std::move(logger));
        return std::make_unique<tb::pages::CPageLgr850>([this](int, uint16_t, uint16_t) {
            return std::make_unique<ScriptedPageLogger>(logger_);
        });
    }
};

TEST_P(ComposedLimits, RefusesWhatWouldBeHeldOutsideTheLimitsAndWritesNothing) {
    const ComposedCase& c = GetParam();
    tb::services::WriteTempUnit(c.unit);
    Correction& adjusted = c.channel == 1 ? logger_.held : logger_.held2;
    adjusted = c.held;
    auto page = MakePage(c.page);
    page->AttachView(view_);
    page->OnInitDialog();
    page->OnSetActive();
    if (c.kindRadio != 0) {
        view_.SetRadioIndex(mi::kThermocouple, c.kindRadio - mi::kThermocouple);
        page->OnCommand(c.kindRadio);
    }
    const tb::pages::ChannelIds ids = page->PlaceOfChannel(c.channel).ids;
    view_.SetCheck(ids.adjust, true);
    page->OnCommand(ids.adjust);
    const bool twoPoint = c.points[2] != nullptr;
    view_.SetRadioIndex(ids.onePoint, twoPoint ? 1 : 0);
    page->OnCommand(ids.onePoint);
    const int boxes[4] = {ids.before1, ids.after1, ids.before2, ids.after2};
    for (int i = 0; i < (twoPoint ? 4 : 2); ++i) view_.SetText(boxes[i], c.points[i]);
    boxes_.SetDefaultAnswer(MsgAnswer::Yes);
    page->OnCommand(ids.adjust == mi::kAdjust ? mi::kSend : th::kSend);

    if (c.message != 0) {
        ASSERT_EQ(boxes_.Count(), 1u) << boxes_.Last().text;
        EXPECT_EQ(boxes_.Last().text, tb::services::LoadResString(c.message));
        EXPECT_EQ(logger_.writes, 0);
        EXPECT_EQ(adjusted, c.held);
        EXPECT_EQ(page->LastOutcome().write, tb::pages::LoggerWrite::None);
    } else {
        EXPECT_EQ(logger_.writes, 1) << boxes_.Last().text;
        EXPECT_EQ(adjusted, c.written);
        EXPECT_EQ(page->CurrentCorrection(c.channel), c.written);
        EXPECT_EQ(page->LastOutcome().write, tb::pages::LoggerWrite::Written);
    }
    EXPECT_TRUE(page->LastOutcome().loggerRead);
}

constexpr Correction kHeld25{1.0, 25.0};
constexpr int k1053 = tb::resources::strings::kMsgSlopeRange;
constexpr int k1054 = tb::resources::strings::kMsgOffsetLimit30C;
constexpr int k1070 = tb::resources::strings::kMsgOffsetLimit50;
constexpr int k1073 = tb::resources::strings::kMsgOffsetLimit3;

INSTANTIATE_TEST_SUITE_P(
    EveryPageChannelAndKind, ComposedLimits,
    ::testing::Values(
        ComposedCase{"820", 1, 0, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"820", 1, 0, 1, kHeld25, {"32", "32", "50", "68"}, k1054, {}},
        ComposedCase{"890", 1, 0, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"830", 1, 0, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"830", 2, 0, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"835", 1, 0, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"835", 2, 0, 0, {1.0, -25.0}, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"850", 1, mi::kThermocouple, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"850", 1, mi::kThermocouple, 1, kHeld25, {"32", "32", "50", "68"}, k1054, {}},
        ComposedCase{"850", 1, mi::kResistance, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"850", 1, mi::kCurrentLoop, 0, kHeld25, {"0", "0", "10", "20"}, k1054, {}},
        ComposedCase{"850", 1, mi::kVoltage, 0, {1.0, 2.0}, {"0", "0", "1", "2"}, k1073, {}},
        ComposedCase{
            "850", 1, mi::kNoiseVibration, 0, {1.0, 30.0}, {"0", "0", "10", "20"}, k1070, {}},
        // A slope set outside the program is not carried on by a one-point send.
        ComposedCase{"820", 1, 0, 0, {2.5, 0.0}, {"20", "20.5"}, k1053, {}},
        // What fits is written, and the page holds what the logger holds.
        ComposedCase{"820", 1, 0, 0, {1.0, 10.0}, {"0", "0", "10", "20"}, 0, {2.0, 20.0}},
        ComposedCase{"835", 2, 0, 0, {1.0, 0.5}, {"50", "52"}, 0, {1.0, 2.5}},
        ComposedCase{
            "850", 1, mi::kNoiseVibration, 0, {1.0, 10.0}, {"0", "0", "10", "20"}, 0, {2.0, 20.0}}),
    [](const ::testing::TestParamInfo<ComposedCase>& info) {
        return "Lgr" + std::string(info.param.page) + "Ch" + std::to_string(info.param.channel) +
               "Kind" +
               std::to_string(
                   info.param.kindRadio == 0 ? 0 : info.param.kindRadio - mi::kThermocouple) +
               (info.param.unit == 1 ? "F" : "C") + "Row" + std::to_string(info.index);
    });

}  // namespace
