#include "pages/lgr87x/DirectUsbPage.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "client/ReservedComPorts.h"
#include "pages/DataExchange.h"
#include "pages/history/HistoryList.h"
#include "pages/history/HistoryLog.h"
#include "pages/lgr87x/RetryRules.h"
#include "platform/Clock.h"
#include "resources/dialogs/Lgr87xDialogIds.h"

namespace tb::pages::lgr87x {
namespace {

using namespace resources::lgr87x_ids;

constexpr int kMsgReceived = 106;
constexpr int kMsgCelsius = 1003;
constexpr int kMsgFahrenheit = 1004;
constexpr int kMsgConfirmInitialise = 1005;
constexpr int kMsgBelowMinusOne = 1008;
constexpr int kMsgBelowZero = 1009;
constexpr int kMsgLimitFormula = 1012;
constexpr int kMsgSent = 1013;
constexpr int kMsgSlopeLimit = 1038;
constexpr int kMsgOffsetLimit = 1039;
constexpr int kMsgNoChange = 1040;
constexpr int kMsgNoLogger = 1045;
constexpr int kMsgSeveralLoggers = 1046;
constexpr int kMsgInvalidRange = 1063;

// Ports to ask about when the port layer cannot say how many there are.
constexpr int kDefaultPortCount = 32;
constexpr uint32_t kAfterWriteMs = 300;
constexpr int kMinSlopeCode = 1;
constexpr int kMaxSlopeCode = 2000;
// A negative CO2 concentration as the library encodes it.
constexpr uint16_t kCo2Negative = 0xF000;
constexpr std::size_t kNameBufferSize = 16;

enum Box { kBoxBefore1 = 0, kBoxAfter1 = 1, kBoxBefore2 = 2, kBoxAfter2 = 3 };

int BoxId(int row, int box) {
    const std::size_t r = static_cast<std::size_t>(row);
    switch (box) {
        case kBoxBefore1:
            return kBefore1[r];
        case kBoxAfter1:
            return kAfter1[r];
        case kBoxBefore2:
            return kBefore2[r];
        default:
            return kAfter2[r];
    }
}

// Half away from zero to a whole number.
double RoundToWhole(double value) {
    return value >= 0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5);
}

// For texts only: a value beyond int prints as the nearest int.
int ClampToInt(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(
        std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

double ToCelsius(double fahrenheit) { return (fahrenheit - 32.0) * 0.5555555555555556; }

// The slope x 1000 a channel's new slope is composed on. The history
// record's factor keeps the precision that the logger's code has lost, but
// it only describes the logger while it still rounds to the code the logger
// holds: the channel's entries may have rotated out of the record (the
// factor then reads 1000.0), or a history write may have failed behind a
// calibration write that succeeded.
double SlopeToComposeOn(double historyFactor, int16_t heldSlopeCode) {
    return RoundToWhole(historyFactor) == heldSlopeCode ? historyFactor
                                                        : static_cast<double>(heldSlopeCode);
}

bool IsZeroPointKind(ChannelKind kind) {
    return kind == ChannelKind::Illuminance || kind == ChannelKind::Uv;
}

// The logger's history records through the model's library, with the
// retries of its reads and writes.
class ModelHistoryDevice final : public history::HistoryDevice {
  public:
    explicit ModelHistoryDevice(const ModelTable& model) : model_(model) {}

    int ReadRecord(int sensor, std::span<uint8_t, history::kRecordSize> record) override {
        return CallWithReadRetry(
            [&] { return model_.calls.getHistory(sensor, model_.connection.key, record.data()); });
    }
    int WriteRecord(int sensor, std::span<const uint8_t, history::kRecordSize> record) override {
        return CallWithWriteRetry(
            [&] { return model_.calls.setHistory(sensor, model_.connection.key, record.data()); });
    }

  private:
    const ModelTable& model_;
};

}  // namespace

// The composed codes of a tab and the integers its confirmation shows.
struct CDirectUsbPage::Composition {
    CalibrationCodes codes{};
    std::array<int, 2> shownSlope{};
    std::array<int, 2> shownOffset{};
};

// Switches the page's buttons, its tab control and the sheet off for as
// long as it lives; nested scopes switch them on only when the outermost
// one ends.
class CDirectUsbPage::ControlsOff {
  public:
    explicit ControlsOff(CDirectUsbPage& page) : page_(page) {
        if (page_.controlsOff_++ == 0) page_.SetControlsEnabled(false);
    }
    ~ControlsOff() {
        if (--page_.controlsOff_ == 0) page_.SetControlsEnabled(true);
    }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

  private:
    CDirectUsbPage& page_;
};

// Makes an operation's journal record reachable from the steps it calls,
// for as long as the operation runs.
class CDirectUsbPage::RecordScope {
  public:
    RecordScope(CDirectUsbPage& page, OperationRecord& record) : page_(page) {
        page_.record_ = &record;
    }
    ~RecordScope() { page_.record_ = nullptr; }
    RecordScope(const RecordScope&) = delete;
    RecordScope& operator=(const RecordScope&) = delete;

  private:
    CDirectUsbPage& page_;
};

CDirectUsbPage::CDirectUsbPage(const ModelTable& model)
    : CPropertyPage(model.dialogId),
      model_(model),
      historyDevice_(std::make_unique<ModelHistoryDevice>(model)) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        const TabTable& table = Tab(tab);
        history::HistorySensor& sensor = sensors_[static_cast<std::size_t>(tab)];
        sensor.sensor = tab;
        sensor.listId = table.historyList;
        sensor.profile = table.historyProfile();
        if (!table.fixedZeroPoint) continue;
        for (const ChannelTable& channel : table.channels) {
            typed_[static_cast<std::size_t>(channel.row)][kBoxAfter1] = "0.0";
        }
    }
}

