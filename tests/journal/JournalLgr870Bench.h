// The 870 page against a simulated 870 logger, with a journal in a
// temporary folder: the fixture of the journal's 870 tests.
#pragma once

#include <gtest/gtest.h>

#include "journal/JournalRecorder.h"
#include "pages/MemoryDialogView.h"
#include "pages/lgr87x/PageLgr870.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "services/Settings.h"
#include "sim/core/Bench.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/services/TempDir.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::journal {

using namespace resources::lgr87x_ids;
using pages::Correction;
using pages::lgr87x::CalibrationCodes;
using services::MsgAnswer;

constexpr uint32_t kSerial870 = 0x12345678;
constexpr uint8_t kFirstGroup = 2;
constexpr uint8_t kSecondGroup = 1;
constexpr int kSetCalibrationCommand = 0x5B;

class JournalLgr870Test : public ::testing::Test {
  protected:
    void SetUp() override {
        services::WriteTempUnit(0);
        sim::Lgr87xOptions options = sim::Lgr87xDefaults(sim::Lgr87xModel::k870);
        options.serial = kSerial870;
        logger_ = &bench_.Emplace<sim::Lgr87xDevice>(options).Logger();
        bench_.UseTemporaryDeviceMap();
        page_.AttachView(view_);
        page_.OnInitDialog();
        page_.OnSetActive();
    }

    CalibrationCodes Held(uint8_t group) {
        auto lock = bench_.LockState();
        const auto& values = logger_->calibration.at(group).values;
        return {values[0], values[1], values[2], values[3]};
    }
    void Hold(uint8_t group, CalibrationCodes codes) {
        auto lock = bench_.LockState();
        logger_->calibration[group].values = {codes[0], codes[1], codes[2], codes[3]};
    }
    static std::vector<Correction> AsCorrections(const CalibrationCodes& codes) {
        return {{codes[0] / 1000.0, codes[1] / 1000.0}, {codes[2] / 1000.0, codes[3] / 1000.0}};
    }

    void SendOnSecondTab(const char* a2) {
        view_.SelectTab(kTabs, 1);
        page_.OnCommand(kTabs);
        view_.SetCheck(kCheck[3], true);
        page_.OnCommand(kCheck[3]);
        view_.SetRadioIndex(kOnePoint[3], 1);
        page_.OnCommand(kTwoPoint[3]);
        view_.SetText(kBefore1[3], "0");
        view_.SetText(kAfter1[3], "0");
        view_.SetText(kBefore2[3], "10");
        view_.SetText(kAfter2[3], a2);
        boxes_.AnswerNext(MsgAnswer::Yes);
        page_.OnCommand(kSend);
    }

    // The only row, and its channels' as-found and as-left corrections.
    JournalEntry OnlyRow() {
        JournalStore* store = journal_.Recorder().Store();
        if (store == nullptr) return {};
        const auto rows = store->Fetch({}, 0, 10);
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? JournalEntry{} : rows.front();
    }
    static std::vector<Correction> Field(const JournalEntry& row,
                                         std::optional<Correction> pages::ChannelRecord::*field) {
        std::vector<Correction> values;
        for (const auto& channel : ParseChannels(row.channels)) {
            if (channel.*field) values.push_back(*(channel.*field));
        }
        return values;
    }

    tb::testing::TempDir dir_;
    tb::testing::ScopedEnv home_{"HOME", dir_.str()};
    tb::testing::ScopedEnv settings_{"TRIMBENCH_SETTINGS_FILE", dir_.str() + "/settings.ini"};
    InstalledJournal journal_{JournalLocation{Engine::Sqlite, dir_.str() + "/journal.sqlite3", {}}};
    sim::Bench bench_{{.pacing = false}};
    sim::Lgr87xLogger* logger_ = nullptr;
    pages::MemoryDialogView view_;
    services::ScriptedMessageBoxes boxes_;
    pages::lgr87x::CPageLgr870 page_;
};

}  // namespace tb::journal
