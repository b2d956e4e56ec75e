#include <gtest/gtest.h>

#include <string>

#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "services/StringOverride.h"

namespace tb::services {
namespace {

const std::string kFailed = "通信もしくは設定に失敗しました。";
const std::string kRecordingNote = "\n\n(Error Code:-9 の場合は、現在記録中のための設定不可です。)";
const std::string kRecording =
    "現在記録中のため設定できません。\n\n記録停止後、再度設定をしてください。";

TEST(ReportFailures, LastCodeMinus9ShowsOnlyTheRecordingMessage) {
    ScriptedMessageBoxes boxes;
    ReportFailures({0x1234ABCD, 0xAB}, {-3, -9});
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kRecording);
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Information);
    EXPECT_EQ(boxes.Last().buttons, MsgButtons::Ok);
}

TEST(ReportFailures, Minus9FirstListsEveryLoggerAndTheRecordingNote) {
    ScriptedMessageBoxes boxes;
    ReportFailures({0xAB, 0x1234ABCD}, {-9, -3});
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kFailed +
                                     "Serial No.:000000AB  Error Code:-9  \n"
                                     "Serial No.:1234ABCD  Error Code:-3  \n" +
                                     kRecordingNote);
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.Last().buttons, MsgButtons::Ok);
}

TEST(ReportFailures, WithoutMinus9ThereIsNoNote) {
    ScriptedMessageBoxes boxes;
    ReportFailures({0xFFFFFFFF}, {-99});
    EXPECT_EQ(boxes.Last().text, kFailed + "Serial No.:FFFFFFFF  Error Code:-99  \n");
}

TEST(ReportFailures, EmptyListShowsTheHeadlineAlone) {
    ScriptedMessageBoxes boxes;
    ReportFailures({}, {});
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kFailed);
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Warning);
}

TEST(ReportFailures, UnequalListsReportOnlyCompletePairs) {
    ScriptedMessageBoxes boxes;
    ReportFailures({1, 2, 3}, {-3});
    EXPECT_EQ(boxes.Last().text, kFailed + "Serial No.:00000001  Error Code:-3  \n");
    ReportFailures({7}, {-3, -9});
    EXPECT_EQ(boxes.Last().text, kFailed + "Serial No.:00000007  Error Code:-3  \n");
}

TEST(ReportFailures, EachLineIsCutTo127BytesWithoutSplittingACharacter) {
    // Replacement texts that make each line too long.
    std::string lineFormat;
    ScopedStringOverride longLines([&](int id) -> std::optional<std::string> {
        if (id == 1015) return lineFormat;
        return std::nullopt;
    });
    ScriptedMessageBoxes boxes;
    auto reportedLine = [&] {
        ReportFailures({0x10}, {-3});
        return boxes.Last().text.substr(kFailed.size());
    };

    lineFormat = std::string(120, 'x') + "%s|%d\n";  // 120 + 8 + 5 bytes
    EXPECT_EQ(reportedLine(), std::string(120, 'x') + "0000001");

    // Byte 127 would be the second half of "ü": the line ends before it.
    lineFormat = std::string(126, 'x') + "ü%s|%d\n";
    EXPECT_EQ(reportedLine(), std::string(126, 'x'));
}

}  // namespace
}  // namespace tb::services