CDirectUsbPage::~CDirectUsbPage() = default;

double CDirectUsbPage::StoredSlope(int tab, int channel) const {
    return sensors_[static_cast<std::size_t>(tab)]
        .state.storedFactors[static_cast<std::size_t>(channel)];
}

bool CDirectUsbPage::IsUsed(int row) const {
    for (const TabTable& tab : model_.tabs) {
        for (const ChannelTable& channel : tab.channels) {
            if (channel.row == row) return channel.kind != ChannelKind::Unused;
        }
    }
    return false;
}

const std::array<CommandEntry<CDirectUsbPage>, 17> CDirectUsbPage::kCommands = {{
    {kSend, &CDirectUsbPage::Send},
    {kInitialise, &CDirectUsbPage::Initialise},
    {kReceive, &CDirectUsbPage::Receive},
    {kHelp, &CDirectUsbPage::Help},
    {kTabs, &CDirectUsbPage::TabChanged},
    {kCheck[0], &CDirectUsbPage::OnTick1},
    {kCheck[1], &CDirectUsbPage::OnTick2},
    {kCheck[2], &CDirectUsbPage::OnTick3},
    {kCheck[3], &CDirectUsbPage::OnTick4},
    {kOnePoint[0], &CDirectUsbPage::OnKind1},
    {kTwoPoint[0], &CDirectUsbPage::OnKind1},
    {kOnePoint[1], &CDirectUsbPage::OnKind2},
    {kTwoPoint[1], &CDirectUsbPage::OnKind2},
    {kOnePoint[2], &CDirectUsbPage::OnKind3},
    {kTwoPoint[2], &CDirectUsbPage::OnKind3},
    {kOnePoint[3], &CDirectUsbPage::OnKind4},
    {kTwoPoint[3], &CDirectUsbPage::OnKind4},
}};

int CDirectUsbPage::RowOfControl(int id) {
    for (int row = 0; row < 4; ++row) {
        const std::size_t r = static_cast<std::size_t>(row);
        if (id == kCheck[r] || id == kOnePoint[r] || id == kTwoPoint[r]) return row;
    }
    return -1;
}

bool CDirectUsbPage::OnCommand(int id) {
    const int row = RowOfControl(id);
    if (row >= 0 && !IsUsed(row)) return false;
    return DispatchCommand<CDirectUsbPage>(*this, kCommands, id);
}

void CDirectUsbPage::DoDataExchange(bool save) {
    DialogView& view = View();
    for (int row = 0; row < 4; ++row) {
        if (!IsUsed(row)) continue;
        const std::size_t r = static_cast<std::size_t>(row);
        ExchangeCheck(view, save, kCheck[r], ticked_[r]);
        ExchangeRadio(view, save, kOnePoint[r], kinds_[r]);
        if (save && kinds_[r] != 1) kinds_[r] = 0;
        for (int box = 0; box < 4; ++box) {
            ExchangeText(view, save, BoxId(row, box), typed_[r][static_cast<std::size_t>(box)]);
        }
    }
}

void CDirectUsbPage::OnInitDialog() {
    DialogView& view = View();
    for (int tab = 0; tab < kTabCount; ++tab) {
        view.InsertTab(kTabs, tab, services::LoadResString(Tab(tab).caption));
    }
    view.SelectTab(kTabs, 0);
    ApplyUnit();
    for (int row = 0; row < 4; ++row) ApplyTickRule(row);
    for (int row = 0; row < 4; ++row) ApplyKindRule(row);
    if (FindConnectedLogger(false)) {
        for (history::HistorySensor& sensor : sensors_) {
            const bool ok = history::ReadHistory(sensor, *historyDevice_) == 0;
            history::SetupHistoryColumns(view, sensor.listId, ok);
            history::FillHistoryList(view, sensor, ok);
        }
    }
    ShowTab(0);
    UpdateData(false);
    services::EnsureDataFolders();
}

