// The shared journal on a real PostgreSQL server that this program starts
// in a temporary folder: append-only by trigger and by privilege, the
// password only in the password file, and two programs appending at once.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "journal/CertificateDay.h"
#include "journal/CertificateRegister.h"
#include "journal/JournalError.h"
#include "journal/JournalRows.h"
#include "journal/JournalStore.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/KnownRows.h"
#include "journal/ReferenceRegister.h"
#include "resources/StringIds.h"
#include "tests/journal/LegacyJournal.h"
#include "tests/journal/PostgresServer.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal {
namespace {

using testing::PostgresServer;
using testing::SampleEntry;

constexpr const char* kWriterRole = "trimbench_writer";
constexpr const char* kBenchUser = "bench_one";
// May read the schema version but not the rows: every read of rows fails.
constexpr const char* kNoRowsUser = "schema_only";

class JournalPostgresTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = new PostgresServer;
        if (!server_->Started()) return;
        tb::journal::JournalError error;
        auto admin = JournalStore::OpenPostgres(server_->Options(PostgresServer::kAdmin), error);
        ready_ = admin && GrantJournalWriter(admin->Database(), kWriterRole, error);
        QSqlQuery query(admin ? admin->Database() : QSqlDatabase());
        ready_ = ready_ &&
                 query.exec(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'bench-secret' IN ROLE %2")
                                .arg(kBenchUser, kWriterRole)) &&
                 query.exec(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'bench-secret'")
                                .arg(kNoRowsUser)) &&
                 query.exec(QStringLiteral("GRANT SELECT ON journal_schema TO %1").arg(kNoRowsUser)) &&
                 query.exec(QStringLiteral("CREATE DATABASE tampered")) &&
                 query.exec(QStringLiteral("CREATE DATABASE legacy")) &&
                 query.exec(QStringLiteral("CREATE DATABASE known"));
        admin.reset();
        // The administrator comes in freely; everyone else by password.
        ready_ = ready_ && server_->SetHba(std::string("local all ") + PostgresServer::kAdmin +
                                           " trust\nlocal all all scram-sha-256\n");
        passFile_ = server_->Folder() + "/pgpass";
        std::ofstream(passFile_) << "*:*:*:" << kBenchUser << ":bench-secret\n"
                                 << "*:*:*:" << kNoRowsUser << ":bench-secret\n";
        std::filesystem::permissions(passFile_, std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_write);
        setenv("PGPASSFILE", passFile_.c_str(), 1);
        if (!ready_) std::fprintf(stderr, "setup: %s\n", tb::journal::JournalErrorText(error).c_str());
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(server_->Started()) << server_->Log();
        ASSERT_TRUE(ready_);
    }

    std::unique_ptr<JournalStore> OpenAs(const std::string& user,
                                         const std::string& database = "postgres") {
        tb::journal::JournalError error;
        auto store = JournalStore::OpenPostgres(server_->Options(user, database), error);
        EXPECT_NE(store, nullptr) << error;
        return store;
    }

    static PostgresServer* server_;
    static bool ready_;
    static std::string passFile_;
};

PostgresServer* JournalPostgresTest::server_ = nullptr;
bool JournalPostgresTest::ready_ = false;
std::string JournalPostgresTest::passFile_;

