#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr890.h"
#include "services/HelpOpener.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/ScriptedPageLogger.h"

using tb::pages::Correction;
using tb::pages::CPageLgr820;
using tb::pages::CPageLgr890;
using tb::pages::MemoryDialogView;
using tb::services::MsgAnswer;
using tb::services::MsgButtons;
using tb::services::MsgIcon;
using tb::services::ScriptedMessageBoxes;
using tb::testing::LoggerState;
using tb::testing::ScriptedPageLogger;
using namespace tb::pages::one_channel;

namespace {

const char* kNotConnected = "選択された機器が接続されていません。";
const char* kAdjusted = "アジャストメントは正常に終了しました。";

class OneChannelPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::filesystem::temp_directory_path() /
                    ("tb-pages1ch-" + std::to_string(getpid()) + ".ini");
        std::filesystem::remove(settings_);
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        tb::services::WriteTempUnit(0);
        page_ = std::make_unique<CPageLgr820>(std::make_unique<ScriptedPageLogger>(logger_));
        page_->AttachView(view_);
        page_->OnInitDialog();
        page_->OnSetActive();
    }
    void TearDown() override { std::filesystem::remove(settings_); }

    // What a technician does: tick, choose, type.
    void Enter(const std::string& before1, const std::string& after1,
               const std::string& before2 = "", const std::string& after2 = "") {
        view_.SetCheck(kAdjustChannel, true);
        page_->OnCommand(kAdjustChannel);
        const bool twoPoint = !before2.empty() || !after2.empty();
        view_.SetRadioIndex(kOnePoint, twoPoint ? 1 : 0);
        page_->OnCommand(twoPoint ? kTwoPoint : kOnePoint);
        view_.SetText(kBefore1, before1);
        view_.SetText(kAfter1, after1);
        view_.SetText(kBefore2, before2);
        view_.SetText(kAfter2, after2);
    }

    void ExpectIdle() {
        EXPECT_TRUE(view_.IsSheetEnabled());
        for (int id : {kInitialise, kSend, kReceive}) EXPECT_TRUE(view_.IsEnabled(id)) << id;
    }

    std::filesystem::path settings_;
    LoggerState logger_;
    MemoryDialogView view_;
    ScriptedMessageBoxes boxes_;
    std::unique_ptr<CPageLgr820> page_;
};

}  // namespace

TEST_F(OneChannelPageTest, OpensUntickedWithRowsFollowingTheChannelAndPointRules) {
    EXPECT_FALSE(view_.IsChecked(kAdjustChannel));
    EXPECT_EQ(view_.RadioIndex(kOnePoint), 0);
    EXPECT_EQ(view_.Text(kCurrentLine), "");
    for (int id : {kOnePoint, kTwoPoint, kBefore1, kAfter1, kBefore2, kAfter2}) {
        EXPECT_FALSE(view_.IsEnabled(id)) << id;
    }
    for (int id : {kUnitBefore1, kUnitBefore2, kUnitAfter1, kUnitAfter2}) {
        EXPECT_EQ(view_.Text(id), "℃") << id;
    }

    view_.SetCheck(kAdjustChannel, true);
    page_->OnCommand(kAdjustChannel);
    EXPECT_TRUE(view_.IsEnabled(kBefore1));
    EXPECT_TRUE(view_.IsEnabled(kAfter1));
    EXPECT_FALSE(view_.IsEnabled(kBefore2));
    EXPECT_FALSE(view_.IsEnabled(kAfter2));

    view_.SetRadioIndex(kOnePoint, 1);
    page_->OnCommand(kTwoPoint);
    EXPECT_TRUE(view_.IsEnabled(kBefore2));
    EXPECT_TRUE(view_.IsEnabled(kAfter2));
    EXPECT_EQ(page_->PointMode(), 1);

    view_.SetCheck(kAdjustChannel, false);
    page_->OnCommand(kAdjustChannel);
    for (int id : {kOnePoint, kTwoPoint, kBefore1, kAfter1, kBefore2, kAfter2}) {
        EXPECT_FALSE(view_.IsEnabled(id)) << id;
    }
}

