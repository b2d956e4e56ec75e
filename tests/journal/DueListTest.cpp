// The loggers due for adjustment: the intervals setting parsed strictly,
// and the last visits of a journal with sends at known dates against a
// fixed today.
#include <gtest/gtest.h>

#include "journal/DueList.h"
#include "tests/support/JournalErrorPrinter.h"
#include "journal/JournalError.h"
#include "resources/StringIds.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/SqliteJournalTest.h"

namespace tb::journal {
namespace {

using namespace resources::strings;
using testing::SampleEntry;

TEST(DueIntervals, WellFormedSettingsParseAndEveryMalformedOneIsRefusedWithItsReason) {
    JournalError error;
    EXPECT_EQ(ParseDueIntervals(" 820=365; 870 = 180 ;*=365", error),
              (std::vector<DueInterval>{{"820", 365}, {"870", 180}, {"*", 365}}));
    EXPECT_FALSE(error);
    struct Case {
        std::string text;
        int reason;
    };
    for (const Case& c : std::vector<Case>{{"", kMsgDueEntryMalformed},
                                           {"820=365;", kMsgDueEntryMalformed},
                                           {"820", kMsgDueEntryMalformed},
                                           {"=365", kMsgDueEntryMalformed},
                                           {"820=365=1", kMsgDueEntryMalformed},
                                           {"820=", kMsgDueEntryMalformed},
                                           {"820=0", kMsgDueDaysOutOfRange},
                                           {"820=3651", kMsgDueDaysOutOfRange},
                                           {"820=-5", kMsgDueDaysOutOfRange},
                                           {"820=+5", kMsgDueDaysOutOfRange},
                                           {"820=1y", kMsgDueDaysOutOfRange},
                                           {"820=12.5", kMsgDueDaysOutOfRange},
                                           {"820=99999999999", kMsgDueDaysOutOfRange},
                                           {"820=30; 820=60", kMsgDueModelTwice},
                                           {std::string(kMaxDueIntervalsText + 1, ' '), kMsgDueIntervalsTooLong}}) {
        EXPECT_FALSE(ParseDueIntervals(c.text, error)) << c.text;
        EXPECT_EQ(error.text, c.reason) << c.text;
    }
}

TEST(DueIntervals, AModelTakesItsOwnEntryThenItsPagesPartThenTheWildcard) {
    const std::vector<DueInterval> intervals = {{"830", 90}, {"820", 365}, {"*", 30}};
    EXPECT_EQ(IntervalOf(intervals, "830"), 90);
    EXPECT_EQ(IntervalOf(intervals, "820/821"), 365);
    EXPECT_EQ(IntervalOf(intervals, "870"), 30);
    EXPECT_EQ(IntervalOf({{"820", 365}}, "870"), std::nullopt);
}

class DueListTest : public testing::SqliteJournalTest {};

TEST_F(DueListTest, EachLoggersLastSuccessfulSendGivesItsDueDateAndDaysLeft) {
    auto store = Open();
    ASSERT_NE(store, nullptr);
    struct Visit {
        const char* serial;
        const char* model;
        const char* utc;  // the bench is at +09:00 (SampleEntry)
        bool success;
        const char* operation;
    };
    // Today is 2026-12-10.
    const Visit visits[] = {
        {"0000000A", "830", "2026-09-01T01:00:00.000Z", true, "send"},     // superseded below
        {"0000000A", "830", "2026-09-20T16:00:00.000Z", true, "send"},     // 09-21 local: due 12-20
        {"0000000A", "830", "2026-10-01T01:00:00.000Z", false, "send"},    // failed: not a visit
        {"0000000A", "830", "2026-11-01T01:00:00.000Z", true, "receive"},  // a read: not a visit
        {"0000000B", "830", "2026-08-01T01:00:00.000Z", true, "send"},     // due 10-30: overdue
        {"0000000C", "820/821", "2026-01-01T01:00:00.000Z", true, "send"},  // due 2027-01-01
        {"0000000D", "870", "2026-12-01T01:00:00.000Z", true, "send"},     // due 2027-05-30
        {"0000000A", "870", "2026-06-10T01:00:00.000Z", true, "send"},     // another logger: due 12-07
    };
    JournalError reason;
    for (const Visit& visit : visits) {
        JournalEntry entry = SampleEntry(visit.serial, visit.utc, visit.success);
        entry.model = visit.model;
        entry.operation = visit.operation;
        ASSERT_TRUE(store->Append(entry, reason)) << reason;
    }
    const std::vector<DueInterval> intervals = {{"830", 90}, {"820", 365}, {"870", 180}};
    const QDate today(2026, 12, 10);
    JournalError error;
    const auto due = DueLoggers(*store, intervals, today, 30, error);
    ASSERT_TRUE(due) << JournalErrorText(error);
    const std::vector<DueLogger> expected = {
        {"830", "0000000B", QDate(2026, 8, 1), 90, QDate(2026, 10, 30), -41},
        {"870", "0000000A", QDate(2026, 6, 10), 180, QDate(2026, 12, 7), -3},
        {"830", "0000000A", QDate(2026, 9, 21), 90, QDate(2026, 12, 20), 10},
        {"820/821", "0000000C", QDate(2026, 1, 1), 365, QDate(2027, 1, 1), 22},
    };
    EXPECT_EQ(*due, expected);

    struct Case {
        int within;
        std::size_t count;
    };
    for (const Case& c : {Case{0, 2}, Case{21, 3}, Case{-42, 0}, Case{3650, 5}})
        EXPECT_EQ(DueLoggers(*store, intervals, today, c.within, error)->size(), c.count) << c.within;
}

}  // namespace
}  // namespace tb::journal
