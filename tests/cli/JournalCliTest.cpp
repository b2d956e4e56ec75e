// The journal through the command line: every page operation leaves one
// row as the window's would, `journal` lists them (table, JSON, and CSV in
// the journal window's export bytes), a journal that cannot be written
// never blocks the adjustment, and the base-unit commands over the LAN.
#include <QJsonArray>
#include <QSettings>
#include <QSqlQuery>
#include <fstream>

#include "cli/CliTexts.h"
#include "cli/ExitCode.h"
#include "journal/CertificateRegister.h"
#include "journal/CertificateSeal.h"
#include "journal/DueList.h"
#include "journal/CsvExport.h"
#include "journal/JournalError.h"
#include "journal/WorkConditions.h"
#include "journal/JournalRecorder.h"
#include "journal/JournalStore.h"
#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"
#include "sim/lan/LanUnitWithLogger.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/JournalErrorPrinter.h"
#include "tests/journal/JournalSamples.h"

namespace tb::clitest {
namespace {

using cli::ExitCode;

constexpr int Code(ExitCode code) { return static_cast<int>(code); }

class JournalCli : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        journal_ = (home_ / "journal.sqlite3").string();
        Set("Journal/File", QString::fromStdString(journal_));
        Set("Journal/Operator", "line7");
    }
    void Set(const char* key, const QString& value) {
        QSettings(QString::fromStdString(settings_.string()), QSettings::IniFormat)
            .setValue(key, value);
    }
    std::vector<journal::JournalEntry> Rows() {
        tb::journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        EXPECT_NE(store, nullptr) << error;
        if (!store) return {};
        auto rows = journal::AllRows(*store, {}, error);
        EXPECT_TRUE(rows) << error;
        return rows.value_or(std::vector<journal::JournalEntry>{});
    }

    std::string journal_;
};

TEST_F(JournalCli, AnAdjustLeavesOneRowThatJournalListsAsTableJsonAndTheWindowsCsv) {
    auto logger = AddUnit(0x00A1B2C3);
    Hold(*logger, 1000, 400);
    bench_.UseTemporaryDeviceMap();
    ASSERT_EQ(Trimbench({"adjust", "821", "--point", "25.0:25.3", "--yes"}).exit, 0);

    const std::vector<journal::JournalEntry> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].operation, "send");
    EXPECT_EQ(rows[0].outcome, journal::kOutcomeSuccess);
    EXPECT_EQ(rows[0].operatorName, "line7");
    EXPECT_EQ(rows[0].unitSerial, "00A1B2C3");

    const CliRun json = Trimbench({"journal", "--serial", "a1b2c3", "--model", "821", "--json"});
    ASSERT_EQ(json.exit, 0) << json.err;
    const QJsonArray records = json.Json()["records"].toArray();
    ASSERT_EQ(records.size(), 1);
    const QJsonObject record = records[0].toObject();
    EXPECT_EQ(record["id"].toInteger(), rows[0].id);
    EXPECT_EQ(record["operation"].toString(), "send");
    EXPECT_EQ(record["operator"].toString(), "line7");
    const QJsonObject channel = record["channels"].toArray().at(0).toObject();
    EXPECT_FALSE(channel.isEmpty()) << rows[0].channels;

    const CliRun csv = Trimbench({"journal", "--csv"});
    ASSERT_EQ(csv.exit, 0);
    EXPECT_EQ(csv.out, journal::CsvText(rows));
    // export-csv writes the same bytes to a file, here of a journal named
    // on the command line rather than in the settings.
    Set("Journal/File", QString::fromStdString((home_ / "other.sqlite3").string()));
    const std::string exported = (home_ / "export.csv").string();
    const CliRun exportRun = Trimbench({"journal", "export-csv", exported, "--sqlite", journal_, "--json"});
    ASSERT_EQ(exportRun.exit, 0) << exportRun.err;
    EXPECT_EQ(exportRun.Json()["records"].toInteger(), 1);
    std::ifstream file(exported, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), csv.out);
    EXPECT_EQ(Trimbench({"journal", "export-csv", (home_ / "no" / "such.csv").string(), "--sqlite", journal_}).exit,
              Code(ExitCode::Failure));
    Set("Journal/File", QString::fromStdString(journal_));

    const CliRun table = Trimbench({"journal"});
    EXPECT_NE(table.out.find("00A1B2C3"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("y = 1.000x +0.700"), std::string::npos) << table.out;

    // Filters that select nothing, and the reads and dry runs that do record.
    EXPECT_EQ(Trimbench({"journal", "--model", "830", "--json"}).Json()["records"].toArray().size(), 0);
    EXPECT_EQ(Trimbench({"journal", "--since", "2999-01-01", "--json"}).Json()["records"].toArray().size(), 0);
    EXPECT_EQ(Trimbench({"journal", "--serial", "00000001", "--json"}).Json()["records"].toArray().size(), 0);
    // In a process without a GUI application the PDF writer cannot draw:
    // refused, and no file is left behind.
    const std::string pdf = (home_ / "c.pdf").string();
    EXPECT_EQ(Trimbench({"certificate", "--serial", "00A1B2C3", "--out", pdf}).exit, Code(ExitCode::Failure));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    ASSERT_EQ(Trimbench({"read", "821"}).exit, 0);
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows().front().operation, "receive");
}

