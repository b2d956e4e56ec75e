// Page operations against the simulated bench leave exactly one journal row
// each, holding what the simulated logger held before and holds after.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "journal/JournalRecorder.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "services/Settings.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/core/Bench.h"
#include "sim/loggers/SimulatedLogger.h"
#include "tests/services/TempDir.h"
#include "tests/support/OneChannelBlock.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::journal {
namespace {

using pages::Correction;
using services::MsgAnswer;
using sim::loggers::Block64;
using namespace pages::one_channel;

constexpr uint8_t kLgr821DeviceCode = 0x5C;
constexpr uint32_t kUnitSerial = 0x00A1B2C3;

using testsupport::BlockHolding;

Correction Held(const Block64& block) {
    const auto [slope, offset] = testsupport::CodesOf(block);
    return {slope / 1000.0, offset / 1000.0};
}

class JournalPagesTest : public ::testing::Test {
  protected:
    // The simulated logger behind the unit.
    virtual uint8_t DeviceCode() const { return kLgr821DeviceCode; }

    void SetUp() override {
        services::WriteTempUnit(0);
        logger_ = std::make_shared<sim::loggers::SimulatedLogger>(
            *sim::loggers::ModelForDeviceCode(DeviceCode()));
        bench_.Emplace<sim::BaseUnit>(sim::BaseUnitConfig{.serial = kUnitSerial}, logger_);
        SetHeld(1010, 400);
        bench_.UseTemporaryDeviceMap();
        page_.AttachView(view_);
        page_.OnInitDialog();
        page_.OnSetActive();
    }

    void SetHeld(uint16_t slope, int16_t offset) {
        auto lock = bench_.LockState();
        logger_->SetAdjustment(BlockHolding(slope, offset));
    }
    Correction HeldNow() {
        auto lock = bench_.LockState();
        return Held(logger_->Adjustment());
    }

    void Send(const char* before, const char* after) {
        view_.SetCheck(kAdjustChannel, true);
        page_.OnCommand(kAdjustChannel);
        view_.SetText(kBefore1, before);
        view_.SetText(kAfter1, after);
        boxes_.AnswerNext(MsgAnswer::Yes);
        page_.OnCommand(kSend);
    }

    // The journal's only row and its only channel.
    std::pair<JournalEntry, pages::ChannelRecord> OnlyRow() {
        JournalStore* store = journal_.Recorder().Store();
        EXPECT_NE(store, nullptr);
        if (store == nullptr) return {};
        const auto rows = store->Fetch({}, 0, 10);
        EXPECT_EQ(rows.size(), 1u);
        if (rows.empty()) return {};
        const auto channels = ParseChannels(rows.front().channels);
        EXPECT_EQ(channels.size(), 1u);
        return {rows.front(), channels.empty() ? pages::ChannelRecord{} : channels.front()};
    }

    tb::testing::TempDir dir_;
    tb::testing::ScopedEnv settings_{"TRIMBENCH_SETTINGS_FILE", dir_.str() + "/settings.ini"};
    InstalledJournal journal_{JournalLocation{Engine::Sqlite, dir_.str() + "/journal.sqlite3", {}}};
    sim::Bench bench_{{.pacing = false}};
    std::shared_ptr<sim::loggers::SimulatedLogger> logger_;
    pages::MemoryDialogView view_;
    services::ScriptedMessageBoxes boxes_;
    pages::CPageLgr820 page_{pages::MakeBaseUnitLogger()};
};

TEST_F(JournalPagesTest, ASendRecordsWhatTheLoggerHeldAndNowHolds) {
    const Correction before = HeldNow();
    Send("25.0", "25.3");
    const Correction after = HeldNow();
    ASSERT_EQ(after, (Correction{1.010, 0.700}));
    const auto [row, channel] = OnlyRow();
    EXPECT_EQ(row.outcome, kOutcomeSuccess);
    EXPECT_EQ(row.messageId, 1050);
    EXPECT_EQ(row.unitSerial, "00A1B2C3");
    EXPECT_EQ(row.page, "820/821");
    EXPECT_EQ(row.model, "821");
    EXPECT_EQ(channel.asFound, before);
    EXPECT_EQ(channel.asLeft, after);
    EXPECT_EQ(channel.enteredPoints, (std::vector<std::string>{"25.0", "25.3"}));
    EXPECT_EQ(channel.entered, (Correction{1.0, 0.3}));
    EXPECT_TRUE(journal_.Recorder().Store()->Verify().Intact());
}

TEST_F(JournalPagesTest, ARefusedSendRecordsTheRefusalAndTheLoggerUnchanged) {
    const Correction before = HeldNow();
    Send("25.0", "60.0");  // an offset beyond the channel's limit
    ASSERT_EQ(HeldNow(), before);
    const auto [row, channel] = OnlyRow();
    EXPECT_EQ(row.outcome, kOutcomeFailure);
    EXPECT_EQ(row.messageId, pages::kMsgOffsetLimit30C);
    EXPECT_EQ(channel.asFound, before);
    EXPECT_EQ(channel.asLeft, before);
    EXPECT_FALSE(channel.entered.has_value());
}

TEST_F(JournalPagesTest, AFailedWriteRecordsTheFailureAndWhatTheLoggerWasLeftHolding) {
    const Correction before = HeldNow();
    struct Case {
        const char* name;
        int sim::loggers::LoggerFaults::*fault;
        int count;
    };
    // Garbled replies: the logger may have taken the write but nobody can
    // tell. Read-backs that differ: the write landed unconfirmed, and one
    // more read shows it.
    for (const Case& c : {Case{"garbled", &sim::loggers::LoggerFaults::wrongWord, 100},
                          Case{"read-back", &sim::loggers::LoggerFaults::readBackDiffers, 4}}) {
        SCOPED_TRACE(c.name);
        SetHeld(1010, 400);
        boxes_.Clear();
        // Once the technician has confirmed, the fault is armed.
        boxes_.OnShow([this, c](const services::MessageBoxRequest& box) {
            if (box.buttons != services::MsgButtons::YesNo) return;
            auto lock = bench_.LockState();
            logger_->Faults().*c.fault = c.count;
        });
        Send("25.0", "25.3");
        // The failure's message; when the logger cannot tell what it holds,
        // the advice to receive follows it.
        const auto texts = boxes_.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "選択された機器が接続されていません。"),
                  texts.end());
        {
            auto lock = bench_.LockState();
            logger_->Faults().Clear();
        }
        const JournalEntry row = journal_.Recorder().Store()->Fetch({}, 0, 1).front();
        const pages::ChannelRecord channel = ParseChannels(row.channels).front();
        EXPECT_EQ(row.outcome, kOutcomeFailure);
        EXPECT_EQ(row.messageId, 1048);
        EXPECT_EQ(channel.asFound, before);
        EXPECT_EQ(channel.composed, (Correction{1.010, 0.700}));
        if (c.fault == &sim::loggers::LoggerFaults::wrongWord) {
            EXPECT_FALSE(channel.asLeft.has_value());
        } else {
            EXPECT_EQ(channel.asLeft, HeldNow());
        }
    }
    EXPECT_EQ(journal_.Recorder().Store()->Count({}), 2);
}

