// The SQLite journal: append and read back, filters, append-only rows, the
// chain and its verify, schema versions, CSV export.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "journal/CsvExport.h"
#include "journal/JournalError.h"
#include "journal/JournalStore.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"
#include "tests/services/TempDir.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/SqliteJournalTest.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal {
namespace {

using testing::SampleEntry;

class JournalStoreTest : public testing::SqliteJournalTest {
  protected:
    // Appends rows for units A, B, A (the last one failed) on two days.
    void AppendThree(JournalStore& store) {
        tb::journal::JournalError error;
        for (JournalEntry entry : {SampleEntry("0000000A", "2026-12-08T23:59:59.000Z"),
                                   SampleEntry("0000000B", "2026-12-09T01:00:00.000Z"),
                                   SampleEntry("0000000A", "2026-12-09T02:00:00.500Z", false)}) {
            ASSERT_TRUE(store.Append(entry, error)) << error;
        }
    }
};

TEST_F(JournalStoreTest, RowsComeBackNewestFirstAsTheyWereWrittenAndFiltersSelectThem) {
    auto store = Open();
    JournalEntry written = SampleEntry("0000000C", "2026-12-09T03:00:00.000Z");
    tb::journal::JournalError error;
    ASSERT_TRUE(store->Append(written, error)) << error;
    EXPECT_EQ(written.id, 1);
    EXPECT_EQ(written.chain.size(), 64u);
    EXPECT_EQ(store->Entry(1), written);
    AppendThree(*store);

    const std::vector<JournalEntry> all = store->Fetch({}, 0, 10);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all.front().id, 4);
    EXPECT_EQ(all.back().id, 1);
    EXPECT_EQ(store->Fetch({}, 1, 2).front().id, 3);

    struct Case {
        JournalFilter filter;
        std::vector<int64_t> ids;
    };
    const std::vector<Case> cases = {
        {{.serial = "0000000A"}, {4, 2}},
        {{.serial = "0000000A", .outcome = kOutcomeSuccess}, {2}},
        {{.outcome = kOutcomeFailure}, {4}},
        {{.fromUtc = "2026-12-09T00:00:00.000Z", .toUtc = "2026-12-09T02:00:00.500Z"}, {3}},
        {{.model = "820/821"}, {4, 3, 2, 1}},
        {{.model = "870"}, {}},
    };
    for (const Case& c : cases) {
        std::vector<int64_t> ids;
        for (const JournalEntry& entry : store->Fetch(c.filter, 0, 10)) ids.push_back(entry.id);
        EXPECT_EQ(ids, c.ids) << c.filter.serial << c.filter.outcome << c.filter.fromUtc;
        EXPECT_EQ(store->Count(c.filter), static_cast<int64_t>(c.ids.size()));
    }
    EXPECT_EQ(store->Models(), std::vector<std::string>{"820/821"});
}

TEST_F(JournalStoreTest, RowsCannotBeChangedOrRemovedAndTheChainStaysIntact) {
    auto store = Open();
    AppendThree(*store);
    QSqlQuery query(store->Database());
    EXPECT_FALSE(query.exec("UPDATE journal SET outcome = 'success' WHERE id = 3"));
    EXPECT_FALSE(query.exec("DELETE FROM journal WHERE id = 1"));
    EXPECT_FALSE(query.exec("DELETE FROM journal"));
    EXPECT_FALSE(query.exec("UPDATE journal_schema SET version = 0"));
    EXPECT_EQ(store->Count({}), 3);
    EXPECT_EQ(store->Entry(3)->outcome, kOutcomeFailure);
    const VerifyReport report = store->Verify();
    EXPECT_TRUE(report.Intact());
    EXPECT_EQ(report.rows, 3);
}

// Replaces the first occurrence of `from` in the file by `to` (same length).
bool PatchFile(const std::string& path, const std::string& from, const std::string& to) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t at = bytes.find(from);
    if (at == std::string::npos) return false;
    file.seekp(static_cast<std::streamoff>(at));
    file.write(to.data(), static_cast<std::streamsize>(to.size()));
    return static_cast<bool>(file);
}

