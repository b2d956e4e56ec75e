// The controls of one adjustment channel as the base-unit dialogs lay them
// out: group box, channel tick, current-setting line, one-/two-point radios,
// column headings and two rows of before/after boxes with their unit labels.
// The two-channel and multi-input templates build their tables from it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "resources/dialogs/ControlMakers.h"

namespace tb::resources::make {

struct ChannelLayout {
    int group, adjust, currentLine, onePoint, twoPoint, headingBefore, headingAfter;
    int before1, after1, before2, after2;
    int unitBefore1, unitAfter1, unitBefore2, unitAfter2;
    const char* caption;
    const char* unitCaption;  // what the unit labels read until the page sets them
    int editLength;
    Box frame;  // the group box; everything else sits inside it
};

inline constexpr std::size_t kChannelControlCount = 17;

// Two rows of 26-pixel boxes under the headings; the frame must be at least
// 280 wide and 196 high. `spoken`: what a screen reader announces for the
// boxes before 1, after 1, before 2, after 2.
constexpr std::array<ControlTemplate, kChannelControlCount> ChannelControls(
    const ChannelLayout& c, const char* const (&spoken)[4]) {
    const int x = c.frame.x, y = c.frame.y;
    const int beforeX = x + 16, afterX = x + 156, row1 = y + 128, row2 = y + 160;
    return {{
        Group(c.group, c.caption, c.frame),
        Check(c.adjust, "このチャンネルを調整する", {x + 10, y + 24, 270, 24}),
        Text(c.currentLine, "", {x + 10, y + 52, c.frame.width - 16, 22}),
        Radio(c.onePoint, "１点調整", {x + 10, y + 80, 120, 24}, true),
        Radio(c.twoPoint, "２点調整", {x + 140, y + 80, 120, 24}, false),
        Text(c.headingBefore, "調整前", {beforeX, y + 106, 70, 20}),
        Text(c.headingAfter, "調整後", {afterX, y + 106, 70, 20}),
        Edit(c.before1, {beforeX, row1, 70, 26}, c.editLength, spoken[0]),
        Text(c.unitBefore1, c.unitCaption, {beforeX + 72, row1, 34, 26}),
        Text(kNoControlId, "--->", {x + 114, row1, 38, 26}),
        Edit(c.after1, {afterX, row1, 70, 26}, c.editLength, spoken[1]),
        Text(c.unitAfter1, c.unitCaption, {afterX + 72, row1, 34, 26}),
        Edit(c.before2, {beforeX, row2, 70, 26}, c.editLength, spoken[2]),
        Text(c.unitBefore2, c.unitCaption, {beforeX + 72, row2, 34, 26}),
        Text(kNoControlId, "--->", {x + 114, row2, 38, 26}),
        Edit(c.after2, {afterX, row2, 70, 26}, c.editLength, spoken[3]),
        Text(c.unitAfter2, c.unitCaption, {afterX + 72, row2, 34, 26}),
    }};
}

struct PageButtonIds {
    int initialise, send, receive, help;
};

// The four buttons every base-unit page ends with, on one row at y.
constexpr std::array<ControlTemplate, 4> PageButtons(const PageButtonIds& ids, int y) {
    return {{
        Button(ids.initialise, "初期化", {20, y, 120, 32}),
        Button(ids.send, "設定送信", {164, y, 120, 32}),
        Button(ids.receive, "設定値受信", {308, y, 120, 32}),
        Button(ids.help, "ヘルプ", {460, y, 120, 32}),
    }};
}

// The arrays one after the other, as one table.
template <std::size_t... N>
constexpr auto JoinControls(const std::array<ControlTemplate, N>&... parts) {
    std::array<ControlTemplate, (N + ...)> all{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + at), at += N), ...);
    return all;
}

}  // namespace tb::resources::make