TEST_F(JournalPostgresTest, ABenchAppendsAndReadsButNobodyChangesOrRemovesARow) {
    auto bench = OpenAs(kBenchUser);
    ASSERT_NE(bench, nullptr);
    JournalEntry entry = SampleEntry("0000000B", "2026-12-09T06:00:00.000Z");
    tb::journal::JournalError error;
    ASSERT_TRUE(bench->Append(entry, error)) << error;
    EXPECT_EQ(bench->Entry(entry.id), entry);

    const QString update = QStringLiteral("UPDATE journal SET outcome = 'failure' WHERE id = %1")
                               .arg(entry.id);
    const QString remove = QStringLiteral("DELETE FROM journal WHERE id = %1").arg(entry.id);
    auto admin = OpenAs(PostgresServer::kAdmin);
    ASSERT_NE(admin, nullptr);
    for (JournalStore* store : {bench.get(), admin.get()}) {
        QSqlQuery query(store->Database());
        EXPECT_FALSE(query.exec(update));
        EXPECT_FALSE(query.exec(remove));
        EXPECT_FALSE(query.exec(QStringLiteral("TRUNCATE journal")));
    }
    // The bench's role lacks the privilege even where no trigger would stop it.
    QSqlQuery query(bench->Database());
    EXPECT_FALSE(query.exec(QStringLiteral("ALTER TABLE journal DISABLE TRIGGER ALL")));
    EXPECT_FALSE(query.exec(QStringLiteral("INSERT INTO journal_schema (version) VALUES (99)")));
    EXPECT_EQ(bench->Entry(entry.id), entry);
    EXPECT_TRUE(bench->Verify().Intact());
}

TEST_F(JournalPostgresTest, ThePasswordComesFromThePasswordFileNeverFromTheSettings) {
    tb::journal::JournalError error;
    EXPECT_EQ(JournalStore::OpenPostgres(server_->Options(kBenchUser) + " password=bench-secret",
                                         error),
              nullptr);
    EXPECT_EQ(error, JournalError{resources::strings::kMsgJournalPasswordGiven});

    unsetenv("PGPASSFILE");
    setenv("PGPASSFILE", (server_->Folder() + "/no-such-file").c_str(), 1);
    EXPECT_EQ(JournalStore::OpenPostgres(server_->Options(kBenchUser), error), nullptr);
    setenv("PGPASSFILE", passFile_.c_str(), 1);
    EXPECT_NE(OpenAs(kBenchUser), nullptr);
}

TEST_F(JournalPostgresTest, TwoProgramsAppendingAtOnceLoseNoRowAndKeepOneChain) {
    auto bench = OpenAs(kBenchUser);
    ASSERT_NE(bench, nullptr);
    const int64_t before = bench->Count({}).value_or(-1);
    constexpr int kEach = 60;
    QProcess first;
    QProcess second;
    const QString worker = QString::fromStdString(
        std::filesystem::read_symlink("/proc/self/exe").parent_path().string() +
        "/journal_append_worker");
    const QString options = QString::fromStdString(server_->Options(kBenchUser));
    first.start(worker, {options, QString::number(kEach), "first"});
    second.start(worker, {options, QString::number(kEach), "second"});
    for (QProcess* process : {&first, &second}) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    EXPECT_EQ(bench->Count({}), before + 2 * kEach);
    std::set<std::string> operators;
    for (const JournalEntry& entry : bench->Fetch({}, 0, 2 * kEach)) {
        operators.insert(entry.operatorName);
    }
    EXPECT_EQ(operators.size(), 2u * kEach);
    const VerifyReport report = bench->Verify();
    EXPECT_TRUE(report.Intact()) << report.error << " row " << report.firstBroken.value_or(0);
    EXPECT_EQ(report.rows, before + 2 * kEach);
}

TEST_F(JournalPostgresTest, VerifyNamesTheRowAnAdministratorChangedBehindTheTriggers) {
    // A bench cannot even lay out a journal; the administrator does.
    tb::journal::JournalError error;
    EXPECT_EQ(JournalStore::OpenPostgres(server_->Options(kBenchUser, "tampered"), error), nullptr);
    EXPECT_NE(tb::journal::JournalErrorText(error).find("permission denied"), std::string::npos) << error;
    auto admin = OpenAs(PostgresServer::kAdmin, "tampered");
    ASSERT_NE(admin, nullptr);
    for (int i = 0; i < 3; ++i) {
        JournalEntry entry = SampleEntry("0000000C", "2026-12-09T07:00:00.000Z");
        ASSERT_TRUE(admin->Append(entry, error)) << error;
    }
    QSqlQuery query(admin->Database());
    ASSERT_TRUE(query.exec("ALTER TABLE journal DISABLE TRIGGER journal_refuse_change"));
    ASSERT_TRUE(query.exec("UPDATE journal SET unit_serial = '0000000D' WHERE id = 2"));
    const VerifyReport report = admin->Verify();
    EXPECT_EQ(report.firstBroken, 2);
}

