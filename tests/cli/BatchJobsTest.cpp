// `trimbench batch` running devices side by side: each device's rows in a
// worker process of its own, confined to its port; which device a row goes
// to; faults that stay with their device; one journal for every worker.
#include <QJsonArray>
#include <QSettings>
#include <cstdlib>
#include <fstream>

#include "cli/BatchPlan.h"
#include "cli/BatchRows.h"
#include "cli/ExitCode.h"
#include "journal/CsvExport.h"
#include "journal/JournalStore.h"
#include "platform/usbserial/ComPortMap.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::clitest {
namespace {

using cli::ExitCode;

constexpr int Code(ExitCode code) { return static_cast<int>(code); }

cli::BatchRow Row(int line, std::string model, std::string serial, std::string kind = {}) {
    return {line, std::move(model), std::move(serial), "1", "20", "20.1", "", "", std::move(kind), "", ""};
}

cli::AttachedLogger Unit(uint32_t serial, uint8_t deviceCode) {
    std::array<uint8_t, 64> settings{};
    settings[62] = deviceCode;
    return {"", "", serial, std::nullopt, cli::Transport::BaseUnit, settings};
}

TEST(BatchRows, ACheckedRowCarriesWhatThePageRunsAndAFaultyOneItsUsageError) {
    cli::BatchRow twoPoints = Row(2, "850", "00A1B2C3", "v");
    twoPoints.before2 = "40";
    twoPoints.after2 = "40.2";
    const auto checked = cli::CheckRow(twoPoints);
    ASSERT_TRUE(std::holds_alternative<cli::CheckedRow>(checked));
    const cli::CheckedRow& row = std::get<cli::CheckedRow>(checked);
    EXPECT_EQ(row.model->model, "850");
    EXPECT_EQ(row.logger.serial, 0x00A1B2C3u);
    EXPECT_EQ(row.logger.inputKind, 3);
    EXPECT_EQ(row.input.channel, 1);
    ASSERT_EQ(row.input.points.size(), 2u);
    EXPECT_EQ(row.input.points[1].after, "40.2");

    cli::BatchRow badChannel = Row(3, "830", "");
    badChannel.channel = "x";
    for (const cli::BatchRow& faulty : {Row(4, "899", ""), Row(5, "820", "nonsense"), badChannel,
                                        Row(6, "820", "", "tc"), Row(7, "850", "", "pressure")}) {
        SCOPED_TRACE(faulty.line);
        const auto failed = cli::CheckRow(faulty);
        ASSERT_TRUE(std::holds_alternative<cli::OperationResult>(failed));
        EXPECT_EQ(std::get<cli::OperationResult>(failed).code, ExitCode::Usage);
        EXPECT_FALSE(std::get<cli::OperationResult>(failed).message.empty());
    }
}

TEST(BatchPlan, PutsEachRowOnTheOnePortThatHoldsItsLogger) {
    const std::vector<cli::SurveyedPort> ports = {
        {3, false, {Unit(0x00820001, 0x5C)}},
        {4, false, {Unit(0x00820002, 0x5C)}},
        {5, false, {Unit(0x00820003, 0xA4)}},  // 850, voltage input
        {6, false, {{"870", "", 0x87000001, 6, cli::Transport::DirectUsb, std::nullopt}}},
        {7, true, {}},
    };
    const std::vector<cli::BatchRow> rows = {
        Row(2, "820", "00820002"),   // port 4
        Row(3, "820", "00820001"),   // port 3
        Row(4, "820", "00820002"),   // port 4, after line 2
        Row(5, "850", ""),           // the only 850: port 5
        Row(6, "850", "", "tc"),     // no 850 with a thermocouple input
        Row(7, "820", ""),           // two 820 loggers: name one
        Row(8, "870", "COM6"),       // port 6
        Row(9, "820", "00ABCDEF"),   // not found; COM7 may hold it
        Row(10, "820", "COM3"),      // a base unit is named by serial
        Row(11, "999", ""),          // no such model
    };
    const cli::BatchPlan plan = cli::PlanBatch(rows, ports);
    ASSERT_EQ(plan.devices.size(), 4u);
    const std::vector<std::pair<int, std::vector<std::size_t>>> expected = {
        {4, {0, 2}}, {3, {1}}, {5, {3}}, {6, {6}}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(plan.devices[i].com, expected[i].first);
        EXPECT_EQ(plan.devices[i].rows, expected[i].second) << "device " << i;
    }
    const std::vector<std::pair<std::size_t, ExitCode>> unplaced = {
        {4, ExitCode::NoLogger}, {5, ExitCode::Usage}, {7, ExitCode::NoLogger},
        {8, ExitCode::Usage},    {9, ExitCode::Usage}};
    ASSERT_EQ(plan.unplaced.size(), unplaced.size());
    for (std::size_t i = 0; i < unplaced.size(); ++i) {
        EXPECT_EQ(plan.unplaced[i].row, unplaced[i].first);
        EXPECT_EQ(plan.unplaced[i].result.code, unplaced[i].second) << plan.unplaced[i].result.message;
    }
    EXPECT_NE(plan.unplaced[2].result.message.find("COM7"), std::string::npos)
        << plan.unplaced[2].result.message;
}

TEST(PortConfinement, AProcessSeesOnlyTheListedPorts) {
    struct Case {
        const char* list;
        int port;
        bool allowed;
    };
    const Case cases[] = {{"", 9, true},      {"5", 5, true},    {"5", 6, false}, {"3,17,200", 17, true},
                          {"3,17", 1, false}, {"x", 5, false},   {"5,", 5, true}, {"1000", 1, false}};
    for (const Case& c : cases) {
        setenv(usbserial::kConfinedPortsVariable, c.list, 1);
        EXPECT_EQ(usbserial::PortAllowed(c.port), c.allowed) << c.list << " " << c.port;
    }
    unsetenv(usbserial::kConfinedPortsVariable);
}

class BatchSideBySide : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        journal_ = (home_ / "journal.sqlite3").string();
        QSettings(QString::fromStdString(settings_.string()), QSettings::IniFormat)
            .setValue("Journal/File", QString::fromStdString(journal_));
    }
    std::string WriteCsv(const std::string& text) {
        const std::string path = (home_ / "rows.csv").string();
        std::ofstream(path) << text;
        return path;
    }
    journal::VerifyReport JournalVerified(std::size_t& rows) {
        tb::journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        EXPECT_NE(store, nullptr) << error;
        if (!store) return {};
        const auto all = journal::AllRows(*store, {}, error);
        EXPECT_TRUE(all.has_value()) << error;
        rows = all ? all->size() : 0;
        return store->Verify();
    }
    // The line activity of the nth device added.
    std::optional<sim::SimPort::Activity> Activity(std::size_t device) {
        auto lock = bench_.LockState();
        return bench_.PortOf(*bench_.Devices().at(device))->LineActivity();
    }

    std::string journal_;
};