void CDirectUsbPage::OnSetActive() {
    ApplyUnit();
    if (activatedBefore_) UpdateData(false);
    activatedBefore_ = true;
}

// The figures of the temperature channel's current setting were shown in
// the other unit: they are cleared rather than left misleading.
void CDirectUsbPage::ApplyUnit() {
    const int unit = services::ReadTempUnit();
    if (unit != unit_) View().SetText(model_.temperatureCurrentText, "");
    unit_ = unit;
    const std::string label =
        services::LoadResString(unit_ == services::kFahrenheit ? kMsgFahrenheit : kMsgCelsius);
    for (const TabTable& tab : model_.tabs) {
        for (const ChannelTable& channel : tab.channels) {
            if (channel.kind != ChannelKind::Temperature) continue;
            for (int id : kUnits[static_cast<std::size_t>(channel.row)]) View().SetText(id, label);
        }
    }
}

int CDirectUsbPage::SelectedTab() const { return View().SelectedTab(kTabs) == 1 ? 1 : 0; }

// Where a row lives: its tab and its place in the tab's pair.
CDirectUsbPage::RowPlace CDirectUsbPage::PlaceOf(int row) const {
    for (int tab = 0; tab < kTabCount; ++tab) {
        for (int j = 0; j < kChannelsPerTab; ++j) {
            if (Tab(tab).channels[static_cast<std::size_t>(j)].row == row) return {tab, j};
        }
    }
    return {0, 0};
}

void CDirectUsbPage::EnableRowInputs(int row, bool enabled, bool withRadios) {
    const std::size_t r = static_cast<std::size_t>(row);
    const bool fixedZero = Tab(PlaceOf(row).tab).fixedZeroPoint;
    if (withRadios) {
        View().Enable(kOnePoint[r], enabled);
        View().Enable(kTwoPoint[r], enabled);
    }
    for (int box = 0; box < 4; ++box) {
        const bool on = enabled && !(fixedZero && box == kBoxAfter1);
        View().Enable(BoxId(row, box), on);
    }
}

void CDirectUsbPage::ApplyTickRule(int row) {
    if (!IsUsed(row)) return;
    const RowPlace place = PlaceOf(row);
    const TabTable& tab = Tab(place.tab);
    const std::size_t r = static_cast<std::size_t>(row);
    if (tab.exclusive) {
        const int other = tab.channels[static_cast<std::size_t>(1 - place.channel)].row;
        ticked_[static_cast<std::size_t>(other)] = false;
        View().SetCheck(kCheck[static_cast<std::size_t>(other)], false);
        EnableRowInputs(other, false, true);
    }
    EnableRowInputs(row, ticked_[r], true);
    ApplyKindRule(row);
}

void CDirectUsbPage::ApplyKindRule(int row) {
    const std::size_t r = static_cast<std::size_t>(row);
    if (!IsUsed(row) || !ticked_[r]) return;
    const bool fixedZero = Tab(PlaceOf(row).tab).fixedZeroPoint;
    View().Enable(BoxId(row, kBoxBefore1), true);
    View().Enable(BoxId(row, kBoxAfter1), !fixedZero);
    View().Enable(BoxId(row, kBoxBefore2), kinds_[r] == 1);
    View().Enable(BoxId(row, kBoxAfter2), kinds_[r] == 1);
}

void CDirectUsbPage::ChannelTicked(int row) {
    UpdateData(true);
    ApplyTickRule(row);
}

void CDirectUsbPage::KindChosen(int row) {
    UpdateData(true);
    ApplyKindRule(row);
}

void CDirectUsbPage::TabChanged() { ShowTab(SelectedTab()); }

// A row without a channel (the CO2 group's second place) is never shown.
void CDirectUsbPage::ShowTab(int tab) {
    for (int id : Tab(1 - tab).controls) View().Show(id, false);
    for (int id : Tab(tab).controls) View().Show(id, true);
    for (int row = 0; row < 4; ++row) {
        if (IsUsed(row)) continue;
        const std::size_t r = static_cast<std::size_t>(row);
        for (int id : {kGroup[r], kCheck[r], kOnePoint[r], kTwoPoint[r], kBefore1[r], kAfter1[r],
                       kBefore2[r], kAfter2[r]}) {
            View().Show(id, false);
        }
        for (int id : kUnits[r]) View().Show(id, false);
        const RowPlace place = PlaceOf(row);
        View().Show(Tab(place.tab).channels[static_cast<std::size_t>(place.channel)].currentText,
                    false);
    }
}