// Rows name the logger's own model; older rows name only the page's loggers.
TEST_F(JournalCli, AModelFilterFindsTheLoggersOwnRowsAndThePagesOlderOnes) {
    {
        tb::journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        ASSERT_NE(store, nullptr) << error;
        for (const char* model : {"820/821", "821", "820", "830"}) {
            journal::JournalEntry entry;
            entry.recordedUtc = "2026-12-09T01:00:00.000Z";
            entry.model = model;
            ASSERT_TRUE(store->Append(entry, error)) << error;
        }
    }
    const std::vector<std::pair<std::string, QStringList>> cases = {
        {"821", {"821", "820/821"}}, {"820", {"820", "820/821"}}, {"830", {"830"}}, {"870", {}}};
    for (const auto& [model, expected] : cases) {
        QStringList models;
        for (const QJsonValue record : Trimbench({"journal", "--model", model, "--json"}).Json()["records"].toArray())
            models << record["model"].toString();
        EXPECT_EQ(models, expected) << model;
    }
}

TEST_F(JournalCli, EveryBatchRowThatRanLeavesItsRowFailedOnesIncluded) {
    AddUnit(0x00820001);
    auto limited = AddUnit(0x00820002);
    Hold(*limited, 1000, 29500);
    bench_.UseTemporaryDeviceMap();
    const std::string file = (home_ / "rows.csv").string();
    std::ofstream(file) << "model,serial,channel,before1,after1\n"
                        << "820,00820001,1,20,20.1\n"
                        << "820,00820002,1,0,0.75\n"
                        << "820,00820001,1,20,20.2\n";
    EXPECT_EQ(Trimbench({"batch", file, "--yes", "--keep-going", "--jobs", "1"}).exit, Code(ExitCode::Limit));
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].outcome, journal::kOutcomeSuccess);
    EXPECT_EQ(rows[1].outcome, journal::kOutcomeFailure);
    EXPECT_EQ(rows[1].unitSerial, "00820002");
    EXPECT_EQ(rows[2].outcome, journal::kOutcomeSuccess);
}

