// The direct-USB pages: dialog 129 (model 870: illuminance/UV and
// temperature/humidity) and dialog 135 (model 875: CO2 and
// temperature/humidity). Both show one sensor at a time under the tab
// control 1183: two channel groups side by side, the sensor's history list
// below them and the four buttons at the foot. The second tab's controls
// start hidden; the page shows them when that tab is selected. The 875's
// second CO2 channel exists only to keep the layout and is never shown.
#include <algorithm>
#include <array>
#include <cstddef>

#include "resources/dialogs/ControlMakers.h"
#include "resources/dialogs/DialogCatalog.h"
#include "resources/dialogs/Lgr87xDialogIds.h"

namespace tb::resources::catalog {
namespace {

using namespace make;
using namespace lgr87x_ids;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kGroupTop = 36;
constexpr int kLeftX = 10;
constexpr int kRightX = 325;
constexpr int kRow1 = 150;
constexpr int kRow2 = 182;
// A row inside a group: entry, unit, arrow, entry, unit. The units are wide
// enough for the longest one ("mW/cm2") in either language.
constexpr int kBeforeX = 10;
constexpr int kEntryWidth = 72;
constexpr int kUnitWidth = 55;
constexpr int kArrowX = kBeforeX + kEntryWidth + 2 + kUnitWidth + 1;
constexpr int kArrowWidth = 30;
constexpr int kAfterX = kArrowX + kArrowWidth + 2;
constexpr int kAfterUnitX = kAfterX + kEntryWidth + 2;

constexpr ControlTemplate Hide(ControlTemplate control, bool hidden) {
    control.hidden = hidden;
    return control;
}

// What differs between the channel groups.
struct GroupLook {
    int row;  // index into the id tables
    const char* caption;
    const char* unit;
    const char* spokenBefore1;
    const char* spokenAfter1;
    const char* spokenBefore2;
    const char* spokenAfter2;
    int currentId;
    int x;
    int length;
    bool hidden;
};

constexpr std::size_t kGroupControls = 13;

constexpr std::array<ControlTemplate, kGroupControls> ChannelGroup(const GroupLook& g) {
    const int r = g.row;
    const int x = g.x;
    const std::array<ControlTemplate, kGroupControls> controls = {
        Group(kGroup[r], g.caption, {x, kGroupTop, 305, 186}),
        Check(kCheck[r], "このチャンネルを調整する", {x + 10, 56, 280, 22}),
        Text(g.currentId, "", {x + 10, 80, 290, 20}),
        Radio(kOnePoint[r], "１点調整", {x + 10, 104, 120, 22}, true),
        Radio(kTwoPoint[r], "２点調整", {x + 150, 104, 120, 22}, false),
        Edit(kBefore1[r], {x + kBeforeX, kRow1, kEntryWidth, 26}, g.length, g.spokenBefore1),
        Text(kUnits[r][0], g.unit, {x + kBeforeX + kEntryWidth + 2, kRow1, kUnitWidth, 26}),
        Edit(kAfter1[r], {x + kAfterX, kRow1, kEntryWidth, 26}, g.length, g.spokenAfter1),
        Text(kUnits[r][1], g.unit, {x + kAfterUnitX, kRow1, kUnitWidth, 26}),
        Edit(kBefore2[r], {x + kBeforeX, kRow2, kEntryWidth, 26}, g.length, g.spokenBefore2),
        Text(kUnits[r][2], g.unit, {x + kBeforeX + kEntryWidth + 2, kRow2, kUnitWidth, 26}),
        Edit(kAfter2[r], {x + kAfterX, kRow2, kEntryWidth, 26}, g.length, g.spokenAfter2),
        Text(kUnits[r][3], g.unit, {x + kAfterUnitX, kRow2, kUnitWidth, 26}),
    };
    std::array<ControlTemplate, kGroupControls> result{};
    for (std::size_t i = 0; i < kGroupControls; ++i) result[i] = Hide(controls[i], g.hidden);
    return result;
}

// The heads and arrows of one group's rows.
constexpr std::array<ControlTemplate, 4> RowLabels(int x, int headBefore, int headAfter,
                                                   const int (&arrows)[2], bool hidden) {
    return {
        Hide(Text(headBefore, "調整前", {x + kBeforeX, 128, kEntryWidth, 20}), hidden),
        Hide(Text(headAfter, "調整後", {x + kAfterX, 128, kEntryWidth, 20}), hidden),
        Hide(Text(arrows[0], "--->", {x + kArrowX, kRow1, kArrowWidth, 26}), hidden),
        Hide(Text(arrows[1], "--->", {x + kArrowX, kRow2, kArrowWidth, 26}), hidden),
    };
}

constexpr ControlTemplate kTabControl =
    Control(kTabs, ControlKind::TabControl, "", {kLeftX, 6, kWidth - 20, 28});

constexpr std::array<ControlTemplate, 4> kButtons = {
    Button(kInitialise, "初期化", {20, 440, 130, 32}),
    Button(kSend, "設定送信", {170, 440, 130, 32}),
    Button(kReceive, "設定値受信", {320, 440, 130, 32}),
    Button(kHelp, "ヘルプ", {490, 440, 130, 32}),
};

constexpr ControlTemplate HistoryList(int id, const char* spoken, bool hidden) {
    return Hide(List(id, "", {kLeftX, 230, kWidth - 20, 200}, spoken), hidden);
}

template <std::size_t... N>
constexpr auto Join(const std::array<ControlTemplate, N>&... parts) {
    std::array<ControlTemplate, (N + ...)> all{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + static_cast<std::ptrdiff_t>(at)),
      at += N),
     ...);
    return all;
}

