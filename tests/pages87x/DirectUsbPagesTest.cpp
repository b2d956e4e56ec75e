// The 870 and 875 pages as a technician uses them, against simulated
// loggers on pseudo-terminals; every test reads back what the logger holds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pages/MemoryDialogView.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "resources/StringIds.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "sim/core/Bench.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/support/BenchWaitPortLayer.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

namespace fs = std::filesystem;
using namespace tb::resources::lgr87x_ids;
using tb::services::MsgAnswer;
using tb::services::MsgIcon;
using tb::pages::lgr87x::CalibrationCodes;
using tb::sim::Lgr87xLogger;
using tb::sim::Lgr87xModel;

constexpr uint32_t kSerial870 = 0x12345678;
constexpr uint32_t kSerial875 = 0x87501234;
// The logger's record numbers of the first and the second tab's group.
constexpr uint8_t kFirstGroup = 2;
constexpr uint8_t kSecondGroup = 1;
constexpr int kSetCalibrationCommand = 0x5B;
constexpr int kGetCalibrationCommand = 0x5C;
constexpr int kGetHistoryCommand = 0x5E;

enum Box { kB1 = 0, kA1 = 1, kB2 = 2, kA2 = 3 };

class DirectUsbPages : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() /
                ("tb-pages87x-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(home_);
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
        setenv("TRIMBENCH_SETTINGS_FILE", (home_ / "settings.ini").c_str(), 1);
        tb::services::WriteTempUnit(0);
    }
    void TearDown() override { fs::remove_all(home_); }

    Lgr87xLogger& Add(Lgr87xModel model, uint32_t serial) {
        tb::sim::Lgr87xOptions options = tb::sim::Lgr87xDefaults(model);
        options.serial = serial;
        return bench_.Emplace<tb::sim::Lgr87xDevice>(options).Logger();
    }

    void Open(tb::pages::CPropertyPage& page) {
        bench_.UseTemporaryDeviceMap();
        page.AttachView(view_);
        page.OnInitDialog();
        page.OnSetActive();
    }

    void Tick(tb::pages::CPropertyPage& page, int row) {
        view_.SetCheck(kCheck[row], true);
        page.OnCommand(kCheck[row]);
    }
    void TwoPoint(tb::pages::CPropertyPage& page, int row) {
        view_.SetRadioIndex(kOnePoint[row], 1);
        page.OnCommand(kTwoPoint[row]);
    }
    void Type(int row, const char* b1, const char* a1, const char* b2 = "", const char* a2 = "") {
        if (view_.IsEnabled(kBefore1[row])) view_.SetText(kBefore1[row], b1);
        if (view_.IsEnabled(kAfter1[row])) view_.SetText(kAfter1[row], a1);
        view_.SetText(kBefore2[row], b2);
        view_.SetText(kAfter2[row], a2);
    }
    void SelectTab(tb::pages::CPropertyPage& page, int tab) {
        view_.SelectTab(kTabs, tab);
        page.OnCommand(kTabs);
    }

    CalibrationCodes Held(const Lgr87xLogger& logger, uint8_t group) {
        auto lock = bench_.LockState();
        const auto& values = logger.calibration.at(group).values;
        return {values[0], values[1], values[2], values[3]};
    }
    void Hold(Lgr87xLogger& logger, uint8_t group, CalibrationCodes codes) {
        auto lock = bench_.LockState();
        logger.calibration[group].values = {codes[0], codes[1], codes[2], codes[3]};
    }
    std::array<uint8_t, 80> HeldHistory(const Lgr87xLogger& logger, uint8_t group) {
        auto lock = bench_.LockState();
        return logger.history.at(group);
    }

    std::string LogFile() const {
        std::ifstream in(
            home_ / "Documents" / "Kestrune Corp" / "Trimbench 800" / "log" / "Trimbench2.LOG",
            std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    bool Shown(const std::string& fragment) const {
        for (const std::string& text : boxes_.Texts()) {
            if (text.find(fragment) != std::string::npos) return true;
        }
        return false;
    }

    fs::path home_;
    tb::sim::Bench bench_{{.pacing = false}};
    // The libraries' reply waits last a tenth of a second; on a busy machine
    // they wait for the bench as long as it works (tests/support).
    tb::testsupport::BenchWaitPortLayer ports_{bench_};
    tb::link::ScopedPortLayer portScope_{&ports_};
    tb::pages::MemoryDialogView view_;
    tb::services::ScriptedMessageBoxes boxes_;
};

TEST_F(DirectUsbPages, PageStartShowsTheFirstTabWithItsFixedZeroPointsAndTheHistoryColumns) {
    Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);

    EXPECT_EQ(view_.Tabs(kTabs), (std::vector<std::string>{"照度・UVセンサ", "温度・湿度センサ"}));
    EXPECT_EQ(view_.SelectedTab(kTabs), 0);
    EXPECT_TRUE(view_.IsVisible(kHistory870IU));
    EXPECT_FALSE(view_.IsVisible(kHistoryTH));
    EXPECT_FALSE(view_.IsVisible(kCheck[2]));
    for (int id : {kAfter1[0], kAfter1[1]}) {
        EXPECT_EQ(view_.Text(id), "0.0");
        EXPECT_FALSE(view_.IsEnabled(id));
    }
    EXPECT_EQ(view_.Columns(kHistory870IU).size(), 5u);
    EXPECT_EQ(view_.Columns(kHistoryTH).size(), 5u);
    EXPECT_TRUE(page.SwallowsEscape());
    EXPECT_EQ(boxes_.Count(), 0u);

    SelectTab(page, 1);
    EXPECT_TRUE(view_.IsVisible(kCheck[2]));
    EXPECT_FALSE(view_.IsVisible(kCheck[0]));
    EXPECT_TRUE(view_.IsVisible(kSend));
    // Temperature and humidity are ticked one at a time.
    Tick(page, 2);
    Tick(page, 3);
    EXPECT_FALSE(view_.IsChecked(kCheck[2]));
    EXPECT_FALSE(view_.IsEnabled(kBefore1[2]));
    EXPECT_TRUE(view_.IsEnabled(kBefore1[3]));
}