void CDirectUsbPage::SetControlsEnabled(bool enabled) {
    for (int id : {kSend, kInitialise, kReceive, kTabs}) View().Enable(id, enabled);
    View().EnableSheet(enabled);
}

bool CDirectUsbPage::FindConnectedLogger(bool showMessages) {
    ModelConnection& connection = model_.connection;
    connection.key = 0;
    std::vector<int> reserved;
    int ports = client::ReservedComPorts(reserved);
    if (ports < 0) ports = kDefaultPortCount;
    ports = std::min(ports, static_cast<int>(kPortFlagCount));
    // One flag per port the port layer can report: the library writes
    // `ports` of them.
    std::array<uint8_t, kPortFlagCount> flags{};
    if (model_.calls.isConnect(flags.data(), ports) < 1) {
        if (showMessages) services::ShowMessageId(kMsgNoLogger);
        return false;
    }
    int found = 0;
    {
        ControlsOff off(*this);
        for (int index = 0; index < ports; ++index) {
            if (flags[static_cast<std::size_t>(index)] == 0) continue;
            uint32_t key = 0;
            int16_t modelCode = 0;
            char nameA[kNameBufferSize] = {};
            char nameB[kNameBufferSize] = {};
            const int code = CallWithReadRetry([&] {
                return model_.calls.getMachInfo(index + 1, &key, &modelCode, nameA, nameB);
            });
            // Only a logger of this model may become the one the page talks to.
            if (code == 0 && modelCode == model_.modelCode) {
                ++found;
                connection.key = key;
            }
        }
    }
    if (found == 1) return true;
    connection.key = 0;
    if (showMessages) services::ShowMessageId(found == 0 ? kMsgNoLogger : kMsgSeveralLoggers);
    return false;
}

int CDirectUsbPage::ReadCurrentCorrection(int tab) {
    CalibrationCodes codes{};
    const int code = model_.calls.getCalibration(tab, model_.connection.key, codes);
    if (code == 0) model_.connection.table[static_cast<std::size_t>(tab)] = codes;
    return code;
}

uint16_t CDirectUsbPage::EncodeInputValue(int tab, int channel, double value) const {
    const ChannelKind kind = Tab(tab).channels[static_cast<std::size_t>(channel)].kind;
    switch (kind) {
        case ChannelKind::Temperature:
        case ChannelKind::Humidity:
            return static_cast<uint16_t>(static_cast<int32_t>(std::trunc(value * 10.0)));
        case ChannelKind::Illuminance:
        case ChannelKind::Uv:
            if (value < 0)
                return static_cast<uint16_t>(static_cast<int32_t>(std::trunc(value * 1000.0)));
            return model_.calls.normalize(kind, value);
        case ChannelKind::Co2:
            return model_.calls.normalize(kind, std::trunc(value));
        case ChannelKind::Unused:
            break;
    }
    return 0;
}

// Reads one box of a row: the number, or nothing after message 1007 or a
// range message (the focus then on the box).
std::optional<double> CDirectUsbPage::ReadBox(int row, int box, ChannelKind kind) {
    const int id = BoxId(row, box);
    const ParsedNumber parsed =
        ParseNumber(typed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(box)]);
    if (!parsed.accepted) {
        ReportInputError(kMsgEnterNumbers, id, View());
        return std::nullopt;
    }
    if (IsZeroPointKind(kind)) {
        const bool before = box == kBoxBefore1 || box == kBoxBefore2;
        if (before && parsed.value < -1.0) {
            ReportInputError(kMsgBelowMinusOne, id, View());
            return std::nullopt;
        }
        if (box == kBoxAfter2 && parsed.value < 0.0) {
            ReportInputError(kMsgBelowZero, id, View());
            return std::nullopt;
        }
    }
    return parsed.value;
}