TEST_F(JournalStoreTest, VerifyNamesTheRowWhoseBytesWereChangedInTheFile) {
    {
        auto store = Open();
        tb::journal::JournalError error;
        for (const char* name : {"sato", "suzuki-b", "takahashi", "ito"}) {
            JournalEntry entry = SampleEntry("0000000D", "2026-12-09T04:00:00.000Z");
            entry.operatorName = name;
            ASSERT_TRUE(store->Append(entry, error)) << error;
        }
    }  // closing checkpoints the write-ahead log into the file
    ASSERT_FALSE(std::filesystem::exists(path_ + "-wal"));
    ASSERT_TRUE(PatchFile(path_, "suzuki-b", "suzuki-c"));  // row 2's operator, one byte

    auto store = Open();
    const VerifyReport report = store->Verify();
    EXPECT_FALSE(report.Intact());
    EXPECT_EQ(report.firstBroken, 2);
    EXPECT_EQ(report.rows, 2);

    // The command line's verify says the same, and fails.
    QProcess tool;
    tool.start(QString::fromStdString(
                   std::filesystem::read_symlink("/proc/self/exe").parent_path().string() +
                   "/trimbench"),
               {"journal", "verify", "--sqlite", QString::fromStdString(path_), "--json"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 1);
    const QJsonObject verdict = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    EXPECT_EQ(verdict["firstBroken"].toInteger(), 2);
    EXPECT_EQ(verdict["result"].toString(), "failure");
}

// The rows after a damaged page never come out of the read: verify must say
// the journal could not be read, not that the rows it saw are intact.
TEST_F(JournalStoreTest, VerifyFailsWhenTheReadStopsOnAnErrorAfterItsLastRow) {
    {
        auto store = Open();
        tb::journal::JournalError error;
        for (int i = 0; i < 40; ++i) {
            JournalEntry entry = SampleEntry("0000000E", "2026-12-09T05:00:00.000Z");
            entry.operatorName = (i == 39 ? "last-row-" : "row-") + std::string(300, 'x');
            ASSERT_TRUE(store->Append(entry, error)) << error;
        }
    }
    ASSERT_FALSE(std::filesystem::exists(path_ + "-wal"));
    // The table page that holds the last row gets a page type SQLite does not know.
    std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t pageSize =
        (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
    const std::size_t at = bytes.find("last-row-");
    ASSERT_NE(at, std::string::npos);
    const std::size_t page = at / pageSize * pageSize;
    ASSERT_GT(page, 0u);
    ASSERT_EQ(bytes[page], '\x0d');  // a leaf page of a table
    file.seekp(static_cast<std::streamoff>(page));
    file.put('\x07');
    file.close();

    auto store = Open();
    const VerifyReport report = store->Verify();
    EXPECT_FALSE(report.readable);
    EXPECT_FALSE(report.Intact());
    EXPECT_EQ(report.error.text, resources::strings::kMsgJournalCannotRead);
    EXPECT_GT(report.rows, 0);  // the rows before the damaged page were read

    QProcess tool;
    tool.start(
        QString::fromStdString(
            std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/trimbench"),
        {"journal", "verify", "--sqlite", QString::fromStdString(path_), "--json"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 1);
    const QJsonObject verdict = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    EXPECT_EQ(verdict["result"].toString(), "failure");
    EXPECT_NE(verdict["message"].toString().indexOf("malformed"), -1)
        << verdict["message"].toString().toStdString();
}

// Commits do not wait for the disk; closing is what makes the file whole.
// With the window still reading, the bench's close must not leave its rows
// only in the write-ahead log.
TEST_F(JournalStoreTest, ClosingFoldsTheRowsIntoTheFileWhileAnotherProgramReads) {
    auto window = Open();
    ASSERT_EQ(window->Count({}), 0);
    {
        auto bench = Open();
        AppendThree(*bench);
        ASSERT_GT(std::filesystem::file_size(path_ + "-wal"), 0u);
    }
    EXPECT_EQ(std::filesystem::file_size(path_ + "-wal"), 0u);
    EXPECT_EQ(window->Count({}), 3);

    // The file alone, as a copy or a backup takes it, holds every row.
    const std::string copy = dir_.str() + "/copy.sqlite3";
    std::filesystem::copy_file(path_, copy);
    tb::journal::JournalError error;
    auto copied = JournalStore::OpenSqlite(copy, error);
    ASSERT_NE(copied, nullptr) << error;
    EXPECT_EQ(copied->Count({}), 3);
    EXPECT_TRUE(copied->Verify().Intact());
}

TEST_F(JournalStoreTest, SchemaIsCreatedOnceAndAJournalOfANewerProgramIsRefused) {
    {
        auto store = Open();
        AppendThree(*store);
    }
    {
        auto store = Open();  // reopening migrates nothing and keeps the rows
        EXPECT_EQ(store->Count({}), 3);
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec("SELECT COUNT(*), MAX(version) FROM journal_schema"));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toInt(), CurrentSchemaVersion());
        EXPECT_EQ(query.value(1).toInt(), CurrentSchemaVersion());
        ASSERT_TRUE(query.exec("INSERT INTO journal_schema (version) VALUES (99)"));
    }
    tb::journal::JournalError error;
    EXPECT_EQ(JournalStore::OpenSqlite(path_, error), nullptr);
    EXPECT_EQ(error, (JournalError{resources::strings::kMsgJournalNewerSchema, {"99"}}));
}

TEST_F(JournalStoreTest, CsvExportIsUtf8WithByteOrderMarkOneQuotedLinePerRecord) {
    JournalEntry entry = SampleEntry("00A1B2C3", "2026-12-09T02:15:10.123Z");
    entry.id = 7;
    entry.operatorName = "田中, \"主任\"";
    entry.chain = "ab12";
    entry.references = ReferencesJson({{"PT100-07", "Pt100 probe", "C-1", "2026-01-01", true}});
    entry.ambientC = "23.5";
    entry.humidityPct = "45";
    JournalEntry failed = SampleEntry("00A1B2C3", "2026-12-09T02:16:00.000Z", false);
    failed.id = 8;
    failed.resultCode = 30;
    failed.chain = "cd34";
    const std::string expected =
        "\xEF\xBB\xBF"
        "id,recorded_utc,utc_offset_min,operator,program_version,page,model,operation,unit_serial,"
        "logger_serial,temp_unit,channels,as_found,points,entered,composed,as_left,outcome,"
        "message_id,result_code,history_entry,chain,references,ambient_c,humidity_pct\r\n"
        "7,2026-12-09T02:15:10.123Z,540,\"田中, \"\"主任\"\"\",1.31,820/821,820/821,send,00A1B2C3,,"
        "C,CH1,y = 1.000x +0.400,25.0 -> 25.3,y = 1.000x +0.300,y = 1.000x +0.700,"
        "y = 1.000x +0.700,success,1050,,,ab12,PT100-07 (expired),23.5,45\r\n"
        "8,2026-12-09T02:16:00.000Z,540,tanaka,1.31,820/821,820/821,send,00A1B2C3,,"
        "C,CH1,y = 1.000x +0.400,25.0 -> 25.3,y = 1.000x +0.300,y = 1.000x +0.700,"
        "-,failure,1048,30,,cd34,,,\r\n";
    EXPECT_EQ(CsvText({entry, failed}), expected);

    const std::string file = dir_.str() + "/export.csv";
    tb::journal::JournalError error;
    ASSERT_TRUE(WriteFileAtomically(file, CsvText({entry}), error)) << error;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, CsvText({entry}));
    EXPECT_FALSE(WriteFileAtomically(dir_.str() + "/missing/export.csv", "x", error));
}

}  // namespace
}  // namespace tb::journal