TEST_F(OneChannelPageTest, SendWithTheChannelUntickedDoesNothingAtAll) {
    view_.SetText(kBefore1, "25.0");
    view_.SetText(kAfter1, "25.3");
    page_->OnCommand(kSend);
    EXPECT_EQ(boxes_.Count(), 0u);
    EXPECT_EQ(logger_.connectionChecks, 0);
    EXPECT_EQ(logger_.reads + logger_.writes, 0);
    EXPECT_TRUE(view_.SheetHistory().empty());
}

TEST_F(OneChannelPageTest, OnePointSendConfirmsTheEnteredFormulaAndWritesTheComposedOne) {
    logger_.held = {1.0, 0.4};
    Enter("25.0", "25.3");
    bool busyDuringExchange = false;
    logger_.duringExchange = [&] {
        busyDuringExchange = !view_.IsSheetEnabled() && !view_.IsEnabled(kSend) &&
                             !view_.IsEnabled(kInitialise) && !view_.IsEnabled(kReceive);
    };
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_->OnCommand(kSend);

    ASSERT_EQ(boxes_.Count(), 2u);
    const auto question = boxes_.Boxes()[0];
    EXPECT_EQ(question.text,
              "CH:1 (y = 1.000x +0.300)\nという補正式になります。\n\n送信してよろしいですか？");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(boxes_.Last().text, kAdjusted);
    EXPECT_EQ(logger_.held, (Correction{1.0, 0.7}));
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x +0.700");
    EXPECT_TRUE(busyDuringExchange);
    ExpectIdle();
    // A send reads the logger first and never changes the entered texts.
    EXPECT_EQ(logger_.reads, 1);
    EXPECT_EQ(view_.Text(kBefore1), "25.0");
}

TEST_F(OneChannelPageTest, AnsweringNoWritesNothingAndKeepsTheCurrentLine) {
    page_->OnCommand(kReceive);  // the line now shows the logger's correction
    const std::string line = view_.Text(kCurrentLine);
    Enter("20", "21");
    boxes_.Clear();
    boxes_.AnswerNext(MsgAnswer::No);
    page_->OnCommand(kSend);
    EXPECT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(logger_.writes, 0);
    EXPECT_EQ(logger_.held, (Correction{1.0, 0.0}));
    EXPECT_EQ(view_.Text(kCurrentLine), line);
    ExpectIdle();
}

TEST_F(OneChannelPageTest, EmptyRowTwoBoxStopsThereAfterTheLoggerWasRead) {
    Enter("0", "0.2", "50", "");
    page_->OnCommand(kSend);
    EXPECT_EQ(logger_.reads, 1);
    EXPECT_EQ(logger_.writes, 0);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "数値を正しく入力してください。");
    EXPECT_EQ(boxes_.Last().icon, MsgIcon::Warning);
    EXPECT_EQ(view_.FocusedId(), kAfter2);
    ExpectIdle();
}

TEST_F(OneChannelPageTest, TwoPointSendComposesWithTheLoggersCorrection) {
    logger_.held = {1.002, -0.35};
    Enter("0", "0.1", "100", "99.9");  // slope 0.998, offset +0.100
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_->OnCommand(kSend);
    EXPECT_EQ(boxes_.Boxes()[0].text,
              "CH:1 (y = 0.998x +0.100)\nという補正式になります。\n\n送信してよろしいですか？");
    EXPECT_EQ(logger_.held, (Correction{1.0, -0.249}));
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x -0.249");
}

TEST_F(OneChannelPageTest, RefusedCorrectionShowsItsMessageAndWritesNothing) {
    logger_.held = {1.0, 29.5};
    Enter("0", "0.75");
    page_->OnCommand(kSend);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "オフセットの加算値が±30.0(ﾟC換算)を越えています。");
    EXPECT_EQ(logger_.writes, 0);
    ExpectIdle();
}

