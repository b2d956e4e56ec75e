// The store's failures as the front ends get them: each a string id with
// the reason the database or the system gave as a value, said as a whole
// sentence in Japanese and in English.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <string>

#include "journal/CsvExport.h"
#include "journal/JournalError.h"
#include "journal/JournalRows.h"
#include "journal/JournalSchema.h"
#include "journal/JournalStore.h"
#include "journal/ReferenceRegister.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/english/EnglishTables.h"
#include "services/FormatText.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/SqliteJournalTest.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

// The error's text in one table, with its values.
std::string Said(std::string_view text, const JournalError& error) {
    std::vector<std::string_view> values(error.values.begin(), error.values.end());
    values.resize(kMaxErrorValues);
    return services::FormatText(text, {values[0], values[1], values[2]});
}

// The sentence without its values: what the table itself says.
std::string Wording(std::string text, const JournalError& error) {
    for (const std::string& value : error.values) {
        if (value.empty()) continue;
        for (std::size_t at; (at = text.find(value)) != std::string::npos;) text.erase(at, value.size());
    }
    return text;
}

bool HasJapanese(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0xE3 && c < 0xF0) return true;
    return false;
}

bool HasLatinLetter(const std::string& text) {
    for (unsigned char c : text)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
    return false;
}

class JournalStoreErrorsTest : public testing::SqliteJournalTest {
  protected:
    // Runs statements on the journal file through a connection of its own.
    void OnTheFile(const std::function<void(QSqlDatabase&)>& change) {
        const QString name = QStringLiteral("tb-errors-test");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QString::fromStdString(path_));
            ASSERT_TRUE(db.open());
            change(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    JournalError OpenError() {
        JournalError error;
        EXPECT_EQ(JournalStore::OpenSqlite(path_, error), nullptr);
        return error;
    }

    // The journal open, its connection refusing every write.
    std::unique_ptr<JournalStore> ReadOnly() {
        auto store = Open();
        EXPECT_TRUE(QSqlQuery(store->Database()).exec("PRAGMA query_only = ON"));
        return store;
    }
};

TEST_F(JournalStoreErrorsTest, EachFailureIsAnIdWithItsReasonSaidAsAWholeSentence) {
    struct Case {
        const char* what;
        std::function<JournalError()> provoke;
        int text;
        std::string reasonPart;  // found in the last value; empty: any reason given
    };
    const std::string unwritable = dir_.str() + "/missing/export.csv";
    const Case cases[] = {
        {"a file in a folder that does not exist",
         [&] {
             path_ = dir_.str() + "/missing/journal.sqlite3";
             return OpenError();
         },
         kMsgJournalCannotOpen, ""},
        {"a journal of a newer program",
         [&] {
             Open();
             OnTheFile([](QSqlDatabase& db) {
                 EXPECT_TRUE(QSqlQuery(db).exec("INSERT INTO journal_schema (version) VALUES (99)"));
             });
             return OpenError();
         },
         kMsgJournalNewerSchema, "99"},
        {"a migration the database refuses",
         [&] {
             OnTheFile([](QSqlDatabase& db) {
                 JournalError error;
                 EXPECT_TRUE(MigrateSchemaTo(db, Engine::Sqlite, 1, error)) << error;
                 EXPECT_TRUE(QSqlQuery(db).exec("CREATE TABLE reference_event (x)"));
             });
             return OpenError();
         },
         kMsgJournalCannotMigrate, "reference_event"},
        {"an append to a read-only journal",
         [&] {
             JournalEntry entry = testing::SampleEntry("0000000A", "2026-12-09T01:00:00.000Z");
             JournalError error;
             EXPECT_FALSE(ReadOnly()->Append(entry, error));
             return error;
         },
         kMsgJournalCannotAppend, "readonly"},
        {"an append the database aborts",
         [&] {
             auto store = Open();
             EXPECT_TRUE(QSqlQuery(store->Database())
                             .exec("CREATE TEMP TRIGGER closed BEFORE INSERT ON main.journal "
                                   "BEGIN SELECT RAISE(ABORT, 'closed for maintenance'); END"));
             JournalEntry entry = testing::SampleEntry("0000000A", "2026-12-09T01:00:00.000Z");
             JournalError error;
             EXPECT_FALSE(store->Append(entry, error));
             return error;
         },
         kMsgJournalCannotAppend, "closed for maintenance"},
        {"rows whose table is gone",
         [&] {
             auto store = Open();
             EXPECT_TRUE(QSqlQuery(store->Database()).exec("DROP TABLE journal"));
             JournalError error;
             EXPECT_FALSE(AllRows(*store, {}, error));
             return error;
         },
         kMsgJournalCannotRead, ""},
        {"a chain whose table is gone",
         [&] {
             auto store = Open();
             EXPECT_TRUE(QSqlQuery(store->Database()).exec("DROP TABLE journal"));
             const VerifyReport report = store->Verify();
             EXPECT_FALSE(report.readable);
             return report.error;
         },
         kMsgJournalCannotRead, ""},
        {"a reference added to a read-only journal",
         [&] {
             auto store = ReadOnly();
             ReferenceRegister references(*store);
             JournalError error;
             EXPECT_FALSE(references.Add({"PT100-07", "probe", "JCSS-1", "2026-03-01", "2027-03-01"}, error));
             return error;
         },
         kMsgReferenceNotRecorded, "readonly"},
        {"a file written into a folder that does not exist",
         [&] {
             JournalError error;
             EXPECT_FALSE(WriteFileAtomically(unwritable, "x", error));
             return error;
         },
         kMsgFileNotWritten, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        path_ = dir_.str() + "/" + std::to_string(&c - cases) + ".sqlite3";
        const JournalError error = c.provoke();
        ASSERT_EQ(error.text, c.text) << error;
        ASSERT_FALSE(error.values.empty());
        const std::string& reason = error.values.back();
        EXPECT_FALSE(reason.empty());
        EXPECT_NE(reason.find(c.reasonPart), std::string::npos) << reason;
        if (c.text == kMsgFileNotWritten) {
            EXPECT_EQ(error.values.front(), unwritable);
        }

        const std::string japanese = Said(resources::BuiltinString(c.text), error);
        const std::string english = Said(resources::english::String(c.text), error);
        EXPECT_EQ(JournalErrorText(error), japanese);  // the built-in interface
        for (const std::string& sentence : {japanese, english}) {
            EXPECT_NE(sentence.find(reason), std::string::npos) << sentence;
            EXPECT_GT(Wording(sentence, error).size(), 10u) << sentence;  // more than the reason
        }
        EXPECT_TRUE(HasJapanese(Wording(japanese, error))) << japanese;
        EXPECT_FALSE(HasLatinLetter(Wording(japanese, error))) << japanese;
        EXPECT_FALSE(HasJapanese(Wording(english, error))) << english;
    }
}

}  // namespace
}  // namespace tb::journal
