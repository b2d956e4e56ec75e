#include "pages/lgr87x/PageLgr875.h"

#include <cmath>

#include "modelcom/lgr875/VkLGR875Com.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {
namespace {

using namespace resources::lgr87x_ids;

constexpr int16_t kModelCode = 1152;
// The CO2 group has no second channel; its place holds the factory codes.
constexpr int16_t kNoSlope = 1000;

int GetCalibration(int tab, uint32_t key, CalibrationCodes& c) {
    int32_t time = 0;
    if (tab == 0) {
        int16_t slope = 0;
        int16_t offset = 0;
        const int code = VkLGR875Com_GetCalibrationCh1(key, &time, &slope, &offset);
        if (code == 0) c = {slope, offset, kNoSlope, 0};
        return code;
    }
    return VkLGR875Com_GetCalibrationCh2Ch3(key, &time, &c[0], &c[1], &c[2], &c[3]);
}

int SetCalibration(int tab, uint32_t key, int32_t time, const CalibrationCodes& c) {
    if (tab == 0) return VkLGR875Com_SetCalibrationCh1(key, time, c[0], c[1]);
    return VkLGR875Com_SetCalibrationCh2Ch3(key, time, c[0], c[1], c[2], c[3]);
}

int GetHistory(int sensor, uint32_t key, uint8_t* record) {
    return sensor == 0 ? VkLGR875Com_GetHistoryCh1(key, record)
                       : VkLGR875Com_GetHistoryCh2Ch3(key, record);
}

int SetHistory(int sensor, uint32_t key, const uint8_t* record) {
    return sensor == 0 ? VkLGR875Com_SetHistoryCh1(key, record)
                       : VkLGR875Com_SetHistoryCh2Ch3(key, record);
}

// CO2 readings arrive already cut to whole ppm.
uint16_t Normalize(ChannelKind, double ppm) {
    return static_cast<uint16_t>(VkLGR875Com_NormalizeCO2Data(static_cast<int>(ppm)));
}

history::SensorProfile Co2Profile() {
    history::SensorProfile profile = history::Lgr875Co2();
    profile.valueText = history::Co2HistoryValueText;
    return profile;
}

constexpr int kTab0Controls[] = {
    kGroup1,      kCheck[0],    kCurrent875Ch1, kOnePoint[0],   kTwoPoint[0],
    kBefore1[0],  kAfter1[0],   kBefore2[0],    kAfter2[0],     kUnits[0][0],
    kUnits[0][1], kUnits[0][2], kUnits[0][3],   kHistory875Co2,
};

constexpr int kTab1Controls[] = {
    kGroup3,      kGroup4,      kCheck[2],        kCheck[3],       kCurrent875Ch2,  kCurrent875Ch3,
    kOnePoint[2], kTwoPoint[2], kOnePoint[3],     kTwoPoint[3],    kBefore1[2],     kAfter1[2],
    kBefore2[2],  kAfter2[2],   kBefore1[3],      kAfter1[3],      kBefore2[3],     kAfter2[3],
    kUnits[2][0], kUnits[2][1], kUnits[2][2],     kUnits[2][3],    kUnits[3][0],    kUnits[3][1],
    kUnits[3][2], kUnits[3][3], kHeadBeforeRight, kHeadAfterRight, kArrowsRight[0], kArrowsRight[1],
    kHistoryTH,
};

}  // namespace

const ModelTable& Lgr875Model() {
    static ModelConnection connection;
    static const ModelTable model{
        .name = "875",
        .dialogId = resources::kDialogLgr875,
        .modelCode = kModelCode,
        .temperatureCurrentText = kCurrent875Ch2,
        .tabs = {{
            {.caption = resources::strings::kStrCo2Sensor,
             .channels = {{{0, 1, ChannelKind::Co2, kCurrent875Ch1},
                           {1, 0, ChannelKind::Unused, kCurrent875Hidden}}},
             .exclusive = false,
             .fixedZeroPoint = false,
             .offsetScale = 1,
             .offsetLimit = 3000,
             .offsetLimitShown = 3000,
             .bracketMode = 1,
             .confirmMessage = resources::strings::kMsgConfirmOneChannel,
             .currentFormat = kFmtCurrentWhole,
             .historyList = kHistory875Co2,
             .historyProfile = Co2Profile,
             .controls = kTab0Controls},
            TemperatureHumidityTab({2, 3}, {kCurrent875Ch2, kCurrent875Ch3}, resources::strings::kMsgConfirmChannels2And3,
                                   history::Lgr875TemperatureHumidity, kTab1Controls),
        }},
        .calls = {VkLGR875Com_IsConnect, VkLGR875Com_GetConctMachInfo, GetCalibration,
                  SetCalibration, GetHistory, SetHistory, Normalize},
        .connection = connection,
    };
    return model;
}

}  // namespace tb::pages::lgr87x
