// The temperature/humidity pages 830 and 835: one layout, channel 1
// (temperature) on the left, channel 2 (humidity) on the right.
#include "resources/dialogs/ChannelControls.h"
#include "resources/dialogs/DialogCatalog.h"
#include "resources/dialogs/TempHumidityIds.h"

namespace tb::resources::catalog {
namespace {

using namespace make;
using namespace temp_humidity;

// clang-format off
constexpr ChannelLayout kTemperature{
    kGroup1,       kAdjust1,         kCurrentLine1,    kOnePoint1,       kTwoPoint1,
    kHeadingBefore1, kHeadingAfter1, kBefore1Row1,     kAfter1Row1,      kBefore1Row2,
    kAfter1Row2,   kUnitBefore1Row1, kUnitAfter1Row1,  kUnitBefore1Row2, kUnitAfter1Row2,
    "Ch.1 (温度)", "°F",             kEditLength,      {6, 8, 290, 212}};

constexpr ChannelLayout kHumidity{
    kGroup2,       kAdjust2,         kCurrentLine2,    kOnePoint2,       kTwoPoint2,
    kHeadingBefore2, kHeadingAfter2, kBefore2Row1,     kAfter2Row1,      kBefore2Row2,
    kAfter2Row2,   kUnitBefore2Row1, kUnitAfter2Row1,  kUnitBefore2Row2, kUnitAfter2Row2,
    "Ch.2 (湿度)", " %",             kEditLength,      {304, 8, 290, 212}};
// clang-format on

constexpr const char* kSpoken1[4] = {"Ch.1 調整前 1", "Ch.1 調整後 1", "Ch.1 調整前 2",
                                     "Ch.1 調整後 2"};
constexpr const char* kSpoken2[4] = {"Ch.2 調整前 1", "Ch.2 調整後 1", "Ch.2 調整前 2",
                                     "Ch.2 調整後 2"};

constexpr auto kControls =
    JoinControls(ChannelControls(kTemperature, kSpoken1), ChannelControls(kHumidity, kSpoken2),
                 PageButtons({kInitialise, kSend, kReceive, kHelp}, 240));

}  // namespace

const DialogTemplate& Lgr830Dialog() {
    static constexpr DialogTemplate kDialog{134, "LGR830B", kPageWidth, kPageHeight, kControls};
    return kDialog;
}

const DialogTemplate& Lgr835Dialog() {
    static constexpr DialogTemplate kDialog{136, "LGR835B", kPageWidth, kPageHeight, kControls};
    return kDialog;
}

}  // namespace tb::resources::catalog
