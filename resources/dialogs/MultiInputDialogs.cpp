// The multi-input page 850: the input-kind radio row above one channel.
// The channel caption and the unit labels are set by the page for the
// chosen kind.
#include "resources/dialogs/ChannelControls.h"
#include "resources/dialogs/DialogCatalog.h"
#include "resources/dialogs/MultiInputIds.h"

namespace tb::resources::catalog {
namespace {

using namespace make;
using namespace multi_input;

// clang-format off
constexpr ChannelLayout kChannel{
    kGroup,       kAdjust,        kCurrentLine, kOnePoint,    kTwoPoint,
    kHeadingBefore, kHeadingAfter, kBefore1,    kAfter1,      kBefore2,
    kAfter2,      kUnitBefore1,   kUnitAfter1,  kUnitBefore2, kUnitAfter2,
    "Ch.1 (温度)", "°F",          kEditLength,  {6, 36, 588, 200}};
// clang-format on

constexpr const char* kSpoken[4] = {"調整前 1", "調整後 1", "調整前 2", "調整後 2"};

constexpr std::array<ControlTemplate, 5> kInputKinds{{
    Radio(kThermocouple, "熱電対", {16, 6, 112, 24}, true),
    Radio(kResistance, "Pt100/Pt1000", {132, 6, 110, 24}, false),
    Radio(kCurrentLoop, "4-20mA", {246, 6, 88, 24}, false),
    Radio(kVoltage, "電圧", {338, 6, 70, 24}, false),
    Radio(kNoiseVibration, "騒音振動(L5, L10)", {412, 6, 180, 24}, false),
}};

constexpr auto kControls = JoinControls(kInputKinds, ChannelControls(kChannel, kSpoken),
                                        PageButtons({kInitialise, kSend, kReceive, kHelp}, 248));

}  // namespace

const DialogTemplate& Lgr850Dialog() {
    static constexpr DialogTemplate kDialog{130, "LGR850B", kPageWidth, kPageHeight, kControls};
    return kDialog;
}

}  // namespace tb::resources::catalog
