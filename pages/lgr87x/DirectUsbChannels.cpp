// The direct-USB page's channels as the AdjustablePage interface numbers
// them: the model table gives each used channel of a tab its number.
#include "pages/lgr87x/DirectUsbPage.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "resources/dialogs/Lgr87xDialogIds.h"

namespace tb::pages::lgr87x {
namespace {

namespace du = resources::lgr87x_ids;

struct Slot {
    int tab;
    std::size_t index;  // within the tab's pair
    const ChannelTable* channel;
};

// The used channel of the model with that number; nothing for another number.
std::optional<Slot> SlotOf(const ModelTable& model, int number) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        const auto& channels = model.tabs[static_cast<std::size_t>(tab)].channels;
        for (std::size_t j = 0; j < channels.size(); ++j)
            if (channels[j].number == number && channels[j].kind != ChannelKind::Unused)
                return Slot{tab, j, &channels[j]};
    }
    return std::nullopt;
}

Slot CheckedSlot(const ModelTable& model, int number) {
    const std::optional<Slot> slot = SlotOf(model, number);
    if (!slot) throw std::out_of_range("no channel " + std::to_string(number) + " on this page");
    return *slot;
}

}  // namespace

int CDirectUsbPage::AdjustableChannels() const {
    int count = 0;
    for (const TabTable& tab : model_.tabs)
        for (const ChannelTable& channel : tab.channels)
            if (channel.kind != ChannelKind::Unused) ++count;
    return count;
}

ChannelPlace CDirectUsbPage::PlaceOfChannel(int channel) const {
    const Slot slot = CheckedSlot(model_, channel);
    const auto row = static_cast<std::size_t>(slot.channel->row);
    const bool narrow = slot.channel->kind == ChannelKind::Temperature ||
                        slot.channel->kind == ChannelKind::Humidity;
    return {{du::kCheck[row], du::kOnePoint[row], du::kTwoPoint[row], du::kBefore1[row],
             du::kAfter1[row], du::kBefore2[row], du::kAfter2[row], du::kUnits[row][0],
             du::kUnits[row][1], du::kUnits[row][2], du::kUnits[row][3], slot.channel->currentText},
            slot.tab,
            narrow ? du::kNarrowBoxLength : du::kWideBoxLength};
}

Correction CDirectUsbPage::CurrentCorrection(int channel) const {
    const Slot slot = CheckedSlot(model_, channel);
    return CorrectionOfCodes(Tab(slot.tab), slot.index,
                             model_.connection.table[static_cast<std::size_t>(slot.tab)]);
}

std::optional<Correction> CDirectUsbPage::ComposedCorrection(int channel) const {
    const Slot slot = CheckedSlot(model_, channel);
    if (!prepared_ || prepared_->tab != slot.tab) return std::nullopt;
    return CorrectionOfCodes(Tab(slot.tab), slot.index, prepared_->codes);
}

}  // namespace tb::pages::lgr87x