std::optional<EnteredCorrection> CDirectUsbPage::ComputeChannel(int tab, int j, int unit,
                                                                std::array<uint16_t, 8>& block) {
    const ChannelTable& channel = Tab(tab).channels[static_cast<std::size_t>(j)];
    const int row = channel.row;
    const bool twoPoint = kinds_[static_cast<std::size_t>(row)] == 1;
    const int boxes = twoPoint ? 4 : 2;
    std::array<double, 4> values{};
    for (int box = 0; box < boxes; ++box) {
        const std::optional<double> value = ReadBox(row, box, channel.kind);
        if (!value) return std::nullopt;
        values[static_cast<std::size_t>(box)] = *value;
        block[static_cast<std::size_t>(box * 2 + j)] = EncodeInputValue(tab, j, *value);
    }
    if (channel.kind == ChannelKind::Co2) {
        for (int box = 0; box < boxes; ++box) {
            if (block[static_cast<std::size_t>(box * 2 + j)] == kCo2Negative) {
                ReportInputError(kMsgInvalidRange, BoxId(row, kBoxBefore1), View());
                return std::nullopt;
            }
        }
    }
    const auto [x1, y1, x2, y2] = values;
    const bool fahrenheit =
        channel.kind == ChannelKind::Temperature && unit == services::kFahrenheit;
    EnteredCorrection entered;
    if (!twoPoint) {
        entered.display = {1.0, RoundedDifference(x1, y1)};
        entered.logger = {1.0, fahrenheit ? RoundedDifference(ToCelsius(x1), ToCelsius(y1))
                                          : entered.display.offset};
        return entered;
    }
    if (!fahrenheit) {
        const std::optional<Correction> line = TwoPointLine(x1, x2, y1, y2);
        if (!line) return std::nullopt;
        entered.logger = entered.display = *line;
        return entered;
    }
    const std::optional<Correction> line =
        TwoPointLine(ToCelsius(x1), ToCelsius(x2), ToCelsius(y1), ToCelsius(y2));
    if (!line) return std::nullopt;
    const double shownSlope = RoundHalfAway((y2 - y1) / (x2 - x1), 3);
    entered.logger = *line;
    entered.display = {line->slope, y2 - shownSlope * x2};
    return entered;
}

std::optional<std::array<EnteredCorrection, 2>> CDirectUsbPage::ComputeInputCorrection(int tab,
                                                                                       int unit) {
    std::array<EnteredCorrection, 2> entered{};
    std::array<uint16_t, 8> block{};
    encoded_[static_cast<std::size_t>(tab)] = block;
    for (int j = 0; j < kChannelsPerTab; ++j) {
        const ChannelTable& channel = Tab(tab).channels[static_cast<std::size_t>(j)];
        if (channel.kind == ChannelKind::Unused ||
            !ticked_[static_cast<std::size_t>(channel.row)]) {
            continue;
        }
        const std::optional<EnteredCorrection> one = ComputeChannel(tab, j, unit, block);
        if (!one) return std::nullopt;
        entered[static_cast<std::size_t>(j)] = *one;
    }
    encoded_[static_cast<std::size_t>(tab)] = block;
    return entered;
}

// Composes each channel of the tab with what the logger holds and checks
// the result against the limits; nothing after the limit message.
std::optional<CDirectUsbPage::Composition> CDirectUsbPage::Compose(
    int tab, const std::array<EnteredCorrection, 2>& entered) {
    const TabTable& table = Tab(tab);
    const CalibrationCodes& current = model_.connection.table[static_cast<std::size_t>(tab)];
    const double scale = table.offsetScale;
    Composition result;
    std::array<double, 2> slopes{};
    std::array<double, 2> offsets{};
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const Correction& in = entered[j].logger;
        const double base = SlopeToComposeOn(StoredSlope(tab, static_cast<int>(j)), current[j * 2]);
        const std::size_t row = static_cast<std::size_t>(table.channels[j].row);
        result.shownSlope[j] = ClampToInt(RoundToWhole(entered[j].display.slope * 1000.0));
        result.shownOffset[j] = ClampToInt(RoundToWhole(entered[j].display.offset * scale));
        // A slope of exactly 1 keeps the base as it is, to the last digit.
        const double newSlope = in.slope == 1.0 ? base : in.slope * base;
        newSlope_[row] = newSlope;
        slopes[j] = RoundToWhole(newSlope);
        offsets[j] = RoundToWhole(in.offset * scale + current[j * 2 + 1] * in.slope);
        // A channel that is not adjusted is written back exactly as read.
        if (!ticked_[row] || table.channels[j].kind == ChannelKind::Unused) {
            slopes[j] = current[j * 2];
            offsets[j] = current[j * 2 + 1];
        }
    }
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        if (!(slopes[j] >= kMinSlopeCode && slopes[j] <= kMaxSlopeCode)) {
            ShowLimitMessage(tab, static_cast<int>(j), entered[j].logger, slopes[j], offsets[j],
                             true);
            return std::nullopt;
        }
    }
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        if (!(std::fabs(offsets[j]) <= table.offsetLimit)) {
            ShowLimitMessage(tab, static_cast<int>(j), entered[j].logger, slopes[j], offsets[j],
                             false);
            return std::nullopt;
        }
    }
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        result.codes[j * 2] = static_cast<int16_t>(slopes[j]);
        result.codes[j * 2 + 1] = static_cast<int16_t>(offsets[j]);
    }
    return result;
}

