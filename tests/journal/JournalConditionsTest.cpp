// The reference register and the conditions every row records, the
// migration that brought them (older rows still verify), and the seal that
// ties a certificate to the untouched journal.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <fstream>

#include "journal/CertificateCheck.h"
#include "journal/CertificateSeal.h"
#include "journal/JournalRecorder.h"
#include "journal/JournalStore.h"
#include "journal/ReferenceRegister.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/SqliteJournalTest.h"
#include "tests/journal/LegacyJournal.h"
#include "tests/services/TempDir.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal {
namespace {

using testing::SampleEntry;
using testing::SampleRecord;

const ReferenceInstrument kProbe{"PT100-07", "Pt100 probe", "JCSS-0412", "2026-03-01", "2027-02-28"};
const ReferenceInstrument kHygrometer{"HYG-02", "chilled-mirror hygrometer", "C-88", "2025-01-10",
                                      "2026-01-10"};

using JournalConditionsTest = testing::SqliteJournalTest;

TEST_F(JournalConditionsTest, TheRegisterKeepsRenewalsAndRetirementsAndRefusesBadInput) {
    auto store = Open();
    ReferenceRegister references(*store);
    JournalError error;
    ASSERT_TRUE(references.Add(kProbe, error)) << JournalErrorText(error);
    ASSERT_TRUE(references.Add(kHygrometer, error)) << JournalErrorText(error);
    ReferenceInstrument renewed = kProbe;
    renewed.certificate = "JCSS-0977";
    renewed.calibratedOn = "2027-02-20";
    renewed.dueOn = "2028-02-20";
    ASSERT_TRUE(references.Add(renewed, error)) << JournalErrorText(error);
    ASSERT_TRUE(references.Retire("HYG-02", error)) << JournalErrorText(error);

    JournalError readError;
    const auto listed = references.List(readError);
    ASSERT_TRUE(listed) << readError;
    ASSERT_EQ(listed->size(), 2u);
    EXPECT_TRUE((*listed)[0].retired);  // HYG-02 sorts first
    EXPECT_EQ((*listed)[1], renewed);
    EXPECT_TRUE(kHygrometer.ExpiredOn(QDate(2026, 1, 11)));
    EXPECT_FALSE(kHygrometer.ExpiredOn(QDate(2026, 1, 10)));

    struct Case {
        ReferenceInstrument instrument;
        JournalError reason;
    };
    auto with = [](auto change) {
        ReferenceInstrument instrument{"DMM-1", "", "C-1", "2026-01-01", "2027-01-01"};
        change(instrument);
        return instrument;
    };
    using namespace resources::strings;
    const std::vector<Case> refused = {
        {with([](auto& r) { r.dueOn = "2025-12-31"; }), {kMsgReferenceDueBeforeCalibrated}},
        {with([](auto& r) { r.calibratedOn = "2026-02-30"; }), {kMsgReferenceBadCalibrated, {"2026-02-30"}}},
        {with([](auto& r) { r.dueOn = "1.1.2027"; }), {kMsgReferenceBadDue, {"1.1.2027"}}},
        {with([](auto& r) { r.id = "DMM 1"; }), {kMsgReferenceIdCharacters}},
        {with([](auto& r) { r.id = "A;B"; }), {kMsgReferenceIdCharacters}},
        {with([](auto& r) { r.id = std::string(33, 'X'); }), {kMsgReferenceIdLength}},
        {with([](auto& r) { r.certificate.clear(); }), {kMsgReferenceNoCertificate}},
        {with([](auto& r) { r.description = std::string(201, 'd'); }), {kMsgReferenceTextTooLong}},
        {with([](auto& r) { r.id = "HYG-02"; }), {kMsgReferenceRetiredId, {"HYG-02"}}},
    };
    for (const Case& c : refused) {
        EXPECT_FALSE(references.Add(c.instrument, error)) << JournalErrorText(c.reason);
        EXPECT_EQ(error, c.reason) << JournalErrorText(error);
    }
    EXPECT_FALSE(references.Retire("HYG-02", error));
    EXPECT_EQ(error, (JournalError{kMsgReferenceAlreadyRetired, {"HYG-02"}}));
    EXPECT_FALSE(references.Retire("NOPE", error));
    EXPECT_EQ(error, (JournalError{kMsgReferenceNotRegistered, {"NOPE"}}));
    EXPECT_EQ(references.List(readError)->size(), 2u);  // nothing refused was kept

    // Append-only like the journal.
    QSqlQuery query(store->Database());
    EXPECT_FALSE(query.exec("UPDATE reference_event SET due_on = '2099-01-01'"));
    EXPECT_FALSE(query.exec("DELETE FROM reference_event"));
}

TEST_F(JournalConditionsTest, AmbientValuesOutOfRangeAreRefusedAndOthersKeptAsNumbers) {
    struct Case {
        const char* text;
        bool accepted;
        const char* celsius;
        const char* humidity;
    };
    for (const Case& c : std::vector<Case>{{"23.5,45", true, "23.5", "45"},
                                           {" 20 , 50.25 ", true, "20", "50.25"},
                                           {"-5", true, "-5", ""},
                                           {"81,40", false, "", ""},
                                           {"-41,40", false, "", ""},
                                           {"23,101", false, "", ""},
                                           {"23,-1", false, "", ""},
                                           {"nan,40", false, "", ""},
                                           {"23,40,1", false, "", ""},
                                           {"warm", false, "", ""},
                                           {"", false, "", ""}}) {
        WorkSelection selection;
        JournalError error;
        EXPECT_EQ(ParseAmbient(c.text, selection, error), c.accepted) << c.text;
        EXPECT_EQ(selection.ambientC, c.celsius) << c.text;
        EXPECT_EQ(selection.humidityPct, c.humidity) << c.text;
        EXPECT_EQ(!error, c.accepted) << c.text;
    }
    // A refusal names what it refuses; the front end says it in the
    // interface language, with no option name of the command line in it.
    using namespace resources::strings;
    for (const auto& [text, expected] : std::vector<std::pair<std::string, JournalError>>{
             {"23,40,1", {kMsgAmbientForm}},
             {"81,40", {kMsgAmbientOutOfRange, {"81"}}},
             {"23,101", {kMsgHumidityOutOfRange, {"101"}}}}) {
        WorkSelection selection;
        JournalError error;
        EXPECT_FALSE(ParseAmbient(text, selection, error));
        EXPECT_EQ(error, expected) << text;
    }
    EXPECT_EQ(JournalErrorText({kMsgHumidityOutOfRange, {"101"}}), "相対湿度 \"101\" は 0〜100 % の値ではありません");
    EXPECT_EQ(JournalErrorText({kMsgAmbientForm}).find("--ambient"), std::string::npos);
}

TEST_F(JournalConditionsTest, EveryRowRecordsTheReferencesAndConditionsItWasMadeWith) {
    {
        auto store = Open();
        ReferenceRegister references(*store);
        JournalError error;
        ASSERT_TRUE(references.Add(kProbe, error)) << JournalErrorText(error);
        ASSERT_TRUE(references.Add(kHygrometer, error)) << JournalErrorText(error);  // due 2026-01-10: expired
    }
    InstalledJournal journal({Engine::Sqlite, path_, {}});
    {
        const SelectionScope scope({{"PT100-07", "HYG-02"}, "23.5", "45"});
        journal.Recorder().Record(SampleRecord("00A1B2C3"));
    }
    {
        const SelectionScope none({});
        journal.Recorder().Record(SampleRecord("00A1B2C3"));
    }
    const std::vector<JournalEntry> rows = journal.Recorder().Store()->Fetch({}, 0, 10);
    ASSERT_EQ(rows.size(), 2u);
    const JournalEntry& made = rows[1];
    EXPECT_EQ(made.rowVersion, kRowVersion);
    EXPECT_EQ(made.ambientC, "23.5");
    EXPECT_EQ(made.humidityPct, "45");
    const std::vector<ReferenceUse> uses = ParseReferences(made.references);
    ASSERT_EQ(uses.size(), 2u);
    EXPECT_EQ(uses[0], (ReferenceUse{"PT100-07", "Pt100 probe", "JCSS-0412", "2027-02-28",
                                     QDate::currentDate() > QDate(2027, 2, 28)}));
    EXPECT_TRUE(uses[1].expired);
    EXPECT_TRUE(rows[0].references.empty());
    EXPECT_TRUE(rows[0].ambientC.empty());
    EXPECT_TRUE(journal.Recorder().Store()->Verify().Intact());

    // The chain covers the new fields: a changed reference breaks it.
    JournalEntry changed = made;
    changed.references = ReferencesJson({{"PT100-08", "", "X", "2099-01-01", false}});
    EXPECT_NE(ChainValue(rows[0].chain, changed), ChainValue(rows[0].chain, made));
}

TEST_F(JournalConditionsTest, RowsWrittenBeforeTheMigrationStillVerifyAndNewRowsFollowThem) {
    tb::journal::JournalError error;
    {
        const QString name = QStringLiteral("legacy-sqlite");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QString::fromStdString(path_));
            ASSERT_TRUE(db.open());
            ASSERT_EQ(testing::WriteVersionOneJournal(db, Engine::Sqlite, 3, error).size(), 3u) << error;
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    auto store = Open();
    ASSERT_NE(store, nullptr);
    const auto old = store->Entry(2);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->rowVersion, kRowVersionFirst);
    EXPECT_TRUE(old->references.empty());
    JournalEntry added = SampleEntry("0000001A", "2026-12-09T05:00:00.000Z");
    added.ambientC = "21";
    ASSERT_TRUE(store->Append(added, error)) << error;
    const VerifyReport report = store->Verify();
    EXPECT_TRUE(report.Intact()) << report.error << " row " << report.firstBroken.value_or(0);
    EXPECT_EQ(report.rows, 4);
    EXPECT_EQ(store->Entry(4)->rowVersion, kRowVersion);
}