// The rows both row versions wrote, with their own chain values, read back
// field for field on PostgreSQL too and verify with a new row chained on.
TEST_F(JournalPostgresTest, KnownRowsOfBothVersionsReadBackAsWrittenAndVerify) {
    auto store = OpenAs(PostgresServer::kAdmin, "known");
    ASSERT_NE(store, nullptr);
    tb::journal::JournalError error;
    ASSERT_TRUE(testing::StoreKnownRows(store->Database(), error)) << error;
    for (const testing::KnownRow& row : testing::KnownRows()) EXPECT_EQ(store->Entry(row.entry.id), row.entry);
    JournalEntry added = SampleEntry("0000001B", "2026-12-10T01:00:00.000Z");
    ASSERT_TRUE(store->Append(added, error)) << error;
    EXPECT_EQ(store->Entry(added.id), added);
    const VerifyReport report = store->Verify();
    EXPECT_TRUE(report.Intact()) << report.error << " row " << report.firstBroken.value_or(0);
    EXPECT_EQ(report.rows, 3);
}

TEST_F(JournalPostgresTest, RowsWrittenBeforeTheMigrationStillVerifyAndTheWriterRoleKeepsOnlyItsRights) {
    // The journal as the older program left it, its writer role granted then.
    tb::journal::JournalError error;
    const QString name = QStringLiteral("legacy-postgres");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setConnectOptions(QString::fromStdString(server_->Options(PostgresServer::kAdmin, "legacy")));
        ASSERT_TRUE(db.open());
        ASSERT_EQ(testing::WriteVersionOneJournal(db, Engine::Postgres, 3, error).size(), 3u) << error;
        for (const char* grant : {"GRANT SELECT, INSERT ON journal TO trimbench_writer",
                                  "GRANT SELECT ON journal_schema TO trimbench_writer",
                                  "GRANT USAGE ON SEQUENCE journal_id_seq TO trimbench_writer"}) {
            ASSERT_TRUE(QSqlQuery(db).exec(grant));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    // A bench cannot migrate; the administrator does.
    EXPECT_EQ(JournalStore::OpenPostgres(server_->Options(kBenchUser, "legacy"), error), nullptr);
    auto admin = OpenAs(PostgresServer::kAdmin, "legacy");
    ASSERT_NE(admin, nullptr);
    EXPECT_EQ(admin->Entry(1)->rowVersion, kRowVersionFirst);

    auto bench = OpenAs(kBenchUser, "legacy");
    ASSERT_NE(bench, nullptr);
    ReferenceRegister references(*bench);
    JournalError refused;
    ASSERT_TRUE(references.Add({"PT100-07", "probe", "JCSS-1", "2026-03-01", "2027-03-01"}, refused))
        << JournalErrorText(refused);
    JournalEntry entry = SampleEntry("0000001A", "2026-12-09T10:00:00.000Z");
    entry.references = "[{\"id\":\"PT100-07\"}]";
    entry.ambientC = "22";
    ASSERT_TRUE(bench->Append(entry, error)) << error;
    const VerifyReport report = bench->Verify();
    EXPECT_TRUE(report.Intact()) << report.error << " row " << report.firstBroken.value_or(0);
    EXPECT_EQ(report.rows, 4);
    QSqlQuery query(bench->Database());
    EXPECT_FALSE(query.exec("UPDATE reference_event SET due_on = '2099-01-01'"));
    EXPECT_FALSE(query.exec("DELETE FROM reference_event"));
    EXPECT_FALSE(query.exec("ALTER TABLE reference_event DISABLE TRIGGER ALL"));

    // The writer role registers certificates too, but changes none, and
    // the rows that relied on a reference are found by it.
    JournalFilter relying;
    relying.reference = "PT100-07";
    const std::vector<JournalEntry> rows = bench->Fetch(relying, 0, 10);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, entry.id);
    relying.reference = "PT100";
    EXPECT_EQ(bench->Count(relying), 0);
    const IssuedCertificate issued{"TB-000004-0A0B0C0D", "", "2026-12-10T06:00:00.000Z", "830",
                                   "0000001A", {entry.id}, std::string(64, 'b'), {"PT100-07"}};
    ASSERT_TRUE(RegisterCertificate(*bench, issued, refused)) << JournalErrorText(refused);
    EXPECT_EQ(FindIssued(*bench, issued.number, refused), issued);
    const auto relied = IssuedRelyingOn(*bench, "PT100-07", refused);
    ASSERT_TRUE(relied);
    EXPECT_EQ(*relied, std::vector<IssuedCertificate>{issued});
    EXPECT_FALSE(query.exec("UPDATE certificate_register SET digest = 'x'"));
    EXPECT_FALSE(query.exec("DELETE FROM certificate_reference"));
}

