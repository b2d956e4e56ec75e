#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "resources/StringTable.h"

namespace tb::resources {
namespace {

TEST(StringTable, HoldsEveryNumberedTextOnceFrom103To2001AndTheJournalTextsAbove) {
    auto strings = BuiltinStrings();
    const auto pageTexts = std::count_if(strings.begin(), strings.end(),
                                         [](const StringEntry& entry) { return entry.id <= 2001; });
    ASSERT_EQ(pageTexts, 74);
    EXPECT_EQ(strings.front().id, 103);
    EXPECT_EQ(strings[73].id, 2001);
    EXPECT_EQ(strings[74].id, 3000);
    std::set<int> ids;
    for (const auto& entry : strings) {
        EXPECT_TRUE(ids.insert(entry.id).second) << "duplicate id " << entry.id;
        EXPECT_FALSE(entry.text.empty()) << "empty text for id " << entry.id;
        EXPECT_EQ(BuiltinString(entry.id), entry.text);
    }
}

TEST(StringTable, TextsAreExact) {
    EXPECT_EQ(BuiltinString(1047), "0");
    EXPECT_EQ(BuiltinString(103), "現在の設定：y = %.3lfx %+.3lf");
    EXPECT_EQ(BuiltinString(110), "現在の設定：y = %.3lfx %+d");
    EXPECT_EQ(BuiltinString(1004), "°F");
    EXPECT_EQ(BuiltinString(1018), " ");
    EXPECT_EQ(BuiltinString(1015), "Serial No.:%s  Error Code:%d  \n");
    EXPECT_EQ(BuiltinString(1016),
              "\n\n(Error Code:%d の場合は、現在記録中のための設定不可です。)");
    EXPECT_EQ(BuiltinString(1028), "%s, %s, %08X, CH:%s, %s, %c\r\n");
    EXPECT_EQ(BuiltinString(1037),
              "別の処理が通信中のため、通信できませんでした。 もう一度実行してください。");
    EXPECT_EQ(BuiltinString(1054), "オフセットの加算値が±30.0(ﾟC換算)を越えています。");
    EXPECT_EQ(BuiltinString(1038),
              "入力値から補正式(Y=aX+b)を求めますが\n傾きaは、%dより大、%d以下になるように入力"
              "してください。\n\n詳しくはヘルプをご覧ください。");
    EXPECT_EQ(BuiltinString(2001), "騒音振動");
}

TEST(StringTable, UnknownIdsYieldEmptyText) {
    for (int id : {0, -1, 102, 105, 1010, 1057, 1061, 1999, 2002, 1 << 30}) {
        EXPECT_TRUE(BuiltinString(id).empty()) << id;
    }
}

}  // namespace
}  // namespace tb::resources