TEST_F(JournalPagesTest, AnInitialiseRecordsTheCorrectionItReplacedAndTheFactoryState) {
    const Correction before = HeldNow();
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_.OnCommand(kInitialise);
    ASSERT_EQ(HeldNow(), (Correction{1.0, 0.0}));
    const auto [row, channel] = OnlyRow();
    EXPECT_EQ(row.operation, "initialise");
    EXPECT_EQ(row.outcome, kOutcomeSuccess);
    EXPECT_EQ(channel.asFound, before);
    EXPECT_EQ(channel.asLeft, (Correction{1.0, 0.0}));
}

TEST_F(JournalPagesTest, AnUnwritableJournalLeavesTheAdjustmentStandingAndSaysSo) {
    // A folder without write permission stops everyone but root; nothing can
    // be created under /proc, not even by root.
    const std::string readOnly = dir_.str() + "/read-only";
    std::filesystem::create_directory(readOnly);
    std::filesystem::permissions(
        readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::vector<std::string> places = {dir_.str() + "/no/such.sqlite3",
                                       "/proc/self/trimbench-journal.sqlite3"};
    if (::geteuid() != 0) places.push_back(readOnly + "/journal.sqlite3");
    for (const std::string& place : places) {
        SCOPED_TRACE(place);
        SetHeld(1010, 400);
        boxes_.Clear();
        InstalledJournal unwritable(JournalLocation{Engine::Sqlite, place, {}});
        Send("25.0", "25.3");
        EXPECT_EQ(HeldNow(), (Correction{1.010, 0.700}));
        const auto texts = boxes_.Texts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[texts.size() - 2], "アジャストメントは正常に終了しました。");
        EXPECT_EQ(texts.back().rfind("調整は終了していますが、調整記録に書き込めませんでした。", 0),
                  0u);
        EXPECT_EQ(view_.Text(kCurrentLine), "現在の設定：y = 1.010x +0.700");
    }
    EXPECT_EQ(journal_.Recorder().Store(), nullptr);  // nothing went to the journal behind
}

// The page serves both one-channel models; each row names the one it found.
struct FoundModel {
    uint8_t deviceCode;
    const char* model;
};

class JournalModelTest : public JournalPagesTest, public ::testing::WithParamInterface<FoundModel> {
  protected:
    uint8_t DeviceCode() const override { return GetParam().deviceCode; }
};

TEST_P(JournalModelTest, EachOperationRecordsTheModelTheDeviceCodeNames) {
    Send("25.0", "25.3");
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_.OnCommand(kInitialise);
    page_.OnCommand(kReceive);
    const auto rows = journal_.Recorder().Store()->Fetch({}, 0, 10);
    ASSERT_EQ(rows.size(), 3u);
    for (const JournalEntry& row : rows) {
        SCOPED_TRACE(row.operation);
        EXPECT_EQ(row.page, "820/821");
        EXPECT_EQ(row.model, GetParam().model);
    }
}

INSTANTIATE_TEST_SUITE_P(OneChannelModels, JournalModelTest,
                         ::testing::Values(FoundModel{0x40, "820"}, FoundModel{0x41, "820"},
                                           FoundModel{0x5C, "821"}, FoundModel{0x5D, "821"}));

}  // namespace
}  // namespace tb::journal
