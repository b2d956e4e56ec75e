// What one direct-USB logger model brings to the shared page: its library
// calls, its dialog, its channels per tab with their limits and texts, and
// its process-wide connection state. CPageLgr870 and CPageLgr875 are this
// table plus their command tables; every rule lives in CDirectUsbPage.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "pages/CorrectionFormula.h"
#include "pages/history/SensorProfile.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {

inline constexpr int kTabCount = 2;
inline constexpr int kChannelsPerTab = 2;
inline constexpr std::size_t kHistoryRecordSize = 80;
// The port flags IsConnect fills: one byte for every port the port layer
// can report.
inline constexpr std::size_t kPortFlagCount = 256;

// Slope x 1000 and offset of the tab's first channel, then of its second
// (offset x 1000, or whole ppm for CO2), as the logger stores them.
using CalibrationCodes = std::array<int16_t, 4>;
inline constexpr CalibrationCodes kFactoryCodes{1000, 0, 1000, 0};

enum class ChannelKind { Illuminance, Uv, Co2, Temperature, Humidity, Unused };

// The library calls the page makes. Tab and sensor are the same index: 0 is
// the first tab's group, 1 the temperature/humidity pair.
struct ModelCalls {
    int (*isConnect)(uint8_t* flags, int count);
    int (*getMachInfo)(int port, uint32_t* key, int16_t* modelCode, char* nameA, char* nameB);
    int (*getCalibration)(int tab, uint32_t key, CalibrationCodes& codes);
    int (*setCalibration)(int tab, uint32_t key, int32_t time, const CalibrationCodes& codes);
    int (*getHistory)(int sensor, uint32_t key, uint8_t* record);
    int (*setHistory)(int sensor, uint32_t key, const uint8_t* record);
    // The logger's 16-bit data value of a non-negative reading (illuminance,
    // UV or CO2); unused kinds never ask.
    uint16_t (*normalize)(ChannelKind kind, double value);
};

struct ChannelTable {
    int row;     // index into the dialog's id tables (0 to 3)
    int number;  // the channel number in messages and the history (0: none)
    ChannelKind kind;
    int currentText;  // current-setting text
};

struct TabTable {
    int caption;  // string id of the tab's caption
    std::array<ChannelTable, kChannelsPerTab> channels;
    bool exclusive;        // ticking one channel unticks the other
    bool fixedZeroPoint;   // point 1 "after" is always "0.0" and disabled
    int offsetScale;       // 1000, or 1 for an offset in whole ppm
    int offsetLimit;       // composed offset code limit, both signs
    int offsetLimitShown;  // the limit as kMsgOffsetLimit names it
    int bracketMode;       // FormatBracketed mode of the formulas
    int confirmMessage;    // the send confirmation
    int currentFormat;     // format of the current-setting texts
    int historyList;
    history::SensorProfile (*historyProfile)();
    std::span<const int> controls;  // shown only while this tab is selected
};

// The connection key and the logger's corrections as last read or written;
// one per model for the whole program, whichever page object uses it.
struct ModelConnection {
    uint32_t key = 0;
    std::array<CalibrationCodes, kTabCount> table{kFactoryCodes, kFactoryCodes};
};

// The temperature/humidity tab (the second) that both models have: their
// channel numbers, current-setting texts, confirmation, history profile and
// shown controls differ, every rule and limit is the same.
constexpr TabTable TemperatureHumidityTab(std::array<int, 2> numbers,
                                          std::array<int, 2> currentTexts, int confirmMessage,
                                          history::SensorProfile (*historyProfile)(),
                                          std::span<const int> controls) {
    return {.caption = resources::strings::kStrTempHumiditySensor,
            .channels = {{{2, numbers[0], ChannelKind::Temperature, currentTexts[0]},
                          {3, numbers[1], ChannelKind::Humidity, currentTexts[1]}}},
            .exclusive = true,
            .fixedZeroPoint = false,
            .offsetScale = 1000,
            .offsetLimit = 30000,
            .offsetLimitShown = 30,
            .bracketMode = 0,
            .confirmMessage = confirmMessage,
            .currentFormat = kFmtCurrent3,
            .historyList = resources::lgr87x_ids::kHistoryTH,
            .historyProfile = historyProfile,
            .controls = controls};
}

struct ModelTable {
    std::string_view name;  // the model as the program names it: "870"
    int dialogId;
    int16_t modelCode;
    int temperatureCurrentText;  // cleared when the temperature unit changes
    std::array<TabTable, kTabCount> tabs;
    ModelCalls calls;
    ModelConnection& connection;
};

}  // namespace tb::pages::lgr87x