TEST_F(DirectUsbPages, IlluminanceOnePointIsComposedWrittenRecordedAndLogged) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    Tick(page, 0);
    Type(0, "2.4", "");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    EXPECT_EQ(Held(logger, kFirstGroup), (CalibrationCodes{1000, -2400, 1000, 0}));
    EXPECT_EQ(Held(logger, kSecondGroup), (CalibrationCodes{1000, 0, 1000, 0}));
    EXPECT_TRUE(Shown("CH:1  (y=  1.000x - 2.400)\nCH:2 変更なし")) << boxes_.Texts()[0];
    EXPECT_EQ(boxes_.Last().text, "送信が終了しました。");
    EXPECT_EQ(boxes_.Last().icon, MsgIcon::Information);
    EXPECT_EQ(view_.Text(kCurrent870[0]), "現在の設定：y = 1.000x -2.400");

    const auto record = HeldHistory(logger, kFirstGroup);
    EXPECT_EQ(record[0], 1);       // channel 1
    EXPECT_EQ(record[1], 1);       // one point
    EXPECT_EQ(record[15 + 1], 0);  // nothing after it
    ASSERT_EQ(view_.Rows(kHistory870IU).size(), 1u);
    EXPECT_EQ(view_.Rows(kHistory870IU)[0][2], "1");
    EXPECT_NE(LogFile().find(", , 12345678, CH:1, １点補正, 2.4-->0.0, C\r\n"), std::string::npos)
        << LogFile();
}

