#include "pages/lgr87x/PageLgr870.h"

#include <cstring>

#include "modelcom/lgr870/VkLGR870Com.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "services/FormatText.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {
namespace {

using namespace resources::lgr87x_ids;

constexpr int16_t kModelCode = 1127;
constexpr std::size_t kTextBufferSize = 16;

int GetCalibration(int tab, uint32_t key, CalibrationCodes& c) {
    int32_t time = 0;
    const auto get = tab == 0 ? VkLGR870Com_GetCalibrationIU : VkLGR870Com_GetCalibrationTH;
    return get(key, &time, &c[0], &c[1], &c[2], &c[3]);
}

int SetCalibration(int tab, uint32_t key, int32_t time, const CalibrationCodes& c) {
    const auto set = tab == 0 ? VkLGR870Com_SetCalibrationIU : VkLGR870Com_SetCalibrationTH;
    return set(key, time, c[0], c[1], c[2], c[3]);
}

int GetHistory(int sensor, uint32_t key, uint8_t* record) {
    return sensor == 0 ? VkLGR870Com_GetHistoryIU(key, record)
                       : VkLGR870Com_GetHistoryTH(key, record);
}

int SetHistory(int sensor, uint32_t key, const uint8_t* record) {
    return sensor == 0 ? VkLGR870Com_SetHistoryIU(key, record)
                       : VkLGR870Com_SetHistoryTH(key, record);
}

uint16_t Normalize(ChannelKind kind, double value) {
    const int data = kind == ChannelKind::Uv ? VkLGR870Com_NormalizeUvData(value)
                                             : VkLGR870Com_NormalizeIllumiData(value);
    return static_cast<uint16_t>(data);
}

// The library writes a terminated text into the buffer; the text is taken
// up to the terminator or the buffer's end, whichever comes first.
std::string TextOf(const char (&buffer)[kTextBufferSize]) {
    return std::string(buffer, strnlen(buffer, kTextBufferSize));
}

history::SensorProfile IlluminanceUvProfile() {
    history::SensorProfile profile = history::Lgr870IlluminanceUv();
    profile.valueText = [](int channel, int16_t value) -> std::string {
        if (channel == 1) return FormatHistoryValue(value, 'I');
        if (channel == 2) return FormatHistoryValue(value, 'U');
        return {};
    };
    return profile;
}

constexpr int kTab0Controls[] = {
    kGroup1,      kGroup2,      kCheck[0],     kCheck[1],    kCurrent870[0], kCurrent870[1],
    kOnePoint[0], kTwoPoint[0], kOnePoint[1],  kTwoPoint[1], kBefore1[0],    kAfter1[0],
    kBefore2[0],  kAfter2[0],   kBefore1[1],   kAfter1[1],   kBefore2[1],    kAfter2[1],
    kUnits[0][0], kUnits[0][1], kUnits[0][2],  kUnits[0][3], kUnits[1][0],   kUnits[1][1],
    kUnits[1][2], kUnits[1][3], kHistory870IU,
};

constexpr int kTab1Controls[] = {
    kGroup3,      kGroup4,      kCheck[2],    kCheck[3],    kCurrent870[2], kCurrent870[3],
    kOnePoint[2], kTwoPoint[2], kOnePoint[3], kTwoPoint[3], kBefore1[2],    kAfter1[2],
    kBefore2[2],  kAfter2[2],   kBefore1[3],  kAfter1[3],   kBefore2[3],    kAfter2[3],
    kUnits[2][0], kUnits[2][1], kUnits[2][2], kUnits[2][3], kUnits[3][0],   kUnits[3][1],
    kUnits[3][2], kUnits[3][3], kHistoryTH,
};

}  // namespace

std::string FormatHistoryValue(int16_t value, char kind) {
    if (value >= -1000 && value <= -1) {
        return services::FormatText(kind == 'I' ? "%.2f" : "%.3f", {value / 1000.0});
    }
    char text[kTextBufferSize] = {};
    const int data = static_cast<uint16_t>(value);
    if (kind == 'I') {
        char kiloText[kTextBufferSize] = {};
        VkLGR870Com_ConvertIllumiToData(data, text, kiloText);
    } else {
        VkLGR870Com_ConvertUvToData(data, text);
    }
    return TextOf(text);
}

const ModelTable& Lgr870Model() {
    static ModelConnection connection;
    static const ModelTable model{
        .name = "870",
        .dialogId = resources::kDialogLgr870,
        .modelCode = kModelCode,
        .temperatureCurrentText = kCurrent870[2],
        .tabs = {{
            {.caption = resources::strings::kStrIlluminanceUvSensor,
             .channels = {{{0, 1, ChannelKind::Illuminance, kCurrent870[0]},
                           {1, 2, ChannelKind::Uv, kCurrent870[1]}}},
             .exclusive = false,
             .fixedZeroPoint = true,
             .offsetScale = 1000,
             .offsetLimit = 30000,
             .offsetLimitShown = 30,
             .bracketMode = 0,
             .confirmMessage = resources::strings::kMsgConfirmTwoChannels,
             .currentFormat = kFmtCurrent3,
             .historyList = kHistory870IU,
             .historyProfile = IlluminanceUvProfile,
             .controls = kTab0Controls},
            TemperatureHumidityTab({3, 4}, {kCurrent870[2], kCurrent870[3]}, resources::strings::kMsgConfirmChannels3And4,
                                   history::Lgr870TemperatureHumidity, kTab1Controls),
        }},
        .calls = {VkLGR870Com_IsConnect, VkLGR870Com_GetConctMachInfo, GetCalibration,
                  SetCalibration, GetHistory, SetHistory, Normalize},
        .connection = connection,
    };
    return model;
}

}  // namespace tb::pages::lgr87x
