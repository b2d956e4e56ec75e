// Terminal columns: Japanese headers take two cells a character, so a
// table's columns line up under them and never run together.
#include <gtest/gtest.h>

#include "cli/TextColumns.h"

namespace tb::cli {
namespace {

TEST(TextColumns, WidthCountsJapaneseAsTwoCellsAndBrokenBytesAsOne) {
    const std::pair<const char*, int> widths[] = {
        {"", 0},       {"830", 3},         {"機種", 4},     {"シリアル", 8},
        {"ｼﾘｱﾙ", 4},   {"COM１", 5},       {"°C", 2},       {"\xE6\x9C", 2},
        {"\xFF" "a", 2}, {"𠮷", 2},
    };
    for (const auto& [text, cells] : widths) EXPECT_EQ(DisplayWidth(text), cells) << text;
}

TEST(TextColumns, ColumnsPadToTheirCellsAndKeepASpaceWhenFull) {
    EXPECT_EQ(Column("830", 10), "830       ");
    EXPECT_EQ(Column("機種", 10), "機種      ");
    EXPECT_EQ(Column("シリアル", 8), "シリアル ");
    EXPECT_EQ(Column("usb-base-unit-long", 10), "usb-base-unit-long ");
    EXPECT_EQ(DisplayWidth(Column("シリアル", 10)) , 10);
}

}  // namespace
}  // namespace tb::cli
