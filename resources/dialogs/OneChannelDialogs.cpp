// The one-channel temperature pages: 820/821 behind a base unit and 890 on
// its own cable share one layout and one set of control ids.
#include "resources/dialogs/ControlMakers.h"
#include "resources/dialogs/DialogCatalog.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/OneChannelIds.h"

namespace tb::resources::catalog {
namespace {

using namespace make;
using namespace one_channel;

constexpr int kRow1 = 140;
constexpr int kRow2 = 172;
constexpr int kBeforeX = 60;
constexpr int kAfterX = 300;
constexpr int kUnitOffset = 96;

// clang-format off
constexpr ControlTemplate kControls[] = {
    Group(kGroup, "Ch.1 (温度)", {10, 8, 580, 206}),
    Check(kAdjustChannel, "このチャンネルを調整する", {26, 32, 300, 24}),
    Text(kCurrentLine, "", {26, 60, 550, 22}),  // announced as the line reads
    Radio(kOnePoint, "１点調整", {26, 88, 140, 24}, true),
    Radio(kTwoPoint, "２点調整", {200, 88, 140, 24}, false),
    Text(kBeforeLabel, "調整前", {kBeforeX, 116, 90, 20}),
    Text(kAfterLabel, "調整後", {kAfterX, 116, 90, 20}),
    Edit(kBefore1, {kBeforeX, kRow1, 90, 26}, kEditLength, "調整前 1"),
    Text(kUnitBefore1, "°F", {kBeforeX + kUnitOffset, kRow1, 34, 26}),
    Text(kNoControlId, "--->", {216, kRow1, 40, 26}),
    Edit(kAfter1, {kAfterX, kRow1, 90, 26}, kEditLength, "調整後 1"),
    Text(kUnitAfter1, "°F", {kAfterX + kUnitOffset, kRow1, 34, 26}),
    Edit(kBefore2, {kBeforeX, kRow2, 90, 26}, kEditLength, "調整前 2"),
    Text(kUnitBefore2, "°F", {kBeforeX + kUnitOffset, kRow2, 34, 26}),
    Text(kNoControlId, "--->", {216, kRow2, 40, 26}),
    Edit(kAfter2, {kAfterX, kRow2, 90, 26}, kEditLength, "調整後 2"),
    Text(kUnitAfter2, "°F", {kAfterX + kUnitOffset, kRow2, 34, 26}),
    Button(kInitialise, "初期化", {20, 236, 120, 32}),
    Button(kSend, "設定送信", {164, 236, 120, 32}),
    Button(kReceive, "設定値受信", {308, 236, 120, 32}),
    Button(kHelp, "ヘルプ", {460, 236, 120, 32}),
};
// clang-format on

}  // namespace

const DialogTemplate& Lgr820Dialog() {
    static constexpr DialogTemplate kDialog{kDialogLgr820, "LGR820B/821B", kPageWidth, kPageHeight,
                                            kControls};
    return kDialog;
}

const DialogTemplate& Lgr890Dialog() {
    static constexpr DialogTemplate kDialog{kDialogLgr890, "  LGR-890  ", kPageWidth, kPageHeight,
                                            kControls};
    return kDialog;
}

}  // namespace tb::resources::catalog