struct Trimbench {
    int exit = -1;
    std::string out;
    std::string err;
};

// The command line beside this test, as a lab's administrator runs it.
Trimbench RunTrimbench(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromStdString(
                      std::filesystem::read_symlink("/proc/self/exe").parent_path().string() +
                      "/trimbench"),
                  arguments);
    Trimbench run;
    if (!process.waitForFinished(30000)) return run;
    run.exit = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

QJsonObject JsonOf(const Trimbench& run) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

TEST_F(JournalPostgresTest, GrantWriterFromTheCommandLineMakesARoleThatMayAppendAndReadOnly) {
    const QString admin = QString::fromStdString(server_->Options(PostgresServer::kAdmin));
    const Trimbench granted =
        RunTrimbench({"journal", "grant-writer", "lab_writer", "--postgresql", admin, "--json"});
    ASSERT_EQ(granted.exit, 0) << granted.err;
    EXPECT_EQ(JsonOf(granted)["role"].toString(), "lab_writer") << granted.out;
    // Not an identifier, or not a PostgreSQL journal: refused, nothing granted.
    EXPECT_EQ(RunTrimbench({"journal", "grant-writer", "lab; DROP TABLE journal", "--postgresql", admin}).exit, 1);
    const std::string sqlite = server_->Folder() + "/not-created.sqlite3";
    EXPECT_EQ(RunTrimbench({"journal", "grant-writer", "lab_writer", "--sqlite", QString::fromStdString(sqlite)}).exit, 2);
    EXPECT_FALSE(std::filesystem::exists(sqlite));

    tb::journal::JournalError error;
    {
        auto store = JournalStore::OpenPostgres(server_->Options(PostgresServer::kAdmin), error);
        ASSERT_NE(store, nullptr) << error;
        ASSERT_TRUE(QSqlQuery(store->Database())
                        .exec("CREATE ROLE lab_bench LOGIN PASSWORD 'bench-secret' IN ROLE lab_writer"));
    }
    std::ofstream(passFile_, std::ios::app) << "*:*:*:lab_bench:bench-secret\n";
    auto bench = OpenAs("lab_bench");
    ASSERT_NE(bench, nullptr);
    JournalEntry entry = SampleEntry("0000000F", "2026-12-09T10:00:00.000Z");
    ASSERT_TRUE(bench->Append(entry, error)) << error;
    EXPECT_FALSE(QSqlQuery(bench->Database()).exec("DELETE FROM journal"));

    const Trimbench verified = RunTrimbench(
        {"journal", "verify", "--json", "--postgresql", QString::fromStdString(server_->Options("lab_bench"))});
    EXPECT_EQ(verified.exit, 0) << verified.err;
    EXPECT_GE(JsonOf(verified)["rows"].toInteger(), 1) << verified.out;
    EXPECT_TRUE(JsonOf(verified)["firstBroken"].isNull()) << verified.out;
}