void CDirectUsbPage::ShowLimitMessage(int tab, int channel, const Correction& entered,
                                      double slopeCode, double offsetCode, bool slopeFailed) {
    const TabTable& table = Tab(tab);
    const int mode = table.bracketMode;
    const std::string enteredText =
        FormatBracketed(mode, ClampToInt(RoundToWhole(entered.slope * 1000.0)),
                        ClampToInt(RoundToWhole(entered.offset * table.offsetScale)));
    const std::string composedText =
        FormatBracketed(mode, ClampToInt(slopeCode), ClampToInt(offsetCode));
    const int number = table.channels[static_cast<std::size_t>(channel)].number;
    std::string text = services::FormatText(services::LoadResString(kMsgLimitFormula),
                                            {number, enteredText, composedText});
    text += "\n\n";
    if (slopeFailed) {
        text += services::FormatText(services::LoadResString(kMsgSlopeLimit), {0, 2});
    } else {
        text += services::FormatText(services::LoadResString(kMsgOffsetLimit),
                                {-table.offsetLimitShown, table.offsetLimitShown});
    }
    if (record_ != nullptr) record_->Refused(slopeFailed ? kMsgSlopeLimit : kMsgOffsetLimit);
    services::ShowMessage(text, services::MsgButtons::Ok, services::MsgIcon::Warning,
                          kMsgLimitFormula);
}

bool CDirectUsbPage::Confirm(int tab, const Composition& composition) {
    const TabTable& table = Tab(tab);
    std::array<std::string, 2> lines;
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const bool ticked = ticked_[static_cast<std::size_t>(table.channels[j].row)];
        lines[j] = ticked ? FormatBracketed(table.bracketMode, composition.shownSlope[j],
                                            composition.shownOffset[j])
                          : services::LoadResString(kMsgNoChange);
    }
    const std::string question =
        services::FormatText(services::LoadResString(table.confirmMessage), {lines[0], lines[1]});
    return services::ShowMessage(question, services::MsgButtons::YesNo, services::MsgIcon::Default,
                                 table.confirmMessage) == services::MsgAnswer::Yes;
}

void CDirectUsbPage::ReportFailure(int code) {
    if (record_ != nullptr) record_->SetResultCode(code);
    services::ReportFailures({model_.connection.key}, {code});
}

Correction CDirectUsbPage::CorrectionOfCodes(int tab, std::size_t channel,
                                             const CalibrationCodes& codes) const {
    return {codes[channel * 2] / 1000.0,
            codes[channel * 2 + 1] / static_cast<double>(Tab(tab).offsetScale)};
}

void CDirectUsbPage::StartRecord(OperationRecord& record, int tab) {
    record.Identify({}, [this] {
        char key[9];
        std::snprintf(key, sizeof key, "%08X", static_cast<unsigned>(model_.connection.key));
        return std::string(key);
    });
    const TabTable& table = Tab(tab);
    std::size_t index = 0;
    for (const ChannelTable& channel : table.channels) {
        if (channel.kind == ChannelKind::Unused) continue;
        record.Channel(index++, "CH" + std::to_string(channel.number));
    }
}

AppliedLimits CDirectUsbPage::LimitsOfTab(int tab) const {
    const TabTable& table = Tab(tab);
    const double offsetLimit = table.offsetLimit / static_cast<double>(table.offsetScale);
    return {kModelTableLimits, kMinSlopeCode / 1000.0, kMaxSlopeCode / 1000.0, offsetLimit,
            offsetLimit};
}

void CDirectUsbPage::RecordCodes(int tab, std::optional<Correction> ChannelRecord::*field,
                                 const CalibrationCodes& codes) {
    if (record_ == nullptr) return;
    const TabTable& table = Tab(tab);
    std::size_t index = 0;
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        if (table.channels[j].kind == ChannelKind::Unused) continue;
        record_->Data().channels.at(index++).*field = CorrectionOfCodes(tab, j, codes);
    }
}

// A write that was not confirmed may still have reached the logger: the
// record says what the logger holds now, or nothing when it does not tell.
void CDirectUsbPage::RecordWhatWasLeft(int tab) {
    if (record_ == nullptr || !record_->Active()) return;
    CalibrationCodes left{};
    if (model_.calls.getCalibration(tab, model_.connection.key, left) == 0) {
        RecordCodes(tab, &ChannelRecord::asLeft, left);
        return;
    }
    for (ChannelRecord& channel : record_->Data().channels) channel.asLeft.reset();
}