// Each entry is refused with its message and the focus on its box, or
// accepted up to the confirmation (answered No: nothing is written).
TEST_F(DirectUsbPages, IlluminanceAndUvEntriesKeepTheirLowerBounds) {
    struct Case {
        int row;
        bool twoPoint;
        const char* b1;
        const char* b2;
        const char* a2;
        const char* message;  // nullptr: accepted
        int focus;
    };
    const Case cases[] = {
        {0, false, "-1.0", "", "", nullptr, 0},
        {0, false, "-1.01", "", "", "-1.0以上の値を入力して下さい。", kBefore1[0]},
        // After 0 passes the bound; with the zero point it makes a flat line.
        {1, true, "0", "5", "0",
         "入力値から補正式(Y=aX+b)を求めますが\n傾きaが0にならないように入力してください。", 0},
        {1, true, "0", "5", "2", nullptr, 0},
        {1, true, "0", "5", "-0.1", "0以上の値を入力して下さい。", kAfter2[1]},
        {1, true, "0", "-1.5", "3", "-1.0以上の値を入力して下さい。", kBefore2[1]},
        {0, false, "abc", "", "", "数値を正しく入力してください。", kBefore1[0]},
    };
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.b1) + " " + c.b2 + " " + c.a2);
        view_.SetCheck(kCheck[0], false);
        view_.SetCheck(kCheck[1], false);
        page.OnCommand(kCheck[0]);
        page.OnCommand(kCheck[1]);
        Tick(page, c.row);
        if (c.twoPoint) TwoPoint(page, c.row);
        Type(c.row, c.b1, "", c.b2, c.a2);
        boxes_.Clear();
        page.OnCommand(kSend);
        ASSERT_EQ(boxes_.Count(), 1u);
        if (c.message == nullptr) {
            EXPECT_NE(boxes_.Last().text.find("送信してよろしいですか"), std::string::npos);
        } else {
            EXPECT_EQ(boxes_.Last().text, c.message);
            if (c.focus != 0) {
                EXPECT_EQ(view_.FocusedId(), c.focus);
            }
        }
    }
    EXPECT_EQ(Held(logger, kFirstGroup), (CalibrationCodes{1000, 0, 1000, 0}));
}

// A composed code beyond the limits (DirectUsbCompositionTest has them):
// the refusal names its channel and nothing is written.
TEST_F(DirectUsbPages, ComposedLimitsNameTheChannelAndWriteNothingWhenRefused) {
    struct Case {
        int row;
        const char* b1;
        const char* a1;
        const char* b2;
        const char* a2;
        int16_t currentOffset3;
        const char* refusal;  // nullptr: accepted and written
    };
    const Case cases[] = {
        {3, "0", "0", "10", "20.01", 0, "CH:4"},
        {2, "0", "30", "", "", 0, nullptr},
        {2, "0", "30", "", "", 1, "CH:3"},
    };
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    SelectTab(page, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a2) + " " + c.a1 + " " + std::to_string(c.currentOffset3));
        const CalibrationCodes before{1000, c.currentOffset3, 1000, 0};
        Hold(logger, kSecondGroup, before);
        view_.SetCheck(kCheck[c.row], true);
        page.OnCommand(kCheck[c.row]);
        view_.SetRadioIndex(kOnePoint[c.row], c.b2[0] != '\0' ? 1 : 0);
        page.OnCommand(kOnePoint[c.row]);
        Type(c.row, c.b1, c.a1, c.b2, c.a2);
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page.OnCommand(kSend);
        if (c.refusal == nullptr) {
            EXPECT_EQ(boxes_.Last().text, "送信が終了しました。");
            EXPECT_NE(Held(logger, kSecondGroup), before);
        } else {
            ASSERT_EQ(boxes_.Count(), 1u);
            EXPECT_EQ(boxes_.Last().text.rfind(c.refusal, 0), 0u) << boxes_.Last().text;
            EXPECT_EQ(Held(logger, kSecondGroup), before);
            boxes_.Clear();
        }
        // Later sends compose on the history just written: start afresh.
        {
            auto lock = bench_.LockState();
            logger.history[kSecondGroup] = {};
        }
    }
}