TEST_F(OneChannelPageTest, UnitSwitchClearsTheLineRelabelsAndKeepsTheTexts) {
    page_->OnCommand(kReceive);
    Enter("77.0", "78.8");
    page_->OnKillActive();
    ASSERT_FALSE(view_.Text(kCurrentLine).empty());
    tb::services::WriteTempUnit(1);
    page_->OnSetActive();
    EXPECT_EQ(view_.Text(kCurrentLine), "");
    for (int id : {kUnitBefore1, kUnitBefore2, kUnitAfter1, kUnitAfter2}) {
        EXPECT_EQ(view_.Text(id), "°F") << id;
    }
    EXPECT_EQ(view_.Text(kBefore1), "77.0");
    EXPECT_EQ(view_.Text(kAfter1), "78.8");
    EXPECT_TRUE(view_.IsChecked(kAdjustChannel));

    // Degrees F entry: 77.0 -> 78.8 is +1.000 degC, confirmed as +1.800 degF.
    boxes_.Clear();
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_->OnCommand(kSend);
    EXPECT_EQ(boxes_.Boxes()[0].text,
              "CH:1 (y = 1.000x +1.800)\nという補正式になります。\n\n送信してよろしいですか？");
    EXPECT_EQ(logger_.held, (Correction{1.0, 1.0}));
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x +1.800");
}

TEST_F(OneChannelPageTest, ReceiveInDegreesFShowsTheFahrenheitForm) {
    tb::services::WriteTempUnit(1);
    page_->OnSetActive();
    logger_.held = {1.0, 0.25};
    page_->OnCommand(kReceive);
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x +0.450");
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");
    EXPECT_EQ(boxes_.Last().icon, MsgIcon::Information);
    EXPECT_EQ(page_->Current(), (Correction{1.0, 0.25}));
    ExpectIdle();
}

TEST_F(OneChannelPageTest, InitialiseAsksFirstAndKeepsTheLineWhenTheLoggerRefuses) {
    logger_.held = {1.01, 0.5};
    boxes_.AnswerNext(MsgAnswer::No);
    page_->OnCommand(kInitialise);
    EXPECT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(logger_.connectionChecks, 0);
    EXPECT_TRUE(view_.SheetHistory().empty());

    page_->OnCommand(kReceive);
    const std::string line = view_.Text(kCurrentLine);
    logger_.writeSucceeds = false;
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_->OnCommand(kInitialise);
    EXPECT_EQ(boxes_.Last().text, kNotConnected);
    EXPECT_EQ(view_.Text(kCurrentLine), line);
    EXPECT_EQ(logger_.held, (Correction{1.01, 0.5}));
    ExpectIdle();

    logger_.writeSucceeds = true;
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_->OnCommand(kInitialise);
    EXPECT_EQ(logger_.held, (Correction{1.0, 0.0}));
    EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.000x +0.000");
    // The page holds what the logger now holds.
    EXPECT_EQ(page_->Current(), (Correction{1.0, 0.0}));
}