TEST_F(JournalCli, BadFiltersAndMissingRecordsAreRefusedWithTheirCodes) {
    struct Case {
        std::vector<std::string> args;
        ExitCode code;
    };
    const std::vector<Case> cases = {
        {{"journal", "--since", "2026-13-01"}, ExitCode::RefusedInput},
        {{"journal", "--since", "yesterday"}, ExitCode::RefusedInput},
        {{"journal", "--model", "999"}, ExitCode::Usage},
        {{"journal", "--csv", "--json"}, ExitCode::Usage},
        {{"journal", "export-csv"}, ExitCode::Usage},
        {{"journal", "export-csv", "a.csv", "b.csv"}, ExitCode::Usage},
        {{"journal", "verify", "--sqlite", "a", "--postgresql", "service=lab"}, ExitCode::Usage},
        {{"journal", "grant-writer"}, ExitCode::Usage},
        {{"journal", "grant-writer", "lab_writer"}, ExitCode::Usage},  // the SQLite journal
        {{"certificate", "--out", "x.pdf"}, ExitCode::Usage},
        {{"certificate", "--serial", "00A1B2C3"}, ExitCode::Usage},
        {{"certificate", "--serial", "00A1B2C3", "--date", "9.12.2026", "--out", "x.pdf"},
         ExitCode::RefusedInput},
        {{"certificate", "--serial", "00A1B2C3", "--out", "x.pdf"}, ExitCode::NoRecord},
    };
    for (const Case& c : cases) {
        const CliRun run = Trimbench(c.args);
        EXPECT_EQ(run.exit, Code(c.code)) << c.args[0] << " " << c.args[1] << "\n" << run.err;
        EXPECT_FALSE(run.err.empty()) << c.args[0] << " " << c.args[1];
    }
    EXPECT_FALSE(std::filesystem::exists("x.pdf"));
    EXPECT_FALSE(std::filesystem::exists("a.csv"));
}

