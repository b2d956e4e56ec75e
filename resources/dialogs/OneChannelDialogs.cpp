// The one-channel temperature pages: 820/821 behind a base unit and 890 on
// its own cable share one layout and one set of control ids.
#include "resources/dialogs/ControlMakers.h"
#include "resources/dialogs/DialogCatalog.h"

namespace tb::resources::catalog {
namespace {

using namespace make;

constexpr int kLength = 6;
constexpr int kRow1 = 140;
constexpr int kRow2 = 172;
constexpr int kBeforeX = 60;
constexpr int kAfterX = 300;
constexpr int kUnitOffset = 96;

// clang-format off
constexpr ControlTemplate kControls[] = {
    Group(1112, "Ch.1 (温度)", {10, 8, 580, 206}),
    Check(1021, "このチャンネルを調整する", {26, 32, 300, 24}),
    Text(1076, "", {26, 60, 550, 22}),  // announced as the line reads
    Radio(1015, "１点調整", {26, 88, 140, 24}, true),
    Radio(1026, "２点調整", {200, 88, 140, 24}, false),
    Text(1114, "調整前", {kBeforeX, 116, 90, 20}),
    Text(1116, "調整後", {kAfterX, 116, 90, 20}),
    Edit(1016, {kBeforeX, kRow1, 90, 26}, kLength, "調整前 1"),
    Text(1118, "°F", {kBeforeX + kUnitOffset, kRow1, 34, 26}),
    Text(kNoControlId, "--->", {216, kRow1, 40, 26}),
    Edit(1018, {kAfterX, kRow1, 90, 26}, kLength, "調整後 1"),
    Text(1119, "°F", {kAfterX + kUnitOffset, kRow1, 34, 26}),
    Edit(1019, {kBeforeX, kRow2, 90, 26}, kLength, "調整前 2"),
    Text(1120, "°F", {kBeforeX + kUnitOffset, kRow2, 34, 26}),
    Text(kNoControlId, "--->", {216, kRow2, 40, 26}),
    Edit(1020, {kAfterX, kRow2, 90, 26}, kLength, "調整後 2"),
    Text(1121, "°F", {kAfterX + kUnitOffset, kRow2, 34, 26}),
    Button(1014, "初期化", {20, 236, 120, 32}),
    Button(1130, "設定送信", {164, 236, 120, 32}),
    Button(1134, "設定値受信", {308, 236, 120, 32}),
    Button(1013, "ヘルプ", {460, 236, 120, 32}),
};
// clang-format on

}  // namespace

const DialogTemplate& Lgr820Dialog() {
    static constexpr DialogTemplate kDialog{133, "LGR820B/821B", kPageWidth, kPageHeight,
                                            kControls};
    return kDialog;
}

const DialogTemplate& Lgr890Dialog() {
    static constexpr DialogTemplate kDialog{139, "  LGR-890  ", kPageWidth, kPageHeight, kControls};
    return kDialog;
}

}  // namespace tb::resources::catalog
