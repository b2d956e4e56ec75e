// The 870 page against a simulated logger leaves exactly one journal row per
// operation, holding what the logger held before and holds after, and the
// history entry it wrote.
#include "tests/journal/JournalLgr870Bench.h"

namespace tb::journal {
namespace {

TEST_F(JournalLgr870Test, ASendRecordsAsFoundAsLeftAndTheHistoryEntry) {
    Hold(kSecondGroup, {1000, 0, 1000, 0});
    const CalibrationCodes before = Held(kSecondGroup);
    SendOnSecondTab("20");
    const CalibrationCodes after = Held(kSecondGroup);
    ASSERT_NE(after, before);
    const JournalEntry row = OnlyRow();
    EXPECT_EQ(row.model, "870");
    EXPECT_EQ(row.loggerSerial, "12345678");
    EXPECT_EQ(row.outcome, kOutcomeSuccess);
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asFound), AsCorrections(before));
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asLeft), AsCorrections(after));
    EXPECT_EQ(row.historyEntry.size(), 2u * 15u);  // one entry of 15 bytes, in hex
    EXPECT_EQ(ParseChannels(row.channels)[1].enteredPoints,
              (std::vector<std::string>{"0", "0", "10", "20"}));
}

TEST_F(JournalLgr870Test, ARefusedSendRecordsTheLoggerUnchanged) {
    const CalibrationCodes before = Held(kSecondGroup);
    SendOnSecondTab("20.01");  // beyond the channel's limit
    ASSERT_EQ(Held(kSecondGroup), before);
    const JournalEntry row = OnlyRow();
    EXPECT_EQ(row.outcome, kOutcomeFailure);
    EXPECT_NE(row.messageId, 0);
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asFound), AsCorrections(before));
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asLeft), AsCorrections(before));
    EXPECT_TRUE(row.historyEntry.empty());
}

TEST_F(JournalLgr870Test, AFailedWriteRecordsTheCodeAndWhatTheLoggerHolds) {
    const CalibrationCodes before = Held(kSecondGroup);
    {
        auto lock = bench_.LockState();
        logger_->ArmFault(sim::Lgr87xFault::kRecording, 1, kSetCalibrationCommand);
    }
    SendOnSecondTab("20");
    ASSERT_EQ(Held(kSecondGroup), before);
    const JournalEntry row = OnlyRow();
    EXPECT_EQ(row.outcome, kOutcomeFailure);
    EXPECT_TRUE(row.resultCode.has_value());
    EXPECT_NE(row.resultCode.value_or(0), 0);
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asFound), AsCorrections(before));
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asLeft), AsCorrections(before));
}

TEST_F(JournalLgr870Test, AnInitialiseRecordsWhatItReplacedAndTheFactoryState) {
    Hold(kFirstGroup, {1100, 500, 900, -300});
    boxes_.AnswerNext(MsgAnswer::Yes);
    page_.OnCommand(kInitialise);
    ASSERT_EQ(Held(kFirstGroup), (CalibrationCodes{1000, 0, 1000, 0}));
    const JournalEntry row = OnlyRow();
    EXPECT_EQ(row.operation, "initialise");
    EXPECT_EQ(row.outcome, kOutcomeSuccess);
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asFound), AsCorrections({1100, 500, 900, -300}));
    EXPECT_EQ(Field(row, &pages::ChannelRecord::asLeft), AsCorrections({1000, 0, 1000, 0}));
    EXPECT_FALSE(row.historyEntry.empty());
}

}  // namespace
}  // namespace tb::journal