TEST_F(JournalPostgresTest, AnExportPagesByKeySoRowsAnotherBenchAppendsNeitherRepeatNorGoMissing) {
    auto exporter = OpenAs(kBenchUser);
    auto otherBench = OpenAs(kBenchUser);
    ASSERT_TRUE(exporter && otherBench);
    tb::journal::JournalError error;
    for (int i = 0; i < 12; ++i) {
        JournalEntry entry = SampleEntry("0000000E", "2026-12-09T08:00:00.000Z");
        ASSERT_TRUE(otherBench->Append(entry, error)) << error;
    }
    const auto before = AllRows(*exporter, {}, error);
    ASSERT_TRUE(before) << error;

    RowPager pager(*exporter, {}, 5);
    std::vector<int64_t> read;
    for (int page = 0;; ++page) {
        const auto rows = pager.Next(error);
        ASSERT_TRUE(rows) << error;
        if (rows->empty()) break;
        for (const JournalEntry& row : *rows) read.push_back(row.id);
        // Another bench appends between the export's pages: with an offset
        // the next page would start on rows already read.
        for (int i = 0; page < 2 && i < 3; ++i) {
            JournalEntry entry = SampleEntry("0000000F", "2026-12-09T08:05:00.000Z");
            ASSERT_TRUE(otherBench->Append(entry, error)) << error;
        }
    }
    std::vector<int64_t> expected;
    for (const JournalEntry& row : *before) expected.push_back(row.id);
    EXPECT_EQ(read, expected);
}

TEST_F(JournalPostgresTest, AJournalThatCannotBeReadFailsTheExportAndTheCertificateAndWritesNothing) {
    // The connection is lost halfway through an export.
    auto exporter = OpenAs(kBenchUser);
    auto admin = OpenAs(PostgresServer::kAdmin);
    ASSERT_TRUE(exporter && admin);
    tb::journal::JournalError error;
    for (int i = 0; i < 4; ++i) {
        JournalEntry entry = SampleEntry("00000010", "2026-12-09T09:00:00.000Z");
        ASSERT_TRUE(exporter->Append(entry, error)) << error;
    }
    QSqlQuery pid(exporter->Database());
    ASSERT_TRUE(pid.exec("SELECT pg_backend_pid()") && pid.next());
    RowPager pager(*exporter, {}, 2);
    ASSERT_TRUE(pager.Next(error)) << error;
    QSqlQuery kill(admin->Database());
    ASSERT_TRUE(kill.exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid.value(0).toInt())));
    error = {};
    EXPECT_FALSE(pager.Next(error));
    EXPECT_FALSE(!error);

    // A role that may not read the rows: every reader reports it.
    auto denied = OpenAs(kNoRowsUser);
    ASSERT_NE(denied, nullptr);
    error = {};
    EXPECT_FALSE(AllRows(*denied, {}, error));
    EXPECT_NE(tb::journal::JournalErrorText(error).find("permission denied"), std::string::npos) << error;
    error = {};
    EXPECT_FALSE(LatestAdjustment(*denied, "00000010", std::nullopt, error));
    EXPECT_NE(tb::journal::JournalErrorText(error).find("permission denied"), std::string::npos) << error;
    error = {};
    EXPECT_FALSE(DayEntries(*denied, SampleEntry("00000010", "2026-12-09T09:00:00.000Z"), error));
    EXPECT_NE(tb::journal::JournalErrorText(error).find("permission denied"), std::string::npos) << error;

    const std::string csv = server_->Folder() + "/export.csv";
    const Trimbench exportRun = RunTrimbench(
        {"journal", "export-csv", QString::fromStdString(csv), "--postgresql",
         QString::fromStdString(server_->Options(kNoRowsUser))});
    EXPECT_EQ(exportRun.exit, 1);
    EXPECT_TRUE(exportRun.out.empty());
    EXPECT_NE(exportRun.err.find("permission denied"), std::string::npos) << exportRun.err;
    EXPECT_FALSE(std::filesystem::exists(csv));
}

}  // namespace
}  // namespace tb::journal