TEST_F(JournalCli, AJournalWhoseRowsCannotBeReadFailsTheListingAndTheCertificate) {
    {
        tb::journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        ASSERT_NE(store, nullptr) << error;
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec("DROP TABLE journal"));
        ASSERT_TRUE(query.exec("CREATE TABLE journal (id INTEGER PRIMARY KEY)"));
    }
    const std::string pdf = (home_ / "c.pdf").string();
    const std::string csv = (home_ / "c.csv").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"journal", "--csv"}, {"journal", "--json"},
          {"journal", "export-csv", csv},
          {"certificate", "--serial", "00A1B2C3", "--out", pdf}}) {
        const CliRun run = Trimbench(args);
        EXPECT_EQ(run.exit, Code(ExitCode::Failure)) << args[0] << " " << args[1];
        EXPECT_TRUE(run.out.empty()) << run.out;
        const std::string unreadable =
            journal::JournalErrorText({resources::strings::kMsgJournalCannotRead, {""}});
        EXPECT_NE(run.err.find(unreadable), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(std::filesystem::exists(csv));
}

TEST_F(JournalCli, ReferencesAreRegisteredPickedAndRecordedAndBadOnesRefusedBeforeALoggerIsTouched) {
    auto logger = AddUnit(0x00A1B2C3);
    Hold(*logger, 1000, 400);
    bench_.UseTemporaryDeviceMap();
    auto add = [&](const char* id, const char* calibrated, const char* due) {
        return Trimbench({"journal", "reference", "add", id, "--description", "Pt100 probe", "--certificate",
                          "JCSS-0412", "--calibrated", calibrated, "--due", due}).exit;
    };
    ASSERT_EQ(add("PT100-07", "2026-01-05", "2099-01-05"), 0);
    ASSERT_EQ(add("OLD-1", "2019-01-01", "2020-01-01"), 0);
    EXPECT_EQ(add("BAD-1", "2026-01-05", "2025-01-05"), Code(ExitCode::RefusedInput));
    EXPECT_EQ(add("BAD-2", "2026-01-05", "next year"), Code(ExitCode::RefusedInput));
    EXPECT_EQ(Trimbench({"journal", "reference", "add", "X"}).exit, Code(ExitCode::RefusedInput));
    EXPECT_EQ(Trimbench({"journal", "reference", "drop", "X"}).exit, Code(ExitCode::Usage));
    const QJsonArray listed = Trimbench({"journal", "reference", "list", "--json"}).Json()["references"].toArray();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].toObject()["state"].toString(), "expired");  // OLD-1
    EXPECT_EQ(listed[1].toObject()["due"].toString(), "2099-01-05");

    const std::vector<std::string> adjust = {"adjust", "821", "--point", "25.0:25.3", "--yes"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = adjust;
        args.insert(args.end(), extra.begin(), extra.end());
        return Trimbench(args);
    };
    struct Refusal {
        std::vector<std::string> extra;
        const char* says;
    };
    for (const Refusal& refusal : std::vector<Refusal>{
             {{"--reference", "NOPE"}, "NOPE"},
             {{"--reference", "OLD-1"}, "--allow-expired-reference"},
             {{"--reference", "PT100-07", "--ambient", "120,40"}, "120"},
             {{"--ambient", "23,140"}, "140"}}) {
        const CliRun run = with(refusal.extra);
        EXPECT_EQ(run.exit, Code(ExitCode::RefusedInput)) << refusal.says << "\n" << run.err;
        EXPECT_NE(run.err.find(refusal.says), std::string::npos) << run.err;
    }
    EXPECT_EQ(Held(*logger), std::make_pair(1000, 400));
    EXPECT_TRUE(Rows().empty());

    ASSERT_EQ(with({"--reference", "PT100-07", "--reference", "OLD-1", "--allow-expired-reference",
                    "--ambient", "23.5,45"}).exit, 0);
    const std::vector<journal::JournalEntry> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    const auto uses = journal::ParseReferences(rows[0].references);
    ASSERT_EQ(uses.size(), 2u);
    EXPECT_EQ(uses[0].certificate, "JCSS-0412");
    EXPECT_FALSE(uses[0].expired);
    EXPECT_TRUE(uses[1].expired);
    EXPECT_EQ(rows[0].ambientC, "23.5");
    EXPECT_EQ(rows[0].humidityPct, "45");

    ASSERT_EQ(Trimbench({"journal", "reference", "retire", "PT100-07"}).exit, 0);
    EXPECT_EQ(with({"--reference", "PT100-07"}).exit, Code(ExitCode::RefusedInput));
    EXPECT_EQ(Trimbench({"journal", "reference", "retire", "PT100-07"}).exit, Code(ExitCode::RefusedInput));

    // The certificate's number proves the rows untouched.
    const std::string number = journal::SealOf(rows).number;
    const CliRun verified = Trimbench({"journal", "verify", "--certificate", number});
    EXPECT_EQ(verified.exit, 0) << verified.err;
    EXPECT_NE(verified.out.find(number), std::string::npos) << verified.out;
    EXPECT_EQ(Trimbench({"journal", "verify", "--certificate", "TB-000001-00000000"}).exit,
              Code(ExitCode::Failure));
    EXPECT_EQ(Trimbench({"journal", "verify"}).exit, 0);

    // A file carrying the seal (as the PDF's metadata does) is checked the
    // same way, and fails once a row was changed behind the triggers.
    const std::string sealed = (home_ / "sealed.pdf").string();
    std::ofstream(sealed) << "%PDF-1.4\n<tb:seal>" << journal::SealText(journal::SealOf(rows)) << "</tb:seal>\n";
    EXPECT_EQ(Trimbench({"journal", "verify", "--certificate", sealed}).exit, 0);
    {
        tb::journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        ASSERT_NE(store, nullptr) << error;
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec("DROP TRIGGER journal_refuse_update"));
        ASSERT_TRUE(query.exec("UPDATE journal SET ambient_c = '20' WHERE id = 1"));
    }
    const CliRun tampered = Trimbench({"journal", "verify", "--certificate", sealed});
    EXPECT_EQ(tampered.exit, Code(ExitCode::Failure));
    const std::string broken = journal::JournalErrorText({resources::strings::kMsgSealChainBroken, {"1"}});
    EXPECT_NE(tampered.err.find(broken), std::string::npos) << tampered.err;
}

