// The direct-USB page with a fake behind its logger seam: the page's order
// of steps without a simulator, and what it makes of answers a simulated
// logger does not give on demand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "pages/MemoryDialogView.h"
#include "pages/lgr87x/DirectUsbLogger.h"
#include "pages/lgr87x/PageLgr870.h"
#include "resources/StringIds.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

namespace fs = std::filesystem;
using namespace tb::pages::lgr87x;
using namespace tb::resources::lgr87x_ids;
using tb::services::MsgAnswer;

class FakeLogger final : public DirectUsbLogger {
  public:
    std::vector<FoundLogger> attached{{3, 0xCAFE0001, 1127, "LGR"}};
    std::array<CalibrationCodes, kTabCount> held{kFactoryCodes, kFactoryCodes};
    int writeAnswer = 0;  // what the logger answers a calibration write
    int readAnswer = 0;   // what it answers every calibration read
    int readAnswerAfterWrite = 0;                   // ... once a calibration write was made
    bool failedWriteLands = false;                  // a write it answers with a failure still lands
    std::optional<CalibrationCodes> storesInstead;  // what a write leaves instead
    int recordAnswer = 0;                           // what it answers a history record write
    std::vector<std::pair<int, CalibrationCodes>> writes;

    std::vector<FoundLogger> Search() override { return attached; }
    int ReadCorrection(int tab, CalibrationCodes& codes) override {
        const int answer = writes.empty() ? readAnswer : readAnswerAfterWrite;
        if (answer == 0) codes = held[static_cast<std::size_t>(tab)];
        return answer;
    }
    int WriteCorrection(int tab, int32_t, const CalibrationCodes& codes,
                        CalibrationCodes& back) override {
        writes.emplace_back(tab, codes);
        CalibrationCodes& stored = held[static_cast<std::size_t>(tab)];
        if (writeAnswer != 0) {
            if (failedWriteLands) stored = codes;
            return writeAnswer;
        }
        stored = storesInstead.value_or(codes);
        back = stored;
        return stored == codes ? 0 : kReadBackDiffers;
    }
    int ReadRecord(int, std::span<uint8_t, tb::history::kRecordSize> record) override {
        std::fill(record.begin(), record.end(), 0);
        return 0;
    }
    int WriteRecord(int, std::span<const uint8_t, tb::history::kRecordSize>) override {
        return recordAnswer;
    }
};

class DirectUsbFakeLogger : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("tb-pages87x-fake-" + std::to_string(getpid()));
        fs::create_directories(home_);
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
        setenv("TRIMBENCH_SETTINGS_FILE", (home_ / "settings.ini").c_str(), 1);
        tb::services::WriteTempUnit(0);
        auto fake = std::make_unique<FakeLogger>();
        logger_ = fake.get();
        page_ = std::make_unique<CDirectUsbPage>(Lgr870Model(), std::move(fake));
        page_->AttachView(view_);
        page_->OnInitDialog();
        page_->OnSetActive();
    }
    void TearDown() override { fs::remove_all(home_); }

    fs::path home_;
    tb::pages::MemoryDialogView view_;
    tb::services::ScriptedMessageBoxes boxes_;
    FakeLogger* logger_ = nullptr;
    std::unique_ptr<CDirectUsbPage> page_;
};

TEST_F(DirectUsbFakeLogger, TheSearchMustFindExactlyOneLogger) {
    logger_->held[0] = {1100, 500, 900, -300};
    page_->OnCommand(kReceive);
    EXPECT_EQ(view_.Text(kCurrent870[0]), "現在の設定：y = 1.100x +0.500");
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");

    logger_->attached.push_back({7, 0xCAFE0002, 1127, "LGR"});
    boxes_.Clear();
    page_->OnCommand(kReceive);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "複数の機器が接続されています。機器を１台だけ接続して下さい。");
    EXPECT_TRUE(view_.IsEnabled(kReceive));
    EXPECT_TRUE(view_.IsSheetEnabled());
}

// A refused write is reported with the logger's key and code, nothing is
// shown as sent, and the controls come back.
TEST_F(DirectUsbFakeLogger, ARefusedWriteIsReportedAndTheControlsComeBack) {
    view_.SetCheck(kCheck[0], true);
    page_->OnCommand(kCheck[0]);
    view_.SetText(kBefore1[0], "2.4");
    logger_->writeAnswer = -5;
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_->OnCommand(kSend);

    ASSERT_EQ(logger_->writes.size(), 1u);
    EXPECT_EQ(logger_->writes[0], std::make_pair(0, CalibrationCodes{1000, -2400, 1000, 0}));
    EXPECT_NE(boxes_.Last().text.find("CAFE0001"), std::string::npos) << boxes_.Last().text;
    EXPECT_NE(boxes_.Last().text.find("-5"), std::string::npos) << boxes_.Last().text;
    EXPECT_EQ(logger_->held[0], kFactoryCodes);
    EXPECT_TRUE(view_.IsEnabled(kSend));
    EXPECT_TRUE(view_.IsSheetEnabled());
    ASSERT_TRUE(page_->Prepared().has_value());
    EXPECT_EQ(page_->Prepared()->codes, (CalibrationCodes{1000, -2400, 1000, 0}));
}