// The page composes on the factor the logger's history record keeps (the
// rules are DirectUsbCompositionTest's) and puts the new factor back into
// the record after the earlier entry.
TEST_F(DirectUsbPages, SlopeComposesOnTheRecordsFactorAndWritesTheNewOneBack) {
    struct Case {
        double storedFactor;
        int16_t heldSlope;
        int16_t expectedSlope;
        double expectedFactor;
    };
    for (const Case& c : {Case{1500.4, 1500, 1800, 1500.4 * 1.2}}) {
        SCOPED_TRACE(c.storedFactor);
        tb::sim::Bench bench({.pacing = false});
        tb::testsupport::BenchWaitPortLayer ports(bench);
        tb::link::ScopedPortLayer portScope{&ports};
        tb::sim::Lgr87xOptions options = tb::sim::Lgr87xDefaults(Lgr87xModel::k870);
        options.serial = kSerial870;
        Lgr87xLogger& logger = bench.Emplace<tb::sim::Lgr87xDevice>(options).Logger();
        bench.UseTemporaryDeviceMap();
        std::array<uint8_t, 80> record{};
        record[0] = 3;  // an earlier one-point adjustment of Ch.3
        record[1] = 1;
        std::memcpy(record.data() + 60, &c.storedFactor, sizeof c.storedFactor);  // little-endian host
        {
            auto lock = bench.LockState();
            logger.history[kSecondGroup] = record;
            logger.calibration[kSecondGroup].values = {c.heldSlope, 0, 1000, 0};
        }
        tb::pages::MemoryDialogView view;
        tb::pages::lgr87x::CPageLgr870 page;
        page.AttachView(view);
        page.OnInitDialog();
        view.SelectTab(kTabs, 1);
        page.OnCommand(kTabs);
        view.SetCheck(kCheck[2], true);
        page.OnCommand(kCheck[2]);
        view.SetRadioIndex(kOnePoint[2], 1);
        page.OnCommand(kTwoPoint[2]);
        view.SetText(kBefore1[2], "0");
        view.SetText(kAfter1[2], "0");
        view.SetText(kBefore2[2], "10");
        view.SetText(kAfter2[2], "12");
        boxes_.AnswerNext(MsgAnswer::Yes);
        page.OnCommand(kSend);

        auto lock = bench.LockState();
        EXPECT_EQ(logger.calibration.at(kSecondGroup).values,
                  (std::array<int16_t, 4>{c.expectedSlope, 0, 1000, 0}));
        const auto& written = logger.history.at(kSecondGroup);
        double factor = 0;
        std::memcpy(&factor, written.data() + 60, sizeof factor);
        EXPECT_DOUBLE_EQ(factor, c.expectedFactor);
        EXPECT_EQ(written[15], 3);      // the new entry after the earlier one
        EXPECT_EQ(written[15 + 1], 2);  // two points
        EXPECT_EQ(view.Rows(kHistoryTH).size(), 2u);
    }
}

TEST_F(DirectUsbPages, FahrenheitTemperatureSendsCelsiusAndConfirmsFahrenheit) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::services::WriteTempUnit(1);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    SelectTab(page, 1);
    Tick(page, 2);
    Type(2, "50.0", "59.0");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    EXPECT_EQ(Held(logger, kSecondGroup), (CalibrationCodes{1000, 5000, 1000, 0}));
    EXPECT_TRUE(Shown("CH:3  (y=  1.000x + 9.000)\nCH:4 変更なし"));
    EXPECT_EQ(view_.Text(kUnits[2][0]), "°F");
    EXPECT_NE(LogFile().find("CH:3, １点補正, 50.0-->59.0, F\r\n"), std::string::npos) << LogFile();
}

// The unit is the one the labels showed when the page was activated: a
// change made in another window before Send does not turn a Celsius entry
// into Fahrenheit in the write, the lines or the log.
TEST_F(DirectUsbPages, OneTemperatureUnitServesTheWholeSend) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    tb::services::WriteTempUnit(1);
    SelectTab(page, 1);
    Tick(page, 2);
    Type(2, "50.0", "59.0");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    EXPECT_EQ(Held(logger, kSecondGroup), (CalibrationCodes{1000, 9000, 1000, 0}));
    EXPECT_EQ(view_.Text(kUnits[2][0]), "℃");
    EXPECT_EQ(view_.Text(kCurrent870[2]), "現在の設定：y = 1.000x +9.000");
    EXPECT_NE(LogFile().find("CH:3, １点補正, 50.0-->59.0, C\r\n"), std::string::npos) << LogFile();
}

