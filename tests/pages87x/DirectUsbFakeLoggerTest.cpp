// The direct-USB page with a fake behind its logger seam: the page's order
// of steps without a simulator, and what it makes of answers a simulated
// logger does not give on demand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "pages/MemoryDialogView.h"
#include "pages/lgr87x/DirectUsbLogger.h"
#include "pages/lgr87x/PageLgr870.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
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
    std::vector<std::pair<int, CalibrationCodes>> writes;

    std::vector<FoundLogger> Search() override { return attached; }
    int ReadCorrection(int tab, CalibrationCodes& codes) override {
        if (readAnswer == 0) codes = held[static_cast<std::size_t>(tab)];
        return readAnswer;
    }
    int WriteCorrection(int tab, int32_t, const CalibrationCodes& codes,
                        CalibrationCodes& back) override {
        writes.emplace_back(tab, codes);
        if (writeAnswer != 0) return writeAnswer;
        held[static_cast<std::size_t>(tab)] = codes;
        back = codes;
        return 0;
    }
    int ReadRecord(int, std::span<uint8_t, tb::history::kRecordSize> record) override {
        std::fill(record.begin(), record.end(), 0);
        return 0;
    }
    int WriteRecord(int, std::span<const uint8_t, tb::history::kRecordSize>) override { return 0; }
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

}  // namespace