TEST_F(JournalConditionsTest, ASealMatchesItsRowsUntilOneIsChangedBehindTheTriggers) {
    auto store = Open();
    tb::journal::JournalError error;
    std::vector<JournalEntry> rows;
    for (const char* utc : {"2026-12-09T01:00:00.000Z", "2026-12-09T02:00:00.000Z"}) {
        JournalEntry entry = SampleEntry("0000002B", utc);
        ASSERT_TRUE(store->Append(entry, error)) << error;
        rows.push_back(entry);
    }
    const CertificateSeal seal = SealOf(rows);
    EXPECT_EQ(SealOf(rows), seal);  // the same rows, the same number
    EXPECT_NE(SealOf({rows[1]}).number, seal.number);
    EXPECT_EQ(seal.number.rfind("TB-000002-", 0), 0u) << seal.number;
    EXPECT_EQ(FindSeal("%PDF ... " + SealText(seal) + " ..."), seal);
    EXPECT_TRUE(CheckSeal(*store, seal).matches) << JournalErrorText(CheckSeal(*store, seal).reason);

    CertificateSeal forged = seal;
    forged.rowIds = {2};
    EXPECT_FALSE(CheckSeal(*store, forged).matches);

    QSqlQuery query(store->Database());
    ASSERT_TRUE(query.exec("DROP TRIGGER journal_refuse_update"));
    ASSERT_TRUE(query.exec("UPDATE journal SET operator = 'someone' WHERE id = 1"));
    const SealCheck check = CheckSeal(*store, seal);
    EXPECT_FALSE(check.matches);
    EXPECT_EQ(check.reason, (JournalError{resources::strings::kMsgSealChainBroken, {"1"}}))
        << JournalErrorText(check.reason);
}

