#include "pages/PageLgr850.h"

#include <string>

#include "pages/DataExchange.h"
#include "resources/StringIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/MultiInputIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"

namespace tb::pages {
namespace {

using namespace resources::multi_input;
using namespace resources::strings;

constexpr ChannelIds kChannel{kAdjust,     kOnePoint,    kTwoPoint,   kBefore1,
                              kAfter1,     kBefore2,     kAfter2,     kUnitBefore1,
                              kUnitAfter1, kUnitBefore2, kUnitAfter2, kCurrentLine};

constexpr int kTemperatureUnit = 0;  // the unit follows the unit setting

// What each input kind shows and how its codes are scaled.
struct InputKindRow {
    int nameString;
    int unitString;
    const char* recordedUnit;  // as the journal records it; temperature follows the unit setting
    uint16_t slopeScale;
    uint16_t offsetScale;
    ChannelFormats formats;  // degreeF is decided by the unit setting
};

constexpr int kInputKinds = 5;
constexpr std::array<InputKindRow, kInputKinds> kInputKindTable{{
    {kStrTemperature,
     kTemperatureUnit,
     kUnitCelsius,
     16384,
     10,
     {kFmtEntered1, kFmtCurrent1, 1, false}},  // thermocouple
    {kStrTemperature,
     kTemperatureUnit,
     kUnitCelsius,
     16384,
     10,
     {kFmtEntered1, kFmtCurrent1, 1, false}},  // Pt100/Pt1000
    {kStrCurrentLoop, kStrMilliampere, kUnitMilliampere, 16384, 1000, {kFmtEntered3, kFmtCurrent3, 3, false}},
    {kStrVoltage, kStrVolt, kUnitVolt, 4096, 10000, {kFmtEntered3, kFmtCurrent3, 3, false}},
    {kStrNoiseVibration, kStrDecibel, kUnitDecibel, 1000, 10, {kFmtEntered1, kFmtCurrent1, 1, false}},
}};

bool IsTemperatureInput(int inputKind) { return inputKind == 0 || inputKind == 1; }

}  // namespace

const std::array<CommandEntry<CPageLgr850>, 12> CPageLgr850::kCommands = {{
    {kInitialise, &CPageLgr850::Initialise},
    {kSend, &CPageLgr850::Send},
    {kReceive, &CPageLgr850::Receive},
    {kHelp, &CPageLgr850::Help},
    {kAdjust, &CPageLgr850::OnChannel},
    {kOnePoint, &CPageLgr850::OnPointMode},
    {kTwoPoint, &CPageLgr850::OnPointMode},
    {kThermocouple, &CPageLgr850::OnInputKind},
    {kResistance, &CPageLgr850::OnInputKind},
    {kCurrentLoop, &CPageLgr850::OnInputKind},
    {kVoltage, &CPageLgr850::OnInputKind},
    {kNoiseVibration, &CPageLgr850::OnInputKind},
}};

CPageLgr850::CPageLgr850(MultiInputLoggerFactory loggers)
    : CBaseUnitPage(resources::kDialogLgr850, nullptr, {kChannel}), loggers_(std::move(loggers)) {
    SetScales();
}

int CPageLgr850::EditLength() const { return kEditLength; }

bool CPageLgr850::OnCommand(int id) { return DispatchCommand<CPageLgr850>(*this, kCommands, id); }

void CPageLgr850::DoDataExchange(bool save) {
    ExchangeRadio(View(), save, kThermocouple, inputKind_);
    if (save && (inputKind_ < 0 || inputKind_ >= kInputKinds)) inputKind_ = 0;
    CBaseUnitPage::DoDataExchange(save);
}

CheckKind CPageLgr850::KindOf(std::size_t /*channel*/) const { return checkKind_; }

std::string CPageLgr850::UnitOf(std::size_t /*channel*/) const {
    if (checkKind_ == CheckKind::Fahrenheit) return kUnitFahrenheit;
    return kInputKindTable[inputKind_].recordedUnit;
}

ChannelFormats CPageLgr850::FormatsOf(std::size_t /*channel*/) const {
    ChannelFormats formats = kInputKindTable[inputKind_].formats;
    formats.degreeF = checkKind_ == CheckKind::Fahrenheit;
    return formats;
}

void CPageLgr850::OnInitDialog() {
    UpdateData(false);
    Relabel();
    SetScales();
    MutableChannel(0).ApplyChannelRule(View());
    MutableChannel(0).ApplyRowRule(View());
    MutableChannel(0).current = Correction{};
    UpdateData(false);
}

// Every activation relabels, so a unit setting changed on the settings page
// shows at once; the line is cleared each time.
void CPageLgr850::OnSetActive() { Relabel(); }

void CPageLgr850::OnInputKind() {
    Relabel();
    SetScales();
}

void CPageLgr850::Relabel() {
    UpdateData(true);
    const InputKindRow& row = kInputKindTable[inputKind_];
    View().SetText(kGroup, services::LoadResString(kStrChannel) + "1 (" +
                               services::LoadResString(row.nameString) + ")");
    std::string unit;
    if (IsTemperatureInput(inputKind_)) {
        checkKind_ = TemperatureKind(services::ReadTempUnit());
        unit = services::LoadResString(checkKind_ == CheckKind::Fahrenheit ? kStrFahrenheit
                                                                           : kStrCelsius);
    } else {
        checkKind_ = static_cast<CheckKind>(inputKind_);
        unit = services::LoadResString(row.unitString);
    }
    Channel(0).SetUnitLabels(View(), unit);
    Channel(0).ShowLine(View(), "");
}

void CPageLgr850::SetScales() {
    const InputKindRow& row = kInputKindTable[inputKind_];
    slopeScale_ = row.slopeScale;
    offsetScale_ = row.offsetScale;
    SetLogger(loggers_(inputKind_, slopeScale_, offsetScale_));
}

}  // namespace tb::pages