TEST_F(JournalCli, ABatchRowsReferencesAndConditionsAreRecordedAndABadOneStopsTheWholeBatch) {
    AddUnit(0x00820001);
    bench_.UseTemporaryDeviceMap();
    ASSERT_EQ(Trimbench({"journal", "reference", "add", "PT100-07", "--certificate", "C-1", "--calibrated",
                         "2026-01-05", "--due", "2099-01-05"}).exit, 0);
    const std::string file = (home_ / "rows.csv").string();
    const std::string header = "model,serial,channel,before1,after1,before2,after2,input_kind,references,ambient\n";
    std::ofstream(file) << header << "820,00820001,1,20,20.1,,,,PT100-07,\"22.5,40\"\n"
                        << "820,00820001,1,20,20.2,,,,,\n"
                        << "820,00820001,1,20,20.3,,,,NOPE,\n";
    const CliRun refused = Trimbench({"batch", file, "--yes"});
    EXPECT_EQ(refused.exit, Code(ExitCode::RefusedInput));
    EXPECT_NE(refused.err.find("NOPE"), std::string::npos) << refused.err;
    EXPECT_TRUE(Rows().empty());

    std::ofstream(file) << header << "820,00820001,1,20,20.1,,,,PT100-07,\"22.5,40\"\n"
                        << "820,00820001,1,20,20.2,,,,,\n";
    ASSERT_EQ(Trimbench({"batch", file, "--yes", "--ambient", "21"}).exit, 0);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].ambientC, "22.5");  // the row's own
    EXPECT_EQ(rows[1].humidityPct, "40");
    EXPECT_EQ(journal::ParseReferences(rows[1].references).size(), 1u);
    EXPECT_EQ(rows[0].ambientC, "21");  // the option's
    EXPECT_TRUE(rows[0].references.empty());
}

