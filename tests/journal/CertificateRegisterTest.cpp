// The register of issued certificates: registering, finding, corrections,
// the look-up by reference (also of journal rows), bounds on what is read
// back, and a journal of the previous schema gaining the register.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "journal/CertificateRegister.h"
#include "tests/support/JournalErrorPrinter.h"
#include "journal/JournalError.h"
#include "journal/JournalStore.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/LegacyJournal.h"
#include "tests/journal/SqliteJournalTest.h"

namespace tb::journal {
namespace {

using namespace resources::strings;
using testing::SampleEntry;

IssuedCertificate Issued(std::string number, std::vector<std::string> references,
                         std::string replaces = {}) {
    return {std::move(number), std::move(replaces), "2026-12-10T06:00:00.000Z", "830",
            "0000001A", {3, 4}, std::string(64, 'a'), std::move(references)};
}

std::vector<std::string> Numbers(const std::optional<std::vector<IssuedCertificate>>& found) {
    std::vector<std::string> numbers;
    for (const IssuedCertificate& issued : found.value_or(std::vector<IssuedCertificate>{}))
        numbers.push_back(issued.number);
    return numbers;
}

class CertificateRegisterTest : public testing::SqliteJournalTest {};

TEST_F(CertificateRegisterTest, RegisteredCertificatesAreFoundByNumberReferenceAndCorrection) {
    auto store = Open();
    ASSERT_NE(store, nullptr);
    JournalError error;
    const IssuedCertificate first = Issued("TB-000001-AAAAAAAA", {"PT100-07", "HYG-02"});
    const IssuedCertificate second = Issued("TB-000002-BBBBBBBB", {"PT100-07"});
    const IssuedCertificate corrected = Issued("TB-000001-AAAAAAAA-R1", {"HYG-02"}, first.number);
    for (const IssuedCertificate& issued : {first, second, corrected})
        ASSERT_TRUE(RegisterCertificate(*store, issued, error)) << JournalErrorText(error);

    EXPECT_EQ(FindIssued(*store, corrected.number, error), corrected);
    EXPECT_FALSE(FindIssued(*store, "TB-999999-00000000", error));
    EXPECT_FALSE(error);

    struct Case {
        const char* reference;
        std::vector<std::string> numbers;
    };
    for (const Case& c : {Case{"PT100-07", {first.number, second.number}},
                          Case{"HYG-02", {first.number, corrected.number}}, Case{"NONE-1", {}}}) {
        EXPECT_EQ(Numbers(IssuedRelyingOn(*store, c.reference, error)), c.numbers) << c.reference;
        EXPECT_FALSE(error);
    }
    EXPECT_EQ(Numbers(CorrectionsOf(*store, first.number, error)),
              std::vector<std::string>{corrected.number});
    EXPECT_TRUE(Numbers(CorrectionsOf(*store, second.number, error)).empty());
}

TEST_F(CertificateRegisterTest, BadCertificatesAreRefusedAndNothingIsRecorded) {
    auto store = Open();
    ASSERT_NE(store, nullptr);
    JournalError error;
    ASSERT_TRUE(RegisterCertificate(*store, Issued("TB-1", {"PT100-07"}), error));

    IssuedCertificate tooManyRows = Issued("TB-2", {});
    tooManyRows.rowIds.assign(kMaxCertificateRows + 1, 1);
    struct Case {
        IssuedCertificate issued;
        int text;
    };
    const std::vector<Case> cases = {
        {Issued("TB-1", {"HYG-02"}), kMsgCertificateNumberTaken},
        {Issued("TB-1-R1", {"HYG-02"}, "TB-404"), kMsgCertificateReplacesUnknown},
        {Issued("", {}), kMsgCertificateNoNumber},
        {Issued(std::string(kMaxCertificateTextLength + 1, 'N'), {}), kMsgCertificateTooLarge},
        {Issued("TB-3", {std::string(kMaxReferenceIdLength + 1, 'R')}), kMsgCertificateTooLarge},
        {Issued("TB-4", std::vector<std::string>(kMaxCertificateReferences + 1, "R")),
         kMsgCertificateTooLarge},
        {tooManyRows, kMsgCertificateTooLarge},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(RegisterCertificate(*store, c.issued, error)) << c.issued.number;
        EXPECT_EQ(error.text, c.text) << c.issued.number;
    }
    // The refused duplicate added no reference to the first certificate.
    EXPECT_TRUE(Numbers(IssuedRelyingOn(*store, "HYG-02", error)).empty());
    QSqlQuery count(store->Database());
    ASSERT_TRUE(count.exec("SELECT COUNT(*) FROM certificate_register") && count.next());
    EXPECT_EQ(count.value(0).toInt(), 1);
    // Registered certificates are never changed.
    QSqlQuery change(store->Database());
    EXPECT_FALSE(change.exec("UPDATE certificate_register SET digest = 'x'"));
    EXPECT_FALSE(change.exec("DELETE FROM certificate_reference"));
}

TEST_F(CertificateRegisterTest, AStoredEntryPastTheBoundsIsReportedAsMalformed) {
    auto store = Open();
    ASSERT_NE(store, nullptr);
    const std::string manyRows = "[" + std::string(kMaxCertificateRows * 2, '1') + "]";
    struct Case {
        std::string number, rowIds, referenceIds;
    };
    for (const Case& c : {Case{"M-1", "not json", "[]"}, Case{"M-2", "[1,2]", "{\"id\":1}"},
                          Case{"M-3", "[1.5]", "[]"}, Case{"M-4", "[-3]", "[]"},
                          Case{"M-5", "[1]", "[\"\"]"}, Case{"M-6", manyRows, "[]"},
                          Case{"M-7", "[1]", "[7]"}}) {
        QSqlQuery insert(store->Database());
        insert.prepare(
            "INSERT INTO certificate_register (number, replaces, issued_utc, model, logger_serial, "
            "row_ids, digest, reference_ids) VALUES (?, '', '', '', '', ?, '', ?)");
        for (const std::string* value : {&c.number, &c.rowIds, &c.referenceIds})
            insert.addBindValue(QString::fromStdString(*value));
        ASSERT_TRUE(insert.exec());
        JournalError error;
        EXPECT_FALSE(FindIssued(*store, c.number, error));
        EXPECT_EQ(error, (JournalError{kMsgCertificateRegisterMalformed, {c.number}})) << c.number;
    }
}

TEST_F(CertificateRegisterTest, TheReferenceFilterSelectsTheRowsThatRecordedTheReference) {
    auto store = Open();
    ASSERT_NE(store, nullptr);
    const std::vector<std::string> recorded = {
        ReferencesJson({{"PT100-07", "probe", "C-1", "2099-01-01", false},
                        {"HYG-02", "with \"id\":\"PT100-08\" inside", "C-2", "2099-01-01", false}}),
        ReferencesJson({{"PT100-08", "", "C-3", "2099-01-01", true}}),
        "",
        "[{\"id\":",  // damaged text names nothing
        "[\"PT100-07\"]"};
    JournalError reason;
    for (const std::string& references : recorded) {
        JournalEntry entry = SampleEntry("0000001A", "2026-12-09T05:00:00.000Z");
        entry.references = references;
        ASSERT_TRUE(store->Append(entry, reason)) << reason;
    }
    struct Case {
        std::string reference;
        std::vector<int64_t> ids;
    };
    for (const Case& c : {Case{"PT100-07", {1}}, Case{"PT100-08", {2}}, Case{"HYG-02", {1}},
                          Case{"PT100", {}}, Case{"%", {}}}) {
        JournalFilter filter;
        filter.reference = c.reference;
        std::vector<int64_t> ids;
        for (const JournalEntry& entry : store->Fetch(filter, 0, 10)) ids.push_back(entry.id);
        EXPECT_EQ(ids, c.ids) << c.reference;
        EXPECT_EQ(store->Count(filter), static_cast<int64_t>(c.ids.size())) << c.reference;
    }
}

TEST_F(CertificateRegisterTest, AJournalOfThePreviousSchemaGainsTheRegisterWithItsRowsIntact) {
    JournalError reason;
    {
        const QString name = QStringLiteral("previous-schema");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QString::fromStdString(path_));
            ASSERT_TRUE(db.open());
            ASSERT_EQ(testing::WriteVersionOneJournal(db, Engine::Sqlite, 2, reason).size(), 2u) << reason;
            ASSERT_TRUE(MigrateSchemaTo(db, Engine::Sqlite, 2, reason)) << reason;
            ASSERT_FALSE(db.tables().contains(QStringLiteral("certificate_register")));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    auto store = Open();
    ASSERT_NE(store, nullptr);
    QSqlQuery version(store->Database());
    ASSERT_TRUE(version.exec("SELECT MAX(version) FROM journal_schema") && version.next());
    EXPECT_EQ(version.value(0).toInt(), CurrentSchemaVersion());
    JournalEntry row = SampleEntry("0000001A", "2026-12-09T05:00:00.000Z");
    ASSERT_TRUE(store->Append(row, reason)) << reason;
    JournalError error;
    ASSERT_TRUE(RegisterCertificate(*store, Issued("TB-1", {"PT100-07"}), error)) << JournalErrorText(error);
    EXPECT_EQ(Numbers(IssuedRelyingOn(*store, "PT100-07", error)), std::vector<std::string>{"TB-1"});
    const VerifyReport report = store->Verify();
    EXPECT_TRUE(report.Intact());
    EXPECT_EQ(report.rows, 3);
}

}  // namespace
}  // namespace tb::journal