// Every device gets a two-point row and then an offset row: in that order
// the slope is 1.02 and the offset 0.6; the other way round it would be
// 0.61. The four devices' lines are busy at the same time.
TEST_F(BatchSideBySide, RunsEachDevicesRowsInFileOrderWhileTheDevicesRunAtOnce) {
    const uint8_t codes[] = {0x5C, 0x5D, 0x40, 0x41};
    std::vector<std::shared_ptr<sim::loggers::SimulatedLogger>> loggers;
    for (uint32_t i = 0; i < 4; ++i) loggers.push_back(AddUnit(0x00820001 + i, codes[i]));
    bench_.SetPacing(true);
    bench_.UseTemporaryDeviceMap();
    std::string csv = "model,serial,channel,before1,after1,before2,after2\n";
    for (int i = 1; i <= 4; ++i) csv += "820,0082000" + std::to_string(i) + ",1,0,0.1,10,10.3\n";
    for (int i = 1; i <= 4; ++i) csv += "820,0082000" + std::to_string(i) + ",1,20,20.5\n";

    const CliRun run = Trimbench({"batch", WriteCsv(csv), "--yes", "--json"});
    ASSERT_EQ(run.exit, 0) << run.out << run.err;
    const QJsonArray rows = run.Json()["rows"].toArray();
    ASSERT_EQ(rows.size(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(rows[i].toObject()["line"].toInt(), i + 2);
    for (const auto& logger : loggers) {
        EXPECT_EQ(Held(*logger), std::make_pair(1020, 600));
        EXPECT_EQ(Writes(*logger), 2);
    }
    // Each line was busy while every other one was.
    std::vector<sim::SimPort::Activity> spans;
    for (std::size_t i = 0; i < loggers.size(); ++i) {
        const auto activity = Activity(i);
        ASSERT_TRUE(activity.has_value());
        spans.push_back(*activity);
    }
    for (const auto& a : spans)
        for (const auto& b : spans) EXPECT_LT(a.first, b.last);
    std::size_t recorded = 0;
    EXPECT_TRUE(JournalVerified(recorded).Intact());
    EXPECT_EQ(recorded, 8u);
}

// A device pulled out during its second row: its rows fail, the others'
// rows are done, and the journal holds every row that reached a logger.
TEST_F(BatchSideBySide, ADevicePulledOutFailsOnlyItsOwnRows) {
    auto first = AddUnit(0x00820001);
    auto pulled = AddUnit(0x00820002);
    auto third = AddUnit(0x00820003);
    bench_.UseTemporaryDeviceMap();
    std::string csv = "model,serial,channel,before1,after1\n";
    for (int row = 0; row < 3; ++row)
        for (int i = 1; i <= 3; ++i) csv += "820,0082000" + std::to_string(i) + ",1,20,20.1\n";
    const std::string file = WriteCsv(csv);
    {
        auto lock = bench_.LockState();
        bench_.Port(bench_.ComNumberOf(*bench_.Devices()[1]))->PullAtReply(12);
    }

    const CliRun run = Trimbench({"batch", file, "--yes", "--keep-going", "--json"});
    const QJsonArray rows = run.Json()["rows"].toArray();
    ASSERT_EQ(rows.size(), 9) << run.out << run.err;
    std::optional<int> firstFailure;
    for (int i = 0; i < 9; ++i) {
        const QJsonObject row = rows[i].toObject();
        if (i % 3 != 1) {
            EXPECT_EQ(row["result"].toString(), "done") << i;
        }
        if (row["result"].toString() != "done" && !firstFailure) firstFailure = row["exitCode"].toInt();
    }
    ASSERT_TRUE(firstFailure.has_value());
    EXPECT_EQ(run.exit, *firstFailure);
    EXPECT_EQ(Held(*first), std::make_pair(1000, 300));
    EXPECT_EQ(Held(*third), std::make_pair(1000, 300));
    EXPECT_LT(Writes(*pulled), 3);
    std::size_t recorded = 0;
    EXPECT_TRUE(JournalVerified(recorded).Intact());
    EXPECT_GE(recorded, 6u + static_cast<std::size_t>(Writes(*pulled)));
}

// Without --keep-going the first failure stops every device: rows already
// running finish, no new row starts.
TEST_F(BatchSideBySide, AFailureStopsNewRowsOnEveryDevice) {
    auto good = AddUnit(0x00820001);
    auto limited = AddUnit(0x00820002);
    Hold(*limited, 1000, 29500);
    bench_.UseTemporaryDeviceMap();
    std::string csv = "model,serial,channel,before1,after1\n820,00820002,1,0,0.75\n";
    for (int row = 0; row < 6; ++row) csv += "820,00820001,1,20,20.1\n";
    const CliRun run = Trimbench({"batch", WriteCsv(csv), "--yes", "--json"});
    EXPECT_EQ(run.exit, Code(ExitCode::Limit)) << run.out << run.err;
    const QJsonArray rows = run.Json()["rows"].toArray();
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[6].toObject()["result"].toString(), "not-run");
    EXPECT_LT(Writes(*good), 6);
}

// A port another program holds: the rows of the logger it may hold fail
// naming it, the other devices' rows are done.
TEST_F(BatchSideBySide, APortHeldByAnotherProgramFailsOnlyTheRowsItMayHold) {
    auto free = AddUnit(0x00820001);
    auto other = AddUnit(0x00820002);
    auto held = AddUnit(0x00820003);
    bench_.UseTemporaryDeviceMap();
    {
        auto lock = bench_.LockState();
        ASSERT_TRUE(bench_.Port(bench_.ComNumberOf(*bench_.Devices()[2]))->SetBusy(true));
    }
    const std::string csv = WriteCsv(
        "model,serial,channel,before1,after1\n820,00820001,1,20,20.1\n"
        "820,00820003,1,20,20.1\n820,00820002,1,20,20.1\n");
    const CliRun run = Trimbench({"batch", csv, "--yes", "--keep-going", "--json"});
    EXPECT_EQ(run.exit, Code(ExitCode::NoLogger)) << run.out << run.err;
    const QJsonArray rows = run.Json()["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toObject()["result"].toString(), "done");
    EXPECT_EQ(rows[2].toObject()["result"].toString(), "done");
    const QString reason = rows[1].toObject()["message"].toString();
    EXPECT_TRUE(reason.contains("COM" + QString::number(bench_.ComNumberOf(*bench_.Devices()[2]))))
        << reason.toStdString();
    EXPECT_EQ(Held(*free), std::make_pair(1000, 100));
    EXPECT_EQ(Held(*other), std::make_pair(1000, 100));
    EXPECT_EQ(Writes(*held), 0);
}

}  // namespace
}  // namespace tb::clitest