TEST_F(JournalCli, AnUnwritableJournalIsReportedAndTheAdjustmentStands) {
    auto logger = AddUnit(0x00A1B2C3);
    bench_.UseTemporaryDeviceMap();
    std::filesystem::create_directories(home_ / "not-a-file.sqlite3");
    Set("Journal/File", QString::fromStdString((home_ / "not-a-file.sqlite3").string()));

    const CliRun run = Trimbench({"adjust", "820", "--point", "20:20.1", "--yes", "--json"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_TRUE(run.Json()["written"].toBool());
    EXPECT_EQ(Held(*logger), std::make_pair(1000, 100));
    std::string shown;
    for (const QJsonValue message : run.Json()["messages"].toArray())
        shown += message.toObject()["text"].toString().toStdString() + "\n";
    const std::string failed = services::LoadResString(resources::strings::kMsgJournalWriteFailed);
    EXPECT_NE(shown.find(failed.substr(0, failed.find('%'))), std::string::npos) << shown;
}

TEST_F(JournalCli, Lgr870DryRunPrintsTheComposedCodesAndWritesNothing) {
    auto& device = bench_.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(sim::Lgr87xModel::k870));
    bench_.UseTemporaryDeviceMap();
    auto held = [&] {
        auto lock = bench_.LockState();
        return device.Logger().calibration.at(1).values;
    };
    const auto before = held();

    const CliRun run = Trimbench({"adjust", "870", "--channel", "3", "--point", "25:25.5", "--dry-run", "--json"});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_FALSE(run.Json()["written"].toBool());
    EXPECT_DOUBLE_EQ(run.Json()["composed"].toObject()["slope"].toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(run.Json()["composed"].toObject()["offset"].toDouble(), 0.5);
    EXPECT_EQ(held(), before);

    const CliRun text = Trimbench({"adjust", "870", "--channel", "3", "--point", "25:25.5", "--dry-run"});
    EXPECT_NE(text.out.find("y = 1.000x +0.500"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(cli::Text(cli::cli_text::WithinLimits)), std::string::npos) << text.out;
    EXPECT_EQ(held(), before);
    // Each dry run is in the journal as the window's No would be.
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].outcome, journal::kOutcomeCancelled);
}

TEST_F(JournalCli, ReadAdjustAndInitialiseReachABaseUnitOnTheLan) {
    bench_.UseTemporaryDeviceMap();
    auto lan = sim::lan::MakeLanUnitWithLogger({.loggerModel = "820", .login = "line7"});
    const std::string address = "127.0.0.1:" + std::to_string(lan.unit->Port());
    auto held = [&] {
        auto lock = lan.unit->LockState();
        return CodesOf(lan.logger->Adjustment());
    };

    ASSERT_EQ(Trimbench({"adjust", "820", "--lan", address, "--login", "line7", "--point", "20:20.4", "--yes"}).exit, 0);
    EXPECT_EQ(held(), std::make_pair(1000, 400));
    const CliRun read = Trimbench({"read", "820", "--lan", address, "--login", "line7", "--json"});
    ASSERT_EQ(read.exit, 0) << read.err;
    EXPECT_DOUBLE_EQ(read.Json()["channels"].toArray()[0].toObject()["offset"].toDouble(), 0.4);
    EXPECT_EQ(read.Json()["logger"].toString().toStdString(), address);
    ASSERT_EQ(Trimbench({"initialise", "820", "--lan", address, "--login", "line7", "--yes"}).exit, 0);
    EXPECT_EQ(held(), std::make_pair(1000, 0));
    EXPECT_EQ(Rows().size(), 3u);

    EXPECT_EQ(Trimbench({"read", "820", "--lan", address, "--login", "wrong"}).exit, Code(ExitCode::Communication));
    EXPECT_EQ(Trimbench({"read", "870", "--lan", address, "--login", "line7"}).exit, Code(ExitCode::Usage));
    EXPECT_EQ(Trimbench({"read", "820", "--lan", address, "--login", "line7", "--serial", "1"}).exit,
              Code(ExitCode::Usage));
}

// Rows written straight into the journal: a send by `serial` of `model`
// on `day` (noon UTC, the bench at UTC), with the references named.
void AppendVisit(journal::JournalStore& store, const char* serial, const char* model, const QDate& day,
                 std::vector<journal::ReferenceUse> references = {}) {
    journal::JournalEntry entry = journal::testing::SampleEntry(
        serial, day.toString(Qt::ISODate).toStdString() + "T12:00:00.000Z");
    entry.model = model;
    entry.utcOffsetMinutes = 0;
    entry.references = journal::ReferencesJson(references);
    journal::JournalError error;
    ASSERT_TRUE(store.Append(entry, error)) << error;
}

TEST_F(JournalCli, AReferenceListsTheRowsAndCertificatesThatReliedOnIt) {
    {
        journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        ASSERT_NE(store, nullptr) << error;
        const journal::ReferenceUse probe{"PT100-07", "probe", "C-1", "2099-01-01", false};
        const journal::ReferenceUse hygro{"HYG-02", "hygrometer", "C-2", "2099-01-01", false};
        AppendVisit(*store, "0000000A", "830", QDate(2026, 12, 1), {probe, hygro});
        AppendVisit(*store, "0000000B", "830", QDate(2026, 12, 2), {hygro});
        AppendVisit(*store, "0000000C", "830", QDate(2026, 12, 3), {probe});
        journal::JournalError refused;
        for (const journal::IssuedCertificate& issued :
             {journal::IssuedCertificate{"TB-000001-AAAAAAAA", "", "2026-12-01T13:00:00.000Z", "830", "0000000A",
                                         {1}, std::string(64, 'a'), {"PT100-07", "HYG-02"}},
              journal::IssuedCertificate{"TB-000002-BBBBBBBB", "", "2026-12-02T13:00:00.000Z", "830", "0000000B",
                                         {2}, std::string(64, 'b'), {"HYG-02"}}}) {
            ASSERT_TRUE(journal::RegisterCertificate(*store, issued, refused)) << journal::JournalErrorText(refused);
        }
    }
    const CliRun json = Trimbench({"journal", "--reference", "PT100-07", "--json"});
    ASSERT_EQ(json.exit, 0) << json.err;
    std::vector<int> ids;
    for (const QJsonValue& record : json.Json()["records"].toArray()) ids.push_back(record.toObject()["id"].toInt());
    EXPECT_EQ(ids, (std::vector<int>{3, 1}));
    const QJsonArray certificates = json.Json()["certificates"].toArray();
    ASSERT_EQ(certificates.size(), 1);
    EXPECT_EQ(certificates[0].toObject()["number"].toString(), "TB-000001-AAAAAAAA");
    EXPECT_EQ(certificates[0].toObject()["references"].toArray().size(), 2);

    const CliRun text = Trimbench({"journal", "--reference", "HYG-02"});
    ASSERT_EQ(text.exit, 0) << text.err;
    EXPECT_NE(text.out.find("TB-000001-AAAAAAAA"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("TB-000002-BBBBBBBB"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("0000000B"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("0000000C"), std::string::npos) << text.out;
    EXPECT_EQ(Trimbench({"journal", "--reference", "NONE-1", "--json"}).Json()["records"].toArray().size(), 0);
    EXPECT_EQ(Trimbench({"journal", "--reference", ""}).exit, Code(ExitCode::Usage));
    EXPECT_EQ(Trimbench({"journal", "--reference", std::string(33, 'R')}).exit, Code(ExitCode::Usage));
}

TEST_F(JournalCli, DueListsTheLoggersWhoseNextAdjustmentFallsWithinTheDaysAsked) {
    const QDate today = QDate::currentDate();
    {
        journal::JournalError error;
        auto store = journal::JournalStore::OpenSqlite(journal_, error);
        ASSERT_NE(store, nullptr) << error;
        AppendVisit(*store, "0000000A", "830", today.addDays(-100));  // 830: 90 days, overdue by 10
        AppendVisit(*store, "0000000B", "830", today.addDays(-80));   // due in 10 days
        AppendVisit(*store, "0000000C", "870", today.addDays(-300));  // 870: 365 days, in 65
    }
    Set("Journal/DueIntervals", "830=90; *=365");
    const CliRun json = Trimbench({"journal", "due", "--json"});
    ASSERT_EQ(json.exit, 0) << json.err;
    const QJsonArray loggers = json.Json()["loggers"].toArray();
    ASSERT_EQ(loggers.size(), 2);
    EXPECT_EQ(loggers[0].toObject()["serial"].toString(), "0000000A");
    EXPECT_EQ(loggers[0].toObject()["daysLeft"].toInt(), -10);
    EXPECT_EQ(loggers[0].toObject()["lastVisit"].toString(), today.addDays(-100).toString(Qt::ISODate));
    EXPECT_EQ(loggers[1].toObject()["daysLeft"].toInt(), 10);
    EXPECT_EQ(Trimbench({"journal", "due", "--within", "70", "--json"}).Json()["loggers"].toArray().size(), 3);
    const CliRun text = Trimbench({"journal", "due", "--within", "0"});
    EXPECT_NE(text.out.find("0000000A"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("0000000B"), std::string::npos) << text.out;

    for (const char* within : {"-1", "3651", "soon"})
        EXPECT_EQ(Trimbench({"journal", "due", "--within", within}).exit, Code(ExitCode::Usage)) << within;
    Set("Journal/DueIntervals", "830=ninety");
    const CliRun malformed = Trimbench({"journal", "due"});
    EXPECT_EQ(malformed.exit, Code(ExitCode::Failure));
    EXPECT_NE(malformed.err.find("Journal/DueIntervals"), std::string::npos) << malformed.err;
    EXPECT_TRUE(malformed.out.empty());
}

}  // namespace
}  // namespace tb::clitest
