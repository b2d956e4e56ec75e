// The temperature/humidity and multi-input pages' own rules, headless,
// over scripted loggers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/ScriptedMessageBoxes.h"
#include "services/Settings.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr850.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/TempHumidityIds.h"
#include "tests/support/ScriptedPageLogger.h"

using tb::pages::CheckKind;
using tb::pages::MemoryDialogView;
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

}  // namespace
