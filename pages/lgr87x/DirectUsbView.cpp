// The view rules of the direct-USB page: tabs, the tick and kind rules of
// the rows, the unit labels and the current-setting texts.
#include "pages/DataExchange.h"
#include "pages/lgr87x/DirectUsbPage.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {

using namespace resources::strings;

namespace {

using namespace resources::lgr87x_ids;

}  // namespace

int CDirectUsbPage::BoxId(int row, int box) {
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

int CDirectUsbPage::RowOfControl(int id) {
    for (int row = 0; row < 4; ++row) {
        const std::size_t r = static_cast<std::size_t>(row);
        if (id == kCheck[r] || id == kOnePoint[r] || id == kTwoPoint[r]) return row;
    }
    return -1;
}

bool CDirectUsbPage::IsUsed(int row) const {
    for (const TabTable& tab : model_.tabs) {
        for (const ChannelTable& channel : tab.channels) {
            if (channel.row == row) return channel.kind != ChannelKind::Unused;
        }
    }
    return false;
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

// The figures of the temperature channel's current setting were shown in
// the other unit: they are cleared rather than left misleading.
void CDirectUsbPage::ApplyUnit() {
    const int unit = services::ReadTempUnit();
    if (unit != unit_) View().SetText(model_.temperatureCurrentText, "");
    unit_ = unit;
    const std::string label =
        services::LoadResString(unit_ == services::kFahrenheit ? kStrFahrenheit : kStrCelsius);
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

BusyScope CDirectUsbPage::Busy() {
    return BusyScope(View(), {kSend, kInitialise, kReceive, kTabs});
}

// What the logger holds is unknown: no figures are left that claim it.
void CDirectUsbPage::ClearCurrentSettings(int tab) {
    for (const ChannelTable& channel : Tab(tab).channels)
        if (channel.kind != ChannelKind::Unused) View().SetText(channel.currentText, "");
}

void CDirectUsbPage::ShowCurrentSettings(int tab) {
    const TabTable& table = Tab(tab);
    const CalibrationCodes& codes = model_.connection.table[static_cast<std::size_t>(tab)];
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const ChannelTable& channel = table.channels[j];
        if (channel.kind == ChannelKind::Unused) continue;
        const Correction correction = CorrectionOfCodes(table, j, codes);
        const bool fahrenheit =
            channel.kind == ChannelKind::Temperature && unit_ == services::kFahrenheit;
        View().SetText(channel.currentText,
                       FormatCorrection(table.currentFormat, correction, fahrenheit));
    }
}

}  // namespace tb::pages::lgr87x