TEST_F(JournalConditionsTest, ASealThatIsNotWholeIsNotFound) {
    const std::string digest(64, 'a');
    for (const std::string& bytes :
         {std::string("no seal here"), "tb-seal:TB-1;1,2;" + digest,  // no end
          "tb-seal:TB-1;1,x;" + digest + ":tb-seal-end", "tb-seal:TB-1;1;" + digest.substr(1) + ":tb-seal-end",
          "tb-seal:TB-1;0;" + digest + ":tb-seal-end", "tb-seal:;1;" + digest + ":tb-seal-end",
          "tb-seal:TB-1;1;" + digest + ";extra:tb-seal-end",
          "tb-seal:TB-1;99999999999999999999;" + digest + ":tb-seal-end"}) {
        EXPECT_FALSE(FindSeal(bytes)) << bytes;
    }
}

// A certificate is named by its file or its number; what cannot be found
// says which of the two was missing.
TEST_F(JournalConditionsTest, ACertificateIsCheckedByItsFileOrItsNumber) {
    auto store = Open();
    tb::journal::JournalError error;
    JournalEntry entry = SampleEntry("00A1B2C3", "2026-12-09T09:00:00.000Z");
    ASSERT_TRUE(store->Append(entry, error)) << error;
    const CertificateSeal seal = SealOf({entry});
    const std::string sealed = dir_.str() + "/sealed.pdf";
    const std::string plain = dir_.str() + "/plain.pdf";
    std::ofstream(sealed) << "%PDF ... " << SealText(seal) << " ...";
    std::ofstream(plain) << "%PDF no seal";

    using namespace resources::strings;
    for (const std::string& named : {seal.number, sealed}) {
        const SealCheck check = CheckCertificate(*store, named);
        EXPECT_TRUE(check.matches) << named << ": " << JournalErrorText(check.reason);
        EXPECT_EQ(check.number, seal.number);
        EXPECT_EQ(check.rows, 1u);
    }
    for (const auto& [named, reason] : std::vector<std::pair<std::string, JournalError>>{
             {"TB-000009-00000000", {kMsgSealNumberUnknown}}, {plain, {kMsgSealNotInFile}}}) {
        const SealCheck check = CheckCertificate(*store, named);
        EXPECT_FALSE(check.matches) << named;
        EXPECT_EQ(check.number, named);
        EXPECT_EQ(check.reason, reason) << JournalErrorText(check.reason);
    }
}

}  // namespace
}  // namespace tb::journal