TEST_F(DirectUsbPages, InitialiseResetsOnlyTheShownPairAndRecordsIt) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    Hold(logger, kFirstGroup, {1100, 500, 900, -300});
    Hold(logger, kSecondGroup, {1050, 100, 990, 20});
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    SelectTab(page, 1);
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kInitialise);

    EXPECT_EQ(Held(logger, kSecondGroup), (CalibrationCodes{1000, 0, 1000, 0}));
    EXPECT_EQ(Held(logger, kFirstGroup), (CalibrationCodes{1100, 500, 900, -300}));
    EXPECT_EQ(HeldHistory(logger, kSecondGroup)[1], 3);  // an initialisation entry
    EXPECT_EQ(view_.Text(kCurrent870[3]), "現在の設定：y = 1.000x +0.000");
    EXPECT_NE(LogFile().find("CH:Temp/Humi, 初期化, C\r\n"), std::string::npos) << LogFile();

    // Receive reads the other pair back.
    SelectTab(page, 0);
    page.OnCommand(kReceive);
    EXPECT_EQ(view_.Text(kCurrent870[0]), "現在の設定：y = 1.100x +0.500");
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");
}

TEST_F(DirectUsbPages, RecordingLoggerStopsTheWriteAtOnceAndIsReported) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    {
        auto lock = bench_.LockState();
        // Only the first write is refused: a second attempt would succeed.
        logger.ArmFault(tb::sim::Lgr87xFault::kRecording, 1, kSetCalibrationCommand);
    }
    Tick(page, 0);
    Type(0, "2.4", "");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    EXPECT_EQ(Held(logger, kFirstGroup), (CalibrationCodes{1000, 0, 1000, 0}));
    EXPECT_EQ(boxes_.Last().text.rfind("現在記録中のため設定できません。", 0), 0u);
    EXPECT_EQ(HeldHistory(logger, kFirstGroup)[1], 0);
    EXPECT_EQ(LogFile(), "");
    EXPECT_TRUE(view_.IsEnabled(kSend));
    EXPECT_TRUE(view_.IsSheetEnabled());
}

// A Send whose history or calibration read fails writes nothing: the
// correction would rest on stale values.
TEST_F(DirectUsbPages, FailedReadsBeforeComposingEndTheSendWithAReport) {
    for (int command : {kGetHistoryCommand, kGetCalibrationCommand}) {
        SCOPED_TRACE(command);
        tb::sim::Bench bench({.pacing = false});
        tb::testsupport::BenchWaitPortLayer ports(bench);
        tb::link::ScopedPortLayer portScope{&ports};
        tb::sim::Lgr87xOptions options = tb::sim::Lgr87xDefaults(Lgr87xModel::k870);
        options.serial = kSerial870;
        Lgr87xLogger& logger = bench.Emplace<tb::sim::Lgr87xDevice>(options).Logger();
        bench.UseTemporaryDeviceMap();
        tb::pages::MemoryDialogView view;
        tb::pages::lgr87x::CPageLgr870 page;
        page.AttachView(view);
        page.OnInitDialog();
        view.SetCheck(kCheck[0], true);
        page.OnCommand(kCheck[0]);
        view.SetText(kBefore1[0], "2.4");
        {
            auto lock = bench.LockState();
            logger.ArmFault(tb::sim::Lgr87xFault::kRefusal, -1, command);
        }
        boxes_.Clear();
        boxes_.SetDefaultAnswer(MsgAnswer::Yes);
        page.OnCommand(kSend);
        boxes_.SetDefaultAnswer(MsgAnswer::No);

        auto lock = bench.LockState();
        EXPECT_EQ(logger.calibration.at(kFirstGroup).values,
                  (std::array<int16_t, 4>{1000, 0, 1000, 0}));
        EXPECT_EQ(logger.history.at(kFirstGroup)[1], 0);
        ASSERT_EQ(boxes_.Count(), 1u);
        EXPECT_NE(boxes_.Last().text.find("12345678"), std::string::npos) << boxes_.Last().text;
    }
}