// Reads the pair back after a write the logger acknowledged: 0 when it holds
// what was written, kReadBackDiffers when it holds something else (the table
// and the record then show what it holds), or the read's code.
int CDirectUsbPage::ReadBack(int tab, const CalibrationCodes& written) {
    CalibrationCodes held{};
    const uint32_t key = model_.connection.key;
    const int code = CallWithReadRetry([&] { return model_.calls.getCalibration(tab, key, held); });
    if (code != 0) return code;
    model_.connection.table[static_cast<std::size_t>(tab)] = held;
    if (held == written) return 0;
    RecordCodes(tab, &ChannelRecord::asLeft, held);
    ShowCurrentSettings(tab);
    return kReadBackDiffers;
}

int CDirectUsbPage::ReadHistory(int tab) {
    return history::ReadHistory(sensors_[static_cast<std::size_t>(tab)], *historyDevice_);
}

// The controls stay off from the logger search to the last message: the
// reads wait with the window running, and no click may start a second
// operation meanwhile.
void CDirectUsbPage::Send() {
    UpdateData(true);
    prepared_.reset();
    ControlsOff off(*this);
    if (!FindConnectedLogger(true)) return;
    const int tab = SelectedTab();
    OperationRecord record(PageOperation::Send, DialogId(), unit_);
    RecordScope scope(*this, record);
    StartRecord(record, tab);
    // A correction composed on a record or a correction that could not be
    // read would rest on stale values: nothing is written then.
    int code = ReadHistory(tab);
    if (code == 0) code = ReadCurrentCorrection(tab);
    if (code != 0) {
        ReportFailure(code);
        return;
    }
    const CalibrationCodes found = model_.connection.table[static_cast<std::size_t>(tab)];
    RecordCodes(tab, &ChannelRecord::asFound, found);
    // Until a write is attempted the logger keeps what it was found with.
    RecordCodes(tab, &ChannelRecord::asLeft, found);
    const TabTable& table = Tab(tab);
    const bool anyTicked = std::any_of(table.channels.begin(), table.channels.end(),
                                       [this](const ChannelTable& channel) {
                                           return ticked_[static_cast<std::size_t>(channel.row)];
                                       });
    if (!anyTicked) return;
    std::size_t index = 0;
    for (const ChannelTable& channel : table.channels) {
        if (channel.kind == ChannelKind::Unused) continue;
        const std::size_t row = static_cast<std::size_t>(channel.row);
        if (ticked_[row]) {
            const auto& typed = typed_[row];
            ChannelRecord& recorded = record.Data().channels.at(index);
            recorded.enteredPoints =
                EnteredPoints(kinds_[row] == 1, typed[0], typed[1], typed[2], typed[3]);
            recorded.limits = LimitsOfTab(tab);
        }
        ++index;
    }
    const int unit = services::ReadTempUnit();
    const auto entered = ComputeInputCorrection(tab, unit);
    if (!entered) return;
    index = 0;
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const ChannelTable& channel = table.channels[j];
        if (channel.kind == ChannelKind::Unused) continue;
        if (ticked_[static_cast<std::size_t>(channel.row)]) {
            record.Data().channels.at(index).entered = (*entered)[j].logger;
        }
        ++index;
    }
    const auto composition = Compose(tab, *entered);
    if (composition) RecordCodes(tab, &ChannelRecord::composed, composition->codes);
    if (!composition) return;
    prepared_ = PreparedCodes{tab, composition->codes};
    if (!Confirm(tab, *composition)) return;
    if (WriteCorrection(tab, composition->codes, false) == kLockBusy) services::ShowBusyMessage();
}

void CDirectUsbPage::Initialise() {
    if (!FindConnectedLogger(true)) return;
    if (services::ShowMessageId(kMsgConfirmInitialise, services::MsgButtons::YesNo) !=
        services::MsgAnswer::Yes) {
        return;
    }
    ControlsOff off(*this);
    const int tab = SelectedTab();
    OperationRecord record(PageOperation::Initialise, DialogId(), unit_);
    RecordScope scope(*this, record);
    StartRecord(record, tab);
    // With a journal attached the record shows what the logger held before.
    if (record.Active()) {
        CalibrationCodes found{};
        if (model_.calls.getCalibration(tab, model_.connection.key, found) == 0) {
            RecordCodes(tab, &ChannelRecord::asFound, found);
        }
    }
    RecordCodes(tab, &ChannelRecord::composed, kFactoryCodes);
    // The initialisation entry is merged into the record as read; on a
    // failed read the merge would overwrite the logger's history.
    const int code = ReadHistory(tab);
    if (code != 0) {
        ReportFailure(code);
        return;
    }
    if (WriteCorrection(tab, kFactoryCodes, true) == kLockBusy) services::ShowBusyMessage();
}

