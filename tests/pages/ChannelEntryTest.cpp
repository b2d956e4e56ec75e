#include <gtest/gtest.h>

#include "services/MessageBox.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "pages/ChannelEntry.h"
#include "pages/MemoryDialogView.h"

namespace tb::pages {
namespace {

constexpr EntryBoxes kBoxes{1016, 1018, 1019, 1020};

class ReadingEntry : public ::testing::Test {
  protected:
    void Type(const char* x1, const char* y1, const char* x2, const char* y2) {
        view_.SetText(kBoxes.before1, x1);
        view_.SetText(kBoxes.after1, y1);
        view_.SetText(kBoxes.before2, x2);
        view_.SetText(kBoxes.after2, y2);
    }

    services::ScriptedMessageBoxes boxes_;
    MemoryDialogView view_;
};

TEST_F(ReadingEntry, TwoPointReadsAllFourBoxes) {
    Type("0", " 10.5", "-.5", "+30");
    auto entry = ReadChannelEntry(view_, kBoxes, true);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->x1, 0.0);
    EXPECT_EQ(entry->y1, 10.5);
    EXPECT_EQ(entry->x2, -0.5);
    EXPECT_EQ(entry->y2, 30.0);
    EXPECT_EQ(boxes_.Count(), 0u);
    EXPECT_EQ(view_.FocusedId(), 0);
}

TEST_F(ReadingEntry, OnePointIgnoresTheSecondRow) {
    Type("25", "25.3", "junk", "");
    auto entry = ReadChannelEntry(view_, kBoxes, false);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->x1, 25.0);
    EXPECT_EQ(entry->y1, 25.3);
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(ReadingEntry, FirstUnreadableBoxInReadingOrderGetsTheFocus) {
    // Row 1's "after" comes before row 2's "before", although both are bad.
    Type("1", "12.", "x", "5");
    EXPECT_FALSE(ReadChannelEntry(view_, kBoxes, true));
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "数値を正しく入力してください。");
    EXPECT_EQ(boxes_.Last().icon, services::MsgIcon::Warning);
    EXPECT_EQ(view_.FocusHistory(), std::vector<int>{kBoxes.after1});

    Type("1", "2", "3", "");
    boxes_.Clear();
    EXPECT_FALSE(ReadChannelEntry(view_, kBoxes, true));
    EXPECT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(view_.FocusedId(), kBoxes.after2);
}

}  // namespace
}  // namespace tb::pages