// An initialisation is merged into the record as read: when the read
// fails, neither the correction nor the logger's history is touched.
TEST_F(DirectUsbPages, FailedHistoryReadEndsTheInitialiseWithAReport) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    Hold(logger, kFirstGroup, {1100, 500, 900, -300});
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    std::array<uint8_t, 80> kept{};
    kept[0] = 1;
    kept[1] = 1;
    {
        auto lock = bench_.LockState();
        logger.history[kFirstGroup] = kept;
        logger.ArmFault(tb::sim::Lgr87xFault::kRefusal, -1, kGetHistoryCommand);
    }
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kInitialise);

    EXPECT_EQ(Held(logger, kFirstGroup), (CalibrationCodes{1100, 500, 900, -300}));
    EXPECT_EQ(HeldHistory(logger, kFirstGroup), kept);
    EXPECT_NE(boxes_.Last().text.find("12345678"), std::string::npos);
}

TEST_F(DirectUsbPages, FailedCalibrationReadEndsTheReceiveWithAReport) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    {
        auto lock = bench_.LockState();
        logger.ArmFault(tb::sim::Lgr87xFault::kRefusal, -1, kGetCalibrationCommand);
    }
    boxes_.Clear();
    page.OnCommand(kReceive);

    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_NE(boxes_.Last().text.find("12345678"), std::string::npos) << boxes_.Last().text;
    EXPECT_TRUE(view_.IsEnabled(kReceive));
}

TEST_F(DirectUsbPages, ExactlyOneLoggerOfTheModelMayBeAttached) {
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    page.OnCommand(kReceive);
    EXPECT_EQ(boxes_.Last().text, "子機が接続されていません。");

    Add(Lgr87xModel::k870, kSerial870);
    Add(Lgr87xModel::k870, kSerial870 + 1);
    bench_.UseTemporaryDeviceMap();
    boxes_.Clear();
    page.OnCommand(kReceive);
    EXPECT_EQ(boxes_.Last().text, "複数の機器が接続されています。機器を１台だけ接続して下さい。");
    EXPECT_TRUE(view_.IsEnabled(kReceive));
}

// The port layer reports up to 256 ports and the library fills a flag for
// each: a logger on the very last one is found (and, under the sanitizers,
// nothing is written past the page's flag buffer).
TEST_F(DirectUsbPages, LoggerOnTheHighestPortIsFound) {
    tb::sim::Lgr87xOptions options = tb::sim::Lgr87xDefaults(Lgr87xModel::k875);
    options.serial = kSerial875;
    bench_.Add(std::make_unique<tb::sim::Lgr87xDevice>(options), 256);
    tb::pages::lgr87x::CPageLgr875 page;
    Open(page);
    page.OnCommand(kReceive);
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");
    EXPECT_EQ(view_.Text(kCurrent875Ch1), "現在の設定：y = 1.000x +0");
}

TEST_F(DirectUsbPages, Co2OnePointComposesWholePpmAndConfirmsOneLine) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k875, kSerial875);
    Hold(logger, kFirstGroup, {1000, 5, 0, 0});
    tb::pages::lgr87x::CPageLgr875 page;
    Open(page);
    EXPECT_FALSE(view_.IsVisible(kCheck[1]));
    EXPECT_EQ(view_.Tabs(kTabs)[0], "CO2センサ");
    Tick(page, 0);
    Type(0, "420", "400");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    EXPECT_EQ(Held(logger, kFirstGroup)[0], 1000);
    EXPECT_EQ(Held(logger, kFirstGroup)[1], -15);
    EXPECT_EQ(boxes_.Texts()[0],
              "CH:1  (y=  1.000x - 20)\nという補正式になります。\n\n送信してよろしいですか？");
    EXPECT_EQ(view_.Text(kCurrent875Ch1), "現在の設定：y = 1.000x -15");
    EXPECT_EQ(HeldHistory(logger, kFirstGroup)[0], 1);
    EXPECT_NE(LogFile().find("87501234, CH:1, １点補正, 420-->400, C\r\n"), std::string::npos)
        << LogFile();
}

