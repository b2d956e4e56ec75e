// The journal's columns: rows of both row versions, as earlier programs
// wrote them, keep their canonical text and chain value, read back field
// for field on the current schema, still verify with a new row chained on,
// and come out in CSV and --json as their readers already take them.
#include <gtest/gtest.h>

#include <QJsonArray>

#include "journal/CsvExport.h"
#include "journal/JournalChain.h"
#include "journal/JournalColumns.h"
#include "journal/JournalStore.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/KnownRows.h"
#include "tests/journal/SqliteJournalTest.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal {
namespace {

using testing::KnownRow;
using testing::KnownRows;

TEST(JournalColumns, KnownRowsKeepTheirCanonicalTextAndChainValue) {
    std::string previous = kChainStart;
    for (const KnownRow& row : KnownRows()) {
        EXPECT_EQ(CanonicalText(row.entry), row.canonical) << "row " << row.entry.id;
        EXPECT_EQ(ChainValue(previous, row.entry), row.entry.chain) << "row " << row.entry.id;
        previous = row.entry.chain;
    }
}

using JournalColumnsStore = testing::SqliteJournalTest;

TEST_F(JournalColumnsStore, KnownRowsReadBackAsWrittenAndVerifyWithANewRowChainedOn) {
    auto store = Open();
    ASSERT_NE(store, nullptr);
    tb::journal::JournalError error;
    ASSERT_TRUE(testing::StoreKnownRows(store->Database(), error)) << error;
    for (const KnownRow& row : KnownRows()) EXPECT_EQ(store->Entry(row.entry.id), row.entry);
    EXPECT_TRUE(store->Verify().Intact());

    // A row of the logger's own model, stored as the record gives it.
    JournalEntry added = testing::SampleEntry("0000001B", "2026-12-10T01:00:00.000Z");
    added.model = "821";
    added.resultCode = 0;
    ASSERT_TRUE(store->Append(added, error)) << error;
    EXPECT_EQ(store->Entry(3), added);
    EXPECT_EQ(store->Entry(3)->model, "821");
    const VerifyReport report = store->Verify();
    EXPECT_TRUE(report.Intact()) << report.firstBroken.value_or(0);
    EXPECT_EQ(report.rows, 3);
}

TEST(JournalColumns, CsvShowsTheKnownRowsAsSpreadsheetsAlreadyReadThem) {
    std::vector<JournalEntry> rows;
    for (const KnownRow& row : KnownRows()) rows.push_back(row.entry);
    EXPECT_EQ(CsvText(rows),
              "\xEF\xBB\xBF"
              "id,recorded_utc,utc_offset_min,operator,program_version,page,model,operation,"
              "unit_serial,logger_serial,temp_unit,channels,as_found,points,entered,composed,as_left,"
              "outcome,message_id,result_code,history_entry,chain,references,ambient_c,humidity_pct\r\n"
              "1,2026-11-02T05:00:00.000Z,540,tanaka,1.30,820/821,820/821,send,0000001A,,C,CH1,-,-,-,-,"
              "y = 1.000x +0.700,success,1050,,,"
              "5a6ad17d575c11a89bee0660a680a41f537cf61df4ec3577a8b8ae39f826c3bd,,,\r\n"
              "2,2026-12-09T02:15:10.123Z,-300,佐藤,1.31,870,870,receive,,00A1B2C3,F,T1 | RH,"
              "y = 1.010x -0.200 | -,- | -,- | -,- | -,- | -,failure,1048,-7,0A1B,"
              "6614eee329616850ca10c35ba82a65d12c3b00b7bb74864d194d03a3a0c2e27b,PT100-07,23.5,45\r\n");
}

TEST(JournalColumns, JsonShowsEveryFieldButTheRowVersionWithNumbersAndArraysAsSuch) {
    const std::vector<KnownRow> rows = KnownRows();
    const QJsonObject first = EntryJson(rows[0].entry);
    const QJsonObject second = EntryJson(rows[1].entry);
    EXPECT_EQ(first.keys(),
              QStringList({"ambientC", "chain", "channels", "historyEntry", "humidityPct", "id", "loggerSerial",
                           "messageId", "model", "operation", "operator", "outcome", "page", "programVersion",
                           "recordedUtc", "references", "resultCode", "tempUnit", "unitSerial",
                           "utcOffsetMinutes"}));
    EXPECT_TRUE(first["resultCode"].isNull());
    EXPECT_EQ(second["resultCode"].toInt(), -7);
    EXPECT_EQ(second["utcOffsetMinutes"].toInt(), -300);
    EXPECT_EQ(second["id"].toInteger(), 2);
    EXPECT_EQ(second["operator"].toString(), QString::fromUtf8("佐藤"));
    EXPECT_EQ(second["channels"].toArray().size(), 2);
    EXPECT_EQ(second["channels"].toArray()[0].toObject()["name"].toString(), "T1");
    EXPECT_EQ(second["references"].toArray()[0].toObject()["id"].toString(), "PT100-07");
    EXPECT_TRUE(first["references"].toArray().isEmpty());
}

}  // namespace
}  // namespace tb::journal
