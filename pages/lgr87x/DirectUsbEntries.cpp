// The direct-USB page's entries: the boxes read and checked, the pair
// composed with what the logger holds, the limit message and the
// confirmation. The arithmetic is DirectUsbComposition's.
#include "pages/lgr87x/DirectUsbPage.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {

using namespace resources::strings;

namespace {

}  // namespace

// Reads one box of a row: the number, or nothing after kMsgEnterNumbers or a
// range message (the focus then on the box).
std::optional<double> CDirectUsbPage::ReadBox(int row, int box, ChannelKind kind) {
    const int id = BoxId(row, box);
    const ParsedNumber parsed =
        ParseNumber(typed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(box)]);
    if (!parsed.accepted) {
        ReportInputError(kMsgEnterNumbers, id, View());
        return std::nullopt;
    }
    if (const int refusal = EntryRefusal(kind, box, parsed.value); refusal != 0) {
        ReportInputError(refusal, id, View());
        return std::nullopt;
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
        block[static_cast<std::size_t>(box * 2 + j)] =
            EncodeEntry(channel.kind, *value, model_.calls.normalize);
    }
    if (channel.kind == ChannelKind::Co2) {
        for (int box = 0; box < boxes; ++box) {
            if (block[static_cast<std::size_t>(box * 2 + j)] == kCo2Negative) {
                ReportInputError(kMsgInvalidRange, BoxId(row, kBoxBefore1), View());
                return std::nullopt;
            }
        }
    }
    return EnteredOf(channel.kind, twoPoint, unit == services::kFahrenheit, values);
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

std::optional<Composition> CDirectUsbPage::Compose(
    int tab, const std::array<EnteredCorrection, 2>& entered) {
    const TabTable& table = Tab(tab);
    std::array<bool, 2> adjusted{};
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        adjusted[j] = ticked_[static_cast<std::size_t>(table.channels[j].row)];
    }
    const Composition composition =
        ComposeTab(table, model_.connection.table[static_cast<std::size_t>(tab)],
                   sensors_[static_cast<std::size_t>(tab)].state.storedFactors, adjusted, entered);
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        newSlope_[static_cast<std::size_t>(table.channels[j].row)] = composition.factors[j];
    }
    if (composition.refusal) {
        const LimitRefusal& refusal = *composition.refusal;
        ShowLimitMessage(tab, refusal, entered[refusal.channel].logger);
        return std::nullopt;
    }
    return composition;
}

void CDirectUsbPage::ShowLimitMessage(int tab, const LimitRefusal& refusal,
                                      const Correction& entered) {
    const TabTable& table = Tab(tab);
    const int mode = table.bracketMode;
    const auto [slope, offset] = ShownCodes(table, entered);
    const std::string enteredText = FormatBracketed(mode, slope, offset);
    const std::string composedText =
        FormatBracketed(mode, ClampToInt(refusal.slopeCode), ClampToInt(refusal.offsetCode));
    const int number = table.channels[refusal.channel].number;
    std::string text = services::FormatText(services::LoadResString(kMsgLimitFormula),
                                            {number, enteredText, composedText});
    text += "\n\n";
    if (refusal.slopeFailed) {
        text += services::FormatText(services::LoadResString(kMsgSlopeLimit), {0, 2});
    } else {
        text += services::FormatText(services::LoadResString(kMsgOffsetLimit),
                                     {-table.offsetLimitShown, table.offsetLimitShown});
    }
    if (record_ != nullptr)
        record_->Refused(refusal.slopeFailed ? kMsgSlopeLimit : kMsgOffsetLimit);
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
                          : services::LoadResString(kStrNoChange);
    }
    const std::string question =
        services::FormatText(services::LoadResString(table.confirmMessage), {lines[0], lines[1]});
    return services::ShowMessage(question, services::MsgButtons::YesNo, services::MsgIcon::Default,
                                 table.confirmMessage) == services::MsgAnswer::Yes;
}

}  // namespace tb::pages::lgr87x