TEST_F(DirectUsbPages, Co2EntriesAndOffsetLimits) {
    struct Case {
        const char* b1;
        const char* a1;
        const char* firstBox;  // how the first box starts
        bool written;
        int held;  // the offset afterwards
    };
    const Case cases[] = {
        {"0", "3001", "CH:1\n\n  (y=  1.000x + 3001)", false, 0},
        {"-1", "0", "入力されたデータの範囲は有効ではありません。", false, 0},
        // Encoded as 0 ppm; the correction uses the reading as typed.
        {"-0.5", "5", "CH:1  (y=  1.000x + 6)", true, 6},
    };
    Lgr87xLogger& logger = Add(Lgr87xModel::k875, kSerial875);
    tb::pages::lgr87x::CPageLgr875 page;
    Open(page);
    Tick(page, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.b1) + " " + c.a1);
        Hold(logger, kFirstGroup, {1000, 0, 0, 0});
        Type(0, c.b1, c.a1);
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page.OnCommand(kSend);
        ASSERT_GE(boxes_.Count(), 1u);
        EXPECT_EQ(boxes_.Texts()[0].rfind(c.firstBox, 0), 0u) << boxes_.Texts()[0];
        EXPECT_EQ(boxes_.Last().text == "送信が終了しました。", c.written);
        EXPECT_EQ(Held(logger, kFirstGroup)[1], c.held);
    }
}

}  // namespace

// A day's run on one logger: Ch.3 adjusted at two points, then Ch.4 five
// times, so that Ch.3's entries rotate out of the pair's history record.
// Every send writes Ch.3 back exactly as the logger holds it; the same on
// the 875's Ch.2/Ch.3 pair.
TEST_F(DirectUsbPages, SendsOnOneChannelNeverRewriteTheOtherAfterItsHistoryRotatedOut) {
    struct Case {
        Lgr87xModel model;
        uint32_t serial;
        int firstRow;  // the pair's first channel (temperature)
    };
    for (const Case& c : {Case{Lgr87xModel::k870, kSerial870, 2}, Case{Lgr87xModel::k875, kSerial875, 2}}) {
        SCOPED_TRACE(c.model == Lgr87xModel::k870 ? "870" : "875");
        tb::sim::Bench bench({.pacing = false});
        tb::testsupport::BenchWaitPortLayer ports(bench);
        tb::link::ScopedPortLayer portScope{&ports};
        tb::sim::Lgr87xOptions options = tb::sim::Lgr87xDefaults(c.model);
        options.serial = c.serial;
        Lgr87xLogger& logger = bench.Emplace<tb::sim::Lgr87xDevice>(options).Logger();
        bench.UseTemporaryDeviceMap();
        tb::pages::MemoryDialogView view;
        std::unique_ptr<tb::pages::CPropertyPage> page;
        if (c.model == Lgr87xModel::k870) page = std::make_unique<tb::pages::lgr87x::CPageLgr870>();
        else page = std::make_unique<tb::pages::lgr87x::CPageLgr875>();
        page->AttachView(view);
        page->OnInitDialog();
        view.SelectTab(kTabs, 1);
        page->OnCommand(kTabs);
        boxes_.SetDefaultAnswer(MsgAnswer::Yes);
        auto send = [&](int row, bool twoPoint, const char* b1, const char* a1,
                        const char* b2 = "", const char* a2 = "") {
            view.SetCheck(kCheck[row], true);
            page->OnCommand(kCheck[row]);
            view.SetRadioIndex(kOnePoint[row], twoPoint ? 1 : 0);
            page->OnCommand(kOnePoint[row]);
            view.SetText(kBefore1[row], b1);
            view.SetText(kAfter1[row], a1);
            view.SetText(kBefore2[row], b2);
            view.SetText(kAfter2[row], a2);
            boxes_.Clear();
            page->OnCommand(kSend);
            return boxes_.Last().text;
        };
        auto held = [&] {
            auto lock = bench.LockState();
            return logger.calibration.at(kSecondGroup).values;
        };
        EXPECT_EQ(send(c.firstRow, true, "20", "30", "30", "45"), "送信が終了しました。");
        const auto afterFirst = held();
        EXPECT_EQ(afterFirst[0], 1500);
        for (const char* after : {"50.1", "50.2", "50.3", "50.4", "50.5"}) {
            EXPECT_EQ(send(c.firstRow + 1, false, "50", after), "送信が終了しました。");
            EXPECT_EQ(held()[0], afterFirst[0]) << after;
            EXPECT_EQ(held()[1], afterFirst[1]) << after;
        }
        EXPECT_EQ(held()[3], 1500);  // the five one-point offsets, composed
        // A one-point send on Ch.3 itself keeps its slope and composes its offset.
        EXPECT_EQ(send(c.firstRow, false, "20", "21"), "送信が終了しました。");
        EXPECT_EQ(held()[0], 1500);
        EXPECT_EQ(held()[1], afterFirst[1] + 1000);
        boxes_.SetDefaultAnswer(MsgAnswer::No);
    }
}