// Whatever ends a send, the outcome, the current-setting line and the last
// message say what the logger holds afterwards.
TEST_F(DirectUsbFakeLogger, EverySendSaysWhatTheLoggerHoldsAfterIt) {
    using tb::pages::LoggerWrite;
    namespace ids = tb::resources::strings;
    const CalibrationCodes sent{1000, -2400, 1000, 0};
    const CalibrationCodes altered{1501, -2400, 1000, 0};
    const std::string before = "現在の設定：y = 1.000x +0.000";
    const std::string after = "現在の設定：y = 1.000x -2.400";
    struct Case {
        const char* name;
        std::function<void(FakeLogger&)> arrange;
        LoggerWrite write;
        bool historyIncomplete;
        CalibrationCodes held;
        std::string line;
        int lastMessage;
    };
    const std::vector<Case> cases = {
        {"written and recorded", [](FakeLogger&) {}, LoggerWrite::Written, false, sent, after,
         ids::kMsgSent},
        {"refused, nothing landed", [](FakeLogger& l) { l.writeAnswer = -5; }, LoggerWrite::None,
         false, kFactoryCodes, before, 0},
        {"refused after it landed",
         [](FakeLogger& l) {
             l.writeAnswer = -5;
             l.failedWriteLands = true;
         },
         LoggerWrite::Written, false, sent, after, 0},
        {"refused, then silent",
         [](FakeLogger& l) {
             l.writeAnswer = -5;
             l.failedWriteLands = true;
             l.readAnswerAfterWrite = -1;
         },
         LoggerWrite::Unknown, false, sent, "", ids::kMsgLoggerStateUnknown},
        {"read back other codes", [&](FakeLogger& l) { l.storesInstead = altered; },
         LoggerWrite::Written, false, altered, "現在の設定：y = 1.501x -2.400", 0},
        {"history record refused", [](FakeLogger& l) { l.recordAnswer = -7; }, LoggerWrite::Written,
         true, sent, after, ids::kMsgWrittenHistoryIncomplete},
        {"log file unwritable",
         [](FakeLogger&) {
             // A plain file where the log folder belongs: no line can be added.
             std::ofstream(tb::services::DataFolderPath() + "/log") << "in the way";
         },
         LoggerWrite::Written, true, sent, after, ids::kMsgWrittenHistoryIncomplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange(*logger_);
        view_.SetCheck(kCheck[0], true);
        page_->OnCommand(kCheck[0]);
        view_.SetText(kBefore1[0], "2.4");
        boxes_.Clear();
        boxes_.AnswerNext(MsgAnswer::Yes);
        page_->OnCommand(kSend);

        const tb::pages::OperationOutcome outcome = page_->LastOutcome();
        EXPECT_EQ(outcome.write, c.write);
        EXPECT_TRUE(outcome.loggerRead);
        EXPECT_EQ(outcome.historyIncomplete, c.historyIncomplete);
        EXPECT_EQ(logger_->held[0], c.held);
        EXPECT_EQ(view_.Text(kCurrent870[0]), c.line);
        if (c.write != LoggerWrite::Unknown) {
            EXPECT_EQ(page_->CurrentCorrection(1).slope, c.held[0] / 1000.0);
        }
        if (c.lastMessage != 0) {
            EXPECT_EQ(boxes_.Last().stringId, c.lastMessage);
        } else {
            EXPECT_EQ(boxes_.Last().icon, tb::services::MsgIcon::Warning);
        }
        TearDown();
    }
}

// A failure before anything was read leaves the outcome saying so.
TEST_F(DirectUsbFakeLogger, AFailedReadBeforeTheWriteLeavesNothingWrittenAndNoLoggerRead) {
    logger_->readAnswer = -1;
    view_.SetCheck(kCheck[0], true);
    page_->OnCommand(kCheck[0]);
    view_.SetText(kBefore1[0], "2.4");
    page_->OnCommand(kSend);
    EXPECT_TRUE(logger_->writes.empty());
    EXPECT_EQ(page_->LastOutcome().write, tb::pages::LoggerWrite::None);
    EXPECT_FALSE(page_->LastOutcome().loggerRead);
}

}  // namespace
