// The recorder the pages report to: what a record becomes in the journal,
// and a journal that cannot be written never hides an adjustment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QSqlQuery>
#include <filesystem>
#include <fstream>

#include "journal/JournalRecorder.h"
#include "tests/journal/JournalSamples.h"
#include "tests/services/TempDir.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::journal {
namespace {

using testing::SampleRecord;

class JournalRecorderTest : public ::testing::Test {
  protected:
    JournalLocation At(const std::string& path) {
        JournalLocation location;
        location.sqlitePath = path;
        return location;
    }

    tb::testing::TempDir dir_;
    tb::testing::ScopedEnv settings_{"TRIMBENCH_SETTINGS_FILE", dir_.str() + "/settings.ini"};
    services::ScriptedMessageBoxes boxes_;
};

TEST_F(JournalRecorderTest, APageRecordBecomesOneRowWithItsChannelsAndTheOperatorSetting) {
    {
        std::ofstream ini(dir_.str() + "/settings.ini");
        ini << "[Journal]\nOperator=yamada\n";
    }
    InstalledJournal journal(At(dir_.str() + "/journal.sqlite3"));
    pages::AdjustmentRecord record = SampleRecord("00A1B2C3");
    record.loggerSerial = "12345678";
    record.historyEntry = {0x01, 0xAB, 0xFF};
    pages::RecordAdjustment(record);

    ASSERT_NE(journal.Recorder().Store(), nullptr);
    const std::vector<JournalEntry> rows = journal.Recorder().Store()->Fetch({}, 0, 10);
    ASSERT_EQ(rows.size(), 1u);
    const JournalEntry& row = rows.front();
    EXPECT_EQ(row.operatorName, "yamada");
    EXPECT_EQ(row.unitSerial, "00A1B2C3");
    EXPECT_EQ(row.loggerSerial, "12345678");
    EXPECT_EQ(row.operation, "send");
    EXPECT_EQ(row.outcome, kOutcomeSuccess);
    EXPECT_EQ(row.messageId, 1050);
    EXPECT_EQ(row.historyEntry, "01ABFF");
    EXPECT_EQ(row.recordedUtc.back(), 'Z');
    const auto channels = ParseChannels(row.channels);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0].asFound, record.channels[0].asFound);
    EXPECT_EQ(channels[0].enteredPoints, record.channels[0].enteredPoints);
    EXPECT_EQ(channels[0].composed, record.channels[0].composed);
    EXPECT_EQ(channels[0].asLeft, record.channels[0].asLeft);
    EXPECT_EQ(channels[0].limits->maxSlope, record.channels[0].limits->maxSlope);
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(JournalRecorderTest, StartedWithoutASessionsEnvironmentTheOperatorIsStillNamed) {
    tb::testing::ScopedEnv noUser{"USER", ""};
    InstalledJournal journal(At(dir_.str() + "/journal.sqlite3"));
    pages::RecordAdjustment(SampleRecord("00A1B2C3"));
    ASSERT_NE(journal.Recorder().Store(), nullptr);
    const std::vector<JournalEntry> rows = journal.Recorder().Store()->Fetch({}, 0, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(rows.front().operatorName.empty());
}

TEST_F(JournalRecorderTest, AFolderThatCannotHoldTheJournalShowsTheMessageAndALaterRecordLands) {
    const std::string folder = dir_.str() + "/data";
    InstalledJournal journal(At(folder + "/journal.sqlite3"));
    pages::RecordAdjustment(SampleRecord("00A1B2C3"));  // the folder does not exist yet
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(
        boxes_.Last().text.rfind("調整は終了していますが、調整記録に書き込めませんでした。", 0), 0u)
        << boxes_.Last().text;
    EXPECT_EQ(boxes_.Last().icon, services::MsgIcon::Warning);

    std::filesystem::create_directory(folder);
    pages::RecordAdjustment(SampleRecord("00A1B2C3"));
    EXPECT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(journal.Recorder().Store()->Count({}), 1);
}

TEST_F(JournalRecorderTest, AReadOnlyFileSystemIsReportedNotThrown) {
    // Nothing can be created under /proc, not even by root.
    InstalledJournal journal(At("/proc/self/trimbench-journal.sqlite3"));
    pages::RecordAdjustment(SampleRecord("00A1B2C3"));
    ASSERT_EQ(boxes_.Count(), 1u);
    if (::geteuid() == 0) return;
    // Without root, a folder without write permission does the same.
    const std::string folder = dir_.str() + "/readonly";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(
        folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    InstalledJournal readOnly(At(folder + "/journal.sqlite3"));
    pages::RecordAdjustment(SampleRecord("00A1B2C3"));
    EXPECT_EQ(boxes_.Count(), 2u);
}

TEST_F(JournalRecorderTest, AFullDatabaseIsReportedWithTheEnginesReason) {
    InstalledJournal journal(At(dir_.str() + "/journal.sqlite3"));
    pages::RecordAdjustment(SampleRecord("00A1B2C3"));
    ASSERT_EQ(boxes_.Count(), 0u);
    {
        QSqlQuery query(journal.Recorder().Store()->Database());
        ASSERT_TRUE(query.exec("PRAGMA page_count"));
        ASSERT_TRUE(query.next());
        const int pages = query.value(0).toInt();
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages)));
    }
    pages::AdjustmentRecord large = SampleRecord("00A1B2C3");
    large.channels[0].enteredPoints = {std::string(20000, '1'), "2"};
    pages::RecordAdjustment(large);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_NE(boxes_.Last().text.find("full"), std::string::npos) << boxes_.Last().text;
}

}  // namespace
}  // namespace tb::journal