// The history write fails behind a calibration write that succeeded: the
// record's factor no longer describes the logger, and the next send on the
// other channel writes the first one back as the logger holds it.
TEST_F(DirectUsbPages, AFailedHistoryWriteLeavesNoStaleFactorBehind) {
    constexpr int kSetHistoryCommand = 0x5D;
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    SelectTab(page, 1);
    boxes_.SetDefaultAnswer(MsgAnswer::Yes);
    Tick(page, 2);
    TwoPoint(page, 2);
    Type(2, "20", "30", "30", "45");
    page.OnCommand(kSend);
    ASSERT_EQ(Held(logger, kSecondGroup)[0], 1500);
    {
        auto lock = bench_.LockState();
        logger.ArmFault(tb::sim::Lgr87xFault::kRefusal, 3, kSetHistoryCommand);
    }
    Type(2, "20", "30", "30", "35");  // slope 0.5: the logger holds 750, the record still 1500
    boxes_.Clear();
    page.OnCommand(kSend);
    EXPECT_EQ(Held(logger, kSecondGroup)[0], 750);
    // The failure is reported, and so is the correction the logger now holds.
    EXPECT_TRUE(Shown("通信もしくは設定に失敗しました。"));
    EXPECT_EQ(boxes_.Last().stringId, tb::resources::strings::kMsgWrittenHistoryIncomplete);
    EXPECT_EQ(view_.Text(kCurrent870[2]).rfind("現在の設定：y = 0.750x", 0), 0u)
        << view_.Text(kCurrent870[2]);
    EXPECT_TRUE(page.LastOutcome().historyIncomplete);

    Tick(page, 3);
    Type(3, "50", "51");
    boxes_.Clear();
    page.OnCommand(kSend);
    EXPECT_EQ(boxes_.Last().text, "送信が終了しました。");
    EXPECT_EQ(Held(logger, kSecondGroup), (CalibrationCodes{750, Held(logger, kSecondGroup)[1], 1000, 1000}));
    boxes_.SetDefaultAnswer(MsgAnswer::No);
}

// The logger acknowledges the write but holds other codes: reported as a
// failure with the codes it holds on the page, never as sent.
TEST_F(DirectUsbPages, AReadBackThatDiffersIsAFailureAndShowsWhatTheLoggerHolds) {
    Lgr87xLogger& logger = Add(Lgr87xModel::k870, kSerial870);
    tb::pages::lgr87x::CPageLgr870 page;
    Open(page);
    {
        auto lock = bench_.LockState();
        logger.ArmFault(tb::sim::Lgr87xFault::kStoresAltered, 1);
    }
    Tick(page, 0);
    Type(0, "2.4", "");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page.OnCommand(kSend);

    EXPECT_EQ(Held(logger, kFirstGroup), (CalibrationCodes{1001, -2400, 1000, 0}));
    EXPECT_EQ(boxes_.Last().stringId, 1014);
    EXPECT_NE(boxes_.Last().text.find("-98"), std::string::npos) << boxes_.Last().text;
    EXPECT_FALSE(Shown("送信が終了しました。"));
    EXPECT_EQ(view_.Text(kCurrent870[0]), "現在の設定：y = 1.001x -2.400");
    EXPECT_EQ(HeldHistory(logger, kFirstGroup)[1], 0);  // no history entry for it
    EXPECT_EQ(LogFile(), "");
}