void CDirectUsbPage::Receive() {
    ControlsOff off(*this);
    if (!FindConnectedLogger(true)) return;
    const int tab = SelectedTab();
    OperationRecord record(PageOperation::Receive, DialogId(), unit_);
    RecordScope scope(*this, record);
    StartRecord(record, tab);
    // A read that fails is reported like every other failed exchange, so the
    // technician never takes the unchanged lines for the logger's answer.
    const int code = ReadCurrentCorrection(tab);
    if (code != 0) {
        record.SetResultCode(code);
        ReportFailure(code);
        return;
    }
    const CalibrationCodes& found = model_.connection.table[static_cast<std::size_t>(tab)];
    RecordCodes(tab, &ChannelRecord::asFound, found);
    RecordCodes(tab, &ChannelRecord::asLeft, found);
    record.Succeeded();
    ShowCurrentSettings(tab);
    services::ShowMessageId(kMsgReceived, services::MsgButtons::Ok, services::MsgIcon::Information);
}

void CDirectUsbPage::Help() { services::ShowHelp(); }

history::SensorAdjustment CDirectUsbPage::AdjustmentOf(int tab) const {
    history::SensorAdjustment adjustment;
    const TabTable& table = Tab(tab);
    adjustment.encoded = encoded_[static_cast<std::size_t>(tab)];
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const std::size_t row = static_cast<std::size_t>(table.channels[j].row);
        adjustment.ticked[j] = table.channels[j].kind != ChannelKind::Unused && ticked_[row];
        adjustment.pointCount[j] = kinds_[row] == 1 ? 2 : 1;
        adjustment.typed[j] = typed_[row];
        adjustment.newFactors[j] = newSlope_[row];
    }
    return adjustment;
}

// The new entries go into the logger's record and, when that worked, into
// the log file. The record write's code.
int CDirectUsbPage::RecordAdjustment(int tab, bool initialise, int32_t time) {
    history::HistorySensor& sensor = sensors_[static_cast<std::size_t>(tab)];
    const history::SensorAdjustment adjustment = AdjustmentOf(tab);
    const int unit = services::ReadTempUnit();
    history::HistoryEntry rec1;
    history::HistoryEntry rec2;
    history::BuildHistoryRecords(sensor, adjustment, initialise, time, unit, rec1, rec2);
    const int code =
        history::AppendHistory(sensor, *historyDevice_, View(), adjustment, initialise, rec1, rec2);
    if (code == 0 && record_ != nullptr) {
        std::vector<uint8_t>& bytes = record_->Data().historyEntry;
        for (const history::HistoryEntry* entry : {&rec1, &rec2}) {
            if (entry->kind == 0) continue;
            const history::EntryBytes encoded = history::EncodeEntry(*entry);
            bytes.insert(bytes.end(), encoded.begin(), encoded.end());
        }
    }
    if (code == 0) {
        history::WriteHistoryLog(sensor, adjustment, initialise, rec1, rec2,
                                 {model_.connection.key, unit});
    }
    return code;
}

int CDirectUsbPage::WriteCorrection(int tab, const CalibrationCodes& codes, bool initialise) {
    int failure = 0;
    {
        ControlsOff off(*this);
        if (!services::AcquireCommBusy()) return kLockBusy;
        const auto time = static_cast<int32_t>(platform::NowSeconds());
        const uint32_t key = model_.connection.key;
        failure =
            CallWithWriteRetry([&] { return model_.calls.setCalibration(tab, key, time, codes); });
        services::PumpWait(kAfterWriteMs);
        if (failure == 0) failure = ReadBack(tab, codes);
        if (failure != 0 && failure != kReadBackDiffers) RecordWhatWasLeft(tab);
        if (failure == 0) {
            RecordCodes(tab, &ChannelRecord::asLeft, codes);
            failure = RecordAdjustment(tab, initialise, time);
            if (failure == 0) ShowCurrentSettings(tab);
        }
        services::ReleaseCommBusy();
    }
    if (failure == 0) {
        if (record_ != nullptr) record_->Succeeded();
        services::ShowMessageId(kMsgSent, services::MsgButtons::Ok, services::MsgIcon::Information);
    } else {
        ReportFailure(failure);
    }
    return 0;
}

void CDirectUsbPage::ShowCurrentSettings(int tab) {
    const TabTable& table = Tab(tab);
    const CalibrationCodes& codes = model_.connection.table[static_cast<std::size_t>(tab)];
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const ChannelTable& channel = table.channels[j];
        if (channel.kind == ChannelKind::Unused) continue;
        const Correction correction = CorrectionOfCodes(tab, j, codes);
        const bool fahrenheit =
            channel.kind == ChannelKind::Temperature && unit_ == services::kFahrenheit;
        View().SetText(channel.currentText,
                       FormatCorrection(table.currentFormat, correction, fahrenheit));
    }
}

}  // namespace tb::pages::lgr87x