// A write the logger did not confirm may have landed all the same. The page
// reads (quietly) what the logger holds and says it: written, nothing
// written, or unknown, with the advice to receive before sending again. The
// line and the current correction show what was read.
TEST_F(OneChannelPageTest, AFailedWriteIsSettledByWhatTheLoggerHolds) {
    using tb::pages::LoggerWrite;
    const std::string unknown =
        tb::services::LoadResString(tb::resources::strings::kMsgLoggerStateUnknown);
    struct Case {
        const char* name;
        // Runs during the failing write, on the logger's state.
        void (*meanwhile)(LoggerState&);
        LoggerWrite write;
        const char* line;  // nullptr: the line keeps its text
    };
    const Case cases[] = {
        {"nothing landed", [](LoggerState&) {}, LoggerWrite::None, "現在の設定：y = 1.000x -0.120"},
        {"landed",
         [](LoggerState& l) {
             l.held = {1.0, 0.18};
         },
         LoggerWrite::Written, "現在の設定：y = 1.000x +0.180"},
        {"something else",
         [](LoggerState& l) {
             l.held = {1.0, 0.5};
         },
         LoggerWrite::Unknown, "現在の設定：y = 1.000x +0.500"},
        {"no answer", [](LoggerState& l) { l.readSucceeds = false; }, LoggerWrite::Unknown,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        logger_ = LoggerState{};
        logger_.held = {1.0, -0.12};
        view_.SetText(kCurrentLine, "as it was");
        Enter("25", "25.3");
        logger_.writeSucceeds = false;
        logger_.duringExchange = [this, &c] {
            if (logger_.writes > 0) c.meanwhile(logger_);
        };
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page_->OnCommand(kSend);

        EXPECT_EQ(page_->LastOutcome().write, c.write);
        EXPECT_TRUE(page_->LastOutcome().loggerRead);
        EXPECT_EQ(boxes_.Last().text, c.write == LoggerWrite::Unknown ? unknown : kNotConnected);
        EXPECT_EQ(view_.Text(kCurrentLine), c.line ? c.line : "as it was");
        if (c.line) {
            EXPECT_EQ(page_->CurrentCorrection(1), logger_.held);
        }
        ExpectIdle();
    }
    // The next operation starts from a clean outcome.
    logger_ = LoggerState{};
    page_->OnCommand(kReceive);
    EXPECT_EQ(page_->LastOutcome().write, LoggerWrite::None);
}

TEST_F(OneChannelPageTest, NoLoggerMeansMessage1048ForEveryOperationAndNoExchange) {
    logger_.connected = false;
    Enter("25", "25.5");
    boxes_.SetDefaultAnswer(MsgAnswer::Yes);
    for (int id : {kSend, kReceive, kInitialise}) {
        boxes_.Clear();
        page_->OnCommand(id);
        EXPECT_EQ(boxes_.Last().text, kNotConnected) << id;
        ExpectIdle();
    }
    EXPECT_EQ(logger_.reads + logger_.writes, 0);
}

TEST_F(OneChannelPageTest, ReadFailureEndsTheSendBeforeTheEntryIsExamined) {
    logger_.readSucceeds = false;
    Enter("not", "a number");
    page_->OnCommand(kSend);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, kNotConnected);
    EXPECT_EQ(view_.FocusedId(), 0);
    ExpectIdle();
}

TEST(OneChannelPages, Lgr890PageBindsTheSameCommandsToItsOwnLogger) {
    LoggerState cable;
    cable.connected = false;
    CPageLgr890 page(std::make_unique<ScriptedPageLogger>(cable));
    MemoryDialogView view;
    ScriptedMessageBoxes boxes;
    page.AttachView(view);
    page.OnInitDialog();
    EXPECT_EQ(page.DialogId(), 139);
    EXPECT_TRUE(page.OnCommand(kReceive));
    EXPECT_EQ(boxes.Last().text, kNotConnected);
    EXPECT_EQ(cable.reads, 0);
    for (int id : {kAdjustChannel, kOnePoint, kTwoPoint}) EXPECT_TRUE(page.OnCommand(id)) << id;
    EXPECT_FALSE(page.OnCommand(1076));
}

TEST(OneChannelPages, HelpReportsAHelpFileThatCannotBeOpened) {
    LoggerState logger;
    CPageLgr820 page(std::make_unique<ScriptedPageLogger>(logger));
    MemoryDialogView view;
    ScriptedMessageBoxes boxes;
    tb::services::SetHelpOpener([](const std::string&) { return false; });
    page.AttachView(view);
    page.OnInitDialog();
    page.OnCommand(kHelp);
    tb::services::SetHelpOpener({});
    // Whether the manual is missing or no viewer takes it, one box says so.
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "ヘルプファイルが起動できません。");
}