constexpr std::array<ControlTemplate, 1> One(ControlTemplate control) { return {control}; }

constexpr int kWide = kWideBoxLength;
constexpr int kNarrow = kNarrowBoxLength;

// clang-format off
constexpr auto kControls870 = Join(
    One(kTabControl),
    ChannelGroup({0, "Ch.1（照度）", "lx", "Ch.1 調整前 1", "Ch.1 調整後 1", "Ch.1 調整前 2",
                  "Ch.1 調整後 2", kCurrent870[0], kLeftX, kWide, false}),
    RowLabels(kLeftX, kHeadBeforeLeft, kHeadAfterLeft, kArrowsLeft, false),
    ChannelGroup({1, "Ch.2（紫外線強度）", "mW/cm2", "Ch.2 調整前 1", "Ch.2 調整後 1",
                  "Ch.2 調整前 2", "Ch.2 調整後 2", kCurrent870[1], kRightX, kWide, false}),
    RowLabels(kRightX, kHeadBeforeRight, kHeadAfterRight, kArrowsRight, false),
    ChannelGroup({2, "Ch.3（温度）", "℃", "Ch.3 調整前 1", "Ch.3 調整後 1", "Ch.3 調整前 2",
                  "Ch.3 調整後 2", kCurrent870[2], kLeftX, kNarrow, true}),
    ChannelGroup({3, "Ch.4（湿度）", "%", "Ch.4 調整前 1", "Ch.4 調整後 1", "Ch.4 調整前 2",
                  "Ch.4 調整後 2", kCurrent870[3], kRightX, kNarrow, true}),
    One(HistoryList(kHistory870IU, "照度・UVセンサ アジャストメント履歴", false)),
    One(HistoryList(kHistoryTH, "温度・湿度センサ アジャストメント履歴", true)),
    kButtons);

constexpr auto kControls875 = Join(
    One(kTabControl),
    ChannelGroup({0, "Ch.1（CO2）", "ppm", "Ch.1 調整前 1", "Ch.1 調整後 1", "Ch.1 調整前 2",
                  "Ch.1 調整後 2", kCurrent875Ch1, kLeftX, kWide, false}),
    RowLabels(kLeftX, kHeadBeforeLeft, kHeadAfterLeft, kArrowsLeft, false),
    ChannelGroup({1, "Ch.2（なし）", "", "", "", "", "", kCurrent875Hidden, kRightX, kWide, true}),
    RowLabels(kRightX, kHeadBeforeRight, kHeadAfterRight, kArrowsRight, true),
    ChannelGroup({2, "Ch.2（温度）", "℃", "Ch.2 調整前 1", "Ch.2 調整後 1", "Ch.2 調整前 2",
                  "Ch.2 調整後 2", kCurrent875Ch2, kLeftX, kNarrow, true}),
    ChannelGroup({3, "Ch.3（湿度）", "%", "Ch.3 調整前 1", "Ch.3 調整後 1", "Ch.3 調整前 2",
                  "Ch.3 調整後 2", kCurrent875Ch3, kRightX, kNarrow, true}),
    One(HistoryList(kHistory875Co2, "CO2センサ アジャストメント履歴", false)),
    One(HistoryList(kHistoryTH, "温度・湿度センサ アジャストメント履歴", true)),
    kButtons);
// clang-format on

}  // namespace

const DialogTemplate& Lgr870Dialog() {
    static constexpr DialogTemplate kDialog{129, "  LGR-870  ", kWidth, kHeight, kControls870};
    return kDialog;
}

const DialogTemplate& Lgr875Dialog() {
    static constexpr DialogTemplate kDialog{135, "  LGR-875  ", kWidth, kHeight, kControls875};
    return kDialog;
}

}  // namespace tb::resources::catalog
